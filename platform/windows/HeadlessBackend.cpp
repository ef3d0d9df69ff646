#include "platform/windows/HeadlessBackend.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/graphics/Png.h"
#include "platform/windows/WinUser.h"
#include "platform/windows/WindowSystem.h"

namespace xe::win {

THeadlessBackend::THeadlessBackend()
{
    // One 1024 x 768 monitor with a 30-pixel task bar at the bottom.
    FMonitors.push_back({ { 0, 0, 1024, 768 }, { 0, 0, 1024, 738 } });
}

void THeadlessBackend::CreateNativeWindow(
    HWND window, TRect const& bounds, std::string const& title, TNativeKind kind)
{
    FNatives[window] = TNative { bounds, title, false, false, nullptr, 255, kind, nullptr, false };
}

void THeadlessBackend::SetOwner(HWND window, HWND owner, bool modal)
{
    FNatives[window].Owner = owner;
    FNatives[window].Modal = modal;
}

TNativeKind THeadlessBackend::NativeKind(HWND window) const
{
    auto it = FNatives.find(window);
    return it == FNatives.end() ? TNativeKind::Normal : it->second.Kind;
}

HWND THeadlessBackend::NativeOwner(HWND window) const
{
    auto it = FNatives.find(window);
    return it == FNatives.end() ? nullptr : it->second.Owner;
}

bool THeadlessBackend::NativeModal(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Modal;
}

void THeadlessBackend::DestroyNativeWindow(HWND window) { FNatives.erase(window); }

void THeadlessBackend::SetVisible(HWND window, bool visible)
{
    FNatives[window].Visible = visible && !FNatives[window].Lost;
}

void THeadlessBackend::SetBounds(HWND window, TRect const& bounds) { FNatives[window].Bounds = bounds; }

void THeadlessBackend::SetTitle(HWND window, std::string const& title) { FNatives[window].Title = title; }

void THeadlessBackend::SetMinimized(HWND window, bool minimized) { FNatives[window].Minimized = minimized; }

void THeadlessBackend::SetShape(HWND window, gfx::TRegion const* region)
{
    FNatives[window].Shape = region ? std::make_shared<gfx::TRegion>(*region) : nullptr;
}

void THeadlessBackend::SetOpacity(HWND window, uint8_t alpha) { FNatives[window].Opacity = alpha; }

bool THeadlessBackend::NativeShaped(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Shape;
}

gfx::TRegion THeadlessBackend::NativeShape(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Shape ? *it->second.Shape : gfx::TRegion();
}

uint8_t THeadlessBackend::NativeOpacity(HWND window) const
{
    auto it = FNatives.find(window);
    return it == FNatives.end() ? 255 : it->second.Opacity;
}

bool THeadlessBackend::NativeMinimized(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Minimized;
}

bool THeadlessBackend::NativeInTaskbar(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Visible;
}

TRect THeadlessBackend::NativeBounds(HWND window) const
{
    auto it = FNatives.find(window);
    return it == FNatives.end() ? TRect {} : it->second.Bounds;
}

void THeadlessBackend::Present(HWND window, gfx::TBitmap const& surface, TRect const&)
{
    ++FPresentCount;
    if (!FFrameDump.empty())
        gfx::SavePngToFile(surface,
            FFrameDump + "/frame-" + std::to_string(FPresentCount) + "-"
                + std::to_string(reinterpret_cast<uintptr_t>(window)) + ".png");
}

bool THeadlessBackend::NativeVisible(HWND window) const
{
    auto it = FNatives.find(window);
    return it != FNatives.end() && it->second.Visible && !it->second.Minimized;
}

std::string THeadlessBackend::NativeTitle(HWND window) const
{
    auto it = FNatives.find(window);
    return it == FNatives.end() ? std::string() : it->second.Title;
}

// --- the notification area ----------------------------------------------------------------------

void THeadlessBackend::AddTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    FTrayIcons[id] = TTrayIcon { picture, tip };
}

void THeadlessBackend::ChangeTrayIcon(int id, gfx::TBitmap const& picture, std::string const& tip)
{
    if (auto it = FTrayIcons.find(id); it != FTrayIcons.end())
        it->second = TTrayIcon { picture, tip };
}

void THeadlessBackend::SetTrayAvailable(bool available)
{
    if (FTrayAvailable == available)
        return;
    FTrayAvailable = available;
    TRawEvent event;
    event.Kind = TRawEventKind::TrayChanged;
    FPending.push_back(event);
}

std::string THeadlessBackend::TrayIconTip(int index) const
{
    auto it = FTrayIcons.begin();
    std::advance(it, std::clamp(index, 0, int(FTrayIcons.size())));
    return it == FTrayIcons.end() ? std::string() : it->second.Tip;
}

gfx::TBitmap THeadlessBackend::TrayIconPicture(int index) const
{
    auto it = FTrayIcons.begin();
    std::advance(it, std::clamp(index, 0, int(FTrayIcons.size())));
    return it == FTrayIcons.end() ? gfx::TBitmap() : it->second.Picture;
}

void THeadlessBackend::ClickTrayIcon(int index, TMouseButton button)
{
    for (TRawEventKind kind : { TRawEventKind::TrayButtonDown, TRawEventKind::TrayButtonUp }) {
        TStep step;
        step.Event.Kind = kind;
        step.Event.Button = button;
        step.Event.Key = index; // an index until the step runs
        Add(std::move(step));
    }
}

// --- the script ---------------------------------------------------------------------------------

void THeadlessBackend::AddEvent(
    TRawEventKind kind, std::string const& caption, int x, int y, TMouseButton button)
{
    TStep step;
    step.Kind = TStepKind::Event;
    step.Event.Kind = kind;
    step.Event.Pos = { x, y };
    step.Event.Button = button;
    step.Caption = caption;
    Add(std::move(step));
}

void THeadlessBackend::Move(std::string const& caption, int x, int y)
{
    AddEvent(TRawEventKind::MouseMove, caption, x, y, mbLeft);
}

void THeadlessBackend::Press(std::string const& caption, int x, int y, TMouseButton button)
{
    AddEvent(TRawEventKind::ButtonDown, caption, x, y, button);
}

void THeadlessBackend::Release(std::string const& caption, int x, int y, TMouseButton button)
{
    AddEvent(TRawEventKind::ButtonUp, caption, x, y, button);
}

void THeadlessBackend::Wheel(std::string const& caption, int x, int y, int delta)
{
    TStep step;
    step.Kind = TStepKind::Event;
    step.Event.Kind = TRawEventKind::Wheel;
    step.Event.Pos = { x, y };
    step.Event.Key = delta;
    step.Caption = caption;
    Add(std::move(step));
}

void THeadlessBackend::Click(std::string const& caption, int x, int y, TMouseButton button)
{
    Move(caption, x, y);
    Press(caption, x, y, button);
    Release(caption, x, y, button);
}

void THeadlessBackend::DoubleClick(std::string const& caption, int x, int y)
{
    Click(caption, x, y);
    Press(caption, x, y);
    Release(caption, x, y);
}

void THeadlessBackend::Drag(
    std::string const& caption, int x0, int y0, int x1, int y1, int steps, TMouseButton button)
{
    Move(caption, x0, y0);
    Press(caption, x0, y0, button);
    steps = std::max(1, steps);
    for (int i = 1; i <= steps; ++i)
        Move(caption, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
    Release(caption, x1, y1, button);
}

void THeadlessBackend::KeyDown(int vk)
{
    TStep step;
    step.Event.Kind = TRawEventKind::KeyDown;
    step.Event.Key = vk;
    Add(std::move(step));
}

void THeadlessBackend::KeyUp(int vk)
{
    TStep step;
    step.Event.Kind = TRawEventKind::KeyUp;
    step.Event.Key = vk;
    Add(std::move(step));
}

void THeadlessBackend::KeyPress(int vk, std::initializer_list<int> modifiers)
{
    for (int m : modifiers)
        KeyDown(m);
    KeyDown(vk);
    KeyUp(vk);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        KeyUp(*it);
}

void THeadlessBackend::Type(std::string const& text)
{
    static std::string const plain = " 0123456789;=,-./`[\\]'";
    static std::string const shifted = " )!@#$%^&*(:+<_>?~{|}\"";
    static int const plainKeys[]
        = { VK_SPACE, '0', '1', '2', '3', '4', '5', '6', '7', '8', '9', VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA,
              VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3, VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7 };
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            KeyPress(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            KeyPress(c, { VK_SHIFT });
        else if (c == '\r' || c == '\n')
            KeyPress(VK_RETURN);
        else if (size_t i = plain.find(c); i != std::string::npos)
            KeyPress(plainKeys[i]);
        else if (size_t j = shifted.find(c); j != std::string::npos && j > 0)
            KeyPress(plainKeys[j], { VK_SHIFT });
        else
            throw base::EInvalidOperation(std::string("Cannot type the character '") + c + "'");
    }
}

void THeadlessBackend::TypeText(std::string const& ansi)
{
    TStep step;
    step.Event.Kind = TRawEventKind::Text;
    step.Event.Text = ansi;
    Add(std::move(step));
}

void THeadlessBackend::CloseRequest(std::string const& caption)
{
    AddEvent(TRawEventKind::CloseRequest, caption, 0, 0, mbLeft);
}

void THeadlessBackend::CloseRequest(HWND window)
{
    TStep step;
    step.Event.Kind = TRawEventKind::CloseRequest;
    step.Event.Window = window;
    Add(std::move(step));
}

void THeadlessBackend::LoseWindow(std::string const& caption)
{
    AddEvent(TRawEventKind::WindowLost, caption, 0, 0, mbLeft);
}

void THeadlessBackend::MinimizeRequest(std::string const& caption)
{
    AddEvent(TRawEventKind::Minimize, caption, 0, 0, mbLeft);
}

void THeadlessBackend::RestoreRequest(std::string const& caption)
{
    AddEvent(TRawEventKind::Restore, caption, 0, 0, mbLeft);
}

void THeadlessBackend::Sleep(uint64_t ms)
{
    TStep step;
    step.Kind = TStepKind::Sleep;
    step.Ms = ms;
    Add(std::move(step));
}

void THeadlessBackend::WaitShown(std::string const& caption)
{
    WaitUntil(
        [caption] {
            HWND h = FindWindow(caption);
            return h && IsWindowVisible(h) && !IsIconic(h);
        },
        "window '" + caption + "' shown");
}

void THeadlessBackend::WaitHidden(std::string const& caption)
{
    WaitUntil(
        [caption] {
            HWND h = FindWindow(caption);
            return !h || !IsWindowVisible(h);
        },
        "window '" + caption + "' hidden");
}

void THeadlessBackend::WaitUntil(std::function<bool()> condition, std::string what)
{
    TStep step;
    step.Kind = TStepKind::WaitUntil;
    step.Condition = std::move(condition);
    step.What = std::move(what);
    Add(std::move(step));
}

void THeadlessBackend::Do(std::function<void()> action)
{
    TStep step;
    step.Kind = TStepKind::Do;
    step.Action = std::move(action);
    Add(std::move(step));
}

bool THeadlessBackend::ScriptHeld()
{
    if (FScript.empty())
        return true;
    TStep& step = FScript.front();
    if (step.Kind == TStepKind::Sleep)
        return FSleepUntil && FNow < *FSleepUntil;
    if (step.Kind == TStepKind::WaitUntil)
        return !step.Condition();
    return false;
}

std::optional<TRawEvent> THeadlessBackend::NextStep()
{
    while (!FScript.empty()) {
        TStep& step = FScript.front();
        switch (step.Kind) {
        case TStepKind::Sleep:
            if (!FSleepUntil)
                FSleepUntil = FNow + step.Ms;
            if (FNow < *FSleepUntil)
                return std::nullopt;
            FSleepUntil.reset();
            FScript.pop_front();
            FLastProgress = FNow;
            continue;
        case TStepKind::WaitUntil:
            if (!step.Condition())
                return std::nullopt;
            FScript.pop_front();
            FLastProgress = FNow;
            continue;
        case TStepKind::Do: {
            // Taken off first: the action may run a message loop that goes on with the script.
            std::function<void()> action = std::move(step.Action);
            FScript.pop_front();
            FLastProgress = FNow;
            FActionRan = true;
            action();
            // Whatever the action caused is handled before the next step.
            return std::nullopt;
        }
        case TStepKind::Event: {
            TRawEvent event = step.Event;
            std::string caption = step.Caption;
            FScript.pop_front();
            FLastProgress = FNow;
            if (event.Kind == TRawEventKind::TrayButtonDown || event.Kind == TRawEventKind::TrayButtonUp) {
                if (!FTrayAvailable || event.Key < 0 || event.Key >= int(FTrayIcons.size()))
                    throw base::EInvalidOperation(
                        "Scripted click on a notification-area icon that is not shown");
                auto it = FTrayIcons.begin();
                std::advance(it, event.Key);
                event.Key = it->first;
                // Notification areas sit in the task bar, at the bottom right of the screen.
                TRect const screen = FMonitors.empty() ? TRect {} : FMonitors.front().Bounds;
                event.Pos = { screen.Right - 20 * (event.Key % 8 + 1), screen.Bottom - 15 };
            }
            if (!caption.empty()) {
                HWND h = FindWindow(caption);
                if (!h)
                    throw base::EInvalidOperation(
                        "Scripted input for a window that does not exist: '" + caption + "'");
                if (event.Kind == TRawEventKind::CloseRequest || event.Kind == TRawEventKind::Minimize
                    || event.Kind == TRawEventKind::Restore || event.Kind == TRawEventKind::WindowLost) {
                    event.Window = h;
                    if (event.Kind == TRawEventKind::WindowLost) {
                        FNatives[h].Lost = true;
                        FNatives[h].Visible = false;
                    }
                } else {
                    RECT r;
                    GetWindowRect(h, &r);
                    event.Pos.X += r.Left;
                    event.Pos.Y += r.Top;
                }
            }
            return event;
        }
        }
    }
    return std::nullopt;
}

void THeadlessBackend::RunScript()
{
    MSG msg;
    for (;;) {
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(int(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (FScript.empty())
            return;
        WaitEvent(WS().NextTimerDue());
    }
}

std::optional<TRawEvent> THeadlessBackend::PollEvent()
{
    if (!FPending.empty()) {
        TRawEvent event = FPending.front();
        FPending.pop_front();
        return event;
    }
    return NextStep();
}

void THeadlessBackend::WaitEvent(std::optional<uint64_t> deadline)
{
    // An action that just ran may have posted messages: the queue looks again before
    // anyone may conclude that nothing will ever come.
    if (std::exchange(FActionRan, false) || !FPending.empty())
        return;
    if (!ScriptHeld())
        return; // a step can run now
    std::optional<uint64_t> wake = deadline;
    if (!FScript.empty() && FScript.front().Kind == TStepKind::Sleep && FSleepUntil)
        wake = wake ? std::min(*wake, *FSleepUntil) : *FSleepUntil;
    std::string waitingFor = FScript.empty()           ? std::string("no scripted input")
        : FScript.front().Kind == TStepKind::WaitUntil ? "waiting until " + FScript.front().What
                                                       : std::string("a scripted pause");
    if (!wake)
        throw EWouldWaitForever("Message loop would wait forever: no timer and " + waitingFor);
    if (*wake > FNow)
        FNow = *wake;
    if (FNow - FLastProgress > FIdleLimit)
        throw EWouldWaitForever("Message loop would wait forever: only timers ran for "
            + std::to_string(FNow - FLastProgress) + " ms with " + waitingFor);
}

} // namespace xe::win
