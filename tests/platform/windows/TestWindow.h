#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"

namespace xe::test {

// One message as a procedure saw it.
struct TLogged {
    win::HWND Window;
    win::UINT Message;
    win::WPARAM WParam;
    win::LPARAM LParam;
};

using TLog = std::vector<TLogged>;

// A top-level window whose procedure logs every message (into its own log and, when given,
// a shared one) and lets a test answer messages before the default procedure does.
class TTestWindow {
public:
    TTestWindow(std::string const& caption, win::TRect bounds, win::DWORD style = win::WS_POPUP,
        win::HWND owner = nullptr, TLog* shared = nullptr, win::DWORD exStyle = 0)
        : Shared(shared)
    {
        Proc = win::MakeObjectInstance(
            [this](win::HWND h, win::UINT m, win::WPARAM w, win::LPARAM l) -> win::LRESULT {
                Log.push_back({ h, m, w, l });
                if (Shared)
                    Shared->push_back({ h, m, w, l });
                if (OnMessage)
                    if (std::optional<win::LRESULT> r = OnMessage(m, w, l))
                        return *r;
                return win::DefWindowProc(h, m, w, l);
            });
        Handle = win::CreateWindowEx(
            exStyle, caption, style, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), owner, Proc);
    }
    ~TTestWindow()
    {
        if (win::IsWindow(Handle))
            win::DestroyWindow(Handle);
        win::FreeObjectInstance(Proc);
    }
    TTestWindow(TTestWindow const&) = delete;
    TTestWindow& operator=(TTestWindow const&) = delete;

    // The logged messages of the given numbers, in order.
    std::vector<TLogged> Only(std::initializer_list<win::UINT> messages) const
    {
        std::vector<TLogged> out;
        for (TLogged const& l : Log)
            for (win::UINT m : messages)
                if (l.Message == m)
                    out.push_back(l);
        return out;
    }
    int Count(win::UINT message) const { return int(Only({ message }).size()); }

    win::HWND Handle = nullptr;
    win::WNDPROC Proc = nullptr;
    TLog Log;
    TLog* Shared;
    std::function<std::optional<win::LRESULT>(win::UINT, win::WPARAM, win::LPARAM)> OnMessage;
};

// Every test runs on a fresh window system with a headless backend.
class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<win::THeadlessBackend>();
        H = backend.get();
        win::InitWindowSystem(std::move(backend));
    }
    void TearDown() override { win::DoneWindowSystem(); }

    // A hit test that answers HTCAPTION in the top band (window y below captionHeight)
    // and HTCLIENT elsewhere.
    static std::function<std::optional<win::LRESULT>(win::UINT, win::WPARAM, win::LPARAM)> CaptionBand(
        win::HWND& hwnd, int captionHeight)
    {
        return
            [&hwnd, captionHeight](win::UINT m, win::WPARAM, win::LPARAM l) -> std::optional<win::LRESULT> {
                if (m != win::WM_NCHITTEST)
                    return std::nullopt;
                win::RECT r;
                win::GetWindowRect(hwnd, &r);
                return win::GET_Y_LPARAM(l) - r.Top < captionHeight ? win::HTCAPTION : win::HTCLIENT;
            };
    }

    win::THeadlessBackend* H = nullptr;
};

} // namespace xe::test
