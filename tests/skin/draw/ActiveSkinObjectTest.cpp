#include "skin/draw/ActiveSkinObject.h"

#include "DrawTestUtil.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::RGB;
using base::TColor;
using base::TRect;

namespace {

// Records what the objects ask of their form.
class FakeForm : public TSkinObjectHost {
public:
    bool Active = true;
    int MorphTimerStarts = 0;
    std::vector<TspActiveSkinObject*> Redraws;
    std::vector<std::string> Events;

    bool IsFormActive() const override { return Active; }
    void StartMorphTimer() override { ++MorphTimerStarts; }
    void RedrawObject(TspActiveSkinObject& object) override { Redraws.push_back(&object); }
    void MouseDownEvent(
        std::string const& id, int x, int y, TRect const& r, win::TMouseButton button) override
    {
        Events.push_back("down " + id + " " + Pos(x, y) + " " + Box(r) + " " + std::to_string(button));
    }
    void MouseUpEvent(std::string const& id, int x, int y, TRect const& r, win::TMouseButton button) override
    {
        Events.push_back("up " + id + " " + Pos(x, y) + " " + Box(r) + " " + std::to_string(button));
    }
    void MouseMoveEvent(std::string const& id, int x, int y, TRect const& r) override
    {
        Events.push_back("move " + id + " " + Pos(x, y) + " " + Box(r));
    }
    void MouseEnterEvent(std::string const& id) override { Events.push_back("enter " + id); }
    void MouseLeaveEvent(std::string const& id) override { Events.push_back("leave " + id); }
    void PaintEvent(std::string const& id, gfx::TCanvas& canvas, TRect const& r) override
    {
        Events.push_back("paint " + id + " " + Box(r));
        canvas.Brush.Color = base::clBlue;
        canvas.FillRect(r);
    }

private:
    static std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    static std::string Box(TRect const& r)
    {
        return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
            + std::to_string(r.Bottom);
    }
};

const TColor Normal = RGB(0, 100, 200), Hot = RGB(200, 0, 100), Inactive = RGB(50, 50, 50),
             OwnNormal = RGB(9, 9, 9);

// The frame picture holds the normal image at (0, 0, 4, 2); active picture 0 holds the hot image
// at (0, 0, 4, 2), the inactive one at (4, 0, 8, 2) and another normal image at (0, 2, 4, 4).
struct Fixture {
    FakeForm form;
    TspSkinData data { nullptr };
    TspDataSkinObject record { "btn" };

    Fixture()
    {
        data.Picture().SetSize(10, 10);
        data.Picture().Fill(base::clWhite);
        Fill(data.Picture(), Rect(0, 0, 4, 2), Normal);
        auto own = std::make_unique<gfx::TBitmap>(8, 4);
        Fill(*own, Rect(0, 0, 4, 2), Hot);
        Fill(*own, Rect(4, 0, 8, 2), Inactive);
        Fill(*own, Rect(0, 2, 4, 4), OwnNormal);
        data.ActivePictures.push_back(std::move(own));
        record.Hint = "hint";
        record.ActivePictureIndex = 0;
        record.SkinRect = Rect(0, 0, 4, 2);
        record.ActiveSkinRect = Rect(0, 0, 4, 2);
        record.InActiveSkinRect = Rect(4, 0, 8, 2);
        record.CursorIndex = 3;
    }
    std::unique_ptr<TspActiveSkinObject> Make()
    {
        auto obj = std::make_unique<TspActiveSkinObject>(&form, &data, &record);
        obj->ObjectRect = Rect(2, 1, 6, 3); // placed on the current frame
        return obj;
    }
};

// A 10 x 6 white screen after drawing the object.
gfx::TBitmap Screen(TspActiveSkinObject& obj, bool update)
{
    gfx::TBitmap screen(10, 6);
    screen.Fill(base::clWhite);
    obj.Draw(screen.Canvas(), update);
    return screen;
}

gfx::TBitmap ScreenWith(TColor c, TRect const& r = Rect(2, 1, 6, 3))
{
    gfx::TBitmap screen(10, 6);
    screen.Fill(base::clWhite);
    Fill(screen, r, c);
    return screen;
}

} // namespace

TEST(ActiveSkinObject, TakesItsFieldsFromTheDescription)
{
    Fixture f;
    f.record.RollUp = true;
    f.record.Morphing = true;
    f.record.MorphKind = mkPush;
    TspActiveSkinObject obj(&f.form, &f.data, &f.record);
    EXPECT_EQ(obj.IDName, "btn");
    EXPECT_EQ(obj.HintText, "hint");
    EXPECT_EQ(obj.FramePicture, &f.data.RollUpPicture());
    EXPECT_EQ(obj.OwnPicture, f.data.ActivePictures[0].get());
    EXPECT_EQ(obj.ObjectRect, Rect(0, 0, 4, 2));
    EXPECT_EQ(obj.HotRect, Rect(0, 0, 4, 2));
    EXPECT_EQ(obj.MorphMode, 6);
    EXPECT_TRUE(obj.MorphEnabled);
    EXPECT_EQ(obj.CursorNumber, 3);
    EXPECT_TRUE(obj.EnabledState && obj.VisibleState);
    EXPECT_EQ(obj.MorphFactor(), 0);

    TspActiveSkinObject bare(&f.form, &f.data, nullptr);
    EXPECT_EQ(bare.Form, &f.form);
    EXPECT_EQ(bare.SkinData, &f.data);
    EXPECT_EQ(bare.FramePicture, nullptr);
    EXPECT_TRUE(bare.IDName.empty());
}

TEST(ActiveSkinObject, UnknownActivePictureDropsTheHotImage)
{
    Fixture f;
    f.record.ActivePictureIndex = 1; // only picture 0 exists
    TspActiveSkinObject obj(&f.form, &f.data, &f.record);
    EXPECT_EQ(obj.OwnPicture, nullptr);
    EXPECT_EQ(obj.HotRect, TRect {});
    EXPECT_EQ(f.record.ActiveSkinRect, TRect {});
    // It still draws its normal image from the frame picture, also when inactive or hot.
    obj.ObjectRect = Rect(2, 1, 6, 3);
    f.form.Active = false;
    obj.ActiveState = true;
    EXPECT_TRUE(SamePicture(Screen(obj, true), ScreenWith(Normal)));
}

TEST(ActiveSkinObject, DrawingRule)
{
    Fixture f;
    auto obj = f.Make();
    // Normal: drawn only when updating by itself.
    EXPECT_TRUE(SamePicture(Screen(*obj, true), ScreenWith(Normal)));
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(base::clWhite)));
    // Hot.
    obj->ActiveState = true;
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(Hot)));
    // Inactive form wins while enabled.
    f.form.Active = false;
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(Inactive)));
    obj->EnabledState = false;
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(Hot)));
    // A normal image in the own picture is drawn with the frame too.
    obj->ActiveState = false;
    obj->NormalInOwnPicture = true;
    obj->NormalRect = Rect(0, 2, 4, 4);
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(OwnNormal)));
}

TEST(ActiveSkinObject, LargerPlaceScalesTheImage)
{
    Fixture f;
    auto obj = f.Make();
    obj->ObjectRect = Rect(1, 1, 9, 5);
    EXPECT_TRUE(SamePicture(Screen(*obj, true), ScreenWith(Normal, Rect(1, 1, 9, 5))));
}

TEST(ActiveSkinObject, FadeMixesNormalAndHot)
{
    Fixture f;
    f.record.Morphing = true;
    auto obj = f.Make();
    obj->ActiveState = true;
    obj->SetMorphFactor(0.5);
    ASSERT_TRUE(obj->CanMorph());
    // Blend half way: (0+200)/2, (100+0)/2, (200+100)/2.
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(RGB(100, 50, 150))));
    // At the end of the fade the plain hot image is drawn.
    obj->SetMorphFactor(1);
    EXPECT_FALSE(obj->CanMorph());
    EXPECT_TRUE(SamePicture(Screen(*obj, false), ScreenWith(Hot)));
}

TEST(ActiveSkinObject, FadeTakesFiveStepsEachWay)
{
    Fixture f;
    f.record.Morphing = true;
    auto obj = f.Make();
    obj->MouseEnter();
    EXPECT_EQ(f.form.MorphTimerStarts, 1);
    EXPECT_TRUE(f.form.Redraws.empty());
    int steps = 0;
    while (obj->CanMorph() && steps < 20) {
        obj->MorphStep();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(obj->MorphFactor(), 1);
    EXPECT_EQ(f.form.Redraws.size(), 5u);
    obj->MouseLeave();
    steps = 0;
    while (obj->CanMorph() && steps < 20) {
        obj->MorphStep();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
    EXPECT_EQ(obj->MorphFactor(), 0);
}

TEST(ActiveSkinObject, SetMorphFactorClamps)
{
    Fixture f;
    auto obj = f.Make();
    obj->SetMorphFactor(1.2);
    EXPECT_EQ(obj->MorphFactor(), 1);
    obj->SetMorphFactor(-0.1);
    EXPECT_EQ(obj->MorphFactor(), 0);
}

TEST(ActiveSkinObject, EnterAndLeaveWithoutMorphingRedrawAtOnce)
{
    Fixture f;
    auto obj = f.Make();
    obj->MouseEnter();
    EXPECT_TRUE(obj->MouseInside && obj->ActiveState);
    obj->MouseLeave();
    EXPECT_FALSE(obj->MouseInside || obj->ActiveState);
    EXPECT_EQ(f.form.Redraws, (std::vector<TspActiveSkinObject*> { obj.get(), obj.get() }));
    EXPECT_EQ(f.form.MorphTimerStarts, 0);
    EXPECT_EQ(obj->MorphFactor(), 0);
    EXPECT_EQ(f.form.Events, (std::vector<std::string> { "enter btn", "leave btn" }));
}

TEST(ActiveSkinObject, NoHotImageNoRedrawButEvents)
{
    Fixture f;
    f.record.ActiveSkinRect = TRect {};
    auto obj = f.Make();
    obj->MouseEnter();
    obj->MouseLeave();
    EXPECT_TRUE(f.form.Redraws.empty());
    EXPECT_EQ(f.form.Events, (std::vector<std::string> { "enter btn", "leave btn" }));
}

TEST(ActiveSkinObject, MouseEventsCarryNameRectAndButton)
{
    Fixture f;
    auto obj = f.Make();
    obj->MouseEnter();
    obj->MouseDown(3, 2, win::mbLeft);
    obj->MouseMove(4, 2);
    obj->MouseUp(4, 2, win::mbLeft);
    obj->MouseLeave();
    obj->MouseUp(9, 9, win::mbRight); // after leaving: no event
    obj->DblClick();
    EXPECT_EQ(f.form.Events,
        (std::vector<std::string> { "enter btn", "down btn 3,2 2,1,6,3 0", "move btn 4,2 2,1,6,3",
            "up btn 4,2 2,1,6,3 0", "leave btn" }));
}

TEST(UserObject, TheApplicationPaintsIt)
{
    Fixture f;
    TspUserObject obj(&f.form, &f.data, &f.record);
    obj.ObjectRect = Rect(2, 1, 6, 3);
    EXPECT_TRUE(SamePicture(Screen(obj, false), ScreenWith(base::clBlue)));
    EXPECT_EQ(f.form.Events, (std::vector<std::string> { "paint btn 2,1,6,3" }));
}
