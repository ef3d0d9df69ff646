#include "skin/draw/ValueSwitchAnimationObjects.h"

#include "DrawTestUtil.h"
#include "RecordingHost.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinObjects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TPoint;
using base::TRect;
using Lines = std::vector<std::string>;

namespace {

gfx::TBitmap Screen()
{
    gfx::TBitmap s(64, 64);
    s.Fill(base::clWhite);
    return s;
}

struct Fixture {
    PatternSkin Skin;
    RecordingHost Host;
};

} // namespace

// Horizontal gauges fill from the left with the hot picture's first columns, vertical ones
// from the bottom; the fill's end is rounded half to even.
TEST(SkinGauge, FillsFromTheHotPictureAtTheValue)
{
    Fixture f;
    TspDataSkinGauge d("gauge");
    d.SkinRect = Rect(2, 3, 12, 7); // 10 x 4
    d.ActiveSkinRect = Rect(20, 0, 30, 4);
    d.ActivePictureIndex = 0;
    d.MaxValue = 4;
    TspSkinGaugeObject g(&f.Host, &f.Skin.Data, &d);
    EXPECT_EQ(g.Value(), 0);
    gfx::TBitmap s = Screen();
    g.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(2, 3), base::clWhite) << "an empty gauge is part of the frame picture";

    g.SetValue(1); // 2.5 columns: 2
    EXPECT_EQ(g.ProgressPos(), (TPoint { 2, 0 }));
    EXPECT_EQ(f.Host.Log, Lines { "redraw gauge" });
    g.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(2, 3), OwnPx(20, 0));
    EXPECT_EQ(s.Pixel(3, 6), OwnPx(21, 3));
    EXPECT_EQ(s.Pixel(4, 3), FramePx(4, 3)) << "the rest from NormalRect at its own column";
    EXPECT_EQ(s.Pixel(11, 6), FramePx(11, 6));
    EXPECT_EQ(s.Pixel(12, 3), base::clWhite);
    g.SetValue(3); // 7.5: 8
    EXPECT_EQ(g.ProgressPos().X, 8);
    g.SetValue(9);
    EXPECT_EQ(g.Value(), 4) << "clamped";
    EXPECT_EQ(g.ProgressPos().X, 10);

    g.Kind = gkVertical;
    g.SetValue(1); // 4 rows x 0.75 = 3 rows empty
    EXPECT_EQ(g.ProgressPos(), (TPoint { 0, 3 }));
    g.Draw(s.Canvas(), true);
    EXPECT_EQ(s.Pixel(5, 5), FramePx(5, 5));
    EXPECT_EQ(s.Pixel(5, 6), OwnPx(23, 3)) << "the bottom row is filled";

    // Without a range the gauge keeps its first position.
    d.MinValue = d.MaxValue = 5;
    TspSkinGaugeObject flat(&f.Host, &f.Skin.Data, &d);
    flat.SetValue(9);
    EXPECT_EQ(flat.Value(), 5);
    EXPECT_EQ(flat.ProgressPos(), (TPoint { 0, 0 }));
}

namespace {

// A 20 x 6 horizontal track from (2,3) to (18,3) for values 0..8: value v sits at x = 2v + 2.
// The thumb is 4 x 4 at (30,0) of picture 0, its dragged look at (34,0).
TspDataSkinTrackBar TrackData()
{
    TspDataSkinTrackBar d("track");
    d.SkinRect = Rect(0, 10, 20, 16);
    d.ActiveSkinRect = Rect(0, 40, 20, 46);
    d.ActivePictureIndex = 0;
    d.ButtonRect = Rect(30, 0, 34, 4);
    d.ActiveButtonRect = Rect(34, 0, 38, 4);
    d.BeginPoint = { 2, 3 };
    d.EndPoint = { 18, 3 };
    d.MaxValue = 8;
    d.MouseDownChangeValue = true;
    return d;
}

} // namespace

TEST(SkinTrackBar, JumpsAndDragsAlongTheTrackOnly)
{
    Fixture f;
    TspDataSkinTrackBar d = TrackData();
    TspSkinTrackBarObject t(&f.Host, &f.Skin.Data, &d);
    ASSERT_FALSE(t.Vertical);
    EXPECT_EQ(t.ButtonPos(), (TPoint { 2, 3 }));
    // Object (0,10) on the frame: frame point (x, y + 10) is object point (x, y).
    t.MouseDown(40, 13, win::mbLeft); // beside the thumb, beyond the end
    EXPECT_EQ(t.ButtonPos(), (TPoint { 18, 3 }));
    EXPECT_EQ(t.Value(), 8);
    EXPECT_EQ(f.Host.Log, (Lines { "redraw track", "track track 8", "down track" }));
    t.MouseUp(40, 13, win::mbLeft);
    t.MouseDown(-7, 13, win::mbLeft);
    EXPECT_EQ(t.ButtonPos(), (TPoint { 2, 3 })) << "never past the start";
    EXPECT_EQ(t.Value(), 0);
    t.MouseUp(-7, 13, win::mbLeft);

    f.Host.Log.clear();
    t.MouseDown(3, 12, win::mbLeft); // on the thumb (0..4, 1..5)
    EXPECT_TRUE(t.Dragging());
    EXPECT_EQ(t.ButtonPos(), (TPoint { 2, 3 })) << "a press on the thumb does not move it";
    t.MouseMove(7, 30); // +4, the height does not matter
    EXPECT_EQ(t.ButtonPos(), (TPoint { 6, 3 }));
    EXPECT_EQ(t.Value(), 2);
    // The thumb picture follows while dragged, over hot columns left of it and normal right.
    gfx::TBitmap s = Screen();
    t.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(4, 11), OwnPx(34, 0)) << "the dragged thumb at (4,1)";
    EXPECT_EQ(s.Pixel(7, 14), OwnPx(37, 3));
    EXPECT_EQ(s.Pixel(1, 15), OwnPx(1, 45));
    EXPECT_EQ(s.Pixel(10, 15), FramePx(10, 15));
    t.MouseMove(27, 30); // +20 would leave the track: the thumb stays
    EXPECT_EQ(t.ButtonPos(), (TPoint { 6, 3 }));
    t.MouseMove(29, 30); // +2 from the last point
    EXPECT_EQ(t.ButtonPos(), (TPoint { 8, 3 }));
    EXPECT_EQ(t.Value(), 3);
    t.MouseMove(39, 30); // +10 reaches the end exactly
    EXPECT_EQ(t.ButtonPos(), (TPoint { 18, 3 }));
    t.MouseUp(39, 30, win::mbLeft);
    EXPECT_FALSE(t.Dragging());
    t.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(16, 11), OwnPx(30, 0)) << "the plain thumb after the release";
    EXPECT_EQ(f.Host.Only("track"), (Lines { "track track 2", "track track 3", "track track 8" }));

    t.SetValue(4);
    EXPECT_EQ(t.ButtonPos(), (TPoint { 10, 3 }));
    EXPECT_EQ(t.OldButtonPos(), (TPoint { 18, 3 }));
}

TEST(SkinTrackBar, VerticalTrackAndDegenerateBars)
{
    Fixture f;
    TspDataSkinTrackBar d = TrackData();
    d.BeginPoint = { 5, 18 };
    d.EndPoint = { 5, 2 };
    d.SkinRect = Rect(0, 0, 10, 20);
    TspSkinTrackBarObject v(&f.Host, &f.Skin.Data, &d);
    ASSERT_TRUE(v.Vertical);
    EXPECT_EQ(v.PosOfValue(0), (TPoint { 5, 18 })) << "the minimum at the bottom";
    EXPECT_EQ(v.PosOfValue(8), (TPoint { 5, 2 }));
    EXPECT_EQ(v.ValueOfPos({ 5, 6 }), 6);
    v.MouseDown(5, 50, win::mbLeft);
    EXPECT_EQ(v.ButtonPos(), (TPoint { 5, 18 })) << "clamped to the track";
    v.MouseDown(5, 10, win::mbLeft);
    EXPECT_EQ(v.Value(), 4);

    // Equal minimum and maximum, or a track without length: the thumb stays at the start.
    for (int variant = 0; variant < 2; ++variant) {
        TspDataSkinTrackBar e = TrackData();
        if (variant == 0)
            e.MaxValue = 0;
        else
            e.EndPoint = e.BeginPoint;
        TspSkinTrackBarObject t(&f.Host, &f.Skin.Data, &e);
        f.Host.Log.clear();
        t.MouseDown(2, 13, win::mbLeft);
        EXPECT_FALSE(t.Dragging()) << variant;
        t.MouseDown(15, 13, win::mbLeft);
        t.MouseMove(30, 13);
        EXPECT_EQ(t.ButtonPos(), (TPoint { 2, 3 })) << variant;
        EXPECT_TRUE(f.Host.Only("track").empty()) << variant;
    }
}

TEST(SkinSwitch, PressTogglesAndShowsTheState)
{
    Fixture f;
    TspDataSkinSwitch d("switch");
    d.SkinRect = Rect(0, 0, 4, 4);
    d.ActiveSkinRect = Rect(40, 40, 44, 44);
    d.ActivePictureIndex = 0;
    TspSkinSwitchObject sw(&f.Host, &f.Skin.Data, &d);
    EXPECT_EQ(sw.State(), swsOff);
    sw.MouseEnter();
    EXPECT_FALSE(sw.ActiveState) << "hovering does not light a switch";
    sw.MouseDown(1, 1, win::mbLeft);
    EXPECT_EQ(sw.State(), swsOn);
    gfx::TBitmap s = Screen();
    sw.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(1, 1), OwnPx(41, 41));
    sw.MouseDown(1, 1, win::mbRight);
    sw.MouseLeave();
    EXPECT_TRUE(sw.ActiveState);
    sw.MouseDown(1, 1, win::mbLeft);
    EXPECT_EQ(sw.State(), swsOff);
    EXPECT_EQ(f.Host.Log,
        (Lines { "enter switch", "redraw switch", "switch switch 0", "down switch", "down switch",
            "leave switch", "redraw switch", "switch switch 1", "down switch" }));
}

// Four 10 x 4 frames side by side from (0,20); values 0..30 step 10 per frame.
TEST(SkinFrameGauge, ShowsTheFrameOfItsValue)
{
    Fixture f;
    TspDataSkinFrameGaugeObject d("fgauge");
    d.SkinRect = Rect(0, 0, 10, 4);
    d.ActiveSkinRect = Rect(0, 20, 40, 24);
    d.ActivePictureIndex = 0;
    d.CountFrames = 4;
    d.MaxValue = 30;
    TspSkinFrameGaugeObject g(&f.Host, &f.Skin.Data, &d);
    EXPECT_EQ(g.FrameWidth, 10);
    EXPECT_EQ(g.FrameHeight, 4);
    gfx::TBitmap s = Screen();
    auto shown = [&] {
        g.Draw(s.Canvas(), false);
        return s.Pixel(0, 0);
    };
    EXPECT_EQ(shown(), OwnPx(0, 20));
    g.SetValue(25);
    EXPECT_EQ(shown(), OwnPx(20, 20)) << "frame 3";
    EXPECT_EQ(s.Pixel(9, 3), OwnPx(29, 23));
    g.SetValue(99);
    EXPECT_EQ(g.Value(), 30);
    EXPECT_EQ(shown(), OwnPx(30, 20));

    d.FramesPlacement = fpVertical;
    d.ActiveSkinRect = Rect(40, 0, 50, 16);
    d.ActivePictureIndex = 0;
    TspSkinFrameGaugeObject column(&f.Host, &f.Skin.Data, &d);
    column.SetValue(10);
    column.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(0, 0), OwnPx(40, 4)) << "frame 2 below frame 1";
}

TEST(SkinFrameRegulator, DragStepsByWholeFrames)
{
    Fixture f;
    TspDataSkinFrameRegulatorObject d("knob");
    d.SkinRect = Rect(0, 0, 20, 4);
    d.ActiveSkinRect = Rect(0, 20, 40, 24); // two 20 x 4 frames
    d.ActivePictureIndex = 0;
    d.CountFrames = 2;
    d.MinValue = 0;
    d.MaxValue = 10;
    d.Kind = rkHorizontal;
    TspSkinFrameRegulatorObject r(&f.Host, &f.Skin.Data, &d);
    r.MouseDown(0, 1, win::mbLeft);
    r.MouseMove(19, 1);
    EXPECT_EQ(r.Value(), 0) << "less than a frame's width";
    r.MouseMove(20, 1);
    EXPECT_EQ(r.Value(), 10) << "one frame width moves by the whole range";
    r.MouseMove(45, 1);
    EXPECT_EQ(r.Value(), 10);
    r.MouseMove(10, 1);
    EXPECT_EQ(r.Value(), 0);
    r.MouseUp(10, 1, win::mbLeft);
    r.MouseMove(40, 1);
    EXPECT_EQ(r.Value(), 0) << "no drag after the release";
    EXPECT_EQ(f.Host.Only("regulator"), (Lines { "regulator knob 10", "regulator knob 0" }));

    // A round knob turns up to the right and upwards, by its frame's smaller side.
    d.Kind = rkRound;
    d.CountFrames = 3; // 13 x 4 frames, value steps of 7
    d.MinValue = -5;
    TspSkinFrameRegulatorObject knob(&f.Host, &f.Skin.Data, &d);
    EXPECT_EQ(knob.Value(), 0);
    knob.MouseDown(5, 5, win::mbLeft);
    knob.MouseMove(6, 2); // dx - dy grows by 4 >= 4 / 2
    EXPECT_EQ(knob.Value(), 7);
    gfx::TBitmap s = Screen();
    knob.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(0, 0), OwnPx(13, 20)) << "frame 2 of 13-pixel frames";

    // A single frame: nothing to turn.
    d.CountFrames = 1;
    TspSkinFrameRegulatorObject one(&f.Host, &f.Skin.Data, &d);
    one.MouseDown(0, 0, win::mbLeft);
    one.MouseMove(60, -60);
    EXPECT_EQ(one.Value(), 0);
    EXPECT_EQ(one.FrameOfValue(10, -5, 10), 1);
}

namespace {

// Four 5 x 5 cells side by side from (0,50), one frame every 50 ms (two ticks).
TspDataSkinAnimate AnimateData()
{
    TspDataSkinAnimate d("anim");
    d.SkinRect = Rect(0, 0, 5, 5);
    d.ActiveSkinRect = Rect(0, 50, 20, 55);
    d.ActivePictureIndex = 0;
    d.CountFrames = 4;
    d.ButtonStyle = true;
    d.TimerInterval = 50;
    d.Command = cmClose;
    return d;
}

// Ticks the animation as the form's timer does while it runs; the frames it passes through.
std::vector<int> Animate(TspSkinAnimateObject& a, int maxTicks = 40)
{
    std::vector<int> frames;
    for (int i = 0; i < maxTicks && a.ActiveState; ++i) {
        int const before = a.CurrentFrame;
        a.Step();
        if (a.CurrentFrame != before)
            frames.push_back(a.CurrentFrame);
    }
    return frames;
}

} // namespace

TEST(SkinAnimate, RunsForwardOnHoverAndBackAfterwards)
{
    Fixture f;
    TspDataSkinAnimate d = AnimateData();
    TspSkinAnimateObject a(&f.Host, &f.Skin.Data, &d);
    a.MouseEnter();
    EXPECT_TRUE(a.ActiveState);
    EXPECT_EQ(f.Host.Log, (Lines { "animate", "enter anim" }));
    a.Step();
    EXPECT_EQ(a.CurrentFrame, 1) << "the first tick only counts time";
    a.Step();
    EXPECT_EQ(a.CurrentFrame, 2);
    EXPECT_EQ(Animate(a), (std::vector<int> { 3, 4 })) << "stops on the last frame";
    EXPECT_FALSE(a.ActiveState);
    gfx::TBitmap s = Screen();
    a.Draw(s.Canvas(), false);
    EXPECT_EQ(s.Pixel(0, 0), OwnPx(15, 50));
    EXPECT_EQ(s.Pixel(4, 4), OwnPx(19, 54));

    a.MouseLeave();
    EXPECT_TRUE(a.ActiveState);
    EXPECT_EQ(Animate(a), (std::vector<int> { 3, 2, 1 })) << "back to the first frame";
    a.MouseLeave();
    EXPECT_FALSE(a.ActiveState) << "a second leave without the mouse inside does nothing";

    d.Cycle = true;
    d.TimerInterval = 10; // raised to 25: a frame every tick
    TspSkinAnimateObject cycling(&f.Host, &f.Skin.Data, &d);
    EXPECT_EQ(cycling.TimerInterval, 25);
    cycling.Start();
    EXPECT_EQ(Animate(cycling, 6), (std::vector<int> { 2, 3, 4, 1, 2, 3 }));
}

TEST(SkinAnimate, ClickRunsItsCommandLast)
{
    Fixture f;
    TspDataSkinAnimate d = AnimateData();
    TspSkinAnimateObject close(&f.Host, &f.Skin.Data, &d);
    close.MouseEnter();
    f.Host.Log.clear();
    close.MouseUp(1, 1, win::mbLeft);
    EXPECT_EQ(f.Host.Log, (Lines { "up anim", "command " + std::to_string(int(wcClose)) }));
    close.MouseLeave();
    f.Host.Log.clear();
    close.MouseUp(-1, -1, win::mbLeft);
    EXPECT_TRUE(f.Host.Only("command").empty()) << "released outside";

    struct Menu : TspSkinPopupSource {
        bool HasItems() const override { return true; }
    } menu;
    f.Host.Menu = &menu;
    d.Command = cmSysMenu;
    d.SkinRect = Rect(3, 4, 8, 9);
    TspSkinAnimateObject sys(&f.Host, &f.Skin.Data, &d);
    sys.MouseEnter();
    f.Host.Log.clear();
    sys.MouseUp(4, 5, win::mbLeft);
    EXPECT_EQ(f.Host.Only("sysmenu"), Lines { "sysmenu 103,204,108,209" })
        << "under the object on the screen";
    sys.DblClick();
    EXPECT_TRUE(f.Host.Logged("command " + std::to_string(int(wcClose))));

    d.Command = cmMinimize;
    f.Host.ToTray = true;
    TspSkinAnimateObject min(&f.Host, &f.Skin.Data, &d);
    min.MouseEnter();
    min.MouseUp(4, 5, win::mbLeft);
    EXPECT_TRUE(f.Host.Logged("command " + std::to_string(int(wcMinimizeToTray))));

    d.ButtonStyle = false;
    TspSkinAnimateObject plain(&f.Host, &f.Skin.Data, &d);
    f.Host.Log.clear();
    plain.MouseEnter();
    plain.MouseUp(4, 5, win::mbLeft);
    EXPECT_FALSE(plain.ActiveState) << "without button style hovering does not animate";
    EXPECT_EQ(f.Host.Log, (Lines { "enter anim", "up anim" }));
}
