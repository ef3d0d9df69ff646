#include "tools/skinart/LayoutSkins.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Geometry.h"

#include <algorithm>

namespace xe::skin {

using base::RGB;
using base::TColor;
using gfx::TBitmap;

namespace {

constexpr int W = LayoutPictureWidth, H = LayoutPictureHeight;
constexpr int Cell = 16;
enum {
    rowClose,
    rowMaximize,
    rowRestore,
    rowMinimize,
    rowRollUp,
    rowRollDown,
    rowSysMenu,
    rowTray,
    rowCount
};

// A picture whose pixel (x, y) is RGB(x, y, tag).
TBitmap Coded(int w, int h, int tag)
{
    TBitmap b(w, h);
    b.SetBitDepth(24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), uint8_t(tag)));
    return b;
}

TBitmap ButtonSheet()
{
    TBitmap b(3 * Cell, rowCount * Cell);
    b.SetBitDepth(24);
    for (int row = 0; row < rowCount; ++row)
        for (int col = 0; col < 3; ++col)
            for (int y = 0; y < Cell; ++y)
                for (int x = 0; x < Cell; ++x)
                    b.SetPixel(col * Cell + x, row * Cell + y, LayoutButtonColor(col, row));
    return b;
}

// The objects' sheet: a vertical track's filled image (0,0)-(12,28), the thumb (20,0)-(30,6)
// and the dragged thumb (20,8)-(30,14), each one solid colour.
TBitmap ObjectSheet()
{
    TBitmap b(40, 30);
    b.SetBitDepth(24);
    b.Fill(RGB(255, 255, 255));
    auto fill = [&](int l, int t, int r, int bt, TColor c) {
        for (int y = t; y < bt; ++y)
            for (int x = l; x < r; ++x)
                b.SetPixel(x, y, c);
    };
    fill(0, 0, 12, 28, RGB(0, 160, 0));
    fill(20, 0, 30, 6, RGB(250, 200, 0));
    fill(20, 8, 30, 14, RGB(250, 100, 0));
    return b;
}

// 1-bit mask, black inside: the four corners are cut by 5, 3, 2 and 1 pixels on their rows.
TBitmap CornerMask(int w, int h)
{
    TBitmap b(w, h);
    b.SetBitDepth(1);
    b.SetPalette({ RGB(0, 0, 0), RGB(255, 255, 255) });
    b.Fill(RGB(0, 0, 0));
    int const cut[] = { 5, 3, 2, 1 };
    for (int i = 0; i < 4; ++i)
        for (int y : { i, h - 1 - i })
            for (int x = 0; x < cut[i]; ++x) {
                b.SetPixel(x, y, RGB(255, 255, 255));
                b.SetPixel(w - 1 - x, y, RGB(255, 255, 255));
            }
    return b;
}

std::string Rect(int col, int row)
{
    return std::to_string(col * Cell) + "," + std::to_string(row * Cell) + ","
        + std::to_string(col * Cell + Cell) + "," + std::to_string(row * Cell + Cell);
}

// A standard caption button's section: its three images in the sheet, and the restore
// images of the row below for maximise and roll up.
std::string StdButton(std::string const& name, std::string const& command, int row, int restoreRow = -1,
    std::string const& extra = "")
{
    std::string s = "[" + name + "]\nactivepictureindex=0\nskinrectinapicture=1\n";
    s += "skinrect=" + Rect(0, row) + "\nactiveskinrect=" + Rect(1, row) + "\ndownrect=" + Rect(2, row)
        + "\n";
    s += "command=" + command + "\n";
    if (restoreRow >= 0)
        s += "restorerect=" + Rect(0, restoreRow) + "\nrestoreactiverect=" + Rect(1, restoreRow)
            + "\nrestoredownrect=" + Rect(2, restoreRow) + "\n";
    return s + extra + "\n";
}

std::string Caption(std::string const& skinRect, std::string const& textRect, std::string const& alignment,
    bool shadow, std::string const& extra = "")
{
    return "[caption]\nskinrect=" + skinRect + "\ndefaultcaption=1\ntextrect=" + textRect
        + "\nfontname=Arial\nfontheight=14\nfontstyle=fsbold\nfontcolor=12632256\nactivefontcolor=16777215\n"
          "alignment="
        + alignment + "\nshadow=" + (shadow ? "1" : "0") + "\nshadowcolor=0\nactiveshadowcolor=255\n" + extra
        + "\n";
}

std::string Objects(std::vector<std::string> const& entries)
{
    std::string s = "[SKINOBJECTS]\ncount=" + std::to_string(entries.size()) + "\n";
    for (size_t i = 0; i < entries.size(); ++i)
        s += std::to_string(i) + "=" + entries[i] + "\n";
    return s + "\n";
}

struct TFormInfo {
    std::string ButtonsRect = "0,0,0,0";
    std::string CaptionRect;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    bool LeftStretch = false, TopStretch = false, RightStretch = false, BottomStretch = false;
    bool AutoInactive = false;
    std::string InactiveEffect = "iebrightness";
    bool RollUp = false;
    std::string RightBottom = "180,100";
};

std::string FormInfo(TFormInfo const& f)
{
    std::string s = "[FORMINFO]\nlefttoppoint=20,30\nrighttoppoint=180,30\nleftbottompoint=20,100\n"
                    "rightbottompoint="
        + f.RightBottom + "\nclientrect=4,30,196,100\nbgpictureindex=-1\nmdibgpictureindex=-1\n";
    s += std::string("leftstretch=") + (f.LeftStretch ? "1" : "0")
        + "\nrightstretch=" + (f.RightStretch ? "1" : "0") + "\ntopstretch=" + (f.TopStretch ? "1" : "0")
        + "\nbottomstretch=" + (f.BottomStretch ? "1" : "0") + "\n";
    s += "buttonsrect=" + f.ButtonsRect + "\ncaptionrect=" + f.CaptionRect + "\nbuttonsoffset="
        + std::to_string(f.ButtonsOffset) + "\nbuttonsinleft=" + (f.ButtonsInLeft ? "1" : "0") + "\n";
    s += "maskrectarea=0,0,0,0\nhittestlefttoppoint=0,0\nhittestrighttoppoint=0,0\n"
         "hittestleftbottompoint=0,0\nhittestrightbottompoint=0,0\n";
    s += f.RollUp ? "rollupleftpoint=20,0\nrolluprightpoint=180,0\n"
                  : "rollupleftpoint=0,0\nrolluprightpoint=0,0\n";
    s += "mainmenurect=0,0,0,0\niconrect=0,0,0,0\nmainmenupopupup=0\nborderwidth=4\ncursorindex=-1\n";
    s += std::string("autorenderinginactiveimage=") + (f.AutoInactive ? "1" : "0")
        + "\ninactiveeffect=" + f.InactiveEffect + "\n\n";
    return s;
}

std::string Head(std::string const& name, std::string const& comment)
{
    return "; " + comment + "\n[VERSION]\nver=1\nskinname=Layout " + name
        + "\nskinauthor=XmlExport developers\nauthoremail=\nauthorurl=\nskincomments=" + comment + "\n\n";
}

std::string Pictures(std::string const& name, bool inactive, bool mask, bool rollUp, bool rollUpMask)
{
    std::string s = "[PICTURES]\npicture=" + name + "frame.bmp\ninactivepicture="
        + (inactive ? name + "inactive.bmp" : "") + "\nmask=" + (mask ? name + "mask.bmp" : "")
        + "\nrolluppicture=" + (rollUp ? name + "rollup.bmp" : "")
        + "\nrollupmask=" + (rollUpMask ? name + "rollupmask.bmp" : "") + "\n";
    return s + "activepicturescount=2\n0=" + name + "buttons.bmp\n1=" + name + "objects.bmp\n\n";
}

constexpr char const* Tail = "[SKINCONTROLS]\ncount=0\n";

std::string WithCrLf(std::string const& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

constexpr int RollUpHeight = 28;

TLayoutSkin LeftButtons()
{
    std::string const n = "leftbuttons";
    TFormInfo f;
    f.CaptionRect = "4,4,196,26";
    f.ButtonsOffset = 3;
    f.ButtonsInLeft = true;
    f.LeftStretch = f.BottomStretch = true;
    f.RollUp = true;
    std::string d = Head(n,
        "Caption buttons from the left, stretched left and bottom bands, an inactive picture, a roll-up "
        "picture.");
    d += Pictures(n, true, false, true, false) + FormInfo(f);
    d += "[SKINAREAS]\ncount=0\n\n";
    d += Objects({ "caption:caption", "closebutton:stdbutton", "maximizebutton:stdbutton",
        "minimizebutton:stdbutton", "rollupbutton:stdbutton", "traybutton:stdbutton",
        "sysmenubutton:stdbutton", "rolledcaption:caption", "vtrack:trackbar" });
    d += Tail;
    d += "\n" + Caption("4,4,196,26", "4,2,188,20", "tarightjustify", true);
    d += StdButton("closebutton", "cmclose", rowClose);
    d += StdButton("maximizebutton", "cmmaximize", rowMaximize, rowRestore);
    d += StdButton("minimizebutton", "cmminimize", rowMinimize);
    d += StdButton("rollupbutton", "cmrollup", rowRollUp, rowRollDown);
    d += StdButton("traybutton", "cmminimizetotray", rowTray);
    d += StdButton("sysmenubutton", "cmsysmenu", rowSysMenu);
    d += "[rolledcaption]\nrollup=1\nskinrect=4,4,196,24\ndefaultcaption=0\ntextrect=4,2,188,18\n"
         "fontname=Arial\nfontheight=12\nfontcolor=0\nactivefontcolor=16777215\nalignment=taleftjustify\n\n";
    // A vertical track in the bottom-left corner: begin at the bottom, end at the top.
    d += "[vtrack]\nactivepictureindex=1\nskinrect=4,100,16,128\nactiveskinrect=0,0,12,28\n"
         "buttonrect=20,0,30,6\nactivebuttonrect=20,8,30,14\nbeginpoint=6,24\nendpoint=6,4\n"
         "minvalue=0\nmaxvalue=100\nmousedownchangevalue=1\n";
    TLayoutSkin s { n, WithCrLf(d), {} };
    s.Pictures.push_back({ n + "frame.bmp", Coded(W, H, 16) });
    s.Pictures.push_back({ n + "inactive.bmp", Coded(W, H, 48) });
    s.Pictures.push_back({ n + "rollup.bmp", Coded(W, RollUpHeight, 80) });
    s.Pictures.push_back({ n + "buttons.bmp", ButtonSheet() });
    s.Pictures.push_back({ n + "objects.bmp", ObjectSheet() });
    return s;
}

TLayoutSkin ButtonsRect()
{
    std::string const n = "buttonsrect";
    TFormInfo f;
    f.ButtonsRect = "120,6,196,22";
    f.CaptionRect = "4,4,118,26";
    f.ButtonsOffset = 2;
    f.AutoInactive = true;
    f.InactiveEffect = "iedarkness";
    f.RightBottom = "120,100"; // a wide bottom-right corner piece that carries the label
    std::string d = Head(n, "A buttons rectangle at the right, a mask, objects anchored right and bottom.");
    d += Pictures(n, false, true, false, false) + FormInfo(f);
    d += "[SKINAREAS]\ncount=0\n\n";
    d += Objects({ "closebutton:stdbutton", "maximizebutton:stdbutton", "minimizebutton:stdbutton",
        "rollupbutton:stdbutton", "sysmenubutton:stdbutton", "caption:caption", "status:label",
        "rightband:userobject" });
    d += Tail;
    d += "\n" + Caption("4,4,118,26", "2,2,112,20", "taleftjustify", false);
    d += StdButton("closebutton", "cmclose", rowClose);
    d += StdButton("maximizebutton", "cmmaximize", rowMaximize, rowRestore);
    d += StdButton("minimizebutton", "cmminimize", rowMinimize);
    d += StdButton("rollupbutton", "cmrollup", rowRollUp, rowRollDown);
    d += StdButton("sysmenubutton", "cmsysmenu", rowSysMenu);
    d += "[status]\nskinrect=130,104,196,124\nfontName=Arial\nfontheight=12\nfontstyle=\nfontcolor=0\n"
         "activefontcolor=255\nalignment=tarightjustify\ntextvalue=Ready\n\n";
    d += "[rightband]\nrollup=0\nskinrect=186,20,196,110\ncursorindex=-1\n";
    TLayoutSkin s { n, WithCrLf(d), {} };
    s.Pictures.push_back({ n + "frame.bmp", Coded(W, H, 16) });
    s.Pictures.push_back({ n + "mask.bmp", CornerMask(W, H) });
    s.Pictures.push_back({ n + "buttons.bmp", ButtonSheet() });
    s.Pictures.push_back({ n + "objects.bmp", ObjectSheet() });
    return s;
}

TLayoutSkin LeftRect()
{
    std::string const n = "leftrect";
    TFormInfo f;
    f.ButtonsRect = "4,6,80,22";
    f.CaptionRect = "82,4,196,26";
    f.ButtonsOffset = 1;
    f.TopStretch = f.RightStretch = true;
    f.RollUp = true;
    std::string d = Head(n,
        "A buttons rectangle at the left, a centred caption, stretched top and right bands, a roll-up "
        "picture with a mask.");
    d += Pictures(n, false, false, true, true) + FormInfo(f);
    d += "[SKINAREAS]\ncount=0\n\n";
    d += Objects({ "closebutton:stdbutton", "maximizebutton:stdbutton", "minimizebutton:stdbutton",
        "rollupbutton:stdbutton", "caption:caption" });
    d += Tail;
    d += "\n" + Caption("82,4,196,26", "2,2,112,20", "tacenter", true);
    d += StdButton("closebutton", "cmclose", rowClose);
    d += StdButton("maximizebutton", "cmmaximize", rowMaximize, rowRestore);
    d += StdButton("minimizebutton", "cmminimize", rowMinimize);
    d += StdButton("rollupbutton", "cmrollup", rowRollUp, rowRollDown);
    TLayoutSkin s { n, WithCrLf(d), {} };
    s.Pictures.push_back({ n + "frame.bmp", Coded(W, H, 16) });
    s.Pictures.push_back({ n + "rollup.bmp", Coded(W, RollUpHeight, 80) });
    s.Pictures.push_back({ n + "rollupmask.bmp", CornerMask(W, RollUpHeight) });
    s.Pictures.push_back({ n + "buttons.bmp", ButtonSheet() });
    s.Pictures.push_back({ n + "objects.bmp", ObjectSheet() });
    return s;
}

} // namespace

TColor LayoutButtonColor(int column, int row)
{
    return RGB(uint8_t(20 + 40 * column), uint8_t(20 + 30 * row), 200);
}

std::vector<std::string> const& LayoutSkinNames()
{
    static std::vector<std::string> const names { "leftbuttons", "buttonsrect", "leftrect" };
    return names;
}

TLayoutSkin DrawLayoutSkin(std::string const& name)
{
    if (name == "leftbuttons")
        return LeftButtons();
    if (name == "buttonsrect")
        return ButtonsRect();
    if (name == "leftrect")
        return LeftRect();
    throw base::EInvalidOperation("no layout skin '" + name + "' (leftbuttons, buttonsrect, leftrect)");
}

std::string WriteLayoutSkin(TLayoutSkin const& skin, std::string const& directory)
{
    std::string const dir = base::IncludeTrailingPathDelimiter(directory);
    base::ForceDirectories(dir);
    for (auto const& picture : skin.Pictures)
        base::WriteFileBytes(dir + picture.FileName, picture.Bitmap.SaveToBytes());
    std::string const ini = dir + skin.Name + ".ini";
    base::WriteFileBytes(ini, skin.Description);
    return ini;
}

} // namespace xe::skin
