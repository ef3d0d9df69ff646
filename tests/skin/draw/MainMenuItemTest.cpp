#include "skin/draw/MainMenuItem.h"

#include "DrawTestUtil.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "tests/support/Pixels.h"

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

// A form with a main-menu area that records what its tabs ask of it.
class Host : public TSkinObjectHost {
public:
    TRect Area = Rect(5, 30, 200, 48);
    TRect Client = Rect(3, 50, 197, 120);
    bool Active = false;
    std::vector<std::string> Log;
    std::vector<TspActiveSkinObject*> Objects;

    bool IsFormActive() const override { return true; }
    void StartMorphTimer() override { }
    void RedrawObject(TspActiveSkinObject&) override { }
    void MouseDownEvent(std::string const& id, int, int, TRect const&, win::TMouseButton) override
    {
        Log.push_back("down " + id);
    }
    void MouseUpEvent(std::string const&, int, int, TRect const&, win::TMouseButton) override { }
    void MouseMoveEvent(std::string const&, int, int, TRect const&) override { }
    void MouseEnterEvent(std::string const& id) override { Log.push_back("enter " + id); }
    void MouseLeaveEvent(std::string const& id) override { Log.push_back("leave " + id); }
    void PaintEvent(std::string const&, gfx::TCanvas&, TRect const&) override { }
    int ObjectCount() const override { return int(Objects.size()); }
    TspActiveSkinObject* Object(int i) const override { return Objects.at(size_t(i)); }
    base::TPoint FrameScreenOrigin() const override { return { 100, 200 }; }
    TRect MainMenuArea() const override { return Area; }
    TRect FrameClientRect() const override { return Client; }
    bool MainMenuActive() const override { return Active; }
    void SetMainMenuActive(bool value) override
    {
        Active = value;
        Log.push_back(value ? "active" : "inactive");
    }
    void PopupMainMenu(TspActiveSkinObject&, tk::TMenuItem& menu, TRect const& r) override
    {
        Log.push_back(
            "popup " + menu.Caption() + " " + std::to_string(r.Left) + "," + std::to_string(r.Bottom));
    }
};

// Picture 0 holds three 20 x 18 tab images stacked: normal, hot, pressed. Each has 3-pixel
// ends of their own colour around a middle colour.
TColor const NormalEnd = RGB(10, 20, 30), NormalMid = RGB(240, 240, 240);
TColor const HotEnd = RGB(200, 10, 10), HotMid = RGB(250, 230, 230);
TColor const DownEnd = RGB(10, 200, 10), DownMid = RGB(230, 250, 230);
TColor const Text = RGB(0, 0, 255), ActiveText = RGB(128, 0, 128), DownText = RGB(0, 128, 0),
             DisabledText = RGB(255, 0, 0);

struct Bar {
    Host host;
    TspSkinData data { nullptr };
    TspDataSkinMainMenuItem record { "mainmenuitem" };
    tk::TComponentPtr<tk::TMainMenu> menu { new tk::TMainMenu(nullptr) };
    std::vector<std::unique_ptr<TspSkinMainMenuItem>> tabs;
    std::vector<std::string> clicks;

    Bar()
    {
        auto pic = std::make_unique<gfx::TBitmap>(20, 54);
        TColor const ends[3] = { NormalEnd, HotEnd, DownEnd }, mids[3] = { NormalMid, HotMid, DownMid };
        for (int k = 0; k < 3; ++k) {
            Fill(*pic, Rect(0, 18 * k, 20, 18 * k + 18), ends[k]);
            Fill(*pic, Rect(3, 18 * k, 17, 18 * k + 18), mids[k]);
        }
        data.ActivePictures.push_back(std::move(pic));
        record.ActivePictureIndex = 0;
        record.SkinRect = Rect(0, 0, 20, 18);
        record.ActiveSkinRect = Rect(0, 18, 20, 36);
        record.DownRect = Rect(0, 36, 20, 54);
        record.TextRect = Rect(3, 2, 17, 16);
        record.ItemLeftOffset = 3;
        record.ItemRightOffset = 3;
        record.FontName = "Arial";
        record.FontHeight = 13;
        record.FontStyle = gfx::fsBold;
        record.FontColor = Text;
        record.ActiveFontColor = ActiveText;
        record.DownFontColor = DownText;
        record.UnEnabledFontColor = DisabledText;
    }
    TspSkinMainMenuItem& Add(std::string const& caption, int subItems = 0)
    {
        auto* item = new tk::TMenuItem(menu.get());
        item->SetCaption(caption);
        for (int i = 0; i < subItems; ++i) {
            auto* sub = new tk::TMenuItem(menu.get());
            sub->SetCaption("sub");
            item->Add(sub);
        }
        item->OnClick = [this, caption](tk::TComponent*) { clicks.push_back(caption); };
        menu->Items()->Add(item);
        tabs.push_back(std::make_unique<TspSkinMainMenuItem>(&host, &data, &record, item));
        tabs.back()->IDName = caption;
        host.Objects.push_back(tabs.back().get());
        return *tabs.back();
    }
};

// The caption's width in the tab's font, measured apart from the tab.
int CaptionWidth(std::string const& caption)
{
    gfx::TBitmap b(1, 1);
    b.Canvas().Font.SetName("Arial");
    b.Canvas().Font.SetHeight(13);
    b.Canvas().Font.SetStyle(gfx::fsBold);
    TRect r {};
    b.Canvas().DrawText(caption, r, gfx::DT_CALCRECT | gfx::DT_SINGLELINE);
    return r.Width();
}

gfx::TBitmap Screen()
{
    gfx::TBitmap screen(220, 140);
    screen.Fill(base::clWhite);
    return screen;
}

} // namespace

TEST(MainMenuItem, TabsLineUpAlongTheAreaWithTheirStripAndTextColours)
{
    Bar bar;
    TspSkinMainMenuItem& file = bar.Add("&File", 2);
    TspSkinMainMenuItem& edit = bar.Add("Edit", 1);
    gfx::TBitmap screen = Screen();
    file.Draw(screen.Canvas(), true);
    edit.Draw(screen.Canvas(), true);
    // Width: the picture less its text rectangle, plus the caption, plus 2.
    int const fileW = 20 - 14 + CaptionWidth("&File") + 2;
    EXPECT_EQ(file.ObjectRect, Rect(5, 30, 5 + fileW, 48));
    EXPECT_EQ(edit.ObjectRect, Rect(5 + fileW, 30, 5 + fileW + 20 - 14 + CaptionWidth("Edit") + 2, 48));
    TRect const f = file.ObjectRect;
    EXPECT_EQ(screen.Pixel(f.Left, 31), NormalEnd);
    EXPECT_EQ(screen.Pixel(f.Left + 2, 31), NormalEnd);
    EXPECT_EQ(screen.Pixel(f.Left + 3, 30), NormalMid);
    EXPECT_EQ(screen.Pixel(f.Right - 4, 30), NormalMid) << "the middle is tiled across the width";
    EXPECT_EQ(screen.Pixel(f.Right - 3, 31), NormalEnd);
    EXPECT_GT(CountColor(screen, f, Text), 0) << "caption in the font colour";
    EXPECT_EQ(CountColor(screen, f, DisabledText), 0);

    // Lit, then pressed: the hot and pressed images and their text colours.
    file.ActiveState = true;
    screen = Screen();
    file.Draw(screen.Canvas(), true);
    EXPECT_EQ(screen.Pixel(f.Left, 31), HotEnd);
    EXPECT_GT(CountColor(screen, f, ActiveText), 0);
    file.Pressed = true;
    screen = Screen();
    file.Draw(screen.Canvas(), true);
    EXPECT_EQ(screen.Pixel(f.Left + 3, 30), DownMid);
    EXPECT_GT(CountColor(screen, f, DownText), 0);
    EXPECT_EQ(CountColor(screen, f, ActiveText), 0);
}

TEST(MainMenuItem, DisabledItemDrawsInTheDisabledFontColour)
{
    Bar bar;
    TspSkinMainMenuItem& tab = bar.Add("Tools");
    tab.MenuItem->SetEnabled(false);
    gfx::TBitmap screen = Screen();
    tab.Draw(screen.Canvas(), true);
    EXPECT_GT(CountColor(screen, tab.ObjectRect, DisabledText), 0);
    EXPECT_EQ(CountColor(screen, tab.ObjectRect, Text), 0);
}

TEST(MainMenuItem, TabPastTheAreaHidesDisabledAndComesBackWithItsState)
{
    Bar bar;
    TspSkinMainMenuItem& a = bar.Add("Alpha");
    TspSkinMainMenuItem& b = bar.Add("Beta");
    TspSkinMainMenuItem& c = bar.Add("Gamma");
    c.EnabledState = false; // disabled by its menu item before it was hidden
    gfx::TBitmap screen = Screen();
    for (auto& t : bar.tabs)
        t->Draw(screen.Canvas(), true);
    int const fitsTwo = b.ObjectRect.Right;
    bar.host.Area.Right = fitsTwo;
    screen = Screen();
    for (auto& t : bar.tabs)
        t->Draw(screen.Canvas(), true);
    EXPECT_TRUE(a.Shown && b.Shown && a.EnabledState && b.EnabledState);
    EXPECT_FALSE(c.Shown);
    EXPECT_FALSE(c.EnabledState);
    EXPECT_EQ(screen.Pixel(fitsTwo + 1, 31), base::clWhite) << "a hidden tab draws nothing";
    // Hidden again (drawn twice) it keeps the state it had before it was first hidden.
    c.Draw(screen.Canvas(), true);
    bar.host.Area.Right = 200;
    c.Draw(screen.Canvas(), true);
    EXPECT_TRUE(c.Shown);
    EXPECT_FALSE(c.EnabledState) << "its own disabled state is back, not the hidden one's";
    b.EnabledState = true;
    bar.host.Area.Right = fitsTwo - 1;
    b.Draw(screen.Canvas(), true);
    EXPECT_FALSE(b.EnabledState);
    bar.host.Area.Right = 200;
    b.Draw(screen.Canvas(), true);
    EXPECT_TRUE(b.EnabledState);
}

TEST(MainMenuItem, BelowTheClientAreaItDrawsIntoTheBottomBandAndKeepsItsPlace)
{
    Bar bar;
    bar.host.Area = Rect(5, 125, 200, 143);
    bar.host.Client = Rect(3, 30, 197, 120);
    TspSkinMainMenuItem& tab = bar.Add("File");
    gfx::TBitmap band(220, 30);
    band.Fill(base::clWhite);
    tab.Draw(band.Canvas(), false);
    EXPECT_EQ(band.Pixel(5, 5), NormalEnd) << "drawn 120 pixels up, at the band's origin";
    EXPECT_EQ(tab.ObjectRect.Top, 125) << "the frame place is kept";
    gfx::TBitmap screen(220, 150);
    screen.Fill(base::clWhite);
    tab.Draw(screen.Canvas(), true);
    EXPECT_EQ(screen.Pixel(5, 125), NormalEnd) << "an update draws at the frame place";
}

TEST(MainMenuItem, PressOpensTheSubmenuAndTheOpenMenuFollowsTheMouse)
{
    Bar bar;
    TspSkinMainMenuItem& file = bar.Add("File", 2);
    TspSkinMainMenuItem& edit = bar.Add("Edit", 1);
    TspSkinMainMenuItem& help = bar.Add("Help");
    gfx::TBitmap screen = Screen();
    for (auto& t : bar.tabs)
        t->Draw(screen.Canvas(), true);

    file.MouseEnter();
    EXPECT_TRUE(file.ActiveState);
    EXPECT_TRUE(bar.host.Log.empty()) << "no enter event for a tab";
    file.MouseDown(10, 35, win::mbLeft);
    EXPECT_TRUE(file.Pressed);
    std::string const under
        = std::to_string(100 + file.ObjectRect.Left) + "," + std::to_string(200 + file.ObjectRect.Bottom);
    EXPECT_EQ(bar.host.Log, (std::vector<std::string> { "popup File " + under, "active", "down File" }));
    bar.host.Log.clear();

    // The mouse leaves the pressed tab for the next: the menu goes with it.
    file.MouseLeave();
    EXPECT_TRUE(file.Pressed) << "leaving alone does not close the menu";
    edit.MouseEnter();
    EXPECT_FALSE(file.Pressed);
    EXPECT_TRUE(edit.Pressed);
    EXPECT_TRUE(edit.ActiveState && edit.MouseInside);
    ASSERT_EQ(bar.host.Log.size(), 2u);
    EXPECT_EQ(bar.host.Log[1].rfind("popup Edit ", 0), 0u) << bar.host.Log[1];

    // A tab without sub-items runs its item at once and ends the main menu's use.
    edit.SetPressed(false);
    edit.ActiveState = true; // still under the mouse
    bar.host.Log.clear();
    help.MouseEnter();
    EXPECT_FALSE(edit.ActiveState) << "the lit tab goes dark";
    help.MouseDown(1, 1, win::mbLeft);
    EXPECT_FALSE(help.Pressed);
    EXPECT_EQ(bar.clicks, (std::vector<std::string> { "Help" }));
    EXPECT_EQ(bar.host.Log, (std::vector<std::string> { "leave Edit", "inactive", "down Help" }));

    // Disabled (or hidden) tabs do not react.
    bar.host.Log.clear();
    file.EnabledState = false;
    file.MouseDown(1, 1, win::mbLeft);
    EXPECT_FALSE(file.Pressed);
    EXPECT_TRUE(bar.host.Log.empty());
}
