#pragma once

// TspInnerScrollBar: the vertical scroll bar built into a control (the list box's, the
// memo's). It is drawn from a scroll-bar look (the bar, buttons with their held images, the
// thumb with its grip; a look laid out across is turned a quarter round) or plainly, the
// thumb sized to the shown part; the mouse works it as the stand-alone scroll bar
// (TspScrollTracker): buttons and the track beside the thumb step and repeat while held,
// the thumb drags.
//
// Also the picture helpers the built-in lists draw with.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/controls/ScrollTracker.h"
#include "skin/data/SkinControls.h"
#include "skin/data/SkinData.h"

namespace xe::skin {

// The skin's active picture at index; null when absent or empty.
gfx::TBitmap const* PictureAt(TspSkinData const* data, int index);
// A piece of a picture drawn as a horizontal strip of dst's width (fixed ends a and b),
// stretched to dst's height when that differs; DrawVertPiece the same, vertical.
void DrawHorzPiece(gfx::TCanvas& canvas, gfx::TBitmap const& picture, base::TRect const& src, int a, int b,
    base::TRect const& dst);
void DrawVertPiece(gfx::TCanvas& canvas, gfx::TBitmap const& picture, base::TRect const& src, int a, int b,
    base::TRect const& dst);
// A piece of a picture stretched to dst.
void DrawPiece(
    gfx::TCanvas& canvas, gfx::TBitmap const& picture, base::TRect const& src, base::TRect const& dst);

class TspInnerScrollBar final : public TspScrollBarHost {
public:
    // What the control owning the bar answers and does. Positions are in the control's
    // units (items, lines): the first one shown, from 0 to the largest.
    class TSource {
    public:
        // The bar in the control's client coordinates; empty when everything shows.
        virtual base::TRect InnerBarRect() const = 0;
        // The look to draw from (with a picture); null draws plainly.
        virtual TspDataSkinScrollBarControl const* InnerBarLook() const = 0;
        virtual int InnerBarPosition() const = 0;
        virtual int InnerBarMax() const = 0;
        // Units shown at once: a page, and the thumb's share of the track.
        virtual int InnerBarPage() const = 0;
        virtual void InnerBarScrollTo(int position) = 0;
        // The bar's state changed: the control repaints.
        virtual void InnerBarChanged() = 0;

    protected:
        ~TSource() = default;
    };

    static constexpr int PlainWidth = 16;
    // The bar's thickness: the look's narrow side, or the plain width.
    static int Thickness(TspDataSkinScrollBarControl const* look);
    // A look laid out across (its image wider than tall) is turned to stand.
    static bool Across(TspDataSkinScrollBarControl const& look)
    {
        return look.SkinRect.Width() > look.SkinRect.Height();
    }

    explicit TspInnerScrollBar(TSource& source);

    // The pieces in the control's client coordinates (empty without a bar).
    base::TRect UpButton() const;
    base::TRect DownButton() const;
    base::TRect Thumb() const;
    void Paint(gfx::TCanvas& canvas, TspSkinData const* data) const;

    TspScrollTracker& Tracker() { return FTracker; }
    TspScrollTracker const& Tracker() const { return FTracker; }

    base::TRect PartRect(TPart part) const override;
    TTrack Track() const override;
    void StepPart(TPart part) override;
    void DragThumbTo(int position) override { FSource.InnerBarScrollTo(position); }
    void ScrollPartsChanged() override { FSource.InnerBarChanged(); }

private:
    TSource& FSource;
    TspScrollTracker FTracker;
};

} // namespace xe::skin
