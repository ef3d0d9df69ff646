#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"

namespace xe::win::test {

// One message as a procedure saw it.
struct TLogged {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

using TLog = std::vector<TLogged>;

// A top-level window whose procedure logs every message (into its own log and, when given,
// a shared one) and lets a test answer messages before the default procedure does.
class TTestWindow {
public:
    TTestWindow(std::string const& caption, TRect bounds, DWORD style = WS_POPUP, HWND owner = nullptr,
        TLog* shared = nullptr, DWORD exStyle = 0)
        : Shared(shared)
    {
        Proc = MakeObjectInstance([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            Log.push_back({ h, m, w, l });
            if (Shared)
                Shared->push_back({ h, m, w, l });
            if (OnMessage)
                if (std::optional<LRESULT> r = OnMessage(m, w, l))
                    return *r;
            return DefWindowProc(h, m, w, l);
        });
        Handle = CreateWindowEx(
            exStyle, caption, style, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), owner, Proc);
    }
    ~TTestWindow()
    {
        if (IsWindow(Handle))
            DestroyWindow(Handle);
        FreeObjectInstance(Proc);
    }
    TTestWindow(TTestWindow const&) = delete;
    TTestWindow& operator=(TTestWindow const&) = delete;

    // The logged messages of the given numbers, in order.
    std::vector<TLogged> Only(std::initializer_list<UINT> messages) const
    {
        std::vector<TLogged> out;
        for (TLogged const& l : Log)
            for (UINT m : messages)
                if (l.Message == m)
                    out.push_back(l);
        return out;
    }
    int Count(UINT message) const { return int(Only({ message }).size()); }

    HWND Handle = nullptr;
    WNDPROC Proc = nullptr;
    TLog Log;
    TLog* Shared;
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> OnMessage;
};

// Every test runs on a fresh window system with a headless backend.
class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<THeadlessBackend>();
        H = backend.get();
        InitWindowSystem(std::move(backend));
    }
    void TearDown() override { DoneWindowSystem(); }

    // A hit test that answers HTCAPTION in the top band (window y below captionHeight)
    // and HTCLIENT elsewhere.
    static std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> CaptionBand(
        HWND& hwnd, int captionHeight)
    {
        return [&hwnd, captionHeight](UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
            if (m != WM_NCHITTEST)
                return std::nullopt;
            RECT r;
            GetWindowRect(hwnd, &r);
            return GET_Y_LPARAM(l) - r.Top < captionHeight ? HTCAPTION : HTCLIENT;
        };
    }

    THeadlessBackend* H = nullptr;
};

} // namespace xe::win::test
