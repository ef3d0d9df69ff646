#include "skin/controls/SkinControl.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBmp.h"

#include <algorithm>
#include <utility>

namespace xe::skin {

using base::TRect;

void RegisterSkinControlMessages()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    for (unsigned msg : { SkinMsg_BeforeChange, SkinMsg_Change, SkinMsg_AfterChange, SkinMsg_ResStrChange })
        tk::RegisterControlBroadcast(msg);
}

TspSkinControl::TspSkinControl(tk::TComponent* owner, std::string defaultSkinDataName)
    : tk::TGraphicControl(owner)
    , FDefaultSkinDataName(std::move(defaultSkinDataName))
    , FSkinDataName(FDefaultSkinDataName)
{
    RegisterSkinControlMessages();
    // A freed skin leaves the control plain.
    FSkinData.SetOnFree([this] { SkinDataFreed(); });
}

TspSkinControl::~TspSkinControl() = default;

void TspSkinControl::SetSkinData(TspSkinData* value)
{
    if (value == FSkinData.Get())
        return;
    FSkinData = value;
    ChangeSkinData();
}

void TspSkinControl::SetSkinDataName(std::string const& value)
{
    if (value == FSkinDataName)
        return;
    FSkinDataName = value;
    ChangeSkinData();
}

void TspSkinControl::SetUseSkinFont(bool value)
{
    if (value == FUseSkinFont)
        return;
    FUseSkinFont = value;
    Invalidate();
}

TspDataSkinControl* TspSkinControl::Look() const
{
    TspSkinData* data = FSkinData.Get();
    if (!data || data->Empty() || FIndex < 0 || FIndex >= int(data->CtrlList.size()))
        return nullptr;
    return data->CtrlList[size_t(FIndex)].get();
}

namespace {
gfx::TBitmap const* ActivePicture(TspSkinData* data, int index)
{
    if (!data || index < 0 || index >= int(data->ActivePictures.size()))
        return nullptr;
    gfx::TBitmap const* picture = data->ActivePictures[size_t(index)].get();
    return picture && !picture->Empty() ? picture : nullptr;
}
}

gfx::TBitmap const* TspSkinControl::LookPicture() const
{
    TspDataSkinControl const* look = Look();
    return look ? ActivePicture(FSkinData.Get(), look->PictureIndex) : nullptr;
}

gfx::TBitmap const* TspSkinControl::LookMask() const
{
    TspDataSkinControl const* look = Look();
    return look ? ActivePicture(FSkinData.Get(), look->MaskPictureIndex) : nullptr;
}

TspDataSkinControl* TspSkinControl::LookByName(std::string_view name) const
{
    TspSkinData* data = FSkinData.Get();
    if (!data || data->Empty())
        return nullptr;
    int const index = data->IndexOfControl(name);
    return index < 0 ? nullptr : data->CtrlList[size_t(index)].get();
}

gfx::TBitmap const* TspSkinControl::SkinPicture(int index) const
{
    return ActivePicture(FSkinData.Get(), index);
}

void TspSkinControl::FindLook()
{
    TspSkinData* data = FSkinData.Get();
    FIndex = data && !data->Empty() ? data->IndexOfControl(FSkinDataName) : -1;
    // The look's cursor, while it has one; the control's own cursor otherwise.
    TspDataSkinControl const* look = Look();
    if (look && look->CursorIndex != -1) {
        if (!FCursorFromSkin)
            FOwnCursor = Cursor();
        FCursorFromSkin = true;
        SetCursor(tk::TCursor(data->StartCursorIndex + look->CursorIndex));
    } else if (FCursorFromSkin) {
        FCursorFromSkin = false;
        SetCursor(FOwnCursor);
    }
}

void TspSkinControl::ChangeSkinData()
{
    FindLook();
    GetSkinData();
    Invalidate();
}

void TspSkinControl::SkinDataFreed()
{
    FIndex = -1;
    if (IsDestroying())
        return;
    ChangeSkinData();
}

void TspSkinControl::WndProc(tk::TMessage& message)
{
    auto const* sender = reinterpret_cast<TspSkinData const*>(message.WParam);
    switch (message.Msg) {
    case SkinMsg_BeforeChange:
        // The looks are about to be freed: none is used until the new skin is in.
        if (sender && sender == FSkinData.Get()) {
            FIndex = -1;
            GetSkinData();
        }
        return;
    case SkinMsg_Change:
        if (sender && sender == FSkinData.Get())
            ChangeSkinData();
        return;
    case SkinMsg_AfterChange:
    case SkinMsg_ResStrChange:
        return;
    default:
        break;
    }
    tk::TGraphicControl::WndProc(message);
}

// ---------------------------------------------------------------------------------------
// States

void TspSkinControl::StateChanged() { Invalidate(); }

bool TspSkinControl::ClickByAccel(char key)
{
    if (!Enabled() || !Visible() || !tk::IsAccel(key, Caption()))
        return false;
    if (CanFocus())
        SetFocus();
    Click();
    return true;
}

int TspSkinControl::WheelNotches(int wheelDelta)
{
    // A turn the other way drops what was left of the last.
    if ((FWheelRest > 0 && wheelDelta < 0) || (FWheelRest < 0 && wheelDelta > 0))
        FWheelRest = 0;
    FWheelRest += wheelDelta;
    int const notches = FWheelRest / win::WHEEL_DELTA;
    FWheelRest -= notches * win::WHEEL_DELTA;
    return notches;
}

void TspSkinControl::SetDown(bool value)
{
    if (value == FDown)
        return;
    FDown = value;
    StateChanged();
}

void TspSkinControl::MouseEnter()
{
    FMouseIn = true;
    StateChanged();
    tk::TGraphicControl::MouseEnter();
}

void TspSkinControl::MouseLeave()
{
    FMouseIn = false;
    StateChanged();
    tk::TGraphicControl::MouseLeave();
}

void TspSkinControl::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        SetDown(true);
    tk::TGraphicControl::MouseDown(button, shift, x, y);
}

void TspSkinControl::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (button == tk::mbLeft)
        SetDown(false);
    tk::TGraphicControl::MouseUp(button, shift, x, y);
}

void TspSkinControl::DoEnter()
{
    StateChanged();
    tk::TGraphicControl::DoEnter();
}

void TspSkinControl::DoExit()
{
    FDown = false;
    StateChanged();
    tk::TGraphicControl::DoExit();
}

void TspSkinControl::EnabledChanged()
{
    if (!Enabled()) {
        FDown = false;
        FMouseIn = false;
    }
    StateChanged();
}

// ---------------------------------------------------------------------------------------
// Painting

void TspSkinControl::Paint()
{
    gfx::TCanvas& canvas = Canvas();
    bool painted = false;
    {
        gfx::TCanvasSaver saver(canvas);
        painted = Look() && PaintSkin(canvas);
    }
    if (!painted) {
        gfx::TCanvasSaver saver(canvas);
        PaintPlain(canvas);
    }
}

void TspSkinControl::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(ClientRect());
}

void TspSkinControl::DrawLookRect(
    gfx::TCanvas& canvas, TRect const& src, TRect const& dst, bool stretch, bool drawClient) const
{
    if (TspDataSkinControl const* look = Look())
        DrawLookRect(canvas, *look, src, dst, stretch, drawClient);
}

void TspSkinControl::DrawLookRect(gfx::TCanvas& canvas, TspDataSkinControl const& look, TRect const& src,
    TRect const& dst, bool stretch, bool drawClient) const
{
    gfx::TBitmap const* picture = SkinPicture(look.PictureIndex);
    if (!picture || base::IsRectEmpty(src) || base::IsRectEmpty(dst))
        return;
    TFrameCut cut {};
    if (auto const* custom = dynamic_cast<TspDataSkinCustomControl const*>(&look))
        cut = LookCut(*custom);
    DrawSkinRect(canvas, *picture, src, cut, dst, stretch, drawClient, SkinPicture(look.MaskPictureIndex));
}

void TspSkinControl::DrawLookPiece(gfx::TCanvas& canvas, TRect const& src, TRect const& dst) const
{
    gfx::TBitmap const* picture = LookPicture();
    if (!picture || base::IsRectEmpty(src) || base::IsRectEmpty(dst))
        return;
    gfx::StretchBlt(canvas, dst.Left, dst.Top, dst.Width(), dst.Height(), *picture, src.Left, src.Top,
        src.Width(), src.Height(), gfx::SRCCOPY);
}

gfx::TFont TspSkinControl::LookFont(
    std::string const& name, int height, TFontStyles style, base::TColor color) const
{
    gfx::TFont font;
    if (FUseSkinFont) {
        font.SetName(name);
        font.SetHeight(height);
        font.SetStyle(style);
    } else {
        font.Assign(Font());
    }
    font.SetColor(color);
    return font;
}

void TspSkinControl::DrawText(
    gfx::TCanvas& canvas, std::string const& text, TRect rect, uint32_t flags, gfx::TFont const& font)
{
    if (text.empty())
        return;
    gfx::TCanvasSaver saver(canvas);
    canvas.Font.Assign(font);
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.DrawText(text, rect, flags);
}

void TspSkinControl::TilePicture(gfx::TCanvas& canvas, gfx::TBitmap const& picture, TRect const& rect)
{
    int const w = picture.Width(), h = picture.Height();
    if (w < 1 || h < 1 || base::IsRectEmpty(rect))
        return;
    gfx::TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(rect);
    for (int y = rect.Top; y < rect.Bottom; y += h)
        for (int x = rect.Left; x < rect.Right; x += w)
            canvas.Draw(x, y, picture);
}

uint32_t TspSkinControl::AlignmentFlags(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify:
        return gfx::DT_LEFT;
    case taRightJustify:
        return gfx::DT_RIGHT;
    case taCenter:
        break;
    }
    return gfx::DT_CENTER;
}

void TspSkinControl::DrawEdge(gfx::TCanvas& canvas, TRect const& rect, bool sunken)
{
    if (rect.Width() < 2 || rect.Height() < 2)
        return;
    gfx::TCanvasSaver saver(canvas);
    base::TColor const light = base::ColorToRGB(base::clBtnHighlight);
    base::TColor const dark = base::ColorToRGB(base::clBtnShadow);
    canvas.Pen.Color = sunken ? dark : light;
    canvas.MoveTo(rect.Left, rect.Bottom - 1);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(rect.Right, rect.Top);
    canvas.Pen.Color = sunken ? light : dark;
    canvas.MoveTo(rect.Right - 1, rect.Top + 1);
    canvas.LineTo(rect.Right - 1, rect.Bottom - 1);
    canvas.LineTo(rect.Left, rect.Bottom - 1);
}

// ---------------------------------------------------------------------------------------
// Fades

void TspSkinControl::SetMorphFactor(double value) { FMorphFactor = std::clamp(value, 0.0, 1.0); }

void TspSkinControl::StartMorph()
{
    double const target = FMouseIn ? 1.0 : 0.0;
    if (FMorphFactor == target)
        return;
    if (!FMorphTimer) {
        FMorphTimer.reset(new tk::TTimer(nullptr));
        FMorphTimer->SetInterval(20);
        FMorphTimer->OnTimer = [this](tk::TComponent*) { MorphStep(); };
    }
    FMorphTimer->SetEnabled(true);
}

void TspSkinControl::MorphStep()
{
    SetMorphFactor(FMorphFactor + (FMouseIn ? 0.2 : -0.2));
    if (FMorphFactor == (FMouseIn ? 1.0 : 0.0))
        FMorphTimer->SetEnabled(false);
    Invalidate();
}

void TspSkinControl::DrawMorphed(gfx::TCanvas& canvas, gfx::TBitmap const& normal, gfx::TBitmap const& active,
    TRect const& dst, TspMorphKind kind) const
{
    TspEffectBmp mixed(normal);
    TspEffectBmp const other(active);
    mixed.Morph(kind, other, FMorphFactor);
    mixed.Draw(canvas, dst.Left, dst.Top);
}

void TspSkinControl::DefineProperties(tk::TProperties& p)
{
    tk::TGraphicControl::DefineProperties(p);
    if (FControlStyle & tk::csFocusable)
        DefineTabProperties(p, true);
    p.Reference(
        "SkinData", [this] { return static_cast<tk::TComponent*>(FSkinData.Get()); },
        [this](tk::TComponent* c) { SetSkinData(dynamic_cast<TspSkinData*>(c)); });
    p.String(
        "SkinDataName", [this] { return FSkinDataName; },
        [this](std::string const& v) { SetSkinDataName(v); }, FDefaultSkinDataName);
    p.Boolean(
        "UseSkinFont", [this] { return FUseSkinFont; }, [this](bool v) { SetUseSkinFont(v); }, true);
}

// ---------------------------------------------------------------------------------------
// Free drawing routines

TFrameCut LookCut(TspDataSkinCustomControl const& look)
{
    TRect const& c = look.ClientRect;
    auto point = [](base::TPoint p, int x, int y) {
        return p.X == 0 || p.Y == 0 ? base::TPoint { x, y } : p;
    };
    return TFrameCut { point(look.LTPoint, c.Left, c.Top), point(look.RTPoint, c.Right, c.Top),
        point(look.LBPoint, c.Left, c.Bottom), point(look.RBPoint, c.Right, c.Bottom), c };
}

std::vector<uint8_t> MaskOpacity(gfx::TBitmap const& mask)
{
    std::vector<uint8_t> opacity(size_t(mask.Width()) * size_t(std::max(mask.Height(), 0)));
    for (int y = 0; y < mask.Height(); ++y) {
        uint8_t const* row = mask.ScanLine(y);
        for (int x = 0; x < mask.Width(); ++x)
            opacity[size_t(y) * size_t(mask.Width()) + size_t(x)]
                = row[x * 3] == 0 && row[x * 3 + 1] == 0 && row[x * 3 + 2] == 0 ? 255 : 0;
    }
    return opacity;
}

namespace {
// Whether the cut can build an image: a client inside the source and uncrossed points.
bool UsableCut(TFrameCut const& cut, int w, int h)
{
    TRect const& c = cut.C;
    if (base::IsRectEmpty(c) || c.Left < 0 || c.Top < 0 || c.Right > w || c.Bottom > h)
        return false;
    auto inside = [&](base::TPoint p) { return p.X >= 0 && p.Y >= 0 && p.X <= w && p.Y <= h; };
    return inside(cut.LT) && inside(cut.RT) && inside(cut.LB) && inside(cut.RB) && cut.LT.X < cut.RT.X
        && cut.LT.Y < cut.LB.Y && cut.LB.X < cut.RB.X && cut.RT.Y < cut.RB.Y;
}

// The piece src of picture built at w x h.
void BuildImage(gfx::TBitmap& image, gfx::TBitmap const& picture, TRect const& src, TFrameCut const& cut,
    bool usable, int w, int h, bool stretch, bool drawClient)
{
    if (!usable) {
        image.SetSize(w, h);
        gfx::StretchBlt(
            image.Canvas(), 0, 0, w, h, picture, src.Left, src.Top, src.Width(), src.Height(), gfx::SRCCOPY);
        return;
    }
    int const dw = w - src.Width(), dh = h - src.Height();
    TFrameCut const out { cut.LT, { cut.RT.X + dw, cut.RT.Y }, { cut.LB.X, cut.LB.Y + dh },
        { cut.RB.X + dw, cut.RB.Y + dh },
        base::Rect(cut.C.Left, cut.C.Top, cut.C.Right + dw, cut.C.Bottom + dh) };
    ComposeFrameImage(
        cut, out, image, picture, src, w, h, drawClient, { stretch, stretch, stretch, stretch });
}
}

void DrawSkinRect(gfx::TCanvas& canvas, gfx::TBitmap const& picture, TRect const& src, TFrameCut const& cut,
    TRect const& dst, bool stretch, bool drawClient, gfx::TBitmap const* mask)
{
    int const w = dst.Width(), h = dst.Height();
    if (w < 1 || h < 1 || base::IsRectEmpty(src))
        return;
    bool const usable = UsableCut(cut, src.Width(), src.Height());
    gfx::TBitmap image;
    BuildImage(image, picture, src, cut, usable, w, h, stretch, drawClient);
    bool const masked = mask && mask->Width() >= src.Right && mask->Height() >= src.Bottom;
    bool const keepClient = usable && !drawClient;
    if (!masked && !keepClient) {
        canvas.Draw(dst.Left, dst.Top, image);
        return;
    }
    std::vector<uint8_t> opacity(size_t(w) * size_t(h), 255);
    if (masked) {
        gfx::TBitmap shape;
        BuildImage(shape, *mask, src, cut, usable, w, h, stretch, true);
        opacity = MaskOpacity(shape);
    }
    if (keepClient) {
        int const dw = w - src.Width(), dh = h - src.Height();
        for (int y = std::max(cut.C.Top, 0); y < std::min(cut.C.Bottom + dh, h); ++y)
            for (int x = std::max(cut.C.Left, 0); x < std::min(cut.C.Right + dw, w); ++x)
                opacity[size_t(y) * size_t(w) + size_t(x)] = 0;
    }
    canvas.DrawMasked(dst, image, opacity);
}

} // namespace xe::skin
