#include "tests/support/ControlTestSkin.h"

#include "platform/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"

#include <cstring>
#include <utility>

namespace xe::test {

namespace sc = skincolors;

TRect TControlTestSkin::StateRect(int index)
{
    return base::Rect(index * StateSize, 0, (index + 1) * StateSize, StateSize);
}

int TControlTestSkin::AddPicture(int width, int height)
{
    gfx::TBitmap picture(width, height);
    picture.Fill(sc::Unused);
    Pictures.push_back(std::move(picture));
    return int(Pictures.size()) - 1;
}

int TControlTestSkin::AddStatePicture(std::vector<TColor> const& clients)
{
    int const index = AddPicture(StateSize * int(clients.size()), StateSize);
    for (size_t i = 0; i < clients.size(); ++i)
        PaintState(index, StateRect(int(i)), clients[i]);
    return index;
}

void TControlTestSkin::PaintState(int picture, TRect const& r, TColor client)
{
    Paint(picture, r, sc::Edge);
    Paint(picture,
        base::Rect(r.Left + StateEdge, r.Top + StateEdge, r.Right - StateEdge, r.Bottom - StateEdge), client);
}

void TControlTestSkin::Paint(int picture, TRect const& rect, TColor color)
{
    gfx::TBitmap& p = Pictures.at(size_t(picture));
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            p.SetPixel(x, y, color);
}

void TControlTestSkin::AddControl(std::string const& name, std::string const& type)
{
    FControls.push_back(name + ":" + type);
}

void TControlTestSkin::AddObject(std::string const& name, std::string const& type)
{
    FObjects.push_back(name + ":" + type);
}

void TControlTestSkin::Set(std::string const& section, std::string const& key, std::string const& value)
{
    Ini.WriteString(section, key, value);
}

void TControlTestSkin::SetInt(std::string const& section, std::string const& key, int value)
{
    Ini.WriteInteger(section, key, value);
}

void TControlTestSkin::SetRect(std::string const& section, std::string const& key, TRect const& rect)
{
    Set(section, key,
        std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "," + std::to_string(rect.Right) + ","
            + std::to_string(rect.Bottom));
}

void TControlTestSkin::SetColor(std::string const& section, std::string const& key, TColor color)
{
    Set(section, key, std::to_string(color));
}

void TControlTestSkin::SetStateLook(std::string const& section, int picture)
{
    SetInt(section, "pictureindex", picture);
    SetRect(section, "skinrect", StateRect(0));
    int const e = StateEdge, f = StateSize - StateEdge;
    std::string const lt = std::to_string(e) + "," + std::to_string(e);
    Set(section, "lefttoppoint", lt);
    Set(section, "righttoppoint", std::to_string(f) + "," + std::to_string(e));
    Set(section, "leftbottompoint", std::to_string(e) + "," + std::to_string(f));
    Set(section, "rightbottompoint", std::to_string(f) + "," + std::to_string(f));
    SetRect(section, "clientrect", base::Rect(e, e, f, f));
}

std::string TControlTestSkin::Package() const
{
    ini::TMemIniFile ini = Ini;
    ini.WriteString("VERSION", "skinname", "control test skin");
    ini.WriteInteger("SKINOBJECTS", "count", int(FObjects.size()));
    for (size_t i = 0; i < FObjects.size(); ++i)
        ini.WriteString("SKINOBJECTS", std::to_string(i), FObjects[i]);
    ini.WriteInteger("SKINCONTROLS", "count", int(FControls.size()));
    for (size_t i = 0; i < FControls.size(); ++i)
        ini.WriteString("SKINCONTROLS", std::to_string(i), FControls[i]);

    std::string package;
    auto int32 = [&](int32_t v) {
        char b[4];
        std::memcpy(b, &v, 4);
        package.append(b, 4);
    };
    int32(skin::SkinPackageVersion);
    for (size_t i = 0; i < skin::PackageSlots(skin::SkinPackageVersion).size(); ++i)
        package.push_back(char(1)); // no frame pictures
    int32(int32_t(Pictures.size()));
    for (gfx::TBitmap const& p : Pictures) {
        gfx::TBitmap copy(p);
        copy.SetBitDepth(24);
        package += copy.SaveToBytes();
    }
    package += ini.Text();
    return package;
}

void TControlTestSkin::LoadInto(skin::TspSkinData& data) const { data.LoadFromPackage(Package()); }

void AddButtonLooks(TControlTestSkin& skin)
{
    for (char const* name : { "button", "toolbutton" }) {
        int const picture = skin.AddStatePicture(
            { sc::ButtonNormal, sc::ButtonActive, sc::ButtonDown, sc::ButtonDisabled });
        skin.AddControl(name, "button");
        skin.SetStateLook(name, picture);
        skin.SetRect(name, "activeskinrect", TControlTestSkin::StateRect(1));
        skin.SetRect(name, "downskinrect", TControlTestSkin::StateRect(2));
        skin.SetRect(name, "disabledskinrect", TControlTestSkin::StateRect(3));
        skin.SetColor(name, "fontcolor", sc::ButtonFont);
        skin.SetColor(name, "activefontcolor", sc::ButtonActiveFont);
        skin.SetColor(name, "downfontcolor", sc::ButtonDownFont);
        skin.SetColor(name, "disabledfontcolor", sc::ButtonDisabledFont);
    }
}

void AddListLooks(TControlTestSkin& skin)
{
    int const list = skin.AddPicture(60, 70);
    skin.Paint(list, TControlTestSkin::StateRect(0), sc::Edge);
    int const e = TControlTestSkin::StateEdge, s = TControlTestSkin::StateSize;
    skin.Paint(list, base::Rect(e, e, s - e, s - e), sc::ListClient);
    skin.Paint(list, base::Rect(0, 20, 40, 32), sc::ListItem);
    skin.Paint(list, base::Rect(0, 32, 40, 44), sc::ListActiveItem);
    skin.Paint(list, base::Rect(0, 44, 40, 56), sc::ListFocusItem);
    skin.Paint(list, base::Rect(0, 56, 40, 70), sc::ListCaption);
    for (char const* name : { "listbox", "captionlistbox" }) {
        skin.AddControl(name, "listbox");
        skin.SetStateLook(name, list);
        skin.SetRect(name, "itemrect", base::Rect(0, 20, 40, 32));
        skin.SetRect(name, "activeitemrect", base::Rect(0, 32, 40, 44));
        skin.SetRect(name, "focusitemrect", base::Rect(0, 44, 40, 56));
        skin.SetRect(name, "itemtextrect", base::Rect(2, 0, 38, 12));
        skin.SetColor(name, "fontcolor", sc::ListFont);
        skin.SetColor(name, "activefontcolor", sc::ListActiveFont);
        skin.SetColor(name, "focusfontcolor", sc::ListFocusFont);
        skin.SetColor(name, "captionfontcolor", sc::ListFont);
        skin.Set(name, "vscrollbarname", "listscrollbar");
    }
    skin.SetRect("captionlistbox", "captionrect", base::Rect(0, 56, 40, 70));

    int const bar = skin.AddPicture(60, 30);
    skin.Paint(bar, base::Rect(0, 0, 12, 30), sc::ScrollTrack);
    skin.Paint(bar, base::Rect(12, 0, 24, 12), sc::ScrollUp);
    skin.Paint(bar, base::Rect(24, 0, 36, 12), sc::ScrollDown);
    skin.Paint(bar, base::Rect(36, 0, 48, 12), sc::ListScrollThumb);
    skin.Paint(bar, base::Rect(48, 0, 60, 12), sc::ScrollPressed);
    skin.AddControl("listscrollbar", "scrollbar");
    skin.SetInt("listscrollbar", "pictureindex", bar);
    skin.SetRect("listscrollbar", "skinrect", base::Rect(0, 0, 12, 30));
    skin.SetRect("listscrollbar", "upbuttonrect", base::Rect(12, 0, 24, 12));
    skin.SetRect("listscrollbar", "downbuttonrect", base::Rect(24, 0, 36, 12));
    skin.SetRect("listscrollbar", "thumbrect", base::Rect(36, 0, 48, 12));
    skin.SetRect("listscrollbar", "downupbuttonrect", base::Rect(48, 0, 60, 12));
    skin.SetRect("listscrollbar", "downdownbuttonrect", base::Rect(48, 0, 60, 12));
}

void AddComboLooks(TControlTestSkin& skin)
{
    int const picture = skin.AddStatePicture({ sc::ComboClient });
    gfx::TBitmap wide(80, 24);
    wide.Fill(sc::Unused);
    wide.Canvas().Draw(0, 0, skin.Pictures[size_t(picture)]);
    skin.Pictures[size_t(picture)] = std::move(wide);
    skin.Paint(picture, base::Rect(20, 0, 40, 12), sc::ComboItem);
    skin.Paint(picture, base::Rect(20, 12, 40, 24), sc::ComboFocusItem);
    skin.Paint(picture, base::Rect(40, 0, 50, 20), sc::ComboButton);
    skin.Paint(picture, base::Rect(50, 0, 60, 20), sc::ComboButtonHot);
    skin.Paint(picture, base::Rect(60, 0, 70, 20), sc::ComboButtonDown);
    skin.Paint(picture, base::Rect(70, 0, 80, 20), sc::ComboButtonDisabled);
    skin.AddControl("combobox", "combobox");
    skin.SetStateLook("combobox", picture);
    skin.SetRect("combobox", "itemrect", base::Rect(20, 0, 40, 12));
    skin.SetRect("combobox", "focusitemrect", base::Rect(20, 12, 40, 24));
    skin.SetRect("combobox", "buttonrect", base::Rect(40, 0, 50, 20));
    skin.SetRect("combobox", "activebuttonrect", base::Rect(50, 0, 60, 20));
    skin.SetRect("combobox", "downbuttonrect", base::Rect(60, 0, 70, 20));
    skin.SetRect("combobox", "unenabledbuttonrect", base::Rect(70, 0, 80, 20));
    skin.SetColor("combobox", "fontcolor", sc::ComboFont);
    skin.SetColor("combobox", "focusfontcolor", sc::ComboFocusFont);
    skin.Set("combobox", "listboxname", "listbox");
}

void AddTabLooks(TControlTestSkin& skin)
{
    int const picture = skin.AddPicture(100, 32);
    int const e = TControlTestSkin::StateEdge, s = TControlTestSkin::StateSize;
    skin.Paint(picture, TControlTestSkin::StateRect(0), sc::Edge);
    skin.Paint(picture, base::Rect(e, e, s - e, s - e), sc::TabClient);
    TColor const tabs[] = { sc::TabNormal, sc::TabActive, sc::TabFocus, sc::TabHot, sc::TabsBand };
    for (int i = 0; i < 5; ++i)
        skin.Paint(picture, base::Rect(i * 20, 20, i * 20 + 20, 32), tabs[i]);
    skin.AddControl("tab", "tab");
    skin.SetStateLook("tab", picture);
    skin.SetRect("tab", "tabrect", base::Rect(0, 20, 20, 32));
    skin.SetRect("tab", "activetabrect", base::Rect(20, 20, 40, 32));
    skin.SetRect("tab", "focustabrect", base::Rect(40, 20, 60, 32));
    skin.SetRect("tab", "mouseintabrect", base::Rect(60, 20, 80, 32));
    skin.SetRect("tab", "tabsbgrect", base::Rect(80, 20, 100, 32));
    skin.SetInt("tab", "tableftoffset", 2);
    skin.SetInt("tab", "tabrightoffset", 2);
    skin.SetColor("tab", "fontcolor", sc::TabFont);
    skin.SetColor("tab", "activefontcolor", sc::TabActiveFont);
    skin.SetColor("tab", "focusfontcolor", sc::TabFocusFont);
    skin.SetColor("tab", "mouseinfontcolor", sc::TabHotFont);
}

void AddMenuBarLooks(TControlTestSkin& skin)
{
    int const picture = skin.AddPicture(90, 54);
    skin.Paint(picture, base::Rect(0, 0, 40, 16), sc::MenuBar);
    skin.Paint(picture, base::Rect(0, 16, 30, 30), sc::MenuItem);
    skin.Paint(picture, base::Rect(30, 16, 60, 30), sc::MenuItemHot);
    skin.Paint(picture, base::Rect(60, 16, 90, 30), sc::MenuItemDown);
    TColor const buttons[]
        = { sc::MenuClose, sc::MenuMin, sc::MenuMax, sc::MenuSys, sc::MenuButtonHot, sc::MenuButtonDown };
    for (int i = 0; i < 6; ++i)
        skin.Paint(picture, base::Rect(i * 12, 30, i * 12 + 12, 42), buttons[i]);

    skin.AddControl("mainmenubar", "mainmenubar");
    skin.SetInt("mainmenubar", "pictureindex", picture);
    skin.SetRect("mainmenubar", "skinrect", base::Rect(0, 0, 40, 16));
    skin.SetRect("mainmenubar", "itemsrect", base::Rect(4, 0, 36, 16));
    skin.Set("mainmenubar", "menubaritem", "testmenubaritem");
    skin.Set("mainmenubar", "closebutton", "testmenubarclose");
    skin.Set("mainmenubar", "minbutton", "testmenubarmin");
    skin.Set("mainmenubar", "maxbutton", "testmenubarmax");
    skin.Set("mainmenubar", "sysmenubutton", "testmenubarsys");

    skin.AddObject("testmenubaritem", "mainmenubaritem");
    skin.SetInt("testmenubaritem", "activepictureindex", picture);
    skin.SetRect("testmenubaritem", "skinrect", base::Rect(0, 16, 30, 30));
    skin.SetRect("testmenubaritem", "activeskinrect", base::Rect(30, 16, 60, 30));
    skin.SetRect("testmenubaritem", "downrect", base::Rect(60, 16, 90, 30));
    skin.SetRect("testmenubaritem", "textrect", base::Rect(4, 0, 26, 14));
    skin.SetColor("testmenubaritem", "fontcolor", sc::MenuItemFont);
    skin.SetColor("testmenubaritem", "activefontcolor", sc::MenuItemHotFont);
    skin.SetColor("testmenubaritem", "downfontcolor", sc::MenuItemDownFont);
    skin.SetColor("testmenubaritem", "unenabledfontColor", sc::MenuItemDisabledFont);
    char const* names[] = { "testmenubarclose", "testmenubarmin", "testmenubarmax", "testmenubarsys" };
    for (int i = 0; i < 4; ++i) {
        skin.AddObject(names[i], "mainmenubarbutton");
        skin.SetInt(names[i], "activepictureindex", picture);
        skin.SetRect(names[i], "skinrect", base::Rect(i * 12, 30, i * 12 + 12, 42));
        skin.SetRect(names[i], "activeskinrect", base::Rect(48, 30, 60, 42));
        skin.SetRect(names[i], "downrect", base::Rect(60, 30, 72, 42));
    }
}

void AddCheckRadioLooks(TControlTestSkin& skin)
{
    for (auto [name, c] :
        { std::pair { "checkbox", sc::CheckBox }, std::pair { "radiobox", sc::RadioBox } }) {
        int const picture = skin.AddPicture(80, 40);
        skin.PaintState(picture, TControlTestSkin::StateRect(0), c.Back);
        skin.PaintState(picture, TControlTestSkin::StateRect(1), c.ActiveBack);
        char const* keys[] = { "checkimagerect", "uncheckimagerect", "activecheckimagerect",
            "activeuncheckimagerect", "unenabledcheckimagerect", "unenableduncheckimagerect" };
        TColor const colors[] = { c.On, c.Off, c.OnActive, c.OffActive, c.OnDisabled, c.OffDisabled };
        for (int i = 0; i < 6; ++i) {
            TRect const r = base::Rect(i * 10, 20, i * 10 + 10, 30);
            skin.Paint(picture, r, colors[i]);
            skin.SetRect(name, keys[i], r);
        }
        skin.AddControl(name, "checkradio");
        skin.SetStateLook(name, picture);
        skin.SetRect(name, "activeskinrect", TControlTestSkin::StateRect(1));
        skin.SetRect(name, "checkimagearea", base::Rect(4, 5, 14, 15));
        skin.SetRect(name, "textarea", base::Rect(15, 2, 18, 18));
        skin.SetColor(name, "fontcolor", c.Font);
        skin.SetColor(name, "activefontcolor", c.ActiveFont);
        skin.SetColor(name, "unenabledfontcolor", c.DisabledFont);
    }
}

void AddPanelLooks(TControlTestSkin& skin)
{
    int picture = skin.AddStatePicture({ sc::PanelClient });
    skin.AddControl("panel", "panel");
    skin.SetStateLook("panel", picture);
    skin.SetColor("panel", "fontcolor", sc::PanelFont);

    picture = skin.AddStatePicture({ sc::GroupClient });
    int const background = skin.AddPicture(2, 2);
    skin.Paint(background, base::Rect(0, 0, 1, 1), sc::GroupBg1);
    skin.Paint(background, base::Rect(1, 0, 2, 1), sc::GroupBg2);
    skin.Paint(background, base::Rect(0, 1, 1, 2), sc::GroupBg2);
    skin.Paint(background, base::Rect(1, 1, 2, 2), sc::GroupBg1);
    skin.AddControl("groupbox", "panel");
    skin.SetStateLook("groupbox", picture);
    skin.SetInt("groupbox", "bgpictureindex", background);
    skin.SetRect("groupbox", "captionrect", base::Rect(4, 4, 16, 16));
    skin.Set("groupbox", "alignment", "taleftjustify");
    skin.SetColor("groupbox", "fontcolor", sc::GroupFont);

    picture = skin.AddStatePicture({ sc::StatusClient });
    skin.AddControl("statusbar", "panel");
    skin.SetStateLook("statusbar", picture);
}

void AddLabelLooks(TControlTestSkin& skin)
{
    int picture = skin.AddStatePicture({ sc::LabelClient });
    skin.AddControl("label", "label");
    skin.SetStateLook("label", picture);
    skin.SetColor("label", "fontcolor", sc::LabelFont);

    skin.AddControl("stdlabel", "stdlabel");
    skin.SetColor("stdlabel", "fontcolor", sc::StdLabelFont);
    skin.SetColor("stdlabel", "activefontcolor", sc::StdLabelActiveFont);

    picture = skin.AddStatePicture({ sc::StatusPanelClient });
    skin.AddControl("statuspanel", "label");
    skin.SetStateLook("statuspanel", picture);
    skin.SetColor("statuspanel", "fontcolor", sc::StatusPanelFont);
}

void AddGaugeLooks(TControlTestSkin& skin)
{
    for (bool vertical : { false, true }) {
        char const* name = vertical ? "vgauge" : "gauge";
        int const picture = skin.AddPicture(40, 40);
        skin.PaintState(picture, TControlTestSkin::StateRect(0), sc::GaugeBack);
        // The progress image: 20 long, 12 across, its ends 3 pixels.
        TRect const bar = vertical ? base::Rect(0, 20, 12, 40) : base::Rect(0, 20, 20, 32);
        skin.Paint(picture, bar, sc::BarMiddle);
        if (vertical) {
            skin.Paint(picture, base::Rect(0, 20, 12, 23), sc::BarBegin);
            skin.Paint(picture, base::Rect(0, 37, 12, 40), sc::BarEnd);
        } else {
            skin.Paint(picture, base::Rect(0, 20, 3, 32), sc::BarBegin);
            skin.Paint(picture, base::Rect(17, 20, 20, 32), sc::BarEnd);
        }
        skin.AddControl(name, "gauge");
        skin.SetStateLook(name, picture);
        skin.SetRect(name, "progressarea", base::Rect(4, 4, 16, 16));
        skin.SetRect(name, "progressrect", bar);
        skin.SetInt(name, "beginoffset", 3);
        skin.SetInt(name, "endoffset", 3);
        skin.SetInt(name, "vertical", vertical ? 1 : 0);
        skin.SetColor(name, "fontcolor", sc::GaugeFont);
    }
}

void AddEditLooks(TControlTestSkin& skin)
{
    for (char const* name : { "edit", "memo" }) {
        int const picture = skin.AddStatePicture({ sc::EditNormal, sc::EditActive });
        skin.AddControl(name, name);
        skin.SetStateLook(name, picture);
        skin.SetRect(name, "activeskinrect", TControlTestSkin::StateRect(1));
        skin.SetColor(name, "fontcolor", sc::EditFont);
        skin.SetColor(name, "activefontcolor", sc::EditActiveFont);
        skin.SetColor(name, "disabledfontcolor", sc::EditDisabledFont);
    }
    skin.SetColor("memo", "bgcolor", sc::MemoBG);
    skin.SetColor("memo", "activebgcolor", sc::MemoActiveBG);
}

void AddTrackBarLooks(TControlTestSkin& skin)
{
    for (bool vertical : { false, true }) {
        char const* name = vertical ? "trackbar" : "htrackbar";
        int const picture = skin.AddStatePicture({ sc::TrackNormal, sc::TrackNormal });
        // The thumbs where the second state image was.
        TRect const thumb = vertical ? base::Rect(20, 0, 30, 6) : base::Rect(20, 0, 26, 10);
        TRect const active = vertical ? base::Rect(20, 10, 30, 16) : base::Rect(30, 0, 36, 10);
        skin.Paint(picture, TControlTestSkin::StateRect(1), sc::Unused);
        skin.Paint(picture, thumb, sc::Thumb);
        skin.Paint(picture, active, sc::ThumbActive);
        skin.AddControl(name, "trackbar");
        skin.SetStateLook(name, picture);
        skin.SetRect(name, "trackarea", vertical ? base::Rect(0, 4, 20, 16) : base::Rect(4, 0, 16, 20));
        skin.SetRect(name, "buttonrect", thumb);
        skin.SetRect(name, "activebuttonrect", active);
        skin.SetInt(name, "vertical", vertical ? 1 : 0);
    }
}

void AddScrollBarLooks(TControlTestSkin& skin)
{
    for (bool vertical : { false, true }) {
        char const* name = vertical ? "vscrollbar" : "hscrollbar";
        // Laid out horizontally, turned for the vertical bar.
        auto r = [vertical](int left, int top, int right, int bottom) {
            return vertical ? base::Rect(top, left, bottom, right) : base::Rect(left, top, right, bottom);
        };
        int const picture = vertical ? skin.AddPicture(10, 148) : skin.AddPicture(148, 10);
        skin.Paint(picture, r(0, 0, 40, 10), sc::ScrollBar);
        TColor const buttons[] = { sc::UpButton, sc::UpButtonActive, sc::UpButtonDown, sc::DownButton,
            sc::DownButtonActive, sc::DownButtonDown };
        for (int i = 0; i < 6; ++i)
            skin.Paint(picture, r(40 + i * 10, 0, 50 + i * 10, 10), buttons[i]);
        TColor const thumbs[] = { sc::ScrollThumb, sc::ScrollThumbActive, sc::ScrollThumbDown };
        for (int i = 0; i < 3; ++i) {
            skin.Paint(picture, r(100 + i * 12, 0, 112 + i * 12, 10), sc::ThumbEnd);
            skin.Paint(picture, r(102 + i * 12, 0, 110 + i * 12, 10), thumbs[i]);
        }
        TColor const glyphs[] = { sc::Glyph, sc::GlyphActive, sc::GlyphDown };
        for (int i = 0; i < 3; ++i)
            skin.Paint(picture, r(136 + i * 4, 0, 140 + i * 4, 4), glyphs[i]);
        skin.AddControl(name, "scrollbar");
        skin.SetInt(name, "pictureindex", picture);
        skin.SetRect(name, "skinrect", r(0, 0, 40, 10));
        skin.Set(name, "lefttoppoint", vertical ? "2,2" : "2,2");
        skin.Set(name, "righttoppoint", vertical ? "8,2" : "38,2");
        skin.Set(name, "leftbottompoint", vertical ? "2,38" : "2,8");
        skin.Set(name, "rightbottompoint", vertical ? "8,38" : "38,8");
        skin.SetRect(name, "clientrect", r(2, 2, 38, 8));
        skin.SetRect(name, "trackarea", r(10, 0, 30, 10));
        char const* keys[] = { "upbuttonrect", "activeupbuttonrect", "downupbuttonrect", "downbuttonrect",
            "activedownbuttonrect", "downdownbuttonrect" };
        for (int i = 0; i < 6; ++i)
            skin.SetRect(name, keys[i], r(40 + i * 10, 0, 50 + i * 10, 10));
        char const* thumbKeys[] = { "thumbrect", "activethumbrect", "downthumbrect" };
        char const* glyphKeys[] = { "glyphrect", "activeglyphrect", "downglyphrect" };
        for (int i = 0; i < 3; ++i) {
            skin.SetRect(name, thumbKeys[i], r(100 + i * 12, 0, 112 + i * 12, 10));
            skin.SetRect(name, glyphKeys[i], r(136 + i * 4, 0, 140 + i * 4, 4));
        }
        skin.SetInt(name, "thumboffset1", 2);
        skin.SetInt(name, "thumboffset2", 2);
    }
}

TControlTestSkin MakeControlTestSkin()
{
    TControlTestSkin skin;
    AddButtonLooks(skin);
    AddListLooks(skin);
    AddComboLooks(skin);
    AddTabLooks(skin);
    AddMenuBarLooks(skin);
    AddCheckRadioLooks(skin);
    AddPanelLooks(skin);
    AddLabelLooks(skin);
    AddGaugeLooks(skin);
    AddEditLooks(skin);
    AddTrackBarLooks(skin);
    AddScrollBarLooks(skin);
    return skin;
}

} // namespace xe::test
