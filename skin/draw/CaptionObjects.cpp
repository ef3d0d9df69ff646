#include "skin/draw/CaptionObjects.h"

#include "platform/base/Strings.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/CaptionGlyphs.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/FrameImage.h"

namespace xe::skin {

using base::TRect;

namespace {

// Takes the last character off an ANSI text (a double-byte character as a whole).
void DropLastChar(std::string& text)
{
    std::u32string chars = base::AnsiToUtf32(text);
    if (chars.empty()) {
        text.clear();
        return;
    }
    chars.pop_back();
    text = base::Utf8ToAnsi(base::Utf32ToUtf8(chars));
}

void CopyScaled(gfx::TBitmap& dst, int dx, int dy, int dw, int dh, gfx::TBitmap const& src, TRect const& s)
{
    TFBitmap d(dst);
    TFBitmap const v(src);
    StretchPixels(d, dx, dy, dw, dh, v, s.Left, s.Top, s.Width(), s.Height());
}

void CopyBlock(gfx::TBitmap& dst, int dx, int dy, gfx::TBitmap const& src, int sx, int sy, int w, int h)
{
    TFBitmap d(dst);
    TFBitmap const v(src);
    CopyPixels(d, dx, dy, v, sx, sy, w, h);
}

} // namespace

std::string ShortenText(gfx::TCanvas& canvas, std::string const& text, int width)
{
    if (canvas.TextWidth(text) <= width)
        return text;
    std::string s = text;
    while (!s.empty()) {
        DropLastChar(s);
        if (canvas.TextWidth(s + "...") <= width)
            break;
    }
    return s + "...";
}

// ---------------------------------------------------------------------------------------
// Caption

TspSkinCaptionObject::TspSkinCaptionObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinCaption* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (!data)
        return;
    FontName = data->FontName;
    FontStyle = data->FontStyle;
    FontHeight = data->FontHeight;
    FontColor = data->FontColor;
    ActiveFontColor = data->ActiveFontColor;
    ShadowColor = data->ShadowColor;
    ActiveShadowColor = data->ActiveShadowColor;
    Shadow = data->Shadow;
    Alignment = data->Alignment;
    TextRect = data->TextRect;
    DefaultCaption = data->DefaultCaption;
    FrameRect = data->FrameRect;
    ActiveFrameRect = data->ActiveFrameRect;
    FrameLeftOffset = data->FrameLeftOffset;
    FrameRightOffset = data->FrameRightOffset;
    FrameTextRect = data->FrameTextRect;
}

void TspSkinCaptionObject::SetCaptionText(std::string const& text)
{
    FCaptionText = text;
    if (Form)
        Form->RedrawObject(*this);
}

int TspSkinCaptionObject::PlacementClass() const
{
    if (NormalRect.Width() == ObjectRect.Width() && NormalRect.Height() == ObjectRect.Height())
        return 0;
    if (!SkinData)
        return 0;
    base::TPoint const lt = SkinData->LTPoint, rt = SkinData->RTPoint, lb = SkinData->LBPoint,
                       rb = SkinData->RBPoint;
    if (NormalRect.Top <= lt.Y && NormalRect.Bottom < rt.Y)
        return 1;
    if (NormalRect.Top >= lb.Y && NormalRect.Bottom > rb.Y)
        return 2;
    if (NormalRect.Top <= lt.Y && NormalRect.Bottom > lb.Y)
        return 3;
    return 4;
}

void TspSkinCaptionObject::BuildImage(gfx::TBitmap& image, gfx::TBitmap const& picture, TRect const& s) const
{
    int const w = ObjectRect.Width(), h = ObjectRect.Height();
    image.SetSize(std::max(w, 0), std::max(h, 0)); // a window below its minimum inverts the rectangle
    if (w < 1 || h < 1 || base::IsRectEmpty(s))
        return;
    base::TPoint const lt = SkinData ? SkinData->LTPoint : base::TPoint {};
    base::TPoint const rt = SkinData ? SkinData->RTPoint : base::TPoint {};
    base::TPoint const lb = SkinData ? SkinData->LBPoint : base::TPoint {};
    base::TPoint const rb = SkinData ? SkinData->RBPoint : base::TPoint {};
    if (rb.X == lt.X || rb.Y == lt.Y) {
        CopyScaled(image, 0, 0, w, h, picture, s);
        return;
    }
    int const cls = PlacementClass();
    if (cls <= 2) {
        int a = 0, b = 0;
        if (cls == 1) {
            a = lt.X - NormalRect.Left;
            b = NormalRect.Right - rt.X;
        } else if (cls == 2) {
            a = lb.X - NormalRect.Left;
            b = NormalRect.Right - rb.X;
        }
        if (a != 0 || b != 0) {
            int const mid = s.Width() - a - b;
            ForEachTile(0, w, mid, [&](int start, int len) {
                CopyBlock(image, start, 0, picture, s.Left + a, s.Top, len, s.Height());
            });
        } else {
            CopyScaled(image, 0, 0, w, h, picture, s);
        }
        if (a != 0)
            CopyBlock(image, 0, 0, picture, s.Left, s.Top, a, s.Height());
        if (b != 0)
            CopyBlock(image, w - b, 0, picture, s.Right - b, s.Top, b, s.Height());
        return;
    }
    int top, bottom;
    if (cls == 3) {
        top = lt.Y - NormalRect.Top;
        bottom = NormalRect.Bottom - lb.Y;
    } else {
        top = rt.Y - NormalRect.Top;
        bottom = NormalRect.Bottom - rb.Y;
    }
    int const mid = s.Height() - top - bottom;
    ForEachTile(0, h, mid, [&](int start, int len) {
        CopyBlock(image, 0, start, picture, s.Left, s.Top + top, s.Width(), len);
    });
    if (top != 0)
        CopyBlock(image, 0, 0, picture, s.Left, s.Top, s.Width(), top);
    if (bottom != 0)
        CopyBlock(image, 0, h - bottom, picture, s.Left, s.Bottom - bottom, s.Width(), bottom);
}

TRect TspSkinCaptionObject::CurrentTextRect() const
{
    TRect r = TextRect;
    if (!base::IsRectEmpty(r))
        r.Right = ObjectRect.Width() - (NormalRect.Width() - TextRect.Right);
    if (!base::IsRectEmpty(FrameRect)) {
        r.Left += FrameTextRect.Left;
        r.Top += FrameTextRect.Top;
        r.Right += FrameTextRect.Right - FrameRect.Width();
    }
    return r;
}

void TspSkinCaptionObject::DrawCaptionText(gfx::TCanvas& canvas, int x0, int y0, bool active) const
{
    std::string text = Form ? Form->FormCaption() : FCaptionText;
    TRect const tr = CurrentTextRect();
    if (text.empty() || base::IsRectEmpty(tr))
        return;
    gfx::TCanvasSaver saver(canvas);
    int const charset = SkinData && SkinData->ResourceStrData() ? SkinData->ResourceStrData()->CharSet()
        : Form                                                  ? Form->DefCaptionCharset()
                                                                : 1;
    canvas.Font.SetName(FontName);
    canvas.Font.SetStyle(FontStyle);
    canvas.Font.SetHeight(FontHeight);
    canvas.Font.SetColor(active ? ActiveFontColor : FontColor);
    canvas.Font.SetCharset(charset);
    text = ShortenText(canvas, text, tr.Width());
    base::TSize const size = canvas.TextExtent(text);
    int const w = size.cx, h = size.cy;
    int x = tr.Left;
    int const y = tr.Height() / 2 + tr.Top - h / 2 + y0;
    if (Alignment == taRightJustify)
        x = tr.Right - w;
    else if (Alignment == taCenter)
        x = tr.Width() / 2 + tr.Left - w / 2;
    x += x0;
    canvas.Brush.Style = gfx::bsClear;
    if (!base::IsRectEmpty(FrameRect) && OwnPicture) {
        TRect const src = active && !base::IsRectEmpty(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        gfx::TBitmap strip;
        ComposeHorzStrip(FrameLeftOffset, FrameRightOffset, strip,
            FrameRect.Width() + w - FrameTextRect.Width(), src, *OwnPicture);
        canvas.Draw(x - FrameTextRect.Left, y - FrameTextRect.Top, strip);
    }
    if (Shadow) {
        base::TColor const keep = canvas.Font.Color();
        canvas.Font.SetCharset(charset);
        canvas.Font.SetColor(active ? ActiveShadowColor : ShadowColor);
        canvas.TextOut(x + 1, y + 1, text);
        canvas.Font.SetColor(keep);
    }
    canvas.TextOut(x, y, text);
}

void TspSkinCaptionObject::PaintImage(
    gfx::TCanvas& canvas, gfx::TBitmap const& image, bool throughInactiveEffect) const
{
    if (throughInactiveEffect) {
        TspEffectBmp effect(image);
        effect.InactiveEffect(SkinData->InActiveEffect);
        effect.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
    } else {
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
    }
}

void TspSkinCaptionObject::Draw(gfx::TCanvas& canvas, bool update)
{
    ActiveState = Form ? Form->IsFormActive() : true;
    bool const supportNC = Form ? Form->SupportNCArea() : true;
    bool const autoInactive = SkinData && SkinData->AutoRenderingInActiveImage;
    if (!supportNC || !base::IsRectEmpty(HotRect)) {
        if (!base::IsRectEmpty(HotRect) && OwnPicture && (ActiveState || MorphFactor() != 0)) {
            gfx::TBitmap active;
            BuildImage(active, *OwnPicture, HotRect);
            DrawCaptionText(active.Canvas(), 0, 0, true);
            if (ActiveState && (MorphFactor() == 1 || (MorphFactor() == 0 && !MorphEnabled))) {
                canvas.Draw(ObjectRect.Left, ObjectRect.Top, active);
                return;
            }
            gfx::TBitmap normal;
            if (FramePicture)
                BuildImage(normal, *FramePicture, NormalRect);
            else
                normal.SetSize(active.Width(), active.Height());
            DrawCaptionText(normal.Canvas(), 0, 0, false);
            TspEffectBmp mixed(normal);
            TspEffectBmp const hot(active);
            mixed.Morph(MorphMode, hot, MorphFactor());
            if (autoInactive && !ActiveState)
                mixed.InactiveEffect(SkinData->InActiveEffect);
            mixed.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
            return;
        }
        if (update) {
            gfx::TBitmap normal;
            if (FramePicture)
                BuildImage(normal, *FramePicture, NormalRect);
            else
                normal.SetSize(std::max(ObjectRect.Width(), 0), std::max(ObjectRect.Height(), 0));
            DrawCaptionText(normal.Canvas(), 0, 0, ActiveState);
            PaintImage(canvas, normal, autoInactive && !ActiveState);
            return;
        }
    }
    DrawCaptionText(canvas, ObjectRect.Left, ObjectRect.Top, ActiveState);
}

void TspSkinCaptionObject::MouseDown(int x, int y, win::TMouseButton button)
{
    if (Form && !Form->SupportNCArea() && !Form->FormMaximized())
        Form->StartDragging(x, y);
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinCaptionObject::MouseUp(int x, int y, win::TMouseButton button)
{
    if (Form && !Form->SupportNCArea())
        Form->StopDragging();
    TspActiveSkinObject::MouseUp(x, y, button);
}

void TspSkinCaptionObject::MouseEnter() { NoteMouse(true, false); }

void TspSkinCaptionObject::MouseLeave() { NoteMouse(false, false); }

// ---------------------------------------------------------------------------------------
// Button

TspSkinButtonObject::TspSkinButtonObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinButton* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (!data)
        return;
    PressedRect = data->DownRect;
    DisabledRect = data->DisableSkinRect;
    GroupIndex = data->GroupIndex;
}

void TspSkinButtonObject::Draw(gfx::TCanvas& canvas, bool update)
{
    if (!EnabledState && !base::IsRectEmpty(DisabledRect)) {
        CopyToObjectRect(canvas, OwnPicture, DisabledRect);
        return;
    }
    if (Pressed && !base::IsRectEmpty(PressedRect) && (InGroup() || MouseInside)) {
        CopyToObjectRect(canvas, OwnPicture, PressedRect);
        return;
    }
    TspActiveSkinObject::Draw(canvas, update);
}

void TspSkinButtonObject::SetPressed(bool value)
{
    Pressed = value;
    if (base::IsRectEmpty(PressedRect) && !value)
        return;
    if (!base::IsRectEmpty(PressedRect)) {
        if (!value) {
            if (InGroup() || PopupItem)
                ActiveState = false;
            if (MorphEnabled && Form)
                Form->RedrawObject(*this);
            RequestRedraw();
            return;
        }
        if (MorphEnabled)
            SetMorphFactor(1);
        if (Form)
            Form->RedrawObject(*this);
    }
    if (value && InGroup() && Form) {
        for (int i = 0; i < Form->ObjectCount(); ++i) {
            auto* other = dynamic_cast<TspSkinButtonObject*>(Form->Object(i));
            if (other && other != this && other->IDName != IDName && other->GroupIndex == GroupIndex
                && other->Pressed) {
                other->SetPressed(false);
                break;
            }
        }
    }
}

void TspSkinButtonObject::ShowPopup()
{
    if (!PopupItem || !PopupItem->HasItems() || !Form)
        return;
    base::TPoint const origin = Form->FrameScreenOrigin();
    TRect r = ObjectRect;
    base::OffsetRect(r, origin.X, origin.Y);
    Form->PopupMenuAt(*PopupItem, r, PopupAbove);
}

void TspSkinButtonObject::MouseDown(int x, int y, win::TMouseButton button)
{
    if (!EnabledState)
        return;
    if (button == win::mbLeft && !Pressed) {
        SetPressed(true);
        ShowPopup();
    }
    if (Form)
        Form->MouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TspSkinButtonObject::MouseUp(int x, int y, win::TMouseButton button)
{
    if (!EnabledState)
        return;
    if (button == win::mbLeft && !PopupItem && Pressed && !InGroup())
        SetPressed(false);
    TspActiveSkinObject::MouseUp(x, y, button);
}

void TspSkinButtonObject::MouseEnter()
{
    MouseInside = true;
    ActiveState = true;
    if (Pressed && !base::IsRectEmpty(PressedRect)) {
        if (!InGroup() && Form)
            Form->RedrawObject(*this);
    } else if (!base::IsRectEmpty(HotRect)) {
        RequestRedraw();
    }
    if (Form)
        Form->MouseEnterEvent(IDName);
}

void TspSkinButtonObject::MouseLeave()
{
    MouseInside = false;
    if (!Pressed || base::IsRectEmpty(PressedRect) || (!PopupItem && !InGroup())) {
        ActiveState = false;
        if (MorphEnabled && Pressed)
            SetMorphFactor(1);
        if (!base::IsRectEmpty(HotRect) || (!base::IsRectEmpty(PressedRect) && !InGroup()))
            RequestRedraw();
    }
    if (Form)
        Form->MouseLeaveEvent(IDName);
}

// ---------------------------------------------------------------------------------------
// Standard button

TspSkinStdButtonObject::TspSkinStdButtonObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinStdButton* data)
    : TspSkinButtonObject(form, skinData, data)
{
    if (!data)
        return;
    FromSkin = true;
    StdCaptionButton = true;
    StdCommand = data->Command;
    RestoreRect = data->RestoreRect;
    RestoreHotRect = data->RestoreActiveRect;
    RestorePressedRect = data->RestoreDownRect;
}

bool TspSkinStdButtonObject::CommandStateOn() const
{
    if (!Form)
        return false;
    switch (StdCommand) {
    case cmMaximize:
        return Form->FormMaximized();
    case cmMinimize:
        return Form->FormMinimized();
    case cmRollUp:
        return Form->RollUpState();
    default:
        return false;
    }
}

bool TspSkinStdButtonObject::ShowsFormIcon() const
{
    return StdCommand == cmSysMenu && NormalInOwnPicture && Form && Form->ShowIcon();
}

bool TspSkinStdButtonObject::CanMorph() const
{
    if (ShowsFormIcon())
        return false;
    return TspSkinButtonObject::CanMorph();
}

void TspSkinStdButtonObject::Draw(gfx::TCanvas& canvas, bool update)
{
    if (!FromSkin) {
        DrawDefault(canvas);
        return;
    }
    bool const active = Form ? Form->IsFormActive() : true;
    if (!EnabledState || (!active && !base::IsRectEmpty(InactiveRect))) {
        TspSkinButtonObject::Draw(canvas, update);
        return;
    }
    if (ShowsFormIcon()) {
        Form->DrawFormIcon(canvas, ObjectRect.Left, ObjectRect.Top);
        SetMorphFactor(0);
        return;
    }
    if (!base::IsRectEmpty(RestoreRect) && CommandStateOn()) {
        if (Pressed && !base::IsRectEmpty(RestorePressedRect) && MouseInside) {
            CopyToObjectRect(canvas, OwnPicture, RestorePressedRect);
        } else if (MorphEnabled && CanMorph() && OwnPicture && !base::IsRectEmpty(RestoreHotRect)
            && !base::IsRectEmpty(ObjectRect)) {
            int const w = ObjectRect.Width(), h = ObjectRect.Height();
            gfx::TBitmap normal(w, h), hot(w, h);
            CopyScaled(normal, 0, 0, w, h, *OwnPicture, RestoreRect);
            CopyScaled(hot, 0, 0, w, h, *OwnPicture, RestoreHotRect);
            TspEffectBmp mixed(normal);
            TspEffectBmp const other(hot);
            mixed.Morph(MorphMode, other, MorphFactor());
            mixed.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
        } else if (ActiveState && !base::IsRectEmpty(RestoreHotRect)) {
            CopyToObjectRect(canvas, OwnPicture, RestoreHotRect);
        } else {
            CopyToObjectRect(canvas, OwnPicture, RestoreRect);
        }
        return;
    }
    TspSkinButtonObject::Draw(canvas, update);
}

void TspSkinStdButtonObject::DrawDefault(gfx::TCanvas& canvas)
{
    int const w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w < 1 || h < 1)
        return;
    if (StdCommand == cmSysMenu && Form && Form->ShowIcon()) {
        Form->DrawFormIcon(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    gfx::TBitmap image(w, h);
    gfx::TCanvas& c = image.Canvas();
    bool const down = Pressed && MouseInside;
    c.Brush.Style = gfx::bsSolid;
    if (MouseInside) {
        c.Brush.Color = base::clNavy;
        c.FillRect(base::Rect(0, 0, w, h));
        c.Brush.Color = down ? base::RGB(133, 147, 181) : base::RGB(182, 189, 210);
        c.FillRect(base::Rect(1, 1, w - 1, h - 1));
    } else {
        c.Brush.Color = base::ColorToRGB(base::clBtnFace);
        c.FillRect(base::Rect(0, 0, w, h));
    }
    int x = w / 2 - 5, y = h / 2 - 4;
    if (down)
        ++x, ++y;
    base::TColor const color = base::ColorToRGB(EnabledState ? base::clBtnText : base::clBtnShadow);
    bool const maximized = Form && Form->FormMaximized();
    bool const minimized = Form && Form->FormMinimized();
    bool const rolledUp = Form && Form->RollUpState();
    switch (StdCommand) {
    case cmClose:
        DrawCloseGlyph(c, x, y, color);
        break;
    case cmMaximize:
        maximized ? DrawRestoreGlyph(c, x, y, color) : DrawMaximizeGlyph(c, x, y, color);
        break;
    case cmMinimize:
        minimized ? DrawRestoreGlyph(c, x, y, color) : DrawMinimizeGlyph(c, x, y, color);
        break;
    case cmSysMenu:
        DrawSysMenuGlyph(c, x, y, color);
        break;
    case cmRollUp:
        rolledUp ? DrawRollDownGlyph(c, x, y, color) : DrawRollUpGlyph(c, x, y, color);
        break;
    case cmMinimizeToTray:
        DrawTrayGlyph(c, x, y, color);
        break;
    case cmDefault:
        break;
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinStdButtonObject::ExecuteCommand()
{
    if (!Form)
        return;
    switch (StdCommand) {
    case cmClose:
        Form->WindowCommand(wcClose);
        break;
    case cmMaximize:
        Form->WindowCommand(wcMaximize);
        break;
    case cmMinimize:
        if (Form->AlwaysMinimizeToTray())
            Form->WindowCommand(wcMinimizeToTray);
        else if (Form->FormMinimized() && !Form->SupportNCArea())
            break; // restoring from the caption button needs the non-client area
        else
            Form->WindowCommand(wcMinimize);
        break;
    case cmRollUp:
        Form->WindowCommand(wcRollUp);
        break;
    case cmMinimizeToTray:
        Form->WindowCommand(wcMinimizeToTray);
        break;
    case cmSysMenu:
    case cmDefault:
        break;
    }
}

void TspSkinStdButtonObject::MouseDown(int x, int y, win::TMouseButton button)
{
    (void)x, (void)y;
    if (!EnabledState || button != win::mbLeft || Pressed)
        return;
    SetPressed(true);
    if (StdCommand == cmSysMenu && Form) {
        PopupItem = Form->SystemMenuSource();
        ShowPopup();
    }
}

void TspSkinStdButtonObject::MouseUp(int x, int y, win::TMouseButton button)
{
    if (StdCommand == cmClose) {
        bool const execute = ActiveState && button == win::mbLeft;
        TspSkinButtonObject::MouseUp(x, y, button);
        // The form may be gone after this: nothing of the object is touched afterwards.
        if (execute)
            ExecuteCommand();
        return;
    }
    if (ActiveState && button == win::mbLeft)
        ExecuteCommand();
    TspSkinButtonObject::MouseUp(x, y, button);
}

void TspSkinStdButtonObject::DblClick()
{
    if (StdCommand == cmSysMenu && Form)
        Form->WindowCommand(wcClose);
}

} // namespace xe::skin
