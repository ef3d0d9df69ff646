#include "tools/skintool/SkinGallery.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/windows/WinUser.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinEdit.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabControl.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinMainMenuBar.h"

#include <algorithm>

namespace xe::skin {

using base::Rect;
using base::TRect;

char const* GalleryStateName(TGalleryState state)
{
    static char const* const names[] = { "normal", "hot", "pressed", "focused", "disabled", "checked" };
    return state >= 0 && state < gsStateCount ? names[state] : "";
}

namespace {

template <class T> T* Make(tk::TForm& form, std::string const& caption = {})
{
    auto* c = new T(&form);
    c->SetParent(&form);
    if (!caption.empty())
        c->SetCaption(caption);
    return c;
}

std::vector<std::string> const SampleItems { "Customers", "Orders", "Products", "Suppliers", "Shippers",
    "Employees", "Categories", "Regions" };

// Mouse over the point of the control (its client coordinates).
void HoverAt(TspSkinControl& c, int x, int y)
{
    c.Perform(tk::TControl::CM_MOUSEENTER);
    c.Perform(win::WM_MOUSEMOVE, 0, win::MAKELPARAM(x, y));
}

std::vector<TGalleryEntry> BuildEntries()
{
    using S = std::vector<TGalleryState>;
    S const buttonStates { gsNormal, gsHot, gsPressed, gsFocused, gsDisabled };
    std::vector<TGalleryEntry> e;
    e.push_back({ "TspSkinButton", 90, 25, [](tk::TForm& f) { return Make<TspSkinButton>(f, "Button"); },
        buttonStates });
    e.push_back(
        { "TspSkinToolButton", 90, 25, [](tk::TForm& f) { return Make<TspSkinToolButton>(f, "Tool"); },
            { gsNormal, gsHot, gsPressed, gsDisabled, gsChecked },
            [](TspSkinControl& c, TGalleryState s) {
                if (s != gsChecked)
                    return false;
                auto& b = static_cast<TspSkinToolButton&>(c);
                b.SetGroupIndex(1);
                b.SetIsDown(true);
                return true;
            } });
    for (bool radio : { false, true }) {
        e.push_back({ radio ? "TspSkinRadioButton" : "TspSkinCheckBox", 110, 20,
            [radio](tk::TForm& f) -> TspSkinControl* {
                if (radio)
                    return Make<TspSkinRadioButton>(f, "Radio");
                return Make<TspSkinCheckBox>(f, "Check");
            },
            { gsNormal, gsHot, gsFocused, gsDisabled, gsChecked },
            [](TspSkinControl& c, TGalleryState s) {
                if (s != gsChecked)
                    return false;
                static_cast<TspSkinCheckRadioBox&>(c).SetChecked(true);
                return true;
            } });
    }
    e.push_back({ "TspSkinPanel", 110, 50, [](tk::TForm& f) { return Make<TspSkinPanel>(f, "Panel"); },
        { gsNormal, gsDisabled } });
    e.push_back({ "TspSkinGroupBox", 110, 50, [](tk::TForm& f) { return Make<TspSkinGroupBox>(f, "Group"); },
        { gsNormal, gsDisabled } });
    e.push_back({ "TspSkinLabel", 100, 20, [](tk::TForm& f) { return Make<TspSkinLabel>(f, "Label"); },
        { gsNormal, gsDisabled } });
    e.push_back(
        { "TspSkinStdLabel", 100, 20, [](tk::TForm& f) { return Make<TspSkinStdLabel>(f, "Standard label"); },
            { gsNormal, gsHot, gsDisabled } });
    for (bool vertical : { false, true }) {
        e.push_back(
            { vertical ? "TspSkinGauge (vertical)" : "TspSkinGauge", vertical ? 24 : 110, vertical ? 60 : 20,
                [vertical](tk::TForm& f) {
                    auto* g = Make<TspSkinGauge>(f);
                    g->SetVertical(vertical);
                    g->SetValue(60);
                    return g;
                },
                { gsNormal, gsDisabled } });
    }
    e.push_back({ "TspSkinStatusBar", 140, 22,
        [](tk::TForm& f) {
            auto* s = Make<TspSkinStatusBar>(f);
            s->SetAlign(tk::alNone);
            s->SetPanels({ { 60, "Ready" }, { 60, "42 rows" } });
            return s;
        },
        { gsNormal } });
    e.push_back({ "TspSkinEdit", 120, 22,
        [](tk::TForm& f) {
            auto* t = Make<TspSkinEdit>(f);
            t->SetText("Orders 2026");
            return t;
        },
        { gsNormal, gsHot, gsFocused, gsDisabled } });
    e.push_back({ "TspSkinMemo", 120, 60,
        [](tk::TForm& f) {
            auto* m = Make<TspSkinMemo>(f);
            m->SetLines({ "First line", "Second line", "Third line" });
            return m;
        },
        { gsNormal, gsHot, gsFocused, gsDisabled } });
    for (bool vertical : { false, true }) {
        e.push_back({ vertical ? "TspSkinTrackBar (vertical)" : "TspSkinTrackBar", vertical ? 30 : 120,
            vertical ? 80 : 30,
            [vertical](tk::TForm& f) {
                auto* t = Make<TspSkinTrackBar>(f);
                t->SetOrientation(vertical ? trVertical : trHorizontal);
                t->SetRange(0, 10);
                t->SetPosition(3);
                return t;
            },
            { gsNormal, gsFocused, gsDisabled } });
        e.push_back({ vertical ? "TspSkinScrollBar (vertical)" : "TspSkinScrollBar", vertical ? 17 : 120,
            vertical ? 80 : 17,
            [vertical](tk::TForm& f) {
                auto* b = Make<TspSkinScrollBar>(f);
                b->SetKind(vertical ? sbVertical : sbHorizontal);
                b->SetParams(30, 0, 100);
                b->SetPageSize(20);
                return b;
            },
            { gsNormal, gsDisabled } });
    }
    e.push_back({ "TspSkinListBox", 120, 80,
        [](tk::TForm& f) {
            auto* l = Make<TspSkinListBox>(f);
            l->SetItems(SampleItems);
            l->SetItemIndex(1);
            return l;
        },
        { gsNormal, gsFocused, gsDisabled } });
    e.push_back({ "TspSkinComboBox", 120, 22,
        [](tk::TForm& f) {
            auto* c = Make<TspSkinComboBox>(f);
            c->SetItems(SampleItems);
            c->SetItemIndex(0);
            return c;
        },
        { gsNormal, gsHot, gsFocused, gsDisabled } });
    e.push_back({ "TspSkinTabControl", 150, 70,
        [](tk::TForm& f) {
            auto* t = Make<TspSkinTabControl>(f);
            t->SetTabs({ "One", "Two", "Three" });
            return t;
        },
        { gsNormal, gsHot, gsFocused, gsDisabled },
        [](TspSkinControl& c, TGalleryState s) {
            if (s != gsHot)
                return false;
            auto& t = static_cast<TspSkinTabControl&>(c);
            TRect const r = t.TabRect(1);
            HoverAt(c, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            return true;
        } });
    e.push_back({ "TspSkinMainMenuBar", 160, 20,
        [](tk::TForm& f) {
            auto* menu = new tk::TMainMenu(&f);
            for (char const* caption : { "File", "Edit", "Help" }) {
                auto* item = new tk::TMenuItem(menu);
                item->SetCaption(caption);
                menu->Items()->Add(item);
            }
            auto* bar = Make<TspSkinMainMenuBar>(f);
            bar->SetMainMenu(menu);
            return bar;
        },
        { gsNormal, gsHot },
        [](TspSkinControl& c, TGalleryState s) {
            if (s != gsHot)
                return false;
            auto& b = static_cast<TspSkinMainMenuBar&>(c);
            TRect const r = b.ItemRect(0);
            HoverAt(c, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
            return true;
        } });
    return e;
}

// The usual ways into a state.
void ApplyState(TGalleryEntry const& entry, TspSkinControl& c, TGalleryState state)
{
    if (entry.Apply && entry.Apply(c, state))
        return;
    switch (state) {
    case gsHot:
        HoverAt(c, c.Width() / 2, c.Height() / 2);
        break;
    case gsPressed:
        HoverAt(c, c.Width() / 2, c.Height() / 2);
        c.Perform(win::WM_LBUTTONDOWN, win::MK_LBUTTON, win::MAKELPARAM(c.Width() / 2, c.Height() / 2));
        break;
    case gsFocused:
        if (c.CanFocus())
            c.SetFocus();
        break;
    case gsDisabled:
        c.SetEnabled(false);
        break;
    default:
        break;
    }
}

constexpr int LabelWidth = 170;
constexpr int HeaderHeight = 20;
constexpr int Gap = 8;

} // namespace

std::vector<TGalleryEntry> const& GalleryEntries()
{
    static std::vector<TGalleryEntry> const entries = BuildEntries();
    return entries;
}

namespace {
struct TGalleryLayout {
    int CellWidth = 0;
    int Width = 0;
    int Height = HeaderHeight;
    std::vector<int> RowTop;
};

TGalleryLayout Layout()
{
    TGalleryLayout l;
    for (auto const& e : GalleryEntries()) {
        l.CellWidth = std::max(l.CellWidth, e.Width + 2 * Gap);
        l.RowTop.push_back(l.Height);
        l.Height += e.Height + 2 * Gap;
    }
    l.Width = LabelWidth + gsStateCount * l.CellWidth;
    return l;
}
}

TRect GalleryCellRect(int entry, TGalleryState state)
{
    auto const& entries = GalleryEntries();
    if (entry < 0 || entry >= int(entries.size()))
        return TRect {};
    TGalleryLayout const l = Layout();
    int const left = LabelWidth + int(state) * l.CellWidth, top = l.RowTop[size_t(entry)];
    return Rect(left, top, left + l.CellWidth, top + entries[size_t(entry)].Height + 2 * Gap);
}

gfx::TBitmap RenderGallery(TspSkinData& skin)
{
    auto const& entries = GalleryEntries();
    TGalleryLayout const layout = Layout();
    int const cellWidth = layout.CellWidth, width = layout.Width, height = layout.Height;
    std::vector<int> const& rowTop = layout.RowTop;

    // Each cell is drawn alone on a form of its size (so that the focus, the press and the
    // mouse belong to that control only) and copied into the picture.
    gfx::TBitmap out(width, height);
    out.Fill(base::RGB(236, 236, 236));
    gfx::TCanvas& canvas = out.Canvas();
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.Font.SetName("Arial");
    canvas.Font.SetHeight(13);
    canvas.Font.SetColor(base::RGB(0, 0, 0));
    for (int s = 0; s < gsStateCount; ++s) {
        TRect r = Rect(LabelWidth + s * cellWidth, 0, LabelWidth + (s + 1) * cellWidth, HeaderHeight);
        canvas.DrawText(
            GalleryStateName(TGalleryState(s)), r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
    canvas.Brush.Color = base::RGB(180, 180, 180);
    canvas.FillRect(Rect(0, HeaderHeight - 1, width, HeaderHeight));
    for (size_t i = 0; i < entries.size(); ++i) {
        TGalleryEntry const& e = entries[i];
        int const top = rowTop[i];
        TRect label = Rect(4, top, LabelWidth - 4, top + e.Height + 2 * Gap);
        canvas.DrawText(e.Name, label, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
        for (TGalleryState state : e.States) {
            auto* form = tk::Application->CreateForm<tk::TForm>();
            form->SetBorderStyle(tk::bsNone);
            form->SetColor(base::RGB(236, 236, 236));
            form->SetBounds(0, 0, cellWidth, e.Height + 2 * Gap);
            TspSkinControl* control = e.Make(*form);
            control->SetBounds(Gap, Gap, e.Width, e.Height);
            control->SetSkinData(&skin);
            form->Show();
            tk::Application->ProcessMessages();
            ApplyState(e, *control, state);
            tk::Application->ProcessMessages();
            form->Repaint();
            gfx::TBitmap const shot = win::CaptureWindow(form->Handle());
            canvas.Draw(LabelWidth + int(state) * cellWidth, top, shot);
            delete form;
        }
        canvas.Brush.Color = base::RGB(210, 210, 210);
        canvas.FillRect(Rect(0, top + e.Height + 2 * Gap - 1, width, top + e.Height + 2 * Gap));
    }
    return out;
}

} // namespace xe::skin
