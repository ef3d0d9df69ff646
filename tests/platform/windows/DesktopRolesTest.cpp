// What the desktop is told about windows (modal dialogs of an owner, popups), what a press on
// a disabled owner does, where keys go with nothing active, and the icons' windows hearing
// that the notification area went while the application was hidden in it.
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using DesktopRolesTest = WindowSystemTest;

TEST_F(DesktopRolesTest, OwnedWindowsShownWhileTheirOwnerIsDisabledAreModal)
{
    TTestWindow owner("Owner", base::Bounds(100, 100, 400, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow dialog("Dialog", base::Bounds(150, 150, 200, 135), WS_POPUP | WS_CAPTION, owner.Handle);
    TTestWindow lone("Lone", base::Bounds(600, 100, 100, 100), WS_POPUP | WS_VISIBLE);
    EXPECT_EQ(H->NativeOwner(lone.Handle), nullptr);
    EXPECT_FALSE(H->NativeModal(lone.Handle));

    EnableWindow(owner.Handle, FALSE);
    ShowWindow(dialog.Handle, SW_SHOW);
    EXPECT_EQ(H->NativeOwner(dialog.Handle), owner.Handle);
    EXPECT_TRUE(H->NativeModal(dialog.Handle));
    EXPECT_EQ(H->NativeKind(dialog.Handle), TNativeKind::Normal);

    // Shown again with its owner enabled, it is only owned.
    ShowWindow(dialog.Handle, SW_HIDE);
    EnableWindow(owner.Handle, TRUE);
    ShowWindow(dialog.Handle, SW_SHOWNOACTIVATE);
    EXPECT_EQ(H->NativeOwner(dialog.Handle), owner.Handle);
    EXPECT_FALSE(H->NativeModal(dialog.Handle));

    // The owner is told as it is at the showing (SetWindowLongPtr may change it).
    ShowWindow(dialog.Handle, SW_HIDE);
    SetWindowLongPtr(dialog.Handle, GWLP_HWNDPARENT, 0);
    ShowWindow(dialog.Handle, SW_SHOWNOACTIVATE);
    EXPECT_EQ(H->NativeOwner(dialog.Handle), nullptr);
}

TEST_F(DesktopRolesTest, MenusAndTipsArePopupsOtherToolWindowsAreNot)
{
    DWORD const menuStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    TTestWindow menu("Menu", base::Bounds(10, 10, 100, 60), WS_POPUP, nullptr, nullptr, menuStyle);
    TTestWindow tool("Tool", base::Bounds(10, 10, 100, 60), WS_POPUP, nullptr, nullptr, WS_EX_TOOLWINDOW);
    TTestWindow captioned(
        "Captioned", base::Bounds(10, 10, 100, 60), WS_POPUP | WS_CAPTION, nullptr, nullptr, menuStyle);
    EXPECT_EQ(H->NativeKind(menu.Handle), TNativeKind::Popup);
    EXPECT_EQ(H->NativeKind(tool.Handle), TNativeKind::Normal);
    EXPECT_EQ(H->NativeKind(captioned.Handle), TNativeKind::Normal);
}

TEST_F(DesktopRolesTest, APressOnADisabledWindowBringsTheModalWindowForward)
{
    TTestWindow owner("Owner", base::Bounds(100, 100, 400, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow other("Other", base::Bounds(120, 120, 400, 300), WS_POPUP | WS_VISIBLE);
    TTestWindow dialog("Dialog", base::Bounds(150, 150, 200, 135), WS_POPUP, owner.Handle);
    // As a modal loop does: every other window disabled, the dialog shown.
    EnableWindow(owner.Handle, FALSE);
    EnableWindow(other.Handle, FALSE);
    ShowWindow(dialog.Handle, SW_SHOW);
    // Another disabled window of the application comes over the dialog (a window manager
    // raised it).
    SetWindowPos(other.Handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(WindowFromPoint({ 200, 200 }), other.Handle);
    H->Click(480, 400); // on the other window only
    H->RunScript();
    EXPECT_EQ(WindowFromPoint({ 200, 200 }), dialog.Handle) << "the dialog came forward";
    EXPECT_EQ(other.Count(WM_LBUTTONDOWN), 0) << "the disabled window takes no click";
}

TEST_F(DesktopRolesTest, WithNothingActiveKeysGoToTheCaptureWindow)
{
    TTestWindow form("Form", base::Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    MinimizeApplication();
    ASSERT_EQ(GetActiveWindow(), nullptr);
    TTestWindow menu("Menu", base::Bounds(500, 600, 100, 60), WS_POPUP, nullptr, nullptr,
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    ShowWindow(menu.Handle, SW_SHOWNOACTIVATE);
    SetCapture(menu.Handle);
    ASSERT_EQ(GetActiveWindow(), nullptr);
    H->KeyPress(VK_ESCAPE);
    H->RunScript();
    auto keys = menu.Only({ WM_KEYDOWN });
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].WParam, WPARAM(VK_ESCAPE));
    EXPECT_EQ(form.Count(WM_KEYDOWN), 0);
}

TEST_F(DesktopRolesTest, IconWindowsHearWhenTheAreaGoesWhileTheApplicationIsInIt)
{
    constexpr UINT Callback = WM_USER + 7;
    TTestWindow form("Form", base::Bounds(100, 100, 200, 100), WS_POPUP | WS_VISIBLE);
    NOTIFYICONDATA data;
    data.hWnd = form.Handle;
    data.uID = 5;
    data.uFlags = NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = Callback;
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    auto gone = [&] {
        int n = 0;
        for (TLogged const& l : form.Only({ Callback }))
            n += l.WParam == 5 && l.LParam == LPARAM(NIN_AREAGONE);
        return n;
    };

    // Only minimised (no area): its going says nothing.
    H->SetTrayAvailable(true);
    H->RunScript();
    MinimizeApplication();
    H->SetTrayAvailable(false);
    H->RunScript();
    EXPECT_EQ(gone(), 0);
    RestoreApplication();

    // Hidden in the area: the icon's window hears it once, after the windows are back.
    H->SetTrayAvailable(true);
    H->RunScript();
    ASSERT_TRUE(HideApplication());
    H->SetTrayAvailable(false);
    H->RunScript();
    EXPECT_EQ(gone(), 1);
    EXPECT_TRUE(H->NativeInTaskbar(form.Handle));
}

} // namespace
