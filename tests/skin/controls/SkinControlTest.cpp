#include "tests/skin/controls/SkinControlTestUtil.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinControl.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::RGB;

namespace {

// The smallest control on the base: the button look's images by state, drawn whole.
class TProbeControl : public TspSkinControl {
public:
    explicit TProbeControl(tk::TComponent* owner)
        : TspSkinControl(owner, "button")
    {
        FControlStyle |= tk::csFocusable;
        SetTabStop(true);
    }
    char const* ClassName() const override { return "TProbeControl"; }
    int Reads = 0;
    bool HadLookWhenRead = false;

protected:
    void GetSkinData() override
    {
        ++Reads;
        HadLookWhenRead = LookAs<TspDataSkinButtonControl>() != nullptr;
    }
    bool PaintSkin(gfx::TCanvas& canvas) override
    {
        auto* look = LookAs<TspDataSkinButtonControl>();
        if (!look)
            return false;
        base::TRect r = !Enabled() ? look->DisabledSkinRect
            : Down()               ? look->DownSkinRect
            : MouseIn()            ? look->ActiveSkinRect
                                   : look->SkinRect;
        DrawLookRect(canvas, r, ClientRect());
        return true;
    }
};

struct SkinControlBaseTest : SkinControlTest {
    TProbeControl* Make()
    {
        auto* c = new TProbeControl(Form);
        c->SetParent(Form);
        c->SetBounds(10, 10, 60, 30);
        return c;
    }
};

TEST_F(SkinControlBaseTest, FindsItsLookByNameAndDrawsItsStates)
{
    auto* c = Make();
    // Without a skin: plain drawing in the control's colour.
    c->SetColor(RGB(9, 9, 9));
    EXPECT_EQ(c->Look(), nullptr);
    EXPECT_EQ(Shot().Pixel(40, 25), RGB(9, 9, 9));

    c->SetSkinData(Data.get());
    EXPECT_EQ(c->SkinIndex(), Data->IndexOfControl("button"));
    EXPECT_NE(c->LookAs<TspDataSkinButtonControl>(), nullptr);
    EXPECT_EQ(c->LookAs<TspDataSkinPanelControl>(), nullptr); // another class
    EXPECT_TRUE(c->HadLookWhenRead);
    // The 20x20 image drawn at 60x30: the 4-pixel border stays at every edge, the client tiles.
    auto shot = Shot();
    EXPECT_EQ(shot.Pixel(10, 10), sc::Edge);
    EXPECT_EQ(shot.Pixel(13, 13), sc::Edge);
    EXPECT_EQ(shot.Pixel(14, 14), sc::ButtonNormal);
    EXPECT_EQ(shot.Pixel(65, 35), sc::ButtonNormal);
    EXPECT_EQ(shot.Pixel(66, 35), sc::Edge);
    EXPECT_EQ(shot.Pixel(69, 39), sc::Edge);
    EXPECT_EQ(shot.Pixel(70, 40), RGB(1, 2, 3)); // the form outside it

    // Hot, pressed, disabled.
    MoveTo(40, 25);
    EXPECT_TRUE(c->MouseIn());
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonActive);
    H->Press(Form->ClientToScreen({ 40, 25 }).X, Form->ClientToScreen({ 40, 25 }).Y);
    Run();
    EXPECT_TRUE(c->Down());
    EXPECT_TRUE(c->Focused()); // a press focuses it
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonDown);
    H->Release(Form->ClientToScreen({ 40, 25 }).X, Form->ClientToScreen({ 40, 25 }).Y);
    Run();
    EXPECT_FALSE(c->Down());
    c->SetEnabled(false);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonDisabled);
    EXPECT_FALSE(c->Focused());

    // Another look by name; a name the skin lacks leaves the plain drawing.
    c->SetEnabled(true);
    MoveTo(200, 120);
    c->SetSkinDataName("toolbutton");
    EXPECT_EQ(c->SkinIndex(), Data->IndexOfControl("toolbutton"));
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
    c->SetSkinDataName("nosuchlook");
    EXPECT_EQ(c->Look(), nullptr);
    EXPECT_FALSE(c->HadLookWhenRead);
    EXPECT_EQ(Shot().Pixel(40, 25), RGB(9, 9, 9));
}

TEST_F(SkinControlBaseTest, FollowsSkinChangesThroughItsFormAndAFreedSkin)
{
    auto* c = Make();
    c->SetSkinData(Data.get());
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);

    // A skin without the look: the control hears the change through its form and goes plain.
    xe::test::TControlTestSkin other;
    other.AddStatePicture({ RGB(7, 7, 7) });
    other.AddControl("panel", "panel");
    other.SetStateLook("panel", 0);
    bool lookDuringChange = true;
    int reads = c->Reads;
    other.LoadInto(*Data);
    EXPECT_GT(c->Reads, reads);
    EXPECT_EQ(c->Look(), nullptr);
    c->SetColor(RGB(9, 9, 9));
    EXPECT_EQ(Shot().Pixel(40, 25), RGB(9, 9, 9));

    Skin.LoadInto(*Data);
    EXPECT_NE(c->Look(), nullptr);
    EXPECT_EQ(Shot().Pixel(40, 25), sc::ButtonNormal);
    // While a skin loads the old looks are gone: the control holds none.
    struct Spy : TSkinFormMessenger {
        TSkinFormMessenger* Inner = nullptr;
        TProbeControl* Control = nullptr;
        bool* Seen = nullptr;
        bool IsForm(tk::TComponent* c) override { return Inner->IsForm(c); }
        std::vector<tk::TComponent*> Forms() override { return Inner->Forms(); }
        void SendSkinMessage(tk::TComponent* f, unsigned msg, TspSkinData* d, intptr_t p) override
        {
            Inner->SendSkinMessage(f, msg, d, p);
            if (msg == SkinMsg_BeforeChange)
                *Seen = Control->Look() != nullptr;
        }
    } spy;
    spy.Inner = SkinFormMessenger();
    spy.Control = c;
    spy.Seen = &lookDuringChange;
    SetSkinFormMessenger(&spy);
    Skin.LoadInto(*Data);
    SetSkinFormMessenger(spy.Inner);
    EXPECT_FALSE(lookDuringChange);
    EXPECT_NE(c->Look(), nullptr);

    // Freeing the skin leaves the control plain, with no reference left.
    Data.reset();
    EXPECT_EQ(c->SkinData(), nullptr);
    EXPECT_EQ(c->Look(), nullptr);
    EXPECT_EQ(Shot().Pixel(40, 25), RGB(9, 9, 9));
}

TEST_F(SkinControlBaseTest, TakesTheLooksCursorAndIsStoredWithItsSkinByName)
{
    Skin.SetInt("toolbutton", "cursorindex", 2);
    Skin.LoadInto(*Data);
    auto* c = Make();
    c->SetCursor(tk::crHandPoint);
    c->SetSkinData(Data.get());
    EXPECT_EQ(c->Cursor(), tk::crHandPoint); // the button look has no cursor
    c->SetSkinDataName("toolbutton");
    EXPECT_EQ(c->Cursor(), Data->StartCursorIndex + 2);
    c->SetSkinDataName("button");
    EXPECT_EQ(c->Cursor(), tk::crHandPoint);

    // Stored with its skin data by name, the look name, the font choice and the tab order.
    tk::RegisterComponentClass("TProbeControl", [](tk::TComponent* o) { return new TProbeControl(o); });
    tk::RegisterComponentClass("TspSkinData", [](tk::TComponent* o) { return new TspSkinData(o); });
    c->SetName("Probe1");
    c->SetSkinDataName("toolbutton");
    c->SetUseSkinFont(false);
    auto* second = Make();
    second->SetName("Probe2");
    second->SetTabOrder(0);
    auto* data = new TspSkinData(Form);
    data->SetName("spSkinData1");
    c->SetSkinData(data);
    std::string text = tk::WriteComponentText(Form);
    EXPECT_NE(text.find("SkinData = spSkinData1"), std::string::npos);
    EXPECT_NE(text.find("SkinDataName = 'toolbutton'"), std::string::npos);
    EXPECT_EQ(text.find("SkinDataName = 'button'"), std::string::npos); // the default is not written

    auto* copy = App->CreateForm<tk::TForm>();
    tk::ReadComponentText(copy, text, "copy");
    auto* r1 = dynamic_cast<TProbeControl*>(copy->FindComponent("Probe1"));
    auto* r2 = dynamic_cast<TProbeControl*>(copy->FindComponent("Probe2"));
    ASSERT_TRUE(r1 && r2);
    EXPECT_EQ(r1->SkinData(), copy->FindComponent("spSkinData1"));
    EXPECT_EQ(r1->SkinDataName(), "toolbutton");
    EXPECT_FALSE(r1->UseSkinFont());
    EXPECT_TRUE(r2->UseSkinFont());
    EXPECT_EQ(r2->TabOrder(), 0);
    EXPECT_EQ(r1->TabOrder(), 1);
    EXPECT_EQ(r2->SkinDataName(), "button");
}

// A picture with a 2-pixel red frame around a green client, and its mask.
TEST(SkinDrawing, LookRectKeepsCornersHonoursTheMaskAndCanKeepTheClient)
{
    gfx::TBitmap picture(10, 10);
    picture.Fill(RGB(255, 0, 0));
    for (int y = 2; y < 8; ++y)
        for (int x = 2; x < 8; ++x)
            picture.SetPixel(x, y, RGB(0, 255, 0));
    TFrameCut cut { { 2, 2 }, { 8, 2 }, { 2, 8 }, { 8, 8 }, Rect(2, 2, 8, 8) };
    gfx::TBitmap dst(30, 20);
    dst.Fill(RGB(0, 0, 255));
    gfx::TCanvas canvas(dst);
    DrawSkinRect(canvas, picture, Rect(0, 0, 10, 10), cut, Rect(5, 5, 25, 15), false, true, nullptr);
    EXPECT_EQ(dst.Pixel(4, 4), RGB(0, 0, 255));
    EXPECT_EQ(dst.Pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(dst.Pixel(6, 6), RGB(255, 0, 0));
    EXPECT_EQ(dst.Pixel(7, 7), RGB(0, 255, 0));
    EXPECT_EQ(dst.Pixel(22, 12), RGB(0, 255, 0));
    EXPECT_EQ(dst.Pixel(23, 13), RGB(255, 0, 0));
    EXPECT_EQ(dst.Pixel(25, 15), RGB(0, 0, 255));

    // Without the client the canvas shows through it.
    dst.Fill(RGB(0, 0, 255));
    DrawSkinRect(canvas, picture, Rect(0, 0, 10, 10), cut, Rect(5, 5, 25, 15), false, false, nullptr);
    EXPECT_EQ(dst.Pixel(6, 6), RGB(255, 0, 0));
    EXPECT_EQ(dst.Pixel(15, 10), RGB(0, 0, 255));

    // A mask whose top-left corner pixel is white leaves that pixel alone.
    gfx::TBitmap mask(10, 10);
    mask.Fill(RGB(0, 0, 0));
    mask.SetPixel(0, 0, RGB(255, 255, 255));
    dst.Fill(RGB(0, 0, 255));
    DrawSkinRect(canvas, picture, Rect(0, 0, 10, 10), cut, Rect(5, 5, 25, 15), false, true, &mask);
    EXPECT_EQ(dst.Pixel(5, 5), RGB(0, 0, 255));
    EXPECT_EQ(dst.Pixel(6, 5), RGB(255, 0, 0));

    // Unset corner points take the client's corners; a cut without a client stretches.
    TspDataSkinCustomControl look("x");
    look.ClientRect = Rect(3, 4, 7, 9);
    look.LTPoint = { 5, 0 };
    look.RBPoint = { 6, 8 };
    TFrameCut c = LookCut(look);
    EXPECT_EQ(c.LT, (base::TPoint { 3, 4 }));
    EXPECT_EQ(c.RT, (base::TPoint { 7, 4 }));
    EXPECT_EQ(c.LB, (base::TPoint { 3, 9 }));
    EXPECT_EQ(c.RB, (base::TPoint { 6, 8 }));
    dst.Fill(RGB(0, 0, 255));
    DrawSkinRect(canvas, picture, Rect(0, 0, 10, 10), TFrameCut {}, Rect(0, 0, 20, 20), false, true, nullptr);
    EXPECT_EQ(dst.Pixel(3, 3), RGB(255, 0, 0)); // the 2-pixel frame is 4 pixels now
    EXPECT_EQ(dst.Pixel(4, 4), RGB(0, 255, 0));
}

} // namespace
