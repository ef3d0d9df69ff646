// Icons in the notification area: registration, clicks posted to their window, and hiding
// the application only while an icon is on view.
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using TrayTest = WindowSystemTest;

constexpr UINT Callback = WM_USER + 7;

NOTIFYICONDATA IconOf(HWND owner, UINT id, gfx::TBitmap const* picture, std::string tip)
{
    NOTIFYICONDATA data;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = Callback;
    data.hIcon = picture;
    data.szTip = std::move(tip);
    return data;
}

TEST_F(TrayTest, IconsAreRegisteredAndClicksComeToTheirWindow)
{
    TTestWindow owner("Owner", base::Bounds(10, 10, 100, 80));
    gfx::TBitmap red(16, 16);
    red.Canvas().Brush.Color = base::RGB(255, 0, 0);
    red.Canvas().FillRect(base::Rect(0, 0, 16, 16));
    NOTIFYICONDATA data = IconOf(owner.Handle, 3, &red, "Export");
    EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &data)) << "added twice";
    NOTIFYICONDATA stray = IconOf(owner.Handle, 4, nullptr, "");
    EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, &stray));
    EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, &stray));
    NOTIFYICONDATA orphan = IconOf(reinterpret_cast<HWND>(0x7777), 1, nullptr, "");
    EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, &orphan)) << "no such window";

    // Registered without a notification area; shown when one appears.
    EXPECT_FALSE(NotificationAreaAvailable());
    ASSERT_EQ(H->TrayIconCount(), 1);
    EXPECT_EQ(H->TrayIconTip(0), "Export");
    EXPECT_EQ(H->TrayIconPicture(0).Pixel(5, 5), base::RGB(255, 0, 0));
    NOTIFYICONDATA tipOnly = data;
    tipOnly.uFlags = NIF_TIP;
    tipOnly.hIcon = nullptr;
    tipOnly.szTip = "Exporting";
    EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, &tipOnly));
    EXPECT_EQ(H->TrayIconTip(0), "Exporting");
    EXPECT_EQ(H->TrayIconPicture(0).Pixel(5, 5), base::RGB(255, 0, 0)) << "the picture was not named: kept";

    H->SetTrayAvailable(true);
    EXPECT_TRUE(NotificationAreaAvailable());
    H->ClickTrayIcon(0, mbLeft);
    H->Sleep(1000);
    H->ClickTrayIcon(0, mbRight);
    H->ClickTrayIcon(0, mbLeft);
    H->ClickTrayIcon(0, mbLeft);
    H->RunScript();
    std::vector<std::pair<WPARAM, LPARAM>> got;
    for (TLogged const& l : owner.Only({ Callback }))
        got.emplace_back(l.WParam, l.LParam);
    using P = std::pair<WPARAM, LPARAM>;
    EXPECT_EQ(got,
        (std::vector<P> { P(3, WM_LBUTTONDOWN), P(3, WM_LBUTTONUP), P(3, WM_RBUTTONDOWN), P(3, WM_RBUTTONUP),
            P(3, WM_LBUTTONDOWN), P(3, WM_LBUTTONUP), P(3, WM_LBUTTONDBLCLK), P(3, WM_LBUTTONUP) }));
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_GT(cursor.Y, 738) << "the cursor is where the icon was clicked, in the task bar";

    // The icon goes with its window.
    DestroyWindow(owner.Handle);
    EXPECT_EQ(H->TrayIconCount(), 0);
}

TEST_F(TrayTest, TheApplicationHidesOnlyWhileAnIconIsOnView)
{
    TTestWindow a("A", base::Bounds(10, 10, 100, 80), WS_POPUP | WS_VISIBLE);
    TTestWindow b("B", base::Bounds(200, 10, 100, 80), WS_POPUP | WS_VISIBLE);
    NOTIFYICONDATA data = IconOf(b.Handle, 1, nullptr, "tip");

    // No icon: only minimised.
    H->SetTrayAvailable(true);
    EXPECT_FALSE(HideApplication());
    EXPECT_TRUE(IsApplicationMinimized());
    EXPECT_TRUE(H->NativeInTaskbar(a.Handle));
    RestoreApplication();

    // An icon but no notification area: only minimised.
    ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, &data));
    H->SetTrayAvailable(false);
    H->RunScript();
    EXPECT_FALSE(HideApplication());
    EXPECT_TRUE(H->NativeInTaskbar(a.Handle));
    RestoreApplication();

    // Both: the windows leave the task bar and come back on restore, in their place.
    H->SetTrayAvailable(true);
    H->RunScript();
    EXPECT_TRUE(HideApplication());
    EXPECT_TRUE(IsApplicationHidden());
    EXPECT_FALSE(H->NativeInTaskbar(a.Handle));
    EXPECT_FALSE(H->NativeInTaskbar(b.Handle));
    EXPECT_TRUE(IsWindowVisible(a.Handle)) << "still a minimised window to the window system";
    RestoreApplication();
    EXPECT_FALSE(IsApplicationHidden());
    EXPECT_TRUE(H->NativeVisible(a.Handle));
    EXPECT_TRUE(H->NativeVisible(b.Handle));
    EXPECT_EQ(H->NativeBounds(a.Handle), base::Bounds(10, 10, 100, 80));

    // The notification area goes away: the windows come back to the task bar, minimised.
    EXPECT_TRUE(HideApplication());
    H->SetTrayAvailable(false);
    H->RunScript();
    EXPECT_FALSE(IsApplicationHidden());
    EXPECT_TRUE(IsApplicationMinimized());
    EXPECT_TRUE(H->NativeInTaskbar(a.Handle));
    EXPECT_TRUE(H->NativeMinimized(a.Handle));
    RestoreApplication();

    // The last icon goes: the same.
    H->SetTrayAvailable(true);
    H->RunScript();
    EXPECT_TRUE(HideApplication());
    ASSERT_TRUE(Shell_NotifyIcon(NIM_DELETE, &data));
    EXPECT_FALSE(IsApplicationHidden());
    EXPECT_TRUE(H->NativeInTaskbar(a.Handle));
}

} // namespace
