#include "tools/skintool/SkinCheck.h"

#include "platform/base/Exceptions.h"
#include "platform/ini/MemIniFile.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinnedForm.h"
#include "tools/skintool/SkinRender.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <set>

namespace xe::skin {

namespace {

using base::TPoint;
using base::TRect;

std::string Text(TRect const& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
        + std::to_string(r.Bottom);
}

// Edits (insert, delete, change a character, letter case ignored) that turn a into b.
size_t Distance(std::string const& a, std::string const& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t const up = row[j];
            bool const same = std::tolower(uint8_t(a[i - 1])) == std::tolower(uint8_t(b[j - 1]));
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1) });
            diagonal = up;
        }
    }
    return row[b.size()];
}

struct TChecker {
    TspSkinData& Data;
    TMemIniFile Ini;
    std::vector<TSkinFinding> Out;

    void Error(std::string const& section, std::string const& key, std::string const& message)
    {
        Out.push_back({ true, section, key, message });
    }
    void Warning(std::string const& section, std::string const& key, std::string const& message)
    {
        Out.push_back({ false, section, key, message });
    }

    // A picture index: -1 or a position in the active pictures. Returns the picture or null.
    gfx::TBitmap const* Picture(std::string const& section, std::string const& key, int index)
    {
        if (index == -1)
            return nullptr;
        if (index < -1 || size_t(index) >= Data.ActivePictures.size()) {
            Error(section, key,
                std::to_string(index) + " is no active picture (there are "
                    + std::to_string(Data.ActivePictures.size()) + ")");
            return nullptr;
        }
        return Data.ActivePictures[size_t(index)].get();
    }
    void Inside(std::string const& section, std::string const& key, TRect const& r,
        gfx::TBitmap const* picture, std::string const& pictureName)
    {
        if (!picture || base::IsRectEmpty(r))
            return;
        if (r.Left < 0 || r.Top < 0 || r.Right > picture->Width() || r.Bottom > picture->Height())
            Error(section, key,
                Text(r) + " lies outside " + pictureName + " (" + std::to_string(picture->Width()) + " x "
                    + std::to_string(picture->Height()) + ")");
    }
    void PointIn(
        std::string const& section, std::string const& key, TPoint p, int w, int h, std::string const& what)
    {
        if (p.X > w || p.Y > h)
            Error(section, key,
                std::to_string(p.X) + "," + std::to_string(p.Y) + " lies outside " + what + " ("
                    + std::to_string(w) + " x " + std::to_string(h) + ")");
    }

    // The keys a class reads are the ones it writes back.
    template <class T> std::set<std::string> KeysOf(T const& object)
    {
        TMemIniFile f;
        object.SaveToIni(f);
        auto keys = f.SectionKeys(object.IDName);
        return { keys.begin(), keys.end() };
    }
    template <class Table> void AddTable(std::set<std::string>& keys, Table const& table)
    {
        for (auto const& row : table)
            keys.insert(std::string(row.Name));
    }
    void UnreadKeys(std::string const& section, std::set<std::string> const& read, bool numbered = false)
    {
        for (std::string const& key : Ini.SectionKeys(section)) {
            if (numbered && !key.empty()
                && std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            bool found = false;
            std::string near;
            size_t nearest = 3; // a key two edits from a read one is taken for a typo of it
            for (std::string const& r : read) {
                if (r == key)
                    found = true;
                else if (size_t const d = Distance(r, key); d < nearest) {
                    nearest = d;
                    near = r;
                }
            }
            if (!found)
                Warning(section, key,
                    near.empty() ? "no class reads this key"
                                 : "no class reads this key; did you mean " + near + "?");
        }
    }

    void Run()
    {
        int const picW = Data.Picture().Width(), picH = Data.Picture().Height();
        std::set<std::string> known { "VERSION", "PICTURES", "FORMINFO", "POPUPWINDOW", "HINTWINDOW",
            "SKINAREAS", "SKINOBJECTS", "SKINCONTROLS" };

        // Sections of the whole skin.
        std::set<std::string> keys;
        AddTable(keys, TspSkinData::VersionKeys());
        keys.insert("ver"); // the format number: written by authors, read by nobody
        UnreadKeys("VERSION", keys);
        keys.clear();
        AddTable(keys, TspSkinData::PicturesKeys());
        keys.insert({ "inactivepicture", "activepicturescount" });
        UnreadKeys("PICTURES", keys, true);
        keys.clear();
        AddTable(keys, TspSkinData::FormInfoKeys());
        UnreadKeys("FORMINFO", keys);
        keys.clear();
        AddTable(keys, TspDataSkinPopupWindow::Keys());
        UnreadKeys("POPUPWINDOW", keys);
        keys.clear();
        AddTable(keys, TspDataSkinHintWindow::Keys());
        UnreadKeys("HINTWINDOW", keys);

        // Masks have their picture's size.
        auto sameSize = [&](gfx::TBitmap const& mask, gfx::TBitmap const& picture, char const* maskKey,
                            char const* pictureKey) {
            if (!mask.Empty() && !picture.Empty()
                && (mask.Width() != picture.Width() || mask.Height() != picture.Height()))
                Error("PICTURES", maskKey,
                    "the mask is " + std::to_string(mask.Width()) + " x " + std::to_string(mask.Height())
                        + ", the " + pictureKey + " " + std::to_string(picture.Width()) + " x "
                        + std::to_string(picture.Height()));
        };
        sameSize(Data.Mask(), Data.Picture(), "mask", "picture");
        sameSize(Data.RollUpMask(), Data.RollUpPicture(), "rollupmask", "rolluppicture");
        if (!Data.InActivePicture().Empty()
            && (Data.InActivePicture().Width() != picW || Data.InActivePicture().Height() != picH))
            Error("PICTURES", "inactivepicture", "the inactive picture has another size than the picture");

        // The frame's rectangles and points lie in the main picture.
        gfx::TBitmap const* main = &Data.Picture();
        Inside("FORMINFO", "clientrect", Data.ClientRect, main, "the picture");
        Inside("FORMINFO", "captionrect", Data.CaptionRect, main, "the picture");
        Inside("FORMINFO", "buttonsrect", Data.ButtonsRect, main, "the picture");
        Inside("FORMINFO", "mainmenurect", Data.MainMenuRect, main, "the picture");
        Inside("FORMINFO", "iconrect", Data.IconRect, main, "the picture");
        Inside("FORMINFO", "maskrectarea", Data.MaskRectArea, main, "the picture");
        PointIn("FORMINFO", "lefttoppoint", Data.LTPoint, picW, picH, "the picture");
        PointIn("FORMINFO", "righttoppoint", Data.RTPoint, picW, picH, "the picture");
        PointIn("FORMINFO", "leftbottompoint", Data.LBPoint, picW, picH, "the picture");
        PointIn("FORMINFO", "rightbottompoint", Data.RBPoint, picW, picH, "the picture");
        Picture("FORMINFO", "bgpictureindex", Data.BGPictureIndex);
        Picture("FORMINFO", "mdibgpictureindex", Data.MDIBGPictureIndex);
        Picture("POPUPWINDOW", "windowpictureindex", Data.PopupWindow.WindowPictureIndex);
        Picture("POPUPWINDOW", "maskpictureindex", Data.PopupWindow.MaskPictureIndex);
        Picture("HINTWINDOW", "windowpictureindex", Data.HintWindow.WindowPictureIndex);
        Picture("HINTWINDOW", "maskpictureindex", Data.HintWindow.MaskPictureIndex);

        // Entries of the lists: a type that makes no object is an error; their sections are known.
        auto entries = [&](std::string const& list, auto indexOf) {
            int const count = Ini.ReadInteger(list, "count", 0);
            for (int i = 0; i < count; ++i) {
                std::string const entry = Ini.ReadString(list, std::to_string(i), "");
                size_t const colon = entry.find(':');
                std::string const name = colon == std::string::npos ? "" : entry.substr(0, colon);
                known.insert(name);
                if (indexOf(name) < 0)
                    Error(list, std::to_string(i),
                        "'" + entry + "': " + (colon == std::string::npos ? "no name:type" : "unknown type"));
            }
        };
        entries("SKINOBJECTS", [&](std::string const& n) { return Data.IndexOfObject(n); });
        entries("SKINCONTROLS", [&](std::string const& n) { return Data.IndexOfControl(n); });

        for (auto const& d : Data.ObjectList) {
            std::string const& s = d->IDName;
            UnreadKeys(s, KeysOf(*d));
            gfx::TBitmap const* own = Picture(s, "activepictureindex", d->ActivePictureIndex);
            bool const inOwn = d->SkinRectInAPicture;
            if (inOwn && d->ActivePictureIndex == -1 && !base::IsRectEmpty(d->SkinRect))
                Error(s, "skinrect", "skinrectinapicture is set without an activepictureindex");
            Inside(
                s, "skinrect", d->SkinRect, inOwn ? own : main, inOwn ? "its active picture" : "the picture");
            Inside(s, "activeskinrect", d->ActiveSkinRect, own, "its active picture");
            Inside(s, "inactiveskinrect", d->InActiveSkinRect, own, "its active picture");
            if (auto* b = dynamic_cast<TspDataSkinButton*>(d.get())) {
                Inside(s, "downrect", b->DownRect, own, "its active picture");
                Inside(s, "disableskinrsect", b->DisableSkinRect, own, "its active picture");
            }
            if (auto* b = dynamic_cast<TspDataSkinStdButton*>(d.get())) {
                Inside(s, "restorerect", b->RestoreRect, own, "its active picture");
                Inside(s, "restoreactiverect", b->RestoreActiveRect, own, "its active picture");
                Inside(s, "restoredownrect", b->RestoreDownRect, own, "its active picture");
            }
            if (auto* m = dynamic_cast<TspDataSkinMainMenuItem*>(d.get()))
                Inside(s, "downrect", m->DownRect, own, "its active picture");
            if (auto* t = dynamic_cast<TspDataSkinTrackBar*>(d.get())) {
                Inside(s, "buttonrect", t->ButtonRect, own, "its active picture");
                Inside(s, "activebuttonrect", t->ActiveButtonRect, own, "its active picture");
                PointIn(s, "beginpoint", t->BeginPoint, d->SkinRect.Width(), d->SkinRect.Height(),
                    "its skinrect");
                PointIn(
                    s, "endpoint", t->EndPoint, d->SkinRect.Width(), d->SkinRect.Height(), "its skinrect");
            }
            if (auto* c = dynamic_cast<TspDataSkinCaption*>(d.get())) {
                Inside(s, "framerect", c->FrameRect, own, "its active picture");
                Inside(s, "activeframerect", c->ActiveFrameRect, own, "its active picture");
            }
        }
        for (auto const& c : Data.CtrlList) {
            std::string const& s = c->IDName;
            UnreadKeys(s, KeysOf(*c));
            gfx::TBitmap const* own = Picture(s, "pictureindex", c->PictureIndex);
            Picture(s, "maskpictureindex", c->MaskPictureIndex);
            Inside(s, "skinrect", c->SkinRect, own, "its picture");
            if (auto* cc = dynamic_cast<TspDataSkinCustomControl*>(c.get())) {
                int const w = c->SkinRect.Width(), h = c->SkinRect.Height();
                PointIn(s, "lefttoppoint", cc->LTPoint, w, h, "its skinrect");
                PointIn(s, "righttoppoint", cc->RTPoint, w, h, "its skinrect");
                PointIn(s, "leftbottompoint", cc->LBPoint, w, h, "its skinrect");
                PointIn(s, "rightbottompoint", cc->RBPoint, w, h, "its skinrect");
            }
        }

        for (std::string const& section : Ini.Sections())
            if (!known.count(section))
                Warning(section, "", "no list names this section");

        CaptionButtonsOverlap();
    }

    // Lays the buttons out on a framed form of the picture's size, every border icon on.
    void CaptionButtonsOverlap()
    {
        if (!tk::Application || !win::WindowSystemRunning() || Data.Picture().Empty())
            return;
        TSkinRenderOptions options;
        try {
            TSkinPreview preview(Data, options);
            preview.Skinned().SetBorderIcons(
                biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
            preview.Skinned().CalcObjectRects();
            std::vector<TspSkinStdButtonObject*> buttons;
            for (auto const& o : preview.Skinned().ObjectList)
                if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get()); b && b->VisibleState)
                    buttons.push_back(b);
            for (size_t i = 0; i < buttons.size(); ++i)
                for (size_t j = i + 1; j < buttons.size(); ++j) {
                    TRect cut;
                    if (base::IntersectRect(cut, buttons[i]->ObjectRect, buttons[j]->ObjectRect))
                        Error(buttons[j]->IDName, "skinrect",
                            "overlaps " + buttons[i]->IDName + " on the frame ("
                                + Text(buttons[j]->ObjectRect) + " and " + Text(buttons[i]->ObjectRect)
                                + ")");
                }
        } catch (base::Exception const& e) {
            Error("FORMINFO", "", std::string("the frame cannot be laid out: ") + e.Message());
        }
    }
};

} // namespace

std::vector<TSkinFinding> CheckSkin(TspSkinData& data, std::string const& description)
{
    TChecker checker { data, TMemIniFile(description), {} };
    checker.Run();
    return checker.Out;
}

void PrintFindings(std::vector<TSkinFinding> const& findings, std::ostream& out)
{
    for (TSkinFinding const& f : findings) {
        out << (f.Error ? "error: [" : "warning: [") << f.Section << "]";
        if (!f.Key.empty())
            out << " " << f.Key;
        out << ": " << f.Message << "\n";
    }
}

} // namespace xe::skin
