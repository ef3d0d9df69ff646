#pragma once

// TspSkinControl: the base of the skinned window controls (buttons, check boxes, panels,
// gauges, edits, lists, tabs, ...). Each control draws itself from a named look of a
// TspSkinData and falls back to plain toolkit drawing without one.
//
// Writing a control on this base:
//   1. Derive from TspSkinControl, pass the default look name to the constructor
//      (TspSkinControl(owner, "button")), override ClassName(), and add csFocusable to
//      FControlStyle (with SetTabStop(true)) when the control takes the keyboard focus.
//   2. Override GetSkinData() to copy what you need from the look: LookAs<TspDataSkinXxx>()
//      gives the description object as its class, or null when the skin has no look of
//      that name or it is of another class. It runs on every skin change and whenever
//      SkinData or SkinDataName change; the base has already found the look by then.
//      Never keep pointers into the look: a skin change frees it (use Look() when drawing).
//   3. Override PaintSkin(canvas) to draw from the look; return false when it cannot (no
//      look of the right class, no picture), and PaintPlain(canvas) runs instead, which
//      draws the control as a plain toolkit control would.
//   4. Draw with the helpers: DrawLookRect (a look rectangle with the look's corner points,
//      tiled or stretched to any size), DrawLookPiece (a piece of the look's picture, as
//      check images or glyphs), LookFont (the look's font keys, or the control's own font
//      when UseSkinFont is off). State: MouseIn(), Down(), Focused(), Enabled();
//      StateChanged() repaints (override it to start a fade with StartMorph).
//   5. Keys: override KeyDown/KeyUp/KeyPress (set the key to 0 when taken). Mouse: the
//      toolkit's MouseDown/MouseUp/MouseMove/Click; call the base versions.
//   6. Streaming: override DefineProperties, call the base first (it stores the toolkit
//      properties, SkinData, SkinDataName, UseSkinFont and, for focusable controls,
//      TabOrder and TabStop), then add yours; register the class in SkinControlClasses.cpp.
//   7. Tests: tests/support/ControlTestSkin builds a skin whose looks are solid colours
//      per state, so that a test asserts pixels; add your look there by appending.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/toolkit/Controls.h"
#include "platform/toolkit/ExtCtrls.h"
#include "skin/data/SkinControls.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/FrameImage.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace xe::skin {

// The first rectangle a look sets among the state images asked for, most specific first
// (e.g. pressed, hot, normal); an empty one when the look sets none.
inline base::TRect FirstNonEmpty(std::initializer_list<base::TRect> rects)
{
    for (base::TRect const& r : rects)
        if (!base::IsRectEmpty(r))
            return r;
    return base::TRect {};
}

// Lines (or items) a notch of the wheel scrolls, the desktop's usual setting.
constexpr int WheelScrollLines = 3;

class TspSkinControl : public tk::TGraphicControl {
public:
    TspSkinControl(tk::TComponent* owner, std::string defaultSkinDataName);
    ~TspSkinControl() override;
    char const* ClassName() const override { return "TspSkinControl"; }

    // The skin the control draws from (not owned; null: plain drawing).
    TspSkinData* SkinData() const { return FSkinData.Get(); }
    void SetSkinData(TspSkinData* value);
    // The name of the look in the skin's control list.
    std::string const& SkinDataName() const { return FSkinDataName; }
    void SetSkinDataName(std::string const& value);
    std::string const& DefaultSkinDataName() const { return FDefaultSkinDataName; }
    // With UseSkinFont (the default) text is drawn in the look's font; without it in the
    // control's own font, coloured as the look says.
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value);

    // The look: its position in the skin's control list (-1 when none) and the object.
    int SkinIndex() const { return FIndex; }
    TspDataSkinControl* Look() const;
    // The look as the class the control expects; null when absent or of another class.
    template <class T> T* LookAs() const { return dynamic_cast<T*>(Look()); }
    // The look's picture and mask (entries of the skin's active pictures), or null.
    gfx::TBitmap const* LookPicture() const;
    gfx::TBitmap const* LookMask() const;
    // Another look of the skin by name (a scroll bar or list look a control uses), as T;
    // null when absent or of another class.
    TspDataSkinControl* LookByName(std::string_view name) const;
    template <class T> T* LookByNameAs(std::string_view name) const
    {
        return dynamic_cast<T*>(LookByName(name));
    }
    // Any active picture of the skin (a look's bgpictureindex, ...), or null.
    gfx::TBitmap const* SkinPicture(int index) const;

    // Finds the look again, reads it (GetSkinData) and repaints.
    void ChangeSkinData();

    // States the looks depend on.
    bool MouseIn() const { return FMouseIn; }
    bool Down() const { return FDown; }

    // The fade between the normal and the active image: 0 normal, 1 active.
    double MorphFactor() const { return FMorphFactor; }
    bool Morphing() const { return FMorphTimer != nullptr && FMorphTimer->Enabled(); }

    void DefineProperties(tk::TProperties& properties) override;
    void WndProc(tk::TMessage& message) override;

protected:
    // Reads the look's values into the control after the look was found (or lost).
    virtual void GetSkinData() { }
    // Draws from the look; false when it cannot, and PaintPlain draws instead.
    virtual bool PaintSkin(gfx::TCanvas&) { return false; }
    // Plain drawing without a skin: the control's colour.
    virtual void PaintPlain(gfx::TCanvas& canvas);
    // A state (mouse in, down, focus, enabled) changed: repaints.
    virtual void StateChanged();

    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void SetDown(bool value);

    // --- Drawing helpers (canvas coordinates are the control's) ---
    // Draws src of the look's picture into dst: a look with corner points (a custom control
    // look) keeps its corner pieces and tiles (or stretches) the band middles and the
    // client; any other look is stretched whole. The look's mask, when it has one, cuts
    // the shape: outside it the canvas is left as it was.
    void DrawLookRect(gfx::TCanvas& canvas, base::TRect const& src, base::TRect const& dst,
        bool stretch = false, bool drawClient = true) const;
    // The same for another look of the skin (its picture, mask and cut).
    void DrawLookRect(gfx::TCanvas& canvas, TspDataSkinControl const& look, base::TRect const& src,
        base::TRect const& dst, bool stretch = false, bool drawClient = true) const;
    // Copies src of the look's picture to dst (scaled when the sizes differ); nothing for
    // an empty src.
    void DrawLookPiece(gfx::TCanvas& canvas, base::TRect const& src, base::TRect const& dst) const;
    // The font for text drawn from the look: the look's name, height and style (or the
    // control's font when UseSkinFont is off) in the given colour.
    gfx::TFont LookFont(std::string const& name, int height, TFontStyles style, base::TColor color) const;
    // Tiles the whole picture over rect from its top-left corner, clipped to rect.
    static void TilePicture(gfx::TCanvas& canvas, gfx::TBitmap const& picture, base::TRect const& rect);
    // DT_LEFT, DT_CENTER or DT_RIGHT for an alignment.
    static uint32_t AlignmentFlags(TAlignment alignment);
    // Draws text in rect with the DT_ flags in the font, over what is there.
    static void DrawText(gfx::TCanvas& canvas, std::string const& text, base::TRect rect, uint32_t flags,
        gfx::TFont const& font);
    // The plain drawing's 3D edge: raised (light top-left) or sunken.
    static void DrawEdge(gfx::TCanvas& canvas, base::TRect const& rect, bool sunken);

    // Starts (or turns round) the fade toward MouseIn(): 0.2 every 20 ms, repainting.
    void StartMorph();
    // Paints normal and active, of dst's size, mixed by MorphFactor with the kind.
    void DrawMorphed(gfx::TCanvas& canvas, gfx::TBitmap const& normal, gfx::TBitmap const& active,
        base::TRect const& dst, TspMorphKind kind) const;
    void SetMorphFactor(double value);

    // The click an accelerator makes: when the caption marks key ("&Save" for S), the
    // control takes the focus (when it can) and clicks; false otherwise.
    bool ClickByAccel(char key);

    // Whole notches in a wheel turn (positive away from the user); parts of a notch (from
    // fine-grained wheels) add up across turns until they make one.
    int WheelNotches(int wheelDelta);

private:
    void FindLook();
    void SkinDataFreed();
    void MorphStep();

    tk::TComponentRef<TspSkinData> FSkinData;
    std::string FDefaultSkinDataName;
    std::string FSkinDataName;
    bool FUseSkinFont = true;
    int FIndex = -1;
    bool FMouseIn = false;
    bool FDown = false;
    bool FCursorFromSkin = false;
    tk::TCursor FOwnCursor = tk::crDefault;
    double FMorphFactor = 0;
    tk::TComponentPtr<tk::TTimer> FMorphTimer;
    int FWheelRest = 0; // a part of a notch not yet acted on
};

// The cut of a custom-control look. A corner point that is unset (x or y 0) falls back to
// the matching corner of the client rectangle.
TFrameCut LookCut(TspDataSkinCustomControl const& look);
// Draws src of picture into dst of the canvas, cut as cut says (corner pieces kept, band
// middles tiled or stretched, the client tiled when drawClient). With a mask picture the
// same cut of the mask gives the shape (black inside).
void DrawSkinRect(gfx::TCanvas& canvas, gfx::TBitmap const& picture, base::TRect const& src,
    TFrameCut const& cut, base::TRect const& dst, bool stretch, bool drawClient, gfx::TBitmap const* mask);
// The opacity plane of a mask image (black 255, anything else 0) for TCanvas::DrawMasked.
std::vector<uint8_t> MaskOpacity(gfx::TBitmap const& mask);

// Makes the skin change messages reach every control of a form (the constructor of each
// skinned control calls it). Idempotent.
void RegisterSkinControlMessages();

} // namespace xe::skin
