#include "skin/draw/MainMenuItem.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Menus.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FrameImage.h"

namespace xe::skin {

using base::TRect;

TspSkinMainMenuItem::TspSkinMainMenuItem(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinMainMenuItem* data, tk::TMenuItem* menuItem)
    : TspActiveSkinObject(form, skinData, data)
    , MenuItem(menuItem)
{
    if (data) {
        ItemLeftOffset = data->ItemLeftOffset;
        ItemRightOffset = data->ItemRightOffset;
        PressedRect = data->DownRect;
        TextRect = data->TextRect;
        FontName = data->FontName;
        FontHeight = data->FontHeight;
        FontStyle = data->FontStyle;
        FontColor = data->FontColor;
        ActiveFontColor = data->ActiveFontColor;
        DownFontColor = data->DownFontColor;
        UnEnabledFontColor = data->UnEnabledFontColor;
    }
    if (base::IsRectEmpty(PressedRect))
        PressedRect = base::IsRectEmpty(HotRect) ? NormalRect : HotRect;
    if (base::IsRectEmpty(HotRect))
        MorphEnabled = false;
}

bool TspSkinMainMenuItem::HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }

void TspSkinMainMenuItem::Layout(gfx::TCanvas& canvas)
{
    TRect const area = Form ? Form->MainMenuArea() : TRect {};
    int textWidth = 0;
    if (MenuItem) {
        gfx::TCanvasSaver saver(canvas);
        canvas.Font.SetName(FontName);
        canvas.Font.SetHeight(FontHeight);
        canvas.Font.SetStyle(FontStyle);
        TRect r {};
        canvas.DrawText(MenuItem->Caption(), r, gfx::DT_CALCRECT | gfx::DT_CENTER | gfx::DT_SINGLELINE);
        textWidth = r.Width();
    }
    // The nearest main-menu tab before this one in the form's list.
    int left = 0;
    if (Form)
        for (int i = 0; i < Form->ObjectCount(); ++i) {
            TspActiveSkinObject* o = Form->Object(i);
            if (o == this)
                break;
            if (dynamic_cast<TspSkinMainMenuItem*>(o))
                left = o->ObjectRect.Right;
        }
    if (left == 0)
        left = area.Left;
    int const width = NormalRect.Width() - TextRect.Width() + textWidth + 2;
    ObjectRect = base::Rect(left, area.Top, left + width, area.Top + NormalRect.Height());
}

void TspSkinMainMenuItem::BuildImage(gfx::TBitmap& image, TRect const& source, bool active) const
{
    ComposeHorzStrip(ItemLeftOffset, ItemRightOffset, image, ObjectRect.Width(), source, *OwnPicture);
    if (!MenuItem)
        return;
    base::TColor color = UnEnabledFontColor;
    if (Pressed)
        color = DownFontColor;
    else if (active)
        color = ActiveFontColor;
    else if (MenuItem->Enabled())
        color = FontColor;
    gfx::TCanvas& c = image.Canvas();
    c.Brush.Style = gfx::bsClear;
    c.Font.SetName(FontName);
    c.Font.SetHeight(FontHeight);
    c.Font.SetStyle(FontStyle);
    c.Font.SetColor(color);
    TRect r = TextRect;
    c.DrawText(MenuItem->Caption(), r, gfx::DT_CALCRECT | gfx::DT_SINGLELINE);
    r.Right += 2;
    c.DrawText(MenuItem->Caption(), r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
}

void TspSkinMainMenuItem::Draw(gfx::TCanvas& canvas, bool update)
{
    if (base::IsRectEmpty(NormalRect) || base::IsRectEmpty(TextRect))
        return;
    Layout(canvas);
    // Drawn with the whole frame, a tab below the client area goes into the bottom band,
    // whose origin is the client rectangle's bottom.
    bool const ncArea = Form ? Form->SupportNCArea() : true;
    if (ncArea && !update && Form) {
        TRect const client = Form->FrameClientRect();
        if (client.Bottom <= ObjectRect.Top) {
            FSavedRect = ObjectRect;
            base::OffsetRect(ObjectRect, 0, -client.Bottom);
        }
    }
    TRect const area = Form ? Form->MainMenuArea() : TRect {};
    if (ObjectRect.Right > area.Right) {
        // No room on the bar: the tab neither shows nor reacts until there is.
        if (Shown) {
            SavedEnabledState = EnabledState;
            EnabledState = false;
            Shown = false;
        }
    } else if (!Shown) {
        Shown = true;
        EnabledState = SavedEnabledState;
    }
    if (Shown && OwnPicture) {
        gfx::TBitmap image;
        if (Pressed) {
            BuildImage(image, PressedRect, true);
        } else if (MorphEnabled && CanMorph()) {
            gfx::TBitmap hot;
            BuildImage(image, NormalRect, false);
            BuildImage(hot, HotRect, true);
            TspEffectBmp mixed(image);
            TspEffectBmp const active(hot);
            mixed.Morph(MorphMode, active, MorphFactor());
            mixed.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
            image.SetSize(0, 0);
        } else if (ActiveState) {
            BuildImage(image, base::IsRectEmpty(HotRect) ? NormalRect : HotRect, true);
        } else {
            BuildImage(image, NormalRect, false);
        }
        if (!image.Empty())
            canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
    }
    if (FSavedRect) {
        ObjectRect = *FSavedRect;
        FSavedRect.reset();
    }
}

void TspSkinMainMenuItem::OpenSubMenu()
{
    if (!Form || !MenuItem)
        return;
    TRect r = ObjectRect;
    base::TPoint const origin = Form->FrameScreenOrigin();
    base::OffsetRect(r, origin.X, origin.Y);
    Form->PopupMainMenu(*this, *MenuItem, r);
}

void TspSkinMainMenuItem::SetPressed(bool value)
{
    Pressed = value;
    if (value) {
        if (Form)
            Form->RedrawObject(*this);
        OpenSubMenu();
        if (Form && !Form->MainMenuActive())
            Form->SetMainMenuActive(true);
        return;
    }
    ActiveState = false;
    if (MorphEnabled)
        SetMorphFactor(1);
    RequestRedraw();
}

void TspSkinMainMenuItem::MouseDown(int x, int y, win::TMouseButton button)
{
    if (!EnabledState)
        return;
    if (button == win::mbLeft && !HasSubItems()) {
        SetPressed(false);
        TSkinObjectHost* const form = Form;
        tk::TMenuItem* const item = MenuItem;
        if (form) {
            form->SetMainMenuActive(false);
            // The event goes before the command: the command may free the form and its
            // objects with it.
            form->MouseDownEvent(IDName, x, y, ObjectRect, button);
        }
        if (item)
            item->Click();
        return;
    }
    if (button == win::mbLeft)
        SetPressed(true);
    if (Form)
        Form->MouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TspSkinMainMenuItem::MouseEnter()
{
    if (!Form) {
        MouseInside = ActiveState = true;
        return;
    }
    TspSkinMainMenuItem* pressed = nullptr;
    TspSkinMainMenuItem* lit = nullptr;
    for (int i = 0; i < Form->ObjectCount(); ++i) {
        auto* other = dynamic_cast<TspSkinMainMenuItem*>(Form->Object(i));
        if (!other || other == this)
            continue;
        if (other->Pressed && !pressed)
            pressed = other;
        if (other->ActiveState && !lit)
            lit = other;
    }
    if (pressed) {
        // An open menu follows the mouse along the bar.
        pressed->SetPressed(false);
        ActiveState = true;
        MouseInside = true;
        if (MorphEnabled)
            SetMorphFactor(1);
        SetPressed(true);
        return;
    }
    if (lit)
        lit->MouseLeave();
    MouseInside = true;
    ActiveState = true;
    RequestRedraw();
}

void TspSkinMainMenuItem::MouseLeave()
{
    ActiveState = false;
    MouseInside = false;
    if (MorphEnabled && Pressed)
        SetMorphFactor(0);
    RequestRedraw();
    if (Form)
        Form->MouseLeaveEvent(IDName);
}

} // namespace xe::skin
