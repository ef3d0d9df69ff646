#include "platform/base/Files.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Png.h"
#include "platform/graphics/Region.h"
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using ScreenTest = WindowSystemTest;
using base::RGB;

TEST_F(ScreenTest, MetricsMonitorsAndVersion)
{
    RECT work;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work, base::Rect(0, 0, 1024, 738));
    BOOL full = FALSE;
    SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
    EXPECT_TRUE(full);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetVersion() & 0xFF, 5u);
    EXPECT_EQ((GetVersion() >> 8) & 0xFF, 1u);

    // A second monitor to the right; windows belong to the one they overlap most.
    H->SetMonitors(
        { { { 0, 0, 1024, 768 }, { 0, 0, 1024, 738 } }, { { 1024, 0, 2048, 768 }, { 1024, 0, 2048, 768 } } });
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 2048);
    TTestWindow w("W", base::Bounds(1000, 100, 200, 100));
    MONITORINFO mi;
    ASSERT_TRUE(GetMonitorInfo(MonitorFromWindow(w.Handle, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcMonitor, base::Rect(1024, 0, 2048, 768));
    EXPECT_EQ(mi.dwFlags, DWORD(0));
    EXPECT_EQ(MonitorFromPoint({ 5000, 5000 }, MONITOR_DEFAULTTONULL), nullptr);
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({ 5000, 100 }, MONITOR_DEFAULTTONEAREST), &mi));
    EXPECT_EQ(mi.rcWork, base::Rect(1024, 0, 2048, 768));
    ASSERT_TRUE(GetMonitorInfo(MonitorFromPoint({ -50, 100 }, MONITOR_DEFAULTTOPRIMARY), &mi));
    EXPECT_EQ(mi.dwFlags, MONITORINFOF_PRIMARY);
}

TEST_F(ScreenTest, DeviceContextsDrawOnTheSurface)
{
    TTestWindow w("W", base::Bounds(10, 10, 100, 80), WS_CAPTION | WS_VISIBLE);
    w.OnMessage = [](UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        return m == WM_NCPAINT ? std::optional<LRESULT>(0) : std::nullopt; // keep the frame unpainted
    };
    H->RunScript();
    HDC dc = GetDC(w.Handle);
    ASSERT_NE(dc, nullptr);
    dc->Brush.Color = base::clRed;
    dc->FillRect(base::Rect(-50, -50, 500, 500)); // clipped to the client area
    int presented = H->PresentCount();
    ReleaseDC(w.Handle, dc);
    gfx::TBitmap const* s = GetWindowSurface(w.Handle);
    RECT client = GetClientAreaInWindow(w.Handle); // (3, 22) - (97, 77)
    EXPECT_EQ(s->Pixel(client.Left, client.Top), base::clRed);
    EXPECT_EQ(s->Pixel(client.Right - 1, client.Bottom - 1), base::clRed);
    EXPECT_NE(s->Pixel(client.Left - 1, client.Top), base::clRed);
    EXPECT_NE(s->Pixel(client.Left, client.Bottom), base::clRed);

    HDC wdc = GetWindowDC(w.Handle);
    wdc->Brush.Color = base::clBlue;
    wdc->FillRect(base::Rect(0, 0, 2, 2));
    ReleaseDC(w.Handle, wdc);
    EXPECT_EQ(s->Pixel(0, 0), base::clBlue);

    // What changed is presented once the queue is idle (and can be dumped frame by frame).
    base::TTempDir dir;
    H->SetFrameDump(dir.Path());
    H->RunScript();
    EXPECT_EQ(H->PresentCount(), presented + 1);
    EXPECT_TRUE(SamePixels(CaptureWindow(w.Handle), *s));
    std::string frame = dir.File("frame-" + std::to_string(presented + 1) + "-"
        + std::to_string(reinterpret_cast<uintptr_t>(w.Handle)) + ".png");
    EXPECT_TRUE(SamePixels(gfx::LoadPngFromFile(frame), *s));
}

TEST_F(ScreenTest, DefaultPaintingFillsTheBackground)
{
    TTestWindow w("W", base::Bounds(0, 0, 40, 30), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    EXPECT_EQ(GetWindowSurface(w.Handle)->Pixel(20, 15), base::ColorToRGB(base::clBtnFace));
}

TEST_F(ScreenTest, ScreenCompositesRegionsAndAlphaInZOrder)
{
    auto fill = [](HWND h, base::TColor color) {
        HDC dc = GetWindowDC(h);
        dc->Brush.Color = color;
        dc->FillRect(base::Rect(0, 0, 1000, 1000));
        ReleaseDC(h, dc);
    };
    TTestWindow back("Back", base::Bounds(0, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    TTestWindow front("Front", base::Bounds(50, 0, 100, 100), WS_POPUP | WS_VISIBLE);
    H->RunScript();
    fill(back.Handle, RGB(200, 0, 0));
    fill(front.Handle, RGB(0, 0, 100));
    gfx::TRegion upperHalf(base::Rect(0, 0, 100, 50));
    SetWindowRgn(front.Handle, &upperHalf, FALSE);
    SetWindowLongPtr(front.Handle, GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(front.Handle, 0, 128, LWA_ALPHA);

    gfx::TBitmap shot = CaptureScreen();
    ASSERT_EQ(shot.Width(), 1024);
    EXPECT_EQ(shot.Pixel(10, 10), RGB(200, 0, 0)); // back only
    EXPECT_EQ(shot.Pixel(60, 80), RGB(200, 0, 0)); // outside the front's region
    // Alpha 128: each channel is (front * 128 + below * 127) / 255, rounded.
    EXPECT_EQ(shot.Pixel(60, 10), RGB(100, 0, 50));
    EXPECT_EQ(shot.Pixel(120, 10), RGB(29, 55, 132)); // front over the desktop (58, 110, 165)
    EXPECT_EQ(shot.Pixel(120, 80), RGB(58, 110, 165)); // the desktop

    // Screenshots are written as PNG files that read back pixel for pixel.
    base::TTempDir dir;
    SaveScreenScreenshot(dir.File("screen.png"));
    SaveWindowScreenshot(front.Handle, dir.File("front.png"));
    EXPECT_TRUE(SamePixels(gfx::LoadPngFromFile(dir.File("screen.png")), shot));
    EXPECT_TRUE(SamePixels(gfx::LoadPngFromFile(dir.File("front.png")), CaptureWindow(front.Handle)));

    ShowWindow(front.Handle, SW_HIDE);
    EXPECT_EQ(CaptureScreen().Pixel(60, 10), RGB(200, 0, 0));
}

} // namespace
