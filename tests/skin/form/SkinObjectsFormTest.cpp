// The value, label and animation objects on a real skinned form: the dialog's skin with one
// object of each kind added, in client mode (the whole window is the skin picture, so the
// objects may stand anywhere). Picture "own" is added to the skin's active pictures; its
// pixel (x, y) is RGB(x, y, 200), so a window pixel names the cell it came from.
#include "skin/form/SkinnedForm.h"

#include "SkinFormTestUtil.h"
#include "skin/draw/LabelObjects.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"

#include <memory>
#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TColor;
using base::TRect;
using Lines = std::vector<std::string>;

namespace {

TColor Own(int x, int y) { return base::RGB(uint8_t(x), uint8_t(y), 200); }

struct SkinObjectsFormTest : SkinFormTest {
    int Pic = 0;

    template <typename T> T& Add(std::string const& name, TRect skin, TRect hot)
    {
        auto r = std::make_unique<T>(name);
        r->SkinRect = skin;
        r->ActiveSkinRect = hot;
        r->ActivePictureIndex = Pic;
        T& ref = *r;
        Data->ObjectList.push_back(std::move(r));
        return ref;
    }

    void Open()
    {
        Pic = int(Data->ActivePictures.size());
        auto own = std::make_unique<gfx::TBitmap>(64, 70);
        for (int y = 0; y < 70; ++y)
            for (int x = 0; x < 64; ++x)
                own->SetPixel(x, y, Own(x, y));
        Data->ActivePictures.push_back(std::move(own));

        auto& gauge = Add<TspDataSkinGauge>("gauge1", Rect(10, 40, 50, 44), Rect(0, 0, 40, 4));
        gauge.MaxValue = 100;
        auto& track = Add<TspDataSkinTrackBar>("track1", Rect(10, 50, 50, 56), Rect(0, 10, 40, 16));
        track.ButtonRect = Rect(50, 0, 54, 4);
        track.ActiveButtonRect = Rect(54, 0, 58, 4);
        track.BeginPoint = { 2, 3 };
        track.EndPoint = { 38, 3 };
        track.MaxValue = 36; // a value a pixel
        Add<TspDataSkinSwitch>("switch1", Rect(60, 40, 66, 46), Rect(0, 20, 6, 26));
        auto& label = Add<TspDataSkinLabel>("label1", Rect(60, 50, 100, 64), TRect {});
        label.FontColor = base::RGB(255, 0, 0);
        label.ActiveFontColor = base::RGB(0, 0, 255);
        label.TextValue = "Hi";
        auto& bits = Add<TspDataSkinBitLabel>("bits1", Rect(10, 60, 19, 64), Rect(0, 30, 12, 34));
        bits.SymbolWidth = 3;
        bits.SymbolHeight = 4;
        bits.Symbols = { "0123" };
        bits.TextValue = "21";
        auto& fgauge = Add<TspDataSkinFrameGaugeObject>("fgauge1", Rect(70, 70, 80, 74), Rect(0, 40, 40, 44));
        fgauge.CountFrames = 4;
        fgauge.MaxValue = 30;
        auto& knob = Add<TspDataSkinFrameRegulatorObject>("knob1", Rect(10, 70, 30, 74), Rect(0, 50, 40, 54));
        knob.CountFrames = 2;
        knob.MaxValue = 10;
        knob.Kind = rkHorizontal;
        auto& anim = Add<TspDataSkinAnimate>("anim1", Rect(100, 40, 105, 45), Rect(0, 60, 20, 65));
        anim.CountFrames = 4;
        anim.ButtonStyle = true;
        anim.TimerInterval = 50;
        anim.Command = cmMaximize;
        auto& custom = Add<TspDataSkinAnimate>("anim2", Rect(110, 40, 115, 45), Rect(0, 60, 20, 65));
        custom.CountFrames = 4;
        custom.Cycle = true;
        custom.TimerInterval = 25;
        custom.Command = cmDefault;
        auto& tray = Add<TspDataSkinAnimate>("anim3", Rect(120, 40, 125, 45), Rect(0, 60, 20, 65));
        tray.Command = cmMinimizeToTray;

        Make(tk::bsNone, 152, 125);
        Attach();
        Skinned->SetSupportNCArea(false);
        Skinned->Sizeable = false;
        Skinned->OnActivateCustomObject
            = [](std::string const& id, bool& visible) { visible = id == "anim2"; };
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(40, 40, 152, 125);
        Form->Show();
        App->ProcessMessages();
    }
    template <typename T> T* Get(std::string const& name) const
    {
        return dynamic_cast<T*>(Skinned->ObjectByIDName(name));
    }
    TColor At(int x, int y) const { return win::CaptureWindow(Form->Handle()).Pixel(x, y); }
};

} // namespace

TEST_F(SkinObjectsFormTest, ObjectsAreMadeDrawnAndRelayTheirValues)
{
    Open();
    ASSERT_TRUE(Get<TspSkinGaugeObject>("gauge1"));
    ASSERT_TRUE(Get<TspSkinTrackBarObject>("track1"));
    ASSERT_TRUE(Get<TspSkinSwitchObject>("switch1"));
    ASSERT_TRUE(Get<TspSkinLabelObject>("label1"));
    ASSERT_TRUE(Get<TspSkinBitLabelObject>("bits1"));
    ASSERT_TRUE(Get<TspSkinFrameGaugeObject>("fgauge1"));
    ASSERT_TRUE(Get<TspSkinFrameRegulatorObject>("knob1"));
    ASSERT_TRUE(Get<TspSkinAnimateObject>("anim1"));
    Lines events;
    Skinned->OnSwitchChangeStateEvent
        = [&](std::string const& id, TSwitchState s) { events.push_back(id + " " + std::to_string(int(s))); };
    Skinned->OnTrackBarChangeValueEvent
        = [&](std::string const& id, int v) { events.push_back(id + " " + std::to_string(v)); };
    Skinned->OnFrameRegulatorChangeValueEvent
        = [&](std::string const& id, int v) { events.push_back(id + " " + std::to_string(v)); };

    // Painted with the window: the bit label's "2" cell, the first frames, the label's text.
    EXPECT_EQ(At(10, 60), Own(6, 30));
    EXPECT_EQ(At(13, 63), Own(3, 33)) << "then '1'";
    EXPECT_EQ(At(70, 70), Own(0, 40));
    EXPECT_EQ(At(100, 40), Own(0, 60));
    EXPECT_EQ(At(12, 53), Own(52, 2)) << "the thumb at the track's start";
    int red = 0;
    gfx::TBitmap shot = win::CaptureWindow(Form->Handle());
    for (int y = 50; y < 64; ++y)
        for (int x = 60; x < 100; ++x)
            red += shot.Pixel(x, y) == base::RGB(255, 0, 0);
    EXPECT_GT(red, 10) << "the label's text";

    H->Click(40 + 63, 40 + 43);
    H->RunScript();
    EXPECT_EQ(At(63, 43), Own(3, 23)) << "a switched-on switch shows its hot image";

    // Dragging the thumb 10 pixels right, the knob by more than a frame's width.
    H->Drag(40 + 12, 40 + 53, 40 + 22, 40 + 53);
    H->RunScript();
    EXPECT_EQ(Get<TspSkinTrackBarObject>("track1")->Value(), 10);
    EXPECT_EQ(At(20, 51), Own(50, 0)) << "the plain thumb at its new place";
    EXPECT_EQ(At(15, 55), Own(5, 15)) << "the filled track left of it";
    H->Drag(40 + 12, 40 + 72, 40 + 34, 40 + 72);
    H->RunScript();
    EXPECT_EQ(At(10, 70), Own(20, 50)) << "the knob's second frame";
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), "switch1 0");
    EXPECT_EQ(events.back(), "knob1 10");
    EXPECT_NE(std::find(events.begin(), events.end(), "track1 10"), events.end());

    // The application's hold by name.
    EXPECT_TRUE(Skinned->SetObjectValue("gauge1", 50));
    EXPECT_EQ(At(15, 41), Own(5, 1));
    EXPECT_EQ(At(35, 41), Data->Picture().Pixel(35, 41)) << "the unfilled half";
    EXPECT_TRUE(Skinned->SetObjectValue("fgauge1", 20));
    EXPECT_EQ(At(70, 70), Own(20, 40));
    EXPECT_TRUE(Skinned->SetObjectValue("knob1", 0));
    EXPECT_EQ(events.back(), "knob1 0");
    EXPECT_TRUE(Skinned->SetObjectText("bits1", "3"));
    EXPECT_EQ(At(10, 60), Own(9, 30));
    EXPECT_TRUE(Skinned->SetObjectText("label1", "Hello"));
    EXPECT_FALSE(Skinned->SetObjectText("gauge1", "x"));
    EXPECT_FALSE(Skinned->SetObjectValue("label1", 1));
    EXPECT_FALSE(Skinned->SetObjectValue("nothing", 1));
}

// A button-style animation runs forward on the 25 ms timer while hovered, a frame every
// 50 ms, stops on its last frame, runs back when the mouse leaves; the timer stops when no
// animation runs.
TEST_F(SkinObjectsFormTest, AnimationsStepOnTheAnimateTimer)
{
    Open();
    auto* anim = Get<TspSkinAnimateObject>("anim1");
    ASSERT_TRUE(anim);
    EXPECT_FALSE(Skinned->AnimateTimerActive());
    H->Move(40 + 102, 40 + 42);
    for (int i = 0; i < 20 && !anim->ActiveState; ++i)
        H->RunFor(5); // until the mouse timer finds it
    ASSERT_TRUE(anim->ActiveState);
    EXPECT_TRUE(Skinned->AnimateTimerActive());
    std::vector<int> frames;
    for (int i = 0; i < 10; ++i) {
        H->RunFor(25);
        frames.push_back(anim->CurrentFrame);
    }
    EXPECT_EQ(frames, (std::vector<int> { 1, 2, 2, 3, 3, 4, 4, 4, 4, 4 })) << "a frame lasts two ticks";
    EXPECT_FALSE(anim->ActiveState);
    EXPECT_FALSE(Skinned->AnimateTimerActive());
    EXPECT_EQ(At(100, 40), Own(15, 60));

    H->Move(40 + 76, 40 + 100);
    H->RunFor(50 + 300);
    EXPECT_EQ(anim->CurrentFrame, 1) << "back to rest";
    EXPECT_EQ(At(100, 40), Own(0, 60));
    EXPECT_FALSE(Skinned->AnimateTimerActive());

    // A plain animation is started by the application and cycles.
    auto* plain = Get<TspSkinAnimateObject>("anim2");
    EXPECT_FALSE(Skinned->StartAnimation("gauge1"));
    EXPECT_TRUE(Skinned->StartAnimation("anim2"));
    H->RunFor(25 * 5);
    EXPECT_EQ(plain->CurrentFrame, 2) << "five frames on: round once";
    EXPECT_TRUE(Skinned->AnimateTimerActive());
}

// Animation objects with a window command are caption buttons for the border icons, the
// custom-object question and the default hints.
TEST_F(SkinObjectsFormTest, AnimationsFollowTheCaptionButtonRules)
{
    Open();
    auto* max = Get<TspSkinAnimateObject>("anim1");
    auto* custom = Get<TspSkinAnimateObject>("anim2");
    auto* tray = Get<TspSkinAnimateObject>("anim3");
    ASSERT_TRUE(max && custom && tray);
    EXPECT_TRUE(max->VisibleState);
    EXPECT_EQ(max->HintText, "Maximize");
    EXPECT_TRUE(custom->VisibleState) << "the application asked for it";
    EXPECT_FALSE(tray->VisibleState) << "no tray icon in BorderIcons";
    EXPECT_FALSE(tray->EnabledState);
    EXPECT_TRUE(Get<TspSkinGaugeObject>("gauge1")->VisibleState) << "other objects are no buttons";
    Skinned->SetHideCaptionButtons(true);
    EXPECT_FALSE(max->VisibleState);
    EXPECT_FALSE(custom->VisibleState);
}
