#include "skin/form/SkinHint.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/draw/FrameImage.h"
#include "skin/form/PopupWindow.h"

#include <algorithm>

namespace xe::skin {

namespace {

// The plain look: text inset from a one-pixel border.
constexpr int PlainMarginX = 4;
constexpr int PlainMarginY = 2;

gfx::TBitmap const* HintPicture(TspSkinData* data)
{
    if (!data || data->Empty())
        return nullptr;
    int const index = data->HintWindow.WindowPictureIndex;
    if (index < 0 || index >= int(data->ActivePictures.size()))
        return nullptr;
    gfx::TBitmap const* b = data->ActivePictures[size_t(index)].get();
    return b && !b->Empty() ? b : nullptr;
}

} // namespace

TspSkinHint::TspSkinHint(tk::TComponent* owner)
    : tk::TComponent(owner)
{
    FSkinData.SetOnFree([this] { HideHint(); }); // it may be drawn from the skin that goes
}

TspSkinHint::~TspSkinHint() { HideHint(); }

TspSkinData* TspSkinHint::SkinData() const { return FSkinData.Get(); }

void TspSkinHint::SetSkinData(TspSkinData* value) { FSkinData = value; }

void TspSkinHint::SetFont(gfx::TCanvas& canvas) const
{
    TspDataSkinHintWindow const* hw = FSkinned ? &FSkinData->HintWindow : nullptr;
    canvas.Font.SetName(hw && !hw->FontName.empty() ? hw->FontName : "Arial");
    canvas.Font.SetHeight(hw && hw->FontHeight > 0 ? hw->FontHeight : 14);
    canvas.Font.SetStyle(hw ? hw->FontStyle : 0);
    canvas.Font.SetColor(hw ? hw->FontColor : base::clInfoText);
}

void TspSkinHint::ActivateHint(base::TPoint screen, std::string const& text)
{
    HideHint();
    if (text.empty() || !win::WindowSystemRunning())
        return;
    FText = text;
    gfx::TBitmap const* picture = HintPicture(FSkinData);
    TRect const client = FSkinData ? FSkinData->HintWindow.ClientRect : TRect {};
    FSkinned = picture && !base::IsRectEmpty(client);

    gfx::TBitmap measure(1, 1);
    gfx::TCanvas c(measure);
    SetFont(c);
    int const textW = c.TextWidth(text) + 2, textH = c.TextHeight(text);
    if (FSkinned) {
        // The picture grows by what the text needs beyond its client rectangle.
        FWidth = picture->Width() + std::max(0, textW - client.Width());
        FHeight = picture->Height() + std::max(0, textH - client.Height());
        FTextRect = base::Rect(client.Left, client.Top, client.Right + FWidth - picture->Width(),
            client.Bottom + FHeight - picture->Height());
    } else {
        FWidth = textW + 2 * PlainMarginX;
        FHeight = textH + 2 * PlainMarginY;
        FTextRect = base::Rect(PlainMarginX, PlainMarginY, FWidth - PlainMarginX, FHeight - PlainMarginY);
    }

    TRect area
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    win::MONITORINFO info {};
    info.cbSize = sizeof(info);
    if (win::GetMonitorInfo(
            win::MonitorFromPoint({ screen.X, screen.Y }, win::MONITOR_DEFAULTTONEAREST), &info))
        area = info.rcWork;
    int x = std::max(area.Left, std::min(screen.X, area.Right - FWidth));
    int y = screen.Y;
    if (y + FHeight > area.Bottom)
        y = std::max(area.Top, y - FHeight - 20); // above the pointer instead of below it

    FInstance = win::MakeObjectInstance([this](win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
        return WndProc(h, msg, wp, lp);
    });
    FHandle = win::CreateWindowEx(win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW | win::WS_EX_NOACTIVATE, "",
        win::WS_POPUP, x, y, FWidth, FHeight, nullptr, FInstance);
    if (!FHandle) {
        win::FreeObjectInstance(FInstance);
        FInstance = nullptr;
        return;
    }
    win::ShowWindow(FHandle, win::SW_SHOWNOACTIVATE);
    win::UpdateWindow(FHandle);
}

void TspSkinHint::HideHint()
{
    win::HWND const h = FHandle;
    FHandle = nullptr;
    FText.clear();
    if (h && win::WindowSystemRunning() && win::IsWindow(h))
        win::DestroyWindow(h);
    if (FInstance)
        win::FreeObjectInstance(FInstance);
    FInstance = nullptr;
}

void TspSkinHint::Paint(gfx::TCanvas& canvas)
{
    gfx::TBitmap const* picture = FSkinned ? HintPicture(FSkinData) : nullptr;
    if (picture) {
        TspDataSkinHintWindow const& hw = FSkinData->HintWindow;
        int const dw = FWidth - picture->Width(), dh = FHeight - picture->Height();
        TFrameCut const src { hw.LTPoint, hw.RTPoint, hw.LBPoint, hw.RBPoint, hw.ClientRect };
        TFrameCut dst = src;
        dst.RT.X += dw;
        dst.LB.Y += dh;
        dst.RB.X += dw;
        dst.RB.Y += dh;
        dst.C.Right += dw;
        dst.C.Bottom += dh;
        gfx::TBitmap image;
        ComposeFrameImage(src, dst, image, *picture, base::Rect(0, 0, picture->Width(), picture->Height()),
            FWidth, FHeight, true,
            TStretchFlags { hw.LeftStretch, hw.TopStretch, hw.RightStretch, hw.BottomStretch });
        canvas.Draw(0, 0, image);
    } else {
        canvas.Brush.Color = base::clInfoBk;
        canvas.FillRect(base::Rect(0, 0, FWidth, FHeight));
        canvas.Brush.Color = base::clBtnShadow;
        canvas.FrameRect(base::Rect(0, 0, FWidth, FHeight));
    }
    SetFont(canvas);
    canvas.SetBkMode(gfx::TRANSPARENT);
    TRect r = FTextRect;
    canvas.DrawText(FText, r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
}

win::LRESULT TspSkinHint::WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp)
{
    if (auto answer = PopupWindowMessage(h, msg, [this](gfx::TCanvas& canvas) { Paint(canvas); }))
        return *answer;
    switch (msg) {
    case win::WM_NCHITTEST:
        // Clicks go through to the window below: a hint is never in the way.
        return win::HTTRANSPARENT;
    case win::WM_NCDESTROY:
        if (h == FHandle)
            FHandle = nullptr;
        break;
    default:
        break;
    }
    return win::DefWindowProc(h, msg, wp, lp);
}

} // namespace xe::skin
