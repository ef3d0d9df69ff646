#include "skin/draw/CaptionObjects.h"

#include "DrawTestUtil.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// A form that records the commands and events its caption buttons send.
class Host : public TSkinObjectHost {
public:
    bool Active = true;
    bool NcArea = true;
    bool Minimized = false;
    bool Maximized = false;
    std::vector<std::string> Log;
    std::vector<TspActiveSkinObject*> Objects;

    bool IsFormActive() const override { return Active; }
    void StartMorphTimer() override { Log.push_back("morph"); }
    void RedrawObject(TspActiveSkinObject& o) override { Log.push_back("redraw " + o.IDName); }
    void MouseDownEvent(std::string const& id, int, int, TRect const&, win::TMouseButton) override
    {
        Log.push_back("down " + id);
    }
    void MouseUpEvent(std::string const& id, int, int, TRect const&, win::TMouseButton) override
    {
        Log.push_back("up " + id);
    }
    void MouseMoveEvent(std::string const&, int, int, TRect const&) override { }
    void MouseEnterEvent(std::string const& id) override { Log.push_back("enter " + id); }
    void MouseLeaveEvent(std::string const& id) override { Log.push_back("leave " + id); }
    void PaintEvent(std::string const&, gfx::TCanvas&, TRect const&) override { }
    bool SupportNCArea() const override { return NcArea; }
    bool FormMinimized() const override { return Minimized; }
    bool FormMaximized() const override { return Maximized; }
    int ObjectCount() const override { return int(Objects.size()); }
    TspActiveSkinObject* Object(int i) const override { return Objects.at(size_t(i)); }
    void WindowCommand(TspWindowCommand c) override { Log.push_back("command " + std::to_string(int(c))); }
};

TColor const Normal = RGB(10, 20, 30), Hot = RGB(200, 10, 10), Down = RGB(10, 200, 10),
             Disabled = RGB(90, 90, 90);

// Picture 0 holds a button's images side by side, 4 x 3 each: normal, hot, pressed, disabled.
struct Buttons {
    Host host;
    TspSkinData data { nullptr };
    std::vector<std::unique_ptr<TspDataSkinStdButton>> records;

    Buttons()
    {
        auto pic = std::make_unique<gfx::TBitmap>(16, 3);
        Fill(*pic, Rect(0, 0, 4, 3), Normal);
        Fill(*pic, Rect(4, 0, 8, 3), Hot);
        Fill(*pic, Rect(8, 0, 12, 3), Down);
        Fill(*pic, Rect(12, 0, 16, 3), Disabled);
        data.ActivePictures.push_back(std::move(pic));
    }
    std::unique_ptr<TspSkinStdButtonObject> Make(
        std::string const& name, TspCommandKind command, int group = -1)
    {
        auto r = std::make_unique<TspDataSkinStdButton>(name);
        r->ActivePictureIndex = 0;
        r->SkinRectInAPicture = true;
        r->SkinRect = Rect(0, 0, 4, 3);
        r->ActiveSkinRect = Rect(4, 0, 8, 3);
        r->DownRect = Rect(8, 0, 12, 3);
        r->DisableSkinRect = Rect(12, 0, 16, 3);
        r->GroupIndex = group;
        r->Command = command;
        auto b = std::make_unique<TspSkinStdButtonObject>(&host, &data, r.get());
        records.push_back(std::move(r));
        host.Objects.push_back(b.get());
        return b;
    }
};

TColor Drawn(TspActiveSkinObject& o)
{
    gfx::TBitmap screen(8, 6);
    screen.Fill(base::clWhite);
    o.Draw(screen.Canvas(), true);
    return screen.Pixel(o.ObjectRect.Left + 1, o.ObjectRect.Top + 1);
}

} // namespace

TEST(SkinButtons, CloseFiresOnlyWhenReleasedInsideAndClosesLast)
{
    Buttons f;
    auto close = f.Make("closebutton", cmClose);
    close->MouseEnter();
    close->MouseDown(1, 1, win::mbLeft);
    EXPECT_EQ(Drawn(*close), Down);
    close->MouseLeave();
    EXPECT_EQ(Drawn(*close), Normal) << "the pressed image only while the mouse is inside";
    f.host.Log.clear();
    close->MouseUp(-1, -1, win::mbLeft);
    for (std::string const& entry : f.host.Log)
        EXPECT_TRUE(entry.rfind("up ", 0) != 0 && entry.rfind("command", 0) != 0) << entry;
    EXPECT_FALSE(close->Pressed);

    close->MouseEnter();
    close->MouseDown(1, 1, win::mbLeft);
    f.host.Log.clear();
    close->MouseUp(1, 1, win::mbLeft);
    ASSERT_GE(f.host.Log.size(), 2u);
    EXPECT_EQ(f.host.Log[f.host.Log.size() - 2], "up closebutton");
    EXPECT_EQ(f.host.Log.back(), "command " + std::to_string(int(wcClose))) << "the form closes last";
}

TEST(SkinButtons, MinimizeRestoresOnlyWithTheNonClientArea)
{
    Buttons f;
    auto min = f.Make("minimizebutton", cmMinimize);
    auto click = [&] {
        f.host.Log.clear();
        min->MouseEnter();
        min->MouseDown(1, 1, win::mbLeft);
        min->MouseUp(1, 1, win::mbLeft);
        min->MouseLeave();
        return std::count(f.host.Log.begin(), f.host.Log.end(), "command " + std::to_string(int(wcMinimize)));
    };
    EXPECT_EQ(click(), 1);
    f.host.Minimized = true;
    EXPECT_EQ(click(), 1) << "restores a minimised form";
    f.host.NcArea = false;
    EXPECT_EQ(click(), 0) << "client mode does not restore from the button";
}

TEST(SkinButtons, GroupedButtonStaysPressedUntilAnotherOfItsGroup)
{
    Buttons f;
    auto a = f.Make("a", cmDefault, 7);
    auto b = f.Make("b", cmDefault, 7);
    auto other = f.Make("c", cmDefault, 8);
    // Plain buttons (not standard ones) keep the group behaviour: take the button's handlers.
    TspSkinButtonObject& ba = *a;
    TspSkinButtonObject& bb = *b;
    ba.TspSkinButtonObject::MouseDown(1, 1, win::mbLeft);
    ba.TspSkinButtonObject::MouseUp(1, 1, win::mbLeft);
    EXPECT_TRUE(a->Pressed) << "released mouse, still pressed";
    ba.TspSkinButtonObject::MouseDown(1, 1, win::mbLeft);
    EXPECT_TRUE(a->Pressed) << "pressed twice";
    other->SetPressed(true);
    EXPECT_TRUE(a->Pressed) << "another group";
    bb.TspSkinButtonObject::MouseDown(1, 1, win::mbLeft);
    EXPECT_TRUE(b->Pressed);
    EXPECT_FALSE(a->Pressed) << "pressing another of the group releases it";
    EXPECT_EQ(Drawn(*b), Down) << "a grouped pressed button shows its pressed image without the mouse";
}

TEST(SkinButtons, DisabledAndInactiveImages)
{
    Buttons f;
    auto max = f.Make("maximizebutton", cmMaximize);
    max->EnabledState = false;
    EXPECT_EQ(Drawn(*max), Disabled);
    f.host.Log.clear();
    max->MouseDown(1, 1, win::mbLeft);
    EXPECT_FALSE(max->Pressed);
    max->EnabledState = true;
    max->MouseEnter();
    EXPECT_EQ(Drawn(*max), Hot);
}

// Without a description a standard button draws the plain default look: button face, or a
// navy frame around a light fill under the mouse, and its command's glyph in button text.
TEST(SkinButtons, DefaultLookWithoutDescription)
{
    Host host;
    TspSkinStdButtonObject b(&host, nullptr, nullptr);
    b.StdCommand = cmClose;
    b.ObjectRect = Rect(2, 2, 19, 19);
    gfx::TBitmap screen(24, 24);
    screen.Fill(base::clWhite);
    b.Draw(screen.Canvas(), true);
    TColor const face = base::ColorToRGB(base::clBtnFace);
    EXPECT_EQ(screen.Pixel(2, 2), face);
    EXPECT_EQ(screen.Pixel(1, 1), base::clWhite) << "nothing outside ObjectRect";
    int ink = 0;
    for (int y = 2; y < 19; ++y)
        for (int x = 2; x < 19; ++x)
            ink += screen.Pixel(x, y) == base::ColorToRGB(base::clBtnText);
    EXPECT_GT(ink, 8) << "the close glyph";
    b.MouseInside = true;
    b.Draw(screen.Canvas(), true);
    EXPECT_EQ(screen.Pixel(2, 2), base::clNavy);
    EXPECT_EQ(screen.Pixel(3, 3), RGB(182, 189, 210));
    b.Pressed = true;
    b.Draw(screen.Canvas(), true);
    EXPECT_EQ(screen.Pixel(3, 3), RGB(133, 147, 181));
}

// A caption whose ObjectRect keeps NormalRect's size copies its image unchanged; a wider
// one in the top band keeps its fixed ends and tiles the middle.
TEST(SkinCaption, ImageGrowsByItsBand)
{
    Host host;
    TspSkinData data(nullptr);
    data.Picture().SetSize(20, 10);
    data.Picture().Fill(base::clWhite);
    data.LTPoint = { 4, 6 };
    data.RTPoint = { 16, 6 };
    data.LBPoint = { 4, 8 };
    data.RBPoint = { 16, 8 };
    // Caption (2,1)-(18,5): left end 2 columns, right end 2 columns, middle 12.
    Fill(data.Picture(), Rect(2, 1, 4, 5), base::clRed);
    Fill(data.Picture(), Rect(4, 1, 10, 5), base::clGreen);
    Fill(data.Picture(), Rect(10, 1, 16, 5), base::clBlue);
    Fill(data.Picture(), Rect(16, 1, 18, 5), base::clYellow);
    TspDataSkinCaption record("caption");
    record.SkinRect = Rect(2, 1, 18, 5);
    TspSkinCaptionObject caption(&host, &data, &record);
    EXPECT_EQ(caption.PlacementClass(), 0);
    gfx::TBitmap image;
    caption.BuildImage(image, data.Picture(), caption.NormalRect);
    gfx::TBitmap expected(16, 4);
    expected.Canvas().CopyRect(Rect(0, 0, 16, 4), data.Picture().Canvas(), Rect(2, 1, 18, 5));
    EXPECT_TRUE(SamePicture(image, expected));

    caption.ObjectRect = Rect(2, 1, 32, 5); // 30 wide
    EXPECT_EQ(caption.PlacementClass(), 1);
    caption.BuildImage(image, data.Picture(), caption.NormalRect);
    ASSERT_EQ(image.Width(), 30);
    EXPECT_EQ(image.Pixel(0, 0), base::clRed);
    EXPECT_EQ(image.Pixel(1, 3), base::clRed);
    EXPECT_EQ(image.Pixel(2, 0), base::clGreen) << "middle tiled from column 0, under the left end";
    EXPECT_EQ(image.Pixel(6, 0), base::clBlue);
    EXPECT_EQ(image.Pixel(12, 0), base::clGreen) << "second tile";
    EXPECT_EQ(image.Pixel(27, 0), base::clGreen);
    EXPECT_EQ(image.Pixel(28, 0), base::clYellow);
    EXPECT_EQ(image.Pixel(29, 3), base::clYellow);
}
