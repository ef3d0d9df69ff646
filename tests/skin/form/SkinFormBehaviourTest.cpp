// Window-command behaviours of the skinned form: live resizing, WM_SYNCPAINT while rolled
// up, the translucent repaint on a new size, which buttons go with biSystemMenu, a tray
// icon chosen at design time, client-mode roll-up and skin changes while rolled up.
#include "SkinFormTestUtil.h"
#include "platform/toolkit/Persistence.h"
#include "platform/toolkit/StdCtrls.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/TrayIcon.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TRect;
using tk::TMessage;

namespace {

struct SkinBehaviourTest : SkinFormTest {
    void SetUp() override
    {
        SkinFormTest::SetUp();
        MainForm = App->CreateForm<tk::TForm>();
    }
    void MakeSkinned(int width = 200, int height = 135)
    {
        Make(tk::bsSizeable, width, height);
        Attach();
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(40, 40, width, height);
        Form->Show();
        App->ProcessMessages();
    }
    TspSkinStdButtonObject* ButtonOf(TspCommandKind command) const
    {
        for (auto const& o : Skinned->ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get()); b && b->StdCommand == command)
                return b;
        return nullptr;
    }
    tk::TForm* MainForm = nullptr;
};

} // namespace

// Dragging the bottom-right corner: the frame is laid out for each sizing rectangle as it
// comes, before the window takes the size, and the size that follows is not laid out again.
TEST_F(SkinBehaviourTest, LiveResizingLaysTheFrameOutForTheSizingRectangle)
{
    MakeSkinned();
    std::vector<std::pair<int, int>> atSizing; // sizing width, frame width then
    int layouts = 0, sizings = 0;
    Skinned->OnChangeClientRect = [&](tk::TComponent*, TRect const&) { ++layouts; };
    tk::TWndMethod proc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        proc(m);
        if (m.Msg == win::WM_SIZING) {
            auto const* r = reinterpret_cast<win::RECT const*>(m.LParam);
            atSizing.emplace_back(r->Right - r->Left, Skinned->FrameWidth);
            ++sizings;
        }
    };
    H->Drag(40 + 199, 40 + 134, 40 + 259, 40 + 164);
    H->RunScript();
    Form->WindowProc = proc;
    ASSERT_FALSE(atSizing.empty());
    for (auto [sizing, frame] : atSizing)
        EXPECT_EQ(frame, sizing);
    EXPECT_EQ(layouts, sizings) << "one layout per sizing step, none for the WM_SIZE after it";
    EXPECT_EQ(Form->Width(), 260);
    EXPECT_EQ(Skinned->FrameWidth, 260);
    EXPECT_EQ(Skinned->NewClRect.Right, 260 - 3);
    EXPECT_FALSE(Skinned->InSizeMove);
}

// Rolled up, WM_SYNCPAINT repaints the frame and goes no further; otherwise it is passed on.
TEST_F(SkinBehaviourTest, SyncPaintWhileRolledUpPaintsOnlyTheFrame)
{
    Make(tk::bsSizeable, 200, 135);
    int passedOn = 0;
    tk::TWndMethod formProc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == win::WM_SYNCPAINT)
            ++passedOn;
        formProc(m);
    };
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    int ncPaints = 0;
    tk::TWndMethod proc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == win::WM_NCPAINT)
            ++ncPaints;
        proc(m);
    };
    Skinned->SetRollUpState(true);
    ncPaints = 0;
    EXPECT_EQ(win::SendMessage(Form->Handle(), win::WM_SYNCPAINT, 0, 0), 0);
    EXPECT_EQ(passedOn, 0);
    EXPECT_EQ(ncPaints, 1);
    Skinned->SetRollUpState(false);
    win::SendMessage(Form->Handle(), win::WM_SYNCPAINT, 0, 0);
    EXPECT_EQ(passedOn, 1);
    // The form goes while the handlers it was given can still run.
    tk::TComponent::Free(Form);
    Form = nullptr;
}

// A translucent form is painted again, frame and client, when its size changes.
TEST_F(SkinBehaviourTest, TranslucentFormRepaintsWholeOnANewSize)
{
    MakeSkinned();
    int ncPaints = 0, paints = 0;
    tk::TWndMethod proc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        ncPaints += m.Msg == win::WM_NCPAINT;
        paints += m.Msg == win::WM_PAINT;
        proc(m);
    };
    Form->SetBounds(40, 40, 210, 135);
    int const opaqueNc = ncPaints, opaquePaints = paints;
    ncPaints = paints = 0;
    Skinned->SetAlphaBlendValue(200);
    Skinned->SetAlphaBlend(true);
    ncPaints = paints = 0;
    Form->SetBounds(40, 40, 220, 135);
    EXPECT_GT(ncPaints, opaqueNc);
    EXPECT_GT(paints, opaquePaints);
    Form->WindowProc = proc;
}

// Without biSystemMenu the close button goes with the system-menu button, on the skin and
// on the built-in frame; the close command stays on the system menu.
TEST_F(SkinBehaviourTest, CloseButtonGoesWithTheSystemMenuIcon)
{
    MakeSkinned();
    ASSERT_NE(ButtonOf(cmClose), nullptr);
    EXPECT_TRUE(ButtonOf(cmClose)->VisibleState);
    Skinned->SetBorderIcons(biMinimize | biMaximize);
    EXPECT_FALSE(ButtonOf(cmClose)->VisibleState);
    EXPECT_FALSE(ButtonOf(cmClose)->EnabledState);
    EXPECT_TRUE(ButtonOf(cmMaximize)->VisibleState);
    tk::TPopupMenu* menu = Skinned->BuildSystemMenu();
    ASSERT_GT(menu->Items()->Count(), 0);
    EXPECT_EQ(menu->Items()->Items(menu->Items()->Count() - 1)->Name(), "SF_CLOSE");

    Skinned->SetSkinData(nullptr);
    Skinned->SetBorderIcons(biMinimize | biMaximize);
    ASSERT_NE(ButtonOf(cmClose), nullptr);
    EXPECT_FALSE(ButtonOf(cmClose)->VisibleState);
    Skinned->SetBorderIcons(biSystemMenu);
    EXPECT_TRUE(ButtonOf(cmClose)->VisibleState);
}

// At design time a tray icon adds its caption button, and taking it away removes it.
// Attaching switches the form's AutoSize and AutoScroll off.
TEST_F(SkinBehaviourTest, DesignTimeTrayIconAddsItsButton)
{
    Make(tk::bsSizeable, 200, 135);
    Form->SetAutoSize(true);
    ASSERT_TRUE(Form->AutoScroll());
    Attach();
    EXPECT_FALSE(Form->AutoSize());
    EXPECT_FALSE(Form->AutoScroll());
    auto* tray = new TspTrayIcon(Form);
    Skinned->SetDesigning(true);
    ASSERT_FALSE(Skinned->BorderIcons() & biMinimizeToTray);
    Skinned->SetTrayIcon(tray);
    EXPECT_TRUE(Skinned->BorderIcons() & biMinimizeToTray);
    EXPECT_TRUE(Skinned->BorderIcons() & biSystemMenu) << "the others stay";
    Skinned->SetTrayIcon(nullptr);
    EXPECT_FALSE(Skinned->BorderIcons() & biMinimizeToTray);
    Skinned->SetDesigning(false);
    Skinned->SetTrayIcon(tray);
    EXPECT_FALSE(Skinned->BorderIcons() & biMinimizeToTray) << "only at design time";
    Skinned->SetTrayIcon(nullptr);
}

namespace {

// The stored skin with a roll-up strip: ends of 10 (blue) and 10 (green) pixels around a red
// middle, h pixels high, cut with a mask whose top-left pixel is outside the shape.
tk::TComponentPtr<TspSkinData> SkinWithRollUp(TspCompressedStoredSkin* stored, int h, bool withMask)
{
    tk::TComponentPtr<TspSkinData> skin(new TspSkinData(nullptr));
    skin->SetCompressedStoredSkin(stored);
    gfx::TBitmap strip(100, h);
    strip.Canvas().Brush.Color = base::clRed;
    strip.Canvas().FillRect(Rect(0, 0, 100, h));
    strip.Canvas().Brush.Color = base::clBlue;
    strip.Canvas().FillRect(Rect(0, 0, 10, h));
    strip.Canvas().Brush.Color = base::clLime;
    strip.Canvas().FillRect(Rect(90, 0, 100, h));
    skin->RollUpPicture() = strip;
    if (withMask) {
        gfx::TBitmap mask(100, h);
        mask.Canvas().Brush.Color = base::clBlack;
        mask.Canvas().FillRect(Rect(0, 0, 100, h));
        mask.SetPixel(0, 0, base::clWhite);
        skin->RollUpMask() = mask;
    }
    skin->RollUpLeftPoint = { 10, 0 };
    skin->RollUpRightPoint = { 90, 0 };
    return skin;
}

} // namespace

// Client mode rolled up: the strip is drawn widened to the form, its objects and region
// follow the width, and a strip without a mask has no region at all.
TEST_F(SkinBehaviourTest, ClientModeRollUpPaintsTheWidenedStripAndItsRegion)
{
    auto skin = SkinWithRollUp(Stored.get(), 24, true);
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(skin.get());
    Form->Show();
    App->ProcessMessages();
    Skinned->SetRollUpState(true);
    App->ProcessMessages();
    ASSERT_EQ(Form->BoundsRect().Height(), 24);
    EXPECT_EQ(Form->Width(), 152);
    gfx::TBitmap const shot = win::CaptureWindow(Form->Handle());
    EXPECT_EQ(shot.Pixel(5, 12) & 0xFFFFFF, base::ColorToRGB(base::clBlue));
    EXPECT_EQ(shot.Pixel(120, 12) & 0xFFFFFF, base::ColorToRGB(base::clRed)) << "the middle tiled on";
    EXPECT_EQ(shot.Pixel(147, 12) & 0xFFFFFF, base::ColorToRGB(base::clLime)) << "the right end at the edge";
    gfx::TRegion region;
    ASSERT_NE(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR);
    TRect box;
    gfx::GetRgnBox(region, box);
    EXPECT_EQ(box, Rect(0, 0, 152, 24)) << "widened to the form, not cut at the mask's 100";
    EXPECT_FALSE(region.Contains({ 0, 0 }));
    EXPECT_TRUE(region.Contains({ 151, 0 }));
    Skinned->SetRollUpState(false);
    EXPECT_EQ(Form->Height(), 125);

    auto unmasked = SkinWithRollUp(Stored.get(), 24, false);
    Skinned->SetSkinData(unmasked.get());
    Skinned->SetRollUpState(true);
    EXPECT_TRUE(Skinned->RollUpState());
    EXPECT_FALSE(Skinned->HasFrameRegion()) << "no mask, no region (not the main picture's)";
    EXPECT_EQ(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR);
    Skinned->SetRollUpState(false);
    Skinned->SetSkinData(nullptr);
}

// A skin change while rolled up in client mode: a skin without a roll-up picture ends the
// roll-up (controls back, old height), one with a strip lays the roll-up out again.
TEST_F(SkinBehaviourTest, ClientModeSkinChangeWhileRolledUp)
{
    auto first = SkinWithRollUp(Stored.get(), 24, true);
    auto taller = SkinWithRollUp(Stored.get(), 30, false);
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(first.get());
    auto* label = new tk::TLabel(Form);
    label->SetParent(Form);
    Form->Show();
    App->ProcessMessages();
    int changes = 0;
    Skinned->OnChangeRollUpState = [&](tk::TComponent*) { ++changes; };

    Skinned->SetRollUpState(true);
    Skinned->SetSkinData(taller.get());
    EXPECT_TRUE(Skinned->RollUpState());
    EXPECT_EQ(Form->Height(), 30) << "the new strip's height";
    EXPECT_FALSE(label->Visible());
    EXPECT_FALSE(Skinned->HasFrameRegion());
    Skinned->SetRollUpState(false);
    EXPECT_EQ(Form->Height(), 125);
    EXPECT_TRUE(label->Visible());

    Skinned->SetRollUpState(true);
    Skinned->SetSkinData(Data.get()); // no roll-up picture
    EXPECT_FALSE(Skinned->RollUpState());
    EXPECT_EQ(Form->Height(), 125);
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(changes, 4);
    Skinned->SetSkinData(nullptr);
}

// The menu and caption fonts and the logo come from a stored form and are written back;
// the menu settings reach the skin menu as it opens.
TEST_F(SkinBehaviourTest, StoredMenuAndCaptionPropertiesReachTheirUse)
{
    RegisterSkinFormClasses();
    gfx::TBitmap logo(3, 2);
    logo.SetPixel(1, 1, base::clRed);
    std::string logoHex;
    for (unsigned char c : logo.SaveToBytes()) {
        char buf[3];
        std::snprintf(buf, sizeof buf, "%02X", c);
        logoHex += buf;
    }
    class TStored : public tk::TForm {
    public:
        using tk::TForm::TForm;
        char const* ClassName() const override { return "TStored"; }
    };
    auto* form = App->CreateForm<TStored>();
    tk::ReadComponentText(form,
        "object Stored1: TStored\n"
        "  BorderStyle = bsSizeable\n"
        "  ClientWidth = 194\n"
        "  ClientHeight = 103\n"
        "  object Skinned1: TspSkinnedForm\n"
        "    LogoBitMap = {"
            + logoHex
            + "}\n"
              "    DefCaptionFont.Height = 17\n"
              "    DefCaptionFont.Name = 'Times New Roman'\n"
              "    DefInActiveCaptionFont.Color = clGrayText\n"
              "    DefMenuItemFont.Height = 18\n"
              "    DefMenuItemFont.Style = [fsItalic]\n"
              "    UseSkinFontInMenu = False\n"
              "    DefMenuItemHeight = 26\n"
              "    MenusAlphaBlendAnimation = True\n"
              "  end\n"
              "end\n",
        "Stored1");
    auto* skinned = tk::FindComponentAs<TspSkinnedForm>(form, "Skinned1");
    EXPECT_EQ(skinned->LogoBitMap().Width(), 3);
    EXPECT_EQ(skinned->LogoBitMap().Pixel(1, 1) & 0xFFFFFF, base::ColorToRGB(base::clRed));
    EXPECT_EQ(skinned->DefCaptionFont().Height(), 17);
    EXPECT_EQ(skinned->DefCaptionFont().Name(), "Times New Roman");
    EXPECT_TRUE(skinned->DefCaptionFont().Style() & gfx::fsBold) << "unwritten parts keep their default";
    EXPECT_EQ(skinned->DefInActiveCaptionFont().Color(), base::clGrayText);
    EXPECT_EQ(skinned->DefMenuItemFont().Height(), 18);
    EXPECT_EQ(skinned->DefMenuItemFont().Name(), "Arial");

    std::string const written = tk::WriteComponentText(form);
    EXPECT_NE(written.find("DefMenuItemFont.Height = 18"), std::string::npos) << written;
    EXPECT_NE(written.find("DefCaptionFont.Name = 'Times New Roman'"), std::string::npos);
    EXPECT_NE(written.find("LogoBitMap = {"), std::string::npos);
    EXPECT_EQ(written.find("DefMenuItemFont.Name"), std::string::npos) << "defaults are not written";

    // The skin menu opens with them: the plain look at 26 pixels, then with the skin but
    // in the form's own font (not the skin's), and faded in to its end state.
    form->Show();
    App->ProcessMessages();
    skinned->ShowSystemMenu({ 100, 100 });
    TspSkinPopupMenu* menu = skinned->SkinMenu();
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(menu->ItemRect(0).Height(), 26);
    EXPECT_FALSE(menu->UseSkinFont);
    EXPECT_EQ(menu->DefItemFont.Height(), 18);
    EXPECT_TRUE(menu->AlphaBlendAnimation);
    EXPECT_FALSE(win::GetWindowLongPtr(menu->Handle(), win::GWL_EXSTYLE) & win::WS_EX_LAYERED)
        << "a fade to opaque ends without the layered style";
    int const plainWidth = menu->ItemRect(0).Width();
    menu->Close();
    gfx::TFont small;
    small.Assign(skinned->DefMenuItemFont());
    small.SetHeight(10);
    small.SetStyle(0);
    skinned->SetDefMenuItemFont(small);
    skinned->ShowSystemMenu({ 100, 100 });
    EXPECT_LT(menu->ItemRect(0).Width(), plainWidth) << "the items measured in the smaller font";
    menu->Close();
}

// An animation object that acts as a caption button is placed with the standard buttons:
// beside them at every width, not at its picture position under them.
TEST_F(SkinBehaviourTest, AnimationButtonIsArrangedWithTheCaptionButtons)
{
    tk::TComponentPtr<TspSkinData> skin(new TspSkinData(nullptr));
    skin->SetCompressedStoredSkin(Stored.get());
    auto anim = std::make_unique<TspDataSkinAnimate>("trayanim");
    anim->SkinRect = Rect(60, 6, 76, 22); // in the stretched top band
    anim->ButtonStyle = true;
    anim->Command = cmMinimizeToTray;
    anim->CountFrames = 1;
    anim->ActivePictureIndex = -1;
    skin->ObjectList.push_back(std::move(anim));
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    Skinned->SetSkinData(skin.get());
    Form->Show();
    App->ProcessMessages();
    TspActiveSkinObject* tray = Skinned->ObjectByIDName("trayanim");
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(tray->VisibleState);
    auto leftmostButton = [&] {
        int left = Form->Width();
        for (auto const& o : Skinned->ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
                b && b->VisibleState && b->StdCommand != cmSysMenu)
                left = std::min(left, b->ObjectRect.Left);
        return left;
    };
    EXPECT_EQ(tray->ObjectRect.Right, leftmostButton() - Data->ButtonsOffset);
    EXPECT_EQ(tray->ObjectRect.Width(), 16);
    int const at200 = tray->ObjectRect.Left;
    Form->SetBounds(Form->Left(), Form->Top(), 300, 135);
    EXPECT_EQ(tray->ObjectRect.Left, at200 + 100);
    EXPECT_EQ(tray->ObjectRect.Right, leftmostButton() - Data->ButtonsOffset);
    Skinned->SetSkinData(nullptr);
}
