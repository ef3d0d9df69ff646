// Hit testing, mouse handling, window commands and the system menu of the skinned form on
// the headless window system, with the dialog's skin (152 x 125 picture, border width 3,
// hit-test points LT 10,29 and LB 5,119, client rectangle 3,29,149,122).
#include "SkinFormTestUtil.h"
#include "platform/toolkit/StdCtrls.h"
#include "skin/data/ResourceStrData.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/TrayIcon.h"

#include <string>
#include <vector>

using namespace xe;
using namespace xe::skin;
using namespace xe::test;
using base::Rect;
using base::TRect;

namespace {

struct SkinWindowTest : SkinFormTest {
    // The first form is the application's main form: the forms under test come after it.
    void SetUp() override
    {
        SkinFormTest::SetUp();
        MainForm = App->CreateForm<tk::TForm>();
    }
    TspSkinnedForm* MakeSkinned(int left, int top, int width = 200, int height = 135)
    {
        Make(tk::bsSizeable, width, height);
        Attach();
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(left, top, width, height);
        return Skinned;
    }
    static std::vector<std::string> Captions(tk::TPopupMenu* menu)
    {
        std::vector<std::string> r;
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            tk::TMenuItem* item = menu->Items()->Items(i);
            std::string const cut = tk::ShortCutToText(item->ShortCut());
            r.push_back(item->Caption() + (cut.empty() ? "" : "\t" + cut));
        }
        return r;
    }
    bool IsSizing(int code) const { return code >= win::HTLEFT && code <= win::HTBOTTOMRIGHT; }

    tk::TForm* MainForm = nullptr;
};

} // namespace

TEST_F(SkinWindowTest, HitTestsFollowSizeableStateAndMaximise)
{
    MakeSkinned(0, 0);
    Form->Show();
    App->ProcessMessages();
    // Mapped left points: LT (10, 29), LB (5, 129) on a 200 x 135 form.
    EXPECT_EQ(HitTest(2, 80), win::HTLEFT);
    EXPECT_EQ(HitTest(198, 80), win::HTRIGHT);
    EXPECT_EQ(HitTest(1, 1), win::HTTOPLEFT);
    EXPECT_EQ(HitTest(100, 133), win::HTBOTTOM);
    EXPECT_EQ(HitTest(100, 80), win::HTCLIENT);
    EXPECT_EQ(HitTest(100, 10), win::HTCAPTION);

    Skinned->Sizeable = false;
    for (int y = 0; y < 135; ++y)
        for (int x : { 0, 1, 2, 3, 100, 196, 197, 198, 199 })
            ASSERT_FALSE(IsSizing(HitTest(x, y))) << x << "," << y;
    for (int x = 0; x < 200; ++x)
        for (int y : { 0, 1, 2, 132, 133, 134 })
            ASSERT_FALSE(IsSizing(HitTest(x, y))) << x << "," << y;
    EXPECT_EQ(HitTest(2, 80), win::HTOBJECT);

    Skinned->Sizeable = true;
    Skinned->ChangeWindowState(wsMaximized);
    EXPECT_EQ(HitTest(Form->Left() + 2, Form->Top() + 80), win::HTOBJECT) << "no sizing when maximised";
    EXPECT_EQ(HitTest(Form->Left() + 100, Form->Top() + 80), win::HTCLIENT);
}

TEST_F(SkinWindowTest, ClientModeHitTestsAnswerClientOffTheBorder)
{
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(0, 0, 152, 125);
    Form->Show();
    App->ProcessMessages();
    EXPECT_EQ(HitTest(1, 60), win::HTLEFT);
    EXPECT_EQ(HitTest(76, 10), win::HTCLIENT) << "the caption is client area in client mode";
    EXPECT_EQ(HitTest(76, 60), win::HTCLIENT);
    Skinned->Sizeable = false;
    EXPECT_EQ(HitTest(1, 60), win::HTCLIENT);
}

TEST_F(SkinWindowTest, PressedButtonKeepsTheMouseAndNoOtherObjectLightsUp)
{
    MakeSkinned(40, 40);
    Form->Show();
    App->ProcessMessages();
    auto* close = Button("closebutton");
    auto* max = Button("maximizebutton");
    ASSERT_TRUE(close && max);
    std::vector<std::string> enters;
    Skinned->OnMouseEnterEvent = [&](std::string const& id) { enters.push_back(id); };
    TRect const c = close->ObjectRect, m = max->ObjectRect;
    H->Move(40 + c.Left + 4, 40 + c.Top + 4);
    H->Sleep(60);
    H->Press(40 + c.Left + 4, 40 + c.Top + 4);
    H->Do([&] {
        EXPECT_EQ(win::GetCapture(), Form->Handle());
        EXPECT_EQ(Skinned->MouseCaptureObject, Skinned->ActiveObject);
    });
    H->Move(40 + m.Left + 4, 40 + m.Top + 4);
    H->Sleep(120);
    H->Do([&] {
        EXPECT_FALSE(max->ActiveState) << "another object lit while a button is held";
        EXPECT_EQ(Skinned->ActiveObject, -1);
    });
    H->Release(40 + m.Left + 4, 40 + m.Top + 4);
    H->RunScript();
    EXPECT_EQ(enters, (std::vector<std::string> { "closebutton" }));
    EXPECT_EQ(Skinned->MouseCaptureObject, -1);
    EXPECT_NE(win::GetCapture(), Form->Handle());
    EXPECT_TRUE(Form->Visible());
    EXPECT_EQ(Skinned->WindowState, wsNormal) << "the release on another button runs nothing";
}

TEST_F(SkinWindowTest, CaptionPressIsNotCapturedAndMovesTheWindow)
{
    MakeSkinned(40, 40);
    Form->Show();
    App->ProcessMessages();
    H->Move(40 + 40, 40 + 12);
    H->Sleep(60);
    H->Drag(40 + 40, 40 + 12, 40 + 90, 40 + 62);
    H->RunScript();
    EXPECT_EQ(Form->Left(), 90);
    EXPECT_EQ(Form->Top(), 90);
    EXPECT_EQ(Skinned->MouseCaptureObject, -1);
    EXPECT_FALSE(Skinned->InSizeMove);
}

TEST_F(SkinWindowTest, InactiveFormLightsNothingAndTheTimerClearsTheActiveObject)
{
    MakeSkinned(40, 40);
    Form->Show();
    MainForm->SetBounds(400, 400, 100, 100);
    MainForm->Show(); // takes the activation
    App->ProcessMessages();
    ASSERT_FALSE(Skinned->IsFormActive());
    auto* close = Button("closebutton");
    TRect const c = close->ObjectRect;
    EXPECT_EQ(HitTest(40 + c.Left + 4, 40 + c.Top + 4), win::HTOBJECT);
    EXPECT_EQ(Skinned->ActiveObject, -1);
    EXPECT_FALSE(close->ActiveState);

    win::SetActiveWindow(Form->Handle());
    App->ProcessMessages();
    H->Move(40 + c.Left + 4, 40 + c.Top + 4);
    H->RunFor(60);
    EXPECT_NE(Skinned->ActiveObject, -1);
    H->Move(40 + 100, 40 + 80);
    H->RunFor(50);
    EXPECT_EQ(Skinned->ActiveObject, -1) << "cleared within one tick";
}

TEST_F(SkinWindowTest, MinimiseMaximiseRestoreReturnToTheFirstBounds)
{
    H->SetMonitors({ { Rect(0, 0, 1024, 768), Rect(0, 0, 1024, 728) } });
    MakeSkinned(100, 120, 300, 200);
    Form->Show();
    App->ProcessMessages();
    Skinned->ChangeWindowState(wsMinimized);
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 728 - 32, 152, 728)) << "the caption strip in the first slot";
    Skinned->ChangeWindowState(wsNormal);
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 120, 400, 320));
    EXPECT_TRUE(base::IsRectEmpty(Skinned->OldBoundsRect));

    Skinned->ChangeWindowState(wsMaximized);
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 1024, 728)) << "the work area, a task bar below";
    Skinned->ChangeWindowState(wsMinimized);
    Skinned->ChangeWindowState(wsNormal);
    EXPECT_EQ(Form->BoundsRect(), Rect(100, 120, 400, 320)) << "back to the bounds before the maximise";

    // Through the caption buttons.
    auto* max = Button("maximizebutton");
    TRect const m = max->ObjectRect;
    H->Move(100 + m.Left + 3, 120 + m.Top + 3);
    H->Sleep(60);
    H->Click(100 + m.Left + 3, 120 + m.Top + 3);
    H->RunScript();
    EXPECT_EQ(Skinned->WindowState, wsMaximized);
}

TEST_F(SkinWindowTest, MaximiseLeavesAPixelWithoutTaskBarAndFillsTheMonitorOnFullScreen)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 600) } });
    MakeSkinned(10, 10);
    Skinned->ChangeWindowState(wsMaximized);
    EXPECT_EQ(Form->BoundsRect(), Rect(1, 1, 799, 599));
    Skinned->ChangeWindowState(wsNormal);
    Skinned->MaximizeOnFullScreen = true;
    Skinned->ChangeWindowState(wsMaximized);
    EXPECT_EQ(Form->BoundsRect(), Rect(0, 0, 800, 600));
    EXPECT_EQ(Skinned->GetMaxWidth(), 800);
    win::MINMAXINFO mmi {};
    win::SendMessage(Form->Handle(), win::WM_GETMINMAXINFO, 0, win::LPARAM(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize, (base::TPoint { 152, 32 }));
    EXPECT_EQ(mmi.ptMaxTrackSize, (base::TPoint { 800, 600 }));
}

TEST_F(SkinWindowTest, MinimisedFormsTakeSeparateSlotsAndWrapUpwards)
{
    H->SetMonitors({ { Rect(0, 0, 400, 300), Rect(0, 0, 400, 300) } });
    std::vector<TspSkinnedForm*> forms;
    for (int i = 0; i < 3; ++i) {
        forms.push_back(MakeSkinned(50, 50));
        Form->Show();
    }
    for (auto* f : forms)
        f->ChangeWindowState(wsMinimized);
    auto topLeft = [](TspSkinnedForm* f) { return base::TPoint { f->Form()->Left(), f->Form()->Top() }; };
    EXPECT_EQ(topLeft(forms[0]), (base::TPoint { 0, 268 }));
    EXPECT_EQ(topLeft(forms[1]), (base::TPoint { 152, 268 }));
    EXPECT_EQ(topLeft(forms[2]), (base::TPoint { 0, 236 })) << "a third slot would pass the right edge";

    // The main form minimises the application and keeps its state.
    auto* mainSkinned = new TspSkinnedForm(MainForm);
    MainForm->Show();
    mainSkinned->ChangeWindowState(wsMinimized);
    EXPECT_EQ(mainSkinned->WindowState, wsNormal);
    EXPECT_TRUE(win::IsApplicationMinimized());
}

TEST_F(SkinWindowTest, MagneticSnapAtNineNotTenAndHeldWhileMaximised)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 560) } });
    MakeSkinned(100, 100);
    Skinned->Magnetic = true;
    int x = 9, y = 10;
    Skinned->SnapToWorkArea(x, y, 200, 135);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 10);
    x = 800 - 200 + 9, y = 560 - 135 - 9;
    Skinned->SnapToWorkArea(x, y, 200, 135);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, 425);
    win::RECT r = Rect(-5, 300, 195, 435);
    win::SendMessage(Form->Handle(), win::WM_MOVING, 0, win::LPARAM(&r));
    EXPECT_EQ(r, Rect(0, 300, 200, 435));
    Skinned->Magnetic = false;
    r = Rect(-5, 300, 195, 435);
    win::SendMessage(Form->Handle(), win::WM_MOVING, 0, win::LPARAM(&r));
    EXPECT_EQ(r, Rect(-5, 300, 195, 435));
    Skinned->ChangeWindowState(wsMaximized);
    r = Rect(50, 50, 60, 60);
    win::SendMessage(Form->Handle(), win::WM_MOVING, 0, win::LPARAM(&r));
    EXPECT_EQ(r, Form->BoundsRect());
}

TEST_F(SkinWindowTest, FadeInEndsOpaqueOrAtTheBlendValue)
{
    MakeSkinned(10, 10);
    Skinned->AlphaBlendAnimation = true;
    Form->Show();
    H->RunFor(20); // the shortest timer interval is 10 ms
    auto ex = [&] { return win::GetWindowLongPtr(Form->Handle(), win::GWL_EXSTYLE) & win::WS_EX_LAYERED; };
    EXPECT_EQ(ex(), 0) << "animated to opaque, layering removed";
    EXPECT_EQ(H->NativeOpacity(Form->Handle()), 255);
    Form->Hide();

    Skinned->SetAlphaBlendValue(200);
    Skinned->SetAlphaBlend(true);
    Form->Show();
    H->RunFor(20); // the shortest timer interval is 10 ms
    EXPECT_NE(ex(), 0);
    uint8_t alpha = 0;
    win::GetLayeredWindowAttributes(Form->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);
    Skinned->SetAlphaBlendValue(120);
    win::GetLayeredWindowAttributes(Form->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 120) << "applied at once while blending";
    Skinned->SetAlphaBlend(false);
    EXPECT_EQ(ex(), 0);
}

TEST_F(SkinWindowTest, SystemMenuItemsInEachStateAndInBothForms)
{
    MakeSkinned(10, 10);
    Skinned->SetBorderIcons(0);
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()), (std::vector<std::string> { "&Close\tAlt+F4" }));
    Skinned->ChangeWindowState(wsMaximized);
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> { "&Restore", "-", "&Close\tAlt+F4" }));
    Skinned->ChangeWindowState(wsNormal);

    Skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> {
            "Mi&nimize", "Ma&ximize", "Ro&llUp", "Minimize to &Tray", "-", "&Close\tAlt+F4" }));
    Skinned->SetRollUpState(true);
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> {
            "Mi&nimize", "Ma&ximize", "&Restore", "Minimize to &Tray", "-", "&Close\tAlt+F4" }));
    Skinned->SetRollUpState(false);

    // A user menu keeps its own items; the standard ones go round them, once.
    tk::TPopupMenu user(nullptr);
    auto* own = new tk::TMenuItem(&user);
    own->SetCaption("About");
    user.Items()->Add(own);
    Skinned->SetSystemMenu(&user);
    Skinned->SetBorderIcons(biMinimize | biRollUp);
    Skinned->BuildSystemMenu();
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> { "Mi&nimize", "Ro&llUp", "About", "&Close\tAlt+F4" }));
    Skinned->UseDefaultSysMenu = false;
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> { "Mi&nimize", "Ro&llUp", "About", "&Close\tAlt+F4" }))
        << "left as it is";
    Skinned->SetSystemMenu(nullptr);

    // Interface strings replace the built-in captions.
    TspResourceStrData strings(nullptr);
    strings.SetResStrings({ "MI_CLOSECAPTION=Shut", "MI_MINCAPTION=Small" });
    Data->SetResourceStrData(&strings);
    EXPECT_EQ(Captions(Skinned->BuildSystemMenu()),
        (std::vector<std::string> { "Small", "", "-", "Shut\tAlt+F4" }));
    Data->SetResourceStrData(nullptr);
}

TEST_F(SkinWindowTest, PopupMenuFollowsKeysAndMouseAndReportsOpenAndClose)
{
    MakeSkinned(50, 50);
    Form->Show();
    App->ProcessMessages();
    std::vector<std::string> events;
    Skinned->OnSkinMenuOpen = [&](tk::TComponent*) { events.push_back("open"); };
    Skinned->OnSkinMenuClose = [&](tk::TComponent*) { events.push_back("close"); };
    TspSkinPopupMenu* menu = Skinned->SkinMenu();

    // Right click in the caption: the menu opens at the cursor.
    H->Move(50 + 40, 50 + 12);
    H->Sleep(60);
    H->Click(50 + 40, 50 + 12, win::mbRight);
    H->RunScript();
    ASSERT_TRUE(menu->Visible());
    EXPECT_EQ(events, (std::vector<std::string> { "open" }));
    win::RECT wr;
    win::GetWindowRect(menu->Handle(), &wr);
    EXPECT_EQ(wr.Left, 90);
    EXPECT_EQ(wr.Top, 62);
    ASSERT_EQ(menu->ItemCount(), 5); // minimise, maximise, roll-up, separator, close
    // Drawn from the skin: the popup frame's corner and the menu item's normal image.
    ASSERT_TRUE(menu->Skinned());
    App->ProcessMessages();
    gfx::TBitmap const shot = win::CaptureWindow(menu->Handle());
    gfx::TBitmap const& frame = *Data->ActivePictures[size_t(Data->PopupWindow.WindowPictureIndex)];
    EXPECT_EQ(shot.Pixel(0, 0), frame.Pixel(0, 0));
    EXPECT_EQ(shot.Pixel(1, 1), frame.Pixel(1, 1));
    EXPECT_FALSE(win::GetWindowLongPtr(menu->Handle(), win::GWL_EXSTYLE) & win::WS_EX_LAYERED);

    // Keys reach the menu through the form: down twice lights the roll-up item, Escape closes.
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_DOWN);
    H->RunScript();
    EXPECT_EQ(menu->ItemIndex(), 2);
    H->KeyPress(win::VK_DOWN); // over the separator
    H->RunScript();
    EXPECT_EQ(menu->ItemIndex(), 4);
    H->KeyPress(win::VK_ESCAPE);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(events, (std::vector<std::string> { "open", "close" }));
    EXPECT_EQ(Skinned->WindowState, wsNormal);

    // Enter runs the lit item.
    Skinned->ShowSystemMenu({ 300, 300 });
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_DOWN);
    H->KeyPress(win::VK_RETURN);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(Skinned->WindowState, wsMaximized);
    Skinned->ChangeWindowState(wsNormal);

    // The mouse: hovering lights an item, a click outside closes without a choice, a click
    // on an item runs it.
    Skinned->ShowSystemMenu({ 300, 300 });
    TRect const roll = menu->ItemRect(2);
    H->Move(300 + roll.Left + 5, 300 + roll.Top + 3);
    H->RunScript();
    EXPECT_EQ(menu->ItemIndex(), 2);
    H->Click(10, 10);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_FALSE(Skinned->RollUpState());
    Skinned->ShowSystemMenu({ 300, 300 });
    H->Click(300 + roll.Left + 5, 300 + roll.Top + 3);
    H->RunScript();
    EXPECT_TRUE(Skinned->RollUpState());
    Skinned->SetRollUpState(false);

    // A mnemonic chooses its item; the menu is translucent with the menu alpha settings.
    Skinned->MenusAlphaBlend = true;
    Skinned->MenusAlphaBlendValue = 180;
    Skinned->ShowSystemMenu({ 300, 300 });
    uint8_t alpha = 0;
    win::GetLayeredWindowAttributes(menu->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 180);
    H->KeyPress('C');
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_FALSE(Form->Visible()) << "closed through its close item";
}

TEST_F(SkinWindowTest, RollUpAndDownInBothModes)
{
    MakeSkinned(10, 10);
    int changes = 0;
    Skinned->OnChangeRollUpState = [&](tk::TComponent*) { ++changes; };
    Skinned->SetRollUpState(true);
    EXPECT_EQ(Form->Height(), 32) << "the frame without client area";
    Skinned->SetRollUpState(true);
    EXPECT_EQ(Skinned->OldHeight, 135) << "rolling up twice keeps the height to come back to";
    Skinned->SetRollUpState(false);
    EXPECT_EQ(Form->Height(), 135);
    EXPECT_EQ(changes, 2);

    // Rolled up while maximised: remembered, and the restore item rolls down.
    Skinned->ChangeWindowState(wsMaximized);
    Skinned->SetRollUpState(true);
    EXPECT_TRUE(Skinned->MaxRollUpState);
    Skinned->SetRollUpState(false);
    EXPECT_FALSE(Skinned->MaxRollUpState);
    Skinned->ChangeWindowState(wsNormal);

    // Refused without the icon and when minimised.
    Skinned->SetBorderIcons(biMinimize);
    Skinned->SetRollUpState(true);
    EXPECT_FALSE(Skinned->RollUpState());
    Skinned->SetBorderIcons(biRollUp);
    Skinned->ChangeWindowState(wsMinimized);
    Skinned->SetRollUpState(true);
    EXPECT_FALSE(Skinned->RollUpState());
    EXPECT_EQ(changes, 4) << "refusals fire nothing";

    // Client mode: the roll-up picture's strip, controls hidden and shown again.
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(Data.get());
    auto* label = new tk::TLabel(Form);
    label->SetParent(Form);
    Skinned->SetRollUpState(true);
    EXPECT_FALSE(Skinned->RollUpState()) << "no roll-up picture in the skin";
    Data->RollUpPicture() = gfx::TBitmap(152, 24);
    Skinned->SetRollUpState(true);
    EXPECT_TRUE(Skinned->RollUpState());
    EXPECT_EQ(Form->Height(), 24);
    EXPECT_FALSE(label->Visible());
    Skinned->SetRollUpState(false);
    EXPECT_TRUE(label->Visible());
    EXPECT_EQ(Form->Height(), 125);
}

TEST_F(SkinWindowTest, CaptionDoubleClickRollsAFixedFormAndMaximisesASizeableOne)
{
    MakeSkinned(40, 40);
    Form->Show();
    App->ProcessMessages();
    H->Move(40 + 40, 40 + 12);
    H->Sleep(60);
    H->DoubleClick(40 + 40, 40 + 12);
    H->RunScript();
    EXPECT_EQ(Skinned->WindowState, wsMaximized);
    Skinned->ChangeWindowState(wsNormal);

    Skinned->Sizeable = false;
    H->Move(40 + 40, 40 + 12);
    H->Sleep(60);
    H->DoubleClick(40 + 40, 40 + 12);
    H->RunScript();
    EXPECT_TRUE(Skinned->RollUpState());
    EXPECT_EQ(Skinned->WindowState, wsNormal);
    Skinned->SetRollUpState(false);
    Skinned->SetBorderIcons(0);
    H->Sleep(1000);
    H->DoubleClick(40 + 40, 40 + 12);
    H->RunScript();
    EXPECT_FALSE(Skinned->RollUpState()) << "refused without the roll-up icon";
}

TEST_F(SkinWindowTest, TrayIconRecordsItsStateAndItsMenuRestores)
{
    MakeSkinned(10, 10);
    Form->Show();
    TspTrayIcon tray(nullptr);
    tray.ShowIcon();
    Skinned->SetTrayIcon(&tray);
    EXPECT_FALSE(tray.Shown()) << "hidden unless always shown";
    ASSERT_EQ(tray.PopupMenu, Skinned->TrayMenu());
    EXPECT_EQ(Captions(tray.PopupMenu), (std::vector<std::string> { "&Restore", "-", "&Close\tAlt+F4" }));
    int minimised = 0, restored = 0;
    Skinned->OnMinimizeToTray = [&](tk::TComponent*) { ++minimised; };
    Skinned->OnRestoreFromTray = [&](tk::TComponent*) { ++restored; };
    Skinned->MinimizeToTray();
    EXPECT_TRUE(tray.MinimizedToTray);
    EXPECT_TRUE(tray.Shown());
    EXPECT_TRUE(win::IsApplicationMinimized());
    EXPECT_TRUE(Form->Visible()) << "never hidden: no notification area holds it";
    tray.PopupMenu->Items()->Items(0)->Click();
    EXPECT_FALSE(tray.MinimizedToTray);
    EXPECT_FALSE(tray.Shown());
    EXPECT_FALSE(win::IsApplicationMinimized());
    EXPECT_EQ(minimised, 1);
    EXPECT_EQ(restored, 1);
    Skinned->SetTrayIcon(nullptr);
}

// An icon left for another, or outliving its component, keeps nothing that calls back into
// it; a menu of the user's own stays with the icon.
TEST_F(SkinWindowTest, TrayIconLeftOrOutlivingItsComponentKeepsNothingOfIt)
{
    MakeSkinned(10, 10);
    Form->Show();
    TspTrayIcon left(nullptr), mine(nullptr), outliving(nullptr);
    tk::TPopupMenu own(nullptr);
    mine.PopupMenu = &own;
    Skinned->SetTrayIcon(&left);
    ASSERT_EQ(left.PopupMenu, Skinned->TrayMenu());
    Skinned->SetTrayIcon(&mine);
    EXPECT_EQ(left.PopupMenu, nullptr);
    EXPECT_FALSE(left.OnRestoreRequest);
    ASSERT_TRUE(mine.OnRestoreRequest);
    Skinned->SetTrayIcon(&outliving);
    EXPECT_EQ(mine.PopupMenu, &own);
    EXPECT_FALSE(mine.OnRestoreRequest);

    tk::TComponent::Free(Skinned);
    Skinned = nullptr;
    EXPECT_EQ(outliving.PopupMenu, nullptr);
    EXPECT_FALSE(outliving.OnRestoreRequest);
    outliving.RequestRestore();
}

TEST_F(SkinWindowTest, WithATrayTheFormHidesAndTheIconBringsItBack)
{
    MakeSkinned(10, 10);
    Form->Show();
    TspTrayIcon tray(nullptr);
    tray.SetHint("Export");
    Skinned->SetTrayIcon(&tray);
    H->SetTrayAvailable(true);
    int restored = 0;
    Skinned->OnRestoreFromTray = [&](tk::TComponent*) { ++restored; };

    Skinned->MinimizeToTray();
    EXPECT_TRUE(tray.TrayAvailable());
    ASSERT_EQ(H->TrayIconCount(), 1);
    EXPECT_EQ(H->TrayIconTip(0), "Export");
    EXPECT_FALSE(H->NativeInTaskbar(Form->Handle())) << "hidden: the icon is the way back";
    H->ClickTrayIcon(0);
    H->RunScript();
    EXPECT_EQ(restored, 1);
    EXPECT_TRUE(H->NativeVisible(Form->Handle()));
    EXPECT_FALSE(tray.MinimizedToTray);
    EXPECT_EQ(H->TrayIconCount(), 0) << "hidden again unless always shown";

    // A right click opens the tray menu at the cursor; its restore item brings the form back.
    Skinned->MinimizeToTray();
    H->ClickTrayIcon(0, win::mbRight);
    H->RunScript();
    TspSkinPopupMenu* menu = tray.Menu();
    ASSERT_TRUE(menu->Visible());
    ASSERT_EQ(menu->ItemCount(), 3);
    EXPECT_EQ(menu->Item(0)->Name(), "TRAY_SF_RESTORE");
    win::RECT r;
    win::GetWindowRect(menu->Handle(), &r);
    TRect const item = menu->ItemRect(0);
    H->Move(r.Left + item.Left + 5, r.Top + item.Top + 5);
    H->Click(r.Left + item.Left + 5, r.Top + item.Top + 5);
    H->RunScript();
    EXPECT_FALSE(menu->Visible());
    EXPECT_EQ(restored, 2);
    EXPECT_TRUE(H->NativeVisible(Form->Handle()));

    // The tray goes while the form is in it: the form comes back as from the icon.
    Skinned->MinimizeToTray();
    EXPECT_FALSE(H->NativeInTaskbar(Form->Handle()));
    H->SetTrayAvailable(false);
    H->RunScript();
    EXPECT_TRUE(H->NativeVisible(Form->Handle()));
    EXPECT_FALSE(win::IsApplicationMinimized());
    EXPECT_FALSE(tray.TrayAvailable());
    EXPECT_FALSE(tray.MinimizedToTray);
    EXPECT_EQ(restored, 3);
    Skinned->SetTrayIcon(nullptr);
}

TEST_F(SkinWindowTest, ClientModeDragsWithMagnetAndShowsSkinCursors)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 600) } });
    Make(tk::bsNone, 152, 125);
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(Data.get());
    Skinned->DraggAble = true;
    Skinned->Magnetic = true;
    Skinned->UseSkinCursors = true;
    Data->FormCursorIndex = 2;
    Form->SetBounds(100, 100, 152, 125);
    Form->Show();
    App->ProcessMessages();
    // A press off the objects drags the form; near the left edge it snaps to it.
    H->Drag(100 + 76, 100 + 60, 100 + 76 - 94, 100 + 60 + 30);
    H->RunScript();
    EXPECT_EQ(Form->Left(), 0) << "6 pixels from the edge";
    EXPECT_EQ(Form->Top(), 130);
    EXPECT_FALSE(Skinned->ClientDragging);
    H->Move(76, 190);
    H->RunFor(60);
    EXPECT_EQ(Form->Cursor(), Data->StartCursorIndex + 2);
    Skinned->UseSkinCursors = false;
}

TEST_F(SkinWindowTest, KeyboardMenuCommandClosesAnOpenMenuAndIsNotPassedOn)
{
    MakeSkinned(50, 50);
    Form->Show();
    App->ProcessMessages();
    Skinned->ShowSystemMenu({ 300, 300 });
    ASSERT_TRUE(Skinned->SkinMenu()->Visible());
    win::SendMessage(Form->Handle(), win::WM_SYSCOMMAND, win::SC_KEYMENU, 0);
    EXPECT_FALSE(Skinned->SkinMenu()->Visible());
}

// Moving the form or asking the form to close its menus closes an open skin menu; a focus
// change does not (under X the pointer may take the focus onto the menu as it opens).
TEST_F(SkinWindowTest, MovesAndTheCloseMenusMessageCloseAnOpenMenuFocusChangesDoNot)
{
    MakeSkinned(50, 50);
    Form->Show();
    App->ProcessMessages();
    Skinned->ShowSystemMenu({ 300, 300 });
    ASSERT_TRUE(Skinned->SkinMenu()->Visible());
    win::SendMessage(Form->Handle(), win::WM_KILLFOCUS, 0, 0);
    win::SendMessage(Form->Handle(), win::WM_ACTIVATE, win::WA_INACTIVE, 0);
    EXPECT_TRUE(Skinned->SkinMenu()->Visible());
    Form->SetBounds(Form->Left() + 10, Form->Top(), Form->Width(), Form->Height());
    EXPECT_FALSE(Skinned->SkinMenu()->Visible()) << "closed by the move";

    Skinned->ShowSystemMenu({ 300, 300 });
    ASSERT_TRUE(Skinned->SkinMenu()->Visible());
    win::SendMessage(Form->Handle(), SkinMsg_CloseMenus, 0, 0);
    EXPECT_FALSE(Skinned->SkinMenu()->Visible());
}

TEST_F(SkinWindowTest, WithoutSkinTheMenuHasThePlainLook)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->DefMenuItemHeight = 22;
    Form->Show();
    App->ProcessMessages();
    Skinned->ShowSystemMenu({ 100, 100 });
    TspSkinPopupMenu* menu = Skinned->SkinMenu();
    ASSERT_TRUE(menu->Visible());
    EXPECT_FALSE(menu->Skinned());
    ASSERT_EQ(menu->ItemCount(), 5);
    EXPECT_EQ(menu->ItemRect(0).Height(), 22);
    EXPECT_EQ(menu->ItemRect(1).Top, menu->ItemRect(0).Bottom);
    menu->Close();
}
