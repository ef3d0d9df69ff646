// Rules of the skin objects at their exact boundaries, where a rule off by one still gives a
// plausible picture.
#include "RecordingHost.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/ActiveSkinObject.h"
#include "skin/draw/CaptionObjects.h"

#include <gtest/gtest.h>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;

// The caption's placement class decides by the corner points, in order: top band (top at or
// above LT.Y, bottom above RT.Y), bottom band (top at or below LB.Y, bottom below RB.Y), left
// band (top at or above LT.Y, bottom below LB.Y), else the right band. Each case sits on one
// boundary; the corner points differ in every coordinate so that a mixed-up point shows.
TEST(SkinCaptionBoundaries, PlacementClassAtEachBoundary)
{
    RecordingHost host;
    TspSkinData data(nullptr);
    data.Picture().SetSize(200, 140);
    data.LTPoint = { 20, 30 };
    data.RTPoint = { 180, 40 };
    data.LBPoint = { 20, 100 };
    data.RBPoint = { 180, 110 };
    TspDataSkinCaption record("caption");
    record.SkinRect = Rect(4, 4, 100, 20);
    TspSkinCaptionObject caption(&host, &data, &record);
    struct TCase {
        int Top, Bottom, Class;
    } const cases[] = {
        { 30, 39, 1 }, // top at LT.Y, bottom just above RT.Y
        { 30, 40, 4 }, // bottom on RT.Y: no longer the top band
        { 31, 35, 4 }, // top below LT.Y
        { 29, 40, 4 },
        { 100, 111, 2 }, // top at LB.Y, bottom just below RB.Y
        { 100, 110, 4 }, // bottom on RB.Y
        { 99, 111, 4 }, // top above LB.Y and below LT.Y
        { 30, 101, 3 }, // top at LT.Y, bottom just below LB.Y
        { 30, 100, 4 }, // bottom on LB.Y
        { 31, 101, 4 },
    };
    for (auto const& c : cases) {
        caption.NormalRect = Rect(4, c.Top, 100, c.Bottom);
        caption.ObjectRect = Rect(4, c.Top, 150, c.Bottom + 20); // another size than NormalRect
        EXPECT_EQ(caption.PlacementClass(), c.Class) << c.Top << ".." << c.Bottom;
    }
    caption.NormalRect = Rect(4, 30, 100, 39);
    caption.ObjectRect = Rect(10, 50, 106, 59);
    EXPECT_EQ(caption.PlacementClass(), 0) << "the size of NormalRect, wherever it is";
}

// A fade moves by a fifth per step, each way, and a change of direction goes on from where
// the fade stands.
TEST(SkinObjectFade, EachStepIsAFifth)
{
    RecordingHost host;
    TspSkinData data(nullptr);
    data.Picture().SetSize(10, 10);
    data.ActivePictures.push_back(std::make_unique<gfx::TBitmap>(8, 4));
    TspDataSkinObject record("btn");
    record.ActivePictureIndex = 0;
    record.SkinRect = Rect(0, 0, 4, 2);
    record.ActiveSkinRect = Rect(0, 0, 4, 2);
    record.Morphing = true;
    TspActiveSkinObject object(&host, &data, &record);
    object.MouseEnter();
    for (int step = 1; step <= 3; ++step) {
        ASSERT_TRUE(object.CanMorph());
        object.MorphStep();
        EXPECT_NEAR(object.MorphFactor(), 0.2 * step, 1e-9) << "step " << step;
    }
    object.MouseLeave();
    object.MorphStep();
    EXPECT_NEAR(object.MorphFactor(), 0.4, 1e-9) << "back from 0.6";
    object.MorphStep();
    object.MorphStep();
    EXPECT_NEAR(object.MorphFactor(), 0, 1e-9);
    EXPECT_FALSE(object.CanMorph());
}
