// Behaviour of the skinned form on the headless window system, with the skin that the
// confirmation dialog carries (152 x 125 picture, LT 10,29, RT 141,29, LB 5,119, RB 146,119,
// client rectangle 3,29,149,122, caption 5,4,147,27, caption buttons in picture 0).
#include "skin/form/SkinnedForm.h"

#include "SkinFormTestUtil.h"
#include "platform/base/Strings.h"
#include "skin/draw/CaptionObjects.h"

#include <algorithm>

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

struct SkinnedFormTest : SkinFormTest { };

// Records what reaches the form's own window procedure (the one the component replaced).
struct TRecorder {
    std::vector<win::UINT> Seen;
    int CaptionRightAtSize = -1;
};

} // namespace

// A borderless form behaves as the confirmation dialog: no frame, no region, no painting,
// but the skin's geometry answers the hit tests.
TEST_F(SkinnedFormTest, BorderlessFormGetsGeometryAndHitTestsOnly)
{
    Make(tk::bsNone, 200, 135);
    Attach();
    Skinned->SetBorderIcons(0);
    Skinned->Sizeable = false;
    Skinned->SetSkinData(Data.get());
    EXPECT_EQ(Form->Width(), 200);
    EXPECT_EQ(Form->Height(), 135);
    EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 200, 135)) << "no non-client area";
    EXPECT_EQ(Skinned->NewClRect, Rect(3, 29, 197, 132));
    TspSkinCaptionObject* caption = Caption();
    ASSERT_TRUE(caption);
    EXPECT_EQ(caption->ObjectRect, Rect(5, 4, 195, 27));
    EXPECT_EQ(Skinned->GetMinWidth(), 152);
    EXPECT_EQ(Skinned->GetMinHeight(), 32);
    for (auto const& o : Skinned->ObjectList) {
        auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
        if (b) {
            EXPECT_FALSE(b->VisibleState) << b->IDName << " without border icons";
        }
    }
    gfx::TRegion region;
    EXPECT_EQ(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR) << "no region";

    Form->SetBounds(50, 60, 200, 135);
    EXPECT_EQ(HitTest(50 + 100, 60 + 80), win::HTCLIENT);
    EXPECT_EQ(HitTest(50 + 3, 60 + 29), win::HTCLIENT);
    EXPECT_EQ(HitTest(50 + 196, 60 + 131), win::HTCLIENT);
    EXPECT_EQ(HitTest(50 + 5, 60 + 4), win::HTCAPTION);
    EXPECT_EQ(HitTest(50 + 194, 60 + 26), win::HTCAPTION);
    EXPECT_EQ(HitTest(50 + 195, 60 + 10), win::HTOBJECT) << "right of the caption band";
    EXPECT_EQ(HitTest(50 + 100, 60 + 28), win::HTOBJECT) << "between caption and client";
    EXPECT_EQ(HitTest(50 + 1, 60 + 80), win::HTOBJECT) << "left edge";
    EXPECT_EQ(HitTest(50 + 100, 60 + 133), win::HTOBJECT) << "bottom edge";

    // Painting the frame draws nothing on a borderless form.
    Form->Show();
    App->ProcessMessages();
    gfx::TBitmap before = win::CaptureWindow(Form->Handle());
    win::SendMessage(Form->Handle(), win::WM_NCPAINT, 1, 0);
    win::SendMessage(Form->Handle(), win::WM_NCACTIVATE, win::FALSE, 0);
    EXPECT_TRUE(SameBitmaps(before, win::CaptureWindow(Form->Handle())));
}

TEST_F(SkinnedFormTest, BorderlessCaptionBandMovesTheForm)
{
    Make(tk::bsNone, 200, 135);
    Attach();
    Skinned->SetBorderIcons(0);
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(50, 60, 200, 135);
    Form->Show();
    // Screen coordinates: positions relative to the moving window would move with it.
    H->Drag(50 + 20, 60 + 10, 50 + 60, 60 + 40);
    H->RunScript();
    EXPECT_EQ(Form->Left(), 90);
    EXPECT_EQ(Form->Top(), 90);
}

TEST_F(SkinnedFormTest, RoutingReplacesFrameMessagesAndPassesTheRestOn)
{
    Make(tk::bsSizeable, 200, 135);
    TRecorder rec;
    tk::TWndMethod formProc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        rec.Seen.push_back(m.Msg);
        if (m.Msg == win::WM_SIZE && Skinned && Caption())
            rec.CaptionRightAtSize = Caption()->ObjectRect.Right;
        formProc(m);
    };
    Attach();
    Skinned->SetSkinData(Data.get());
    win::HWND h = Form->Handle();
    rec.Seen.clear();
    win::NCCALCSIZE_PARAMS params;
    params.rgrc[0] = Rect(0, 0, 200, 135);
    win::SendMessage(h, win::WM_NCCALCSIZE, win::TRUE, reinterpret_cast<win::LPARAM>(&params));
    win::SendMessage(h, win::WM_NCPAINT, 1, 0);
    win::SendMessage(h, win::WM_NCHITTEST, 0, win::MAKELPARAM(5, 5));
    win::SendMessage(h, win::WM_NCACTIVATE, win::TRUE, 0);
    gfx::TBitmap scratch(10, 10);
    win::SendMessage(h, win::WM_ERASEBKGND, reinterpret_cast<win::WPARAM>(&scratch.Canvas()), 0);
    EXPECT_TRUE(rec.Seen.empty()) << "frame messages are answered by the component";
    // The skin's client rectangle sets the borders: 3, 29, 3, 3.
    EXPECT_EQ(params.rgrc[0], Rect(3, 29, 197, 132));

    win::SendMessage(h, win::WM_SETTEXT, 0, 0);
    win::SendMessage(h, win::WM_ACTIVATE, win::WA_ACTIVE, 0);
    win::SendMessage(h, win::WM_MOUSEMOVE, 0, 0);
    win::SendMessage(h, win::WM_USER + 7, 0, 0);
    // WM_SETFOCUS is what the form's own handling of WM_ACTIVATE sends.
    EXPECT_EQ(rec.Seen,
        (std::vector<win::UINT> {
            win::WM_SETTEXT, win::WM_ACTIVATE, win::WM_SETFOCUS, win::WM_MOUSEMOVE, win::WM_USER + 7 }));

    // WM_SIZE goes on first; the frame follows the new size afterwards.
    rec.Seen.clear();
    Form->SetBounds(Form->Left(), Form->Top(), 260, 180);
    EXPECT_NE(std::find(rec.Seen.begin(), rec.Seen.end(), win::WM_SIZE), rec.Seen.end());
    EXPECT_EQ(rec.CaptionRightAtSize, Caption()->ObjectRect.Right - 60) << "objects still at the old size";
    EXPECT_EQ(Skinned->FrameWidth, 260);
    EXPECT_EQ(Skinned->NewClRect, Rect(3, 29, 257, 177));
    tk::TComponent::Free(Skinned);
    Form->WindowProc = formProc;
}

TEST_F(SkinnedFormTest, ForceResizePassesThroughFullSizeCycles)
{
    Make(tk::bsSizeable, 200, 135);
    std::vector<int> widths;
    tk::TWndMethod formProc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        if (m.Msg == win::WM_SIZE)
            widths.push_back(Form->Width());
        formProc(m);
    };
    Attach();
    Skinned->SetSkinData(Data.get());
    widths.clear();
    Skinned->ForceResize();
    EXPECT_EQ(widths, (std::vector<int> { 199, 200 }));
    // At the minimum width the detour goes one pixel up instead.
    Form->SetBounds(Form->Left(), Form->Top(), 152, 135);
    widths.clear();
    Skinned->ForceResize();
    EXPECT_EQ(widths, (std::vector<int> { 153, 152 }));
    tk::TComponent::Free(Skinned);
    Form->WindowProc = formProc;
}

TEST_F(SkinnedFormTest, SkinChangesFromThisAndFromAnotherSkinData)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    ASSERT_FALSE(Skinned->ObjectList.empty());
    TspActiveSkinObject* first = Skinned->ObjectList.front().get();
    int changes = 0;
    Skinned->OnChangeSkinData = [&](tk::TComponent*) { ++changes; };

    // Another skin data loads and broadcasts: the form's own objects stay.
    tk::TComponentPtr<TspSkinData> other(new TspSkinData(nullptr));
    other->SetCompressedStoredSkin(Stored.get());
    ASSERT_FALSE(other->Empty());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Skinned->ObjectList.front().get(), first);

    // Its own skin data loads again: before the change the skin's objects and region go and
    // the timers stop (the form stands on the built-in frame), after it they are rebuilt.
    bool sawEmptyBetween = false;
    Data->SetCompressedStoredSkin(nullptr);
    tk::TWndMethod proc = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        proc(m);
        if (m.Msg == SkinMsg_BeforeChange && reinterpret_cast<TspSkinData*>(m.WParam) == Data.get())
            sawEmptyBetween = Caption() == nullptr && !Skinned->HasFrameRegion() && !Skinned->SkinSupport()
                && !Skinned->MouseTimerActive();
    };
    Data->SetCompressedStoredSkin(Stored.get());
    Form->WindowProc = proc;
    EXPECT_TRUE(sawEmptyBetween);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(Skinned->SkinSupport());
    EXPECT_FALSE(Skinned->ObjectList.empty());
    EXPECT_TRUE(Skinned->MouseTimerActive());
}

TEST_F(SkinnedFormTest, EmptySkinDataThenLoadingIt)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    tk::TComponentPtr<TspSkinData> empty(new TspSkinData(nullptr));
    Skinned->SetSkinData(empty.get());
    EXPECT_FALSE(Skinned->SkinSupport());
    EXPECT_EQ(Caption(), nullptr) << "only the built-in caption buttons";
    // The built-in frame: 3-pixel borders under a 19-pixel caption.
    EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 194, 110));
    empty->SetCompressedStoredSkin(Stored.get());
    EXPECT_TRUE(Skinned->SkinSupport());
    EXPECT_NE(Caption(), nullptr);
    EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 194, 103));
    empty.reset();
    EXPECT_EQ(Skinned->SkinData(), nullptr) << "a freed skin data is forgotten";
    EXPECT_FALSE(Skinned->SkinSupport());
}

TEST_F(SkinnedFormTest, DestructionRestoresTheWindowProcedure)
{
    Make(tk::bsNone, 200, 135);
    Form->SetBounds(50, 60, 200, 135);
    Form->SetColor(base::clRed);
    Attach();
    Skinned->SetBorderIcons(0);
    Skinned->SetSkinData(Data.get());
    Form->Show();
    App->ProcessMessages();
    ASSERT_EQ(HitTest(50 + 20, 60 + 10), win::HTCAPTION);
    ASSERT_TRUE(Skinned->MouseTimerActive());
    tk::TComponent::Free(Skinned);
    Skinned = nullptr;
    EXPECT_EQ(HitTest(50 + 20, 60 + 10), win::HTCLIENT) << "an ordinary borderless window again";
    Form->Repaint();
    EXPECT_EQ(win::CaptureWindow(Form->Handle()).Pixel(20, 10), base::clRed);
    // Its timers are gone with it: running the clock reaches nothing freed.
    H->RunFor(200);
}

TEST_F(SkinnedFormTest, MapSkinRectAndCaptionButtons)
{
    Make(tk::bsSizeable, 300, 200);
    Attach();
    Skinned->SetSkinData(Data.get());
    // The caption stretches with the top band; corner pieces move with their corners.
    EXPECT_EQ(Skinned->MapSkinRect(Rect(5, 4, 147, 27)), Rect(5, 4, 295, 27));
    EXPECT_EQ(Skinned->MapSkinRect(Rect(2, 2, 8, 8)), Rect(2, 2, 8, 8));
    EXPECT_EQ(Skinned->MapSkinRect(Rect(142, 2, 150, 20)), Rect(290, 2, 298, 20));
    EXPECT_EQ(Skinned->MapSkinRect(Rect(0, 120, 4, 124)), Rect(0, 195, 4, 199));
    EXPECT_EQ(Skinned->MapSkinRect(Rect(147, 120, 150, 124)), Rect(295, 195, 298, 199));
    EXPECT_EQ(Skinned->MapSkinRect(Rect(0, 0, 150, 124)), Rect(0, 0, 298, 199));
    // Buttons from the right of the caption rectangle (5,4)-(295,26), 2 pixels apart: close,
    // maximise, minimise, roll-up; the caption ends at the leftmost one; the system-menu
    // button sits at the caption's left.
    auto* close = Button("closebutton");
    auto* max = Button("maximizebutton");
    auto* min = Button("minimizebutton");
    auto* roll = Button("rollupbutton");
    auto* sys = Button("sysmenubutton");
    ASSERT_TRUE(close && max && min && roll && sys);
    int const w = close->NormalRect.Width();
    EXPECT_EQ(close->ObjectRect.Right, 295);
    EXPECT_EQ(close->ObjectRect.Top, 4);
    EXPECT_EQ(max->ObjectRect.Right, close->ObjectRect.Left - 2);
    EXPECT_EQ(min->ObjectRect.Right, max->ObjectRect.Left - 2);
    EXPECT_EQ(roll->ObjectRect.Right, min->ObjectRect.Left - 2);
    EXPECT_EQ(roll->ObjectRect.Width(), w);
    EXPECT_EQ(Caption()->ObjectRect.Right, roll->ObjectRect.Left);
    EXPECT_EQ(sys->ObjectRect.Left, 5);
    EXPECT_EQ(Caption()->ObjectRect.Left, 5 + sys->NormalRect.Width());
    // Without the roll-up icon the caption ends at the minimise button.
    Skinned->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    ASSERT_TRUE(Button("rollupbutton"));
    EXPECT_FALSE(Button("rollupbutton")->VisibleState);
    EXPECT_EQ(Caption()->ObjectRect.Right, Button("minimizebutton")->ObjectRect.Left);
}

TEST_F(SkinnedFormTest, FramedFormRegionFollowsTheMaskAtEverySize)
{
    Make(tk::bsSizeable, 152, 125);
    Attach();
    Skinned->SetSkinData(Data.get());
    for (auto [w, h] : { std::pair { 152, 125 }, { 260, 180 }, { 400, 300 } }) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Form->SetBounds(0, 0, w, h);
        gfx::TRegion region;
        ASSERT_NE(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR);
        // The mask's rounded top corners are cut off; the client area and the band middles
        // are inside.
        EXPECT_FALSE(region.Contains(0, 0));
        EXPECT_FALSE(region.Contains(w - 1, 0));
        EXPECT_TRUE(region.Contains(w / 2, 2));
        EXPECT_TRUE(region.Contains(w / 2, h / 2));
        EXPECT_TRUE(region.Contains(1, h / 2));
        EXPECT_TRUE(region.Contains(w - 2, h / 2));
        EXPECT_EQ(region.Box().Right, w);
        EXPECT_EQ(region.Box().Bottom, h);
        // The bands stay for hit testing.
        EXPECT_FALSE(Skinned->PointInMask({ 0, 0 }));
        EXPECT_TRUE(Skinned->PointInMask({ w / 2, 2 }));
        EXPECT_EQ(Skinned->MaskBands[0].Width(), w);
    }
}

TEST_F(SkinnedFormTest, ActivationRedrawsTheFrameThroughTheInactiveEffect)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    std::vector<std::string> events;
    Skinned->OnActivate = [&](tk::TComponent*) { events.push_back("activate"); };
    Skinned->OnDeActivate = [&](tk::TComponent*) { events.push_back("deactivate"); };
    Form->Show();
    App->ProcessMessages();
    ASSERT_TRUE(Skinned->IsFormActive());
    base::TColor const ClientPixel = win::CaptureWindow(Form->Handle()).Pixel(100, 80);
    base::TColor const active = win::CaptureWindow(Form->Handle()).Pixel(100, 1);

    // Another window takes the activation: the frame is brightened by half.
    tk::TForm* other = App->CreateForm<tk::TForm>();
    other->SetBounds(400, 400, 50, 50);
    other->Show();
    App->ProcessMessages();
    EXPECT_FALSE(Skinned->IsFormActive());
    EXPECT_FALSE(Skinned->MouseTimerActive()) << "an inactive form does not track the mouse";
    base::TColor const inactive = win::CaptureWindow(Form->Handle()).Pixel(100, 1);
    EXPECT_NE(active, inactive);
    for (int shift : { 0, 8, 16 }) {
        int const a = int(active >> shift & 0xFF), i = int(inactive >> shift & 0xFF);
        EXPECT_NEAR(i, a + (255 - a) / 2, 1) << "channel at bit " << shift;
    }
    // The client area is left alone by the frame painting.
    EXPECT_EQ(win::CaptureWindow(Form->Handle()).Pixel(100, 80), ClientPixel);

    win::SetActiveWindow(Form->Handle());
    App->ProcessMessages();
    EXPECT_EQ(win::CaptureWindow(Form->Handle()).Pixel(100, 1), active);
    EXPECT_TRUE(Skinned->MouseTimerActive());
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.back(), "activate");
    EXPECT_NE(std::find(events.begin(), events.end(), "deactivate"), events.end());
}

TEST_F(SkinnedFormTest, HoverMorphsTheCloseButtonOnTheVirtualClock)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(40, 40, 200, 135);
    Form->Show();
    App->ProcessMessages();
    auto* close = Button("closebutton");
    ASSERT_TRUE(close && close->MorphEnabled);
    std::vector<std::string> events;
    Skinned->OnMouseEnterEvent = [&](std::string const& id) { events.push_back("enter " + id); };
    Skinned->OnMouseLeaveEvent = [&](std::string const& id) { events.push_back("leave " + id); };
    TRect const r = close->ObjectRect;
    H->Move(40 + r.Left + 3, 40 + r.Top + 3);
    H->RunFor(50); // the mouse timer finds the button
    ASSERT_EQ(events, (std::vector<std::string> { "enter closebutton" }));
    EXPECT_TRUE(Skinned->MorphTimerActive());
    double const start = close->MorphFactor();
    H->RunFor(20);
    EXPECT_NEAR(close->MorphFactor(), start + 0.2, 1e-9);
    H->RunFor(200);
    EXPECT_EQ(close->MorphFactor(), 1.0);
    EXPECT_FALSE(Skinned->MorphTimerActive()) << "the timer stops when no object fades";
    // The hot image is on the frame now.
    gfx::TBitmap shot = win::CaptureWindow(Form->Handle());
    gfx::TBitmap const& pic = *Data->ActivePictures[0];
    EXPECT_EQ(
        shot.Pixel(r.Left + 10, r.Top + 10), pic.Pixel(close->HotRect.Left + 10, close->HotRect.Top + 10));

    H->Move(40 + 100, 40 + 80); // into the client area
    H->RunFor(50 + 100);
    EXPECT_EQ(events.back(), "leave closebutton");
    EXPECT_EQ(close->MorphFactor(), 0.0);
}

TEST_F(SkinnedFormTest, CloseButtonClosesOnlyWhenReleasedOnIt)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(40, 40, 200, 135);
    Form->Show();
    App->ProcessMessages();
    auto* close = Button("closebutton");
    ASSERT_TRUE(close);
    std::vector<std::string> ups;
    Skinned->OnMouseUpEvent
        = [&](std::string const& id, int, int, TRect const&, win::TMouseButton) { ups.push_back(id); };
    TRect const r = close->ObjectRect;
    int const x = 40 + r.Left + 5, y = 40 + r.Top + 5;
    H->Move(x, y);
    H->Sleep(60);
    H->Press(x, y);
    H->Move(x - 40, y + 60);
    H->Sleep(60);
    H->Release(x - 40, y + 60);
    H->RunScript();
    EXPECT_TRUE(Form->Visible()) << "released away from the button";
    EXPECT_TRUE(ups.empty());
    H->Move(x, y);
    H->Sleep(60);
    H->Click(x, y);
    H->RunScript();
    EXPECT_EQ(ups, (std::vector<std::string> { "closebutton" }));
    EXPECT_FALSE(Form->Visible());
}

TEST_F(SkinnedFormTest, WithoutSkinTheBuiltInFrameHasSixButtons)
{
    Make(tk::bsSizeable, 200, 135);
    Attach();
    Form->Show();
    App->ProcessMessages();
    ASSERT_EQ(Skinned->ObjectList.size(), 6u);
    std::vector<std::string> names;
    for (auto const& o : Skinned->ObjectList)
        names.push_back(o->IDName);
    EXPECT_EQ(names,
        (std::vector<std::string> {
            "closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton", "traybutton" }));
    // Close, maximise, minimise and roll-up from the right, 17 pixels each; the tray button
    // is hidden (no tray icon), the system-menu button at the left.
    EXPECT_EQ(Button("closebutton")->ObjectRect, Rect(180, 4, 197, 21));
    EXPECT_EQ(Button("maxbutton")->ObjectRect, Rect(163, 4, 180, 21));
    EXPECT_EQ(Button("minbutton")->ObjectRect, Rect(146, 4, 163, 21));
    EXPECT_EQ(Button("rollupbutton")->ObjectRect, Rect(129, 4, 146, 21));
    EXPECT_FALSE(Button("traybutton")->VisibleState);
    EXPECT_EQ(Button("sysmenubutton")->ObjectRect, Rect(3, 4, 20, 21));
    EXPECT_EQ(HitTest(Form->Left() + 60, Form->Top() + 10), win::HTCAPTION);
    EXPECT_EQ(HitTest(Form->Left() + 100, Form->Top() + 80), win::HTCLIENT);
    EXPECT_EQ(HitTest(Form->Left() + 0, Form->Top() + 80), win::HTLEFT);
}

TEST(ShortenText, EndsInDotsAndFits)
{
    gfx::TBitmap bitmap(10, 10);
    gfx::TCanvas& c = bitmap.Canvas();
    c.Font.SetName("Arial");
    c.Font.SetHeight(14);
    std::string const text = "A caption far too long for its band";
    int const full = c.TextWidth(text);
    EXPECT_EQ(ShortenText(c, text, full), text);
    std::string const cut = ShortenText(c, text, full / 2);
    ASSERT_GE(cut.size(), 4u);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_LE(c.TextWidth(cut), full / 2);
    EXPECT_EQ(text.compare(0, cut.size() - 3, cut, 0, cut.size() - 3), 0);
    EXPECT_EQ(ShortenText(c, text, 1), "...") << "not even the dots fit";
    // A double-byte character goes as a whole.
    std::string const chinese = base::Ansi(u8"数据导出数据导出数据导出");
    std::string const cn = ShortenText(c, chinese, c.TextWidth(chinese) / 2);
    EXPECT_EQ(base::AnsiToUtf32(cn.substr(0, cn.size() - 3)).find(U'\uFFFD'), std::u32string::npos);
    EXPECT_EQ((cn.size() - 3) % 2, 0u);
}

// Client mode: the whole skin picture is painted in the client area, which grows to the
// picture's size; the window takes the mask's shape.
TEST_F(SkinnedFormTest, ClientModePaintsTheWholeSkinInTheClientArea)
{
    Make(tk::bsNone, 100, 80);
    Form->SetCaption("");
    Attach();
    Skinned->SetSupportNCArea(false);
    Skinned->SetSkinData(Data.get());
    EXPECT_EQ(Form->ClientRect(), Rect(0, 0, 152, 125));
    gfx::TRegion region;
    ASSERT_NE(win::GetWindowRgn(Form->Handle(), region), gfx::RGN_ERROR);
    EXPECT_FALSE(region.Contains(0, 0));
    EXPECT_TRUE(region.Contains(76, 60));
    Form->Show();
    App->ProcessMessages();
    gfx::TBitmap const shot = win::CaptureWindow(Form->Handle());
    for (base::TPoint p : { base::TPoint { 76, 28 }, { 70, 70 }, { 2, 100 }, { 140, 122 } })
        EXPECT_EQ(shot.Pixel(p.X, p.Y), Data->Picture().Pixel(p.X, p.Y)) << p.X << "," << p.Y;
    // The caption buttons draw their own images from their picture.
    auto* close = Button("closebutton");
    ASSERT_TRUE(close);
    gfx::TBitmap const& own = *Data->ActivePictures[0];
    EXPECT_EQ(shot.Pixel(close->ObjectRect.Left + 10, close->ObjectRect.Top + 10),
        own.Pixel(close->NormalRect.Left + 10, close->NormalRect.Top + 10));
}

TEST_F(SkinnedFormTest, CaptionButtonsFollowTheIconsAndTakeTheDefaultHints)
{
    Make(tk::bsSizeable, 300, 200);
    Attach();
    Skinned->SetSkinData(Data.get());
    EXPECT_TRUE(Button("rollupbutton")->VisibleState);
    EXPECT_EQ(Button("closebutton")->HintText, "Close");
    EXPECT_EQ(Button("maximizebutton")->HintText, "Maximize");
    EXPECT_EQ(Button("sysmenubutton")->HintText, "System menu");
    EXPECT_TRUE(Caption()->ShowsFormText);
    Skinned->SetHideCaptionButtons(true);
    for (char const* name :
        { "closebutton", "minimizebutton", "maximizebutton", "rollupbutton", "sysmenubutton" }) {
        EXPECT_FALSE(Button(name)->VisibleState) << name;
        EXPECT_FALSE(Button(name)->EnabledState) << name;
    }
    // Without the hidden buttons the caption reaches the end of its rectangle.
    Form->SetBounds(0, 0, 301, 200);
    EXPECT_EQ(Caption()->ObjectRect, Rect(5, 4, 296, 27));
}

// While the borderless form is active the mouse timer makes the caption band the active
// object; its events fire and nothing is drawn.
TEST_F(SkinnedFormTest, BorderlessCaptionHoverFiresEventsOnly)
{
    Make(tk::bsNone, 200, 135);
    Attach();
    Skinned->SetBorderIcons(0);
    Skinned->Sizeable = false;
    Skinned->SetSkinData(Data.get());
    Form->SetBounds(50, 60, 200, 135);
    Form->Show();
    App->ProcessMessages();
    std::vector<std::string> events;
    Skinned->OnMouseEnterEvent = [&](std::string const& id) { events.push_back("enter " + id); };
    Skinned->OnMouseLeaveEvent = [&](std::string const& id) { events.push_back("leave " + id); };
    gfx::TBitmap const before = win::CaptureWindow(Form->Handle());
    H->Move(50 + 60, 60 + 12);
    H->RunFor(60);
    EXPECT_EQ(events, (std::vector<std::string> { "enter caption" }));
    EXPECT_TRUE(SameBitmaps(before, win::CaptureWindow(Form->Handle())));
    H->Move(50 + 60, 60 + 80);
    H->RunFor(60);
    EXPECT_EQ(events, (std::vector<std::string> { "enter caption", "leave caption" }));
}
