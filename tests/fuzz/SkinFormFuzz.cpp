// Stateful fuzz entry point of the skinned form: the input is a sequence of user actions and
// program calls on a skinned form on the headless window system (mouse, keys, window
// commands, program sizes, activation, time, skin switches between the stored skin, a
// larger variant with a roll-up strip, no skin, an empty skin data, a freed one and a failed
// load, menus) and on a skin popup menu whose items and skin data may be freed while it is
// open. After every step the form must still be there, its frame laid out for the size it
// really has, its region inside the window, every open menu on the work area, and a restore
// must bring back the bounds saved by the minimise or maximise before it.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/toolkit/Resources.h"
#include "platform/toolkit/StdCtrls.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"
#include "resources/Embedded.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/SkinnedForm.h"
#include "skin/form/TrayIcon.h"

using namespace xe;
using namespace xe::skin;
using base::Rect;
using base::TRect;

namespace {

constexpr int ScreenW = 1024, ScreenH = 768, TaskBar = 30;
constexpr size_t MaxSteps = 96;

[[noreturn]] void Fail(char const* what, size_t step)
{
    std::fprintf(stderr, "skin form fuzz: %s (step %zu)\n", what, step);
    std::abort();
}

// Reads the input a byte at a time; zeros once it is used up.
struct TReader {
    uint8_t const* Data = nullptr;
    size_t Size = 0;
    size_t Pos = 0;
    bool More() const { return Pos < Size; }
    int Byte() { return Pos < Size ? Data[Pos++] : 0; }
    // A coordinate from -64 to 1087 (off the screen on both sides).
    int Coord()
    {
        int const high = Byte();
        return (high << 2 | (Byte() & 3)) - 64;
    }
};

struct TRun {
    win::THeadlessBackend* H = nullptr;
    std::unique_ptr<tk::TApplication> App;
    tk::TComponentPtr<TspCompressedStoredSkin> Stored;
    tk::TComponentPtr<TspSkinData> Skin; // the stored skin
    tk::TComponentPtr<TspSkinData> Variant; // larger, with a roll-up strip; freed and made again
    tk::TComponentPtr<TspSkinData> Empty; // never loaded
    tk::TForm* Form = nullptr;
    TspSkinnedForm* Skinned = nullptr;
    tk::TPopupMenu* User = nullptr; // the user's system menu
    tk::TMenuItem* Sub = nullptr; // an item with sub-items in it
    TspTrayIcon* Tray = nullptr;
    tk::TComponentPtr<TspSkinPopupMenu> Popup; // a stand-alone skin menu
    tk::TComponentPtr<tk::TPopupMenu> PopupItems;
    // Bounds a minimise or maximise saved, as the form's user expects them back.
    std::optional<TRect> Saved;
    bool SavedUnknown = false;

    void MakeVariant()
    {
        Variant.reset(new TspSkinData(nullptr));
        Variant->SetCompressedStoredSkin(Stored.get());
        Variant->Picture() = gfx::TBitmap(300, 150);
        Variant->RollUpPicture() = gfx::TBitmap(120, 22);
        Variant->RollUpMask() = gfx::TBitmap(120, 22);
        Variant->RollUpLeftPoint = { 10, 0 };
        Variant->RollUpRightPoint = { 100, 0 };
    }
    void FillUserMenu(tk::TMenuItem* root, tk::TComponent* owner, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto* item = new tk::TMenuItem(owner);
            item->SetCaption(i == 1 ? "-" : "Item" + std::to_string(i));
            root->Add(item);
            if (i == 2) {
                for (int k = 0; k < 3; ++k) {
                    auto* child = new tk::TMenuItem(owner);
                    child->SetCaption("Sub" + std::to_string(k));
                    item->Add(child);
                }
            }
        }
    }
};

bool InsideWorkArea(win::HWND h)
{
    win::RECT r {};
    win::GetWindowRect(h, &r);
    TRect const area = Rect(0, 0, ScreenW, ScreenH - TaskBar);
    // A menu taller or wider than the area starts at its edge.
    return r.Left >= area.Left && r.Top >= area.Top && (r.Right <= area.Right || r.Left == area.Left)
        && (r.Bottom <= area.Bottom || r.Top == area.Top);
}

void CheckMenus(TspSkinPopupMenu* menu, size_t step)
{
    for (TspSkinPopupMenu* m = menu; m && m->Visible(); m = m->SubMenu()) {
        if (!win::IsWindow(m->Handle()))
            Fail("an open menu has no window", step);
        if (!InsideWorkArea(m->Handle()))
            Fail("a menu off the work area", step);
    }
}

void Check(TRun& r, size_t step)
{
    tk::TForm* f = r.Form;
    if (!win::IsWindow(f->Handle()))
        Fail("the form's window is gone", step);
    if (f->Width() < 0 || f->Height() < 0)
        Fail("a negative size", step);
    TspSkinnedForm& s = *r.Skinned;
    if (s.SkinSupport() != (s.SkinData() && !s.SkinData()->Empty()))
        Fail("skin support does not match the skin data", step);
    if (!s.SkinSupport() && !s.SupportNCArea() && !s.ObjectList.empty())
        Fail("objects without a skin", step);
    if (s.SkinSupport() && s.SupportNCArea()
        && (s.FrameWidth != f->Width() || s.FrameHeight != f->Height())) {
        std::fprintf(
            stderr, "%d x %d framed as %d x %d\n", f->Width(), f->Height(), s.FrameWidth, s.FrameHeight);
        Fail("the frame is laid out for another size", step);
    }
    if (s.SkinSupport() && s.SupportNCArea()) {
        base::TRect const cl = s.NewClRect;
        if (cl.Right - f->Width() != s.SkinData()->ClientRect.Right - s.SkinData()->Picture().Width())
            Fail("the client rectangle does not follow the width", step);
    }
    if (!s.SkinSupport() && s.HasFrameRegion())
        Fail("a region without a skin", step);
    gfx::TRegion region;
    // Below the skin's minimum the corners do not fit and the region is cut from them as
    // they are; in client mode a skin that cannot stretch keeps its picture's region.
    bool const fits = f->Width() >= s.GetMinWidth() && f->Height() >= s.GetMinHeight();
    if (s.SupportNCArea() && fits && win::GetWindowRgn(f->Handle(), region) != gfx::RGN_ERROR) {
        TRect box;
        gfx::GetRgnBox(region, box);
        if (!base::IsRectEmpty(box)
            && (box.Left < 0 || box.Top < 0 || box.Right > std::max(f->Width(), s.FrameWidth)
                || box.Bottom > std::max(f->Height(), s.FrameHeight)))
            Fail("the region reaches outside the window", step);
    }
    CheckMenus(s.SkinMenu(), step);
    CheckMenus(r.Popup.get(), step);
}

// Follows the window state across one step, whatever changed it (a command, a button, a
// double click, a menu item): the bounds a minimise or maximise saved must come back on the
// restore, at least at the current skin's minimum.
void FollowState(TRun& r, TspWindowState from, TRect const& before, size_t step)
{
    TspSkinnedForm& s = *r.Skinned;
    TspWindowState const to = s.WindowState;
    if (from == to)
        return;
    if (from == wsNormal) {
        bool const saves = to == wsMaximized || (to == wsMinimized && s.SupportNCArea());
        if (saves && !r.Saved)
            r.Saved = before;
        return;
    }
    if (to != wsNormal) {
        // Restored and left again within the step: what was saved is not known here.
        r.Saved.reset();
        r.SavedUnknown = true;
        return;
    }
    if (r.Saved && !r.SavedUnknown) {
        TRect want = *r.Saved;
        want.Right = want.Left + std::max(want.Width(), s.GetMinWidth());
        want.Bottom = want.Top + std::max(want.Height(), s.GetMinHeight());
        if (r.Form->BoundsRect() != want) {
            TRect const got = r.Form->BoundsRect();
            std::fprintf(stderr, "wanted %d,%d,%d,%d got %d,%d,%d,%d\n", want.Left, want.Top, want.Right,
                want.Bottom, got.Left, got.Top, got.Right, got.Bottom);
            Fail("restore did not bring back the saved bounds", step);
        }
    }
    // Without saved bounds the window stays as it is, below the minimum too when a program
    // made it so.
    r.Saved.reset();
    r.SavedUnknown = false;
}

void SwitchSkin(TRun& r, int which)
{
    TspSkinnedForm& s = *r.Skinned;
    switch (which % 8) {
    case 0:
        s.SetSkinData(r.Skin.get());
        break;
    case 1:
        if (!r.Variant)
            r.MakeVariant();
        s.SetSkinData(r.Variant.get());
        break;
    case 2:
        s.SetSkinData(nullptr);
        break;
    case 3:
        s.SetSkinData(r.Empty.get());
        break;
    case 4: // the variant freed, wherever it is used
        r.Variant.reset();
        break;
    case 5: // a load that fails on the variant
        if (r.Variant) {
            try {
                r.Variant->LoadFromPackage(std::string("\xE8\x03\x00\x00", 4));
            } catch (base::Exception const&) {
            }
        }
        break;
    case 6: // a package cut short
        if (r.Variant) {
            try {
                r.Variant->LoadFromPackage(std::string("\x01\x00\x00\x00\x00", 5));
            } catch (base::Exception const&) {
            }
        }
        break;
    case 7:
        s.SetMenusSkinData(r.Variant.get());
        break;
    }
}

void PopupAction(TRun& r, TReader& in)
{
    int const op = in.Byte() % 6;
    TspSkinPopupMenu& p = *r.Popup;
    switch (op) {
    case 0: {
        int const x = in.Coord(), y = in.Coord();
        p.Popup(r.PopupItems->Items(), { x, y }, in.Byte() & 1 ? r.Variant.get() : r.Skin.get());
        break;
    }
    case 1: {
        int const x = in.Coord(), y = in.Coord();
        p.PopupUnder(r.PopupItems->Items(), base::Bounds(x, y, 40, 20), in.Byte() & 1, r.Skin.get());
        break;
    }
    case 2: {
        static int const keys[]
            = { win::VK_DOWN, win::VK_UP, win::VK_RIGHT, win::VK_LEFT, win::VK_RETURN, win::VK_ESCAPE };
        p.KeyDown(keys[in.Byte() % 6]);
        break;
    }
    case 3: { // an item freed, open or not
        tk::TMenuItem* root = r.PopupItems->Items();
        if (root->Count() > 0) {
            tk::TMenuItem* item = root->Items(in.Byte() % root->Count());
            if (item->Count() > 0 && in.Byte() & 1)
                item = item->Items(0);
            tk::TComponent::Free(item);
        }
        if (root->Count() == 0)
            r.FillUserMenu(root, r.PopupItems.get(), 4);
        break;
    }
    case 4:
        p.Scroll(in.Byte() % 3 - 1);
        break;
    case 5:
        p.Close();
        break;
    }
}

void Step(TRun& r, TReader& in)
{
    tk::TForm* f = r.Form;
    TspSkinnedForm& s = *r.Skinned;
    win::THeadlessBackend& h = *r.H;
    int const op = in.Byte() % 20;
    auto formX = [&] { return f->Left() + in.Byte() - 16; };
    auto formY = [&] { return f->Top() + in.Byte() - 16; };
    auto point = [&] {
        int const x = formX();
        return base::TPoint { x, formY() };
    };
    switch (op) {
    case 0: {
        base::TPoint const p = point();
        h.Move(p.X, p.Y);
        break;
    }
    case 1: {
        base::TPoint const p = point();
        h.Click(p.X, p.Y);
        break;
    }
    case 2: {
        base::TPoint const p = point();
        h.Click(p.X, p.Y, win::mbRight);
        break;
    }
    case 3: {
        base::TPoint const p = point();
        h.DoubleClick(p.X, p.Y);
        break;
    }
    case 4: {
        base::TPoint const p = point();
        int const dx = in.Byte() - 128;
        h.Drag(p.X, p.Y, p.X + dx, p.Y + in.Byte() - 128);
        break;
    }
    case 5: {
        static int const keys[] = { win::VK_DOWN, win::VK_UP, win::VK_LEFT, win::VK_RIGHT, win::VK_RETURN,
            win::VK_ESCAPE, win::VK_F10, 'C', 'R' };
        h.KeyPress(keys[in.Byte() % 9]);
        break;
    }
    case 6:
        s.ChangeWindowState(TspWindowState(in.Byte() % 3));
        break;
    case 7:
        s.SetRollUpState(in.Byte() & 1);
        break;
    case 8: // a program sets the bounds, below the minimum too
    {
        int const x = in.Coord(), y = in.Coord();
        int const w = in.Byte() * 2, hh = in.Byte();
        f->SetBounds(x, y, w < 20 ? 0 : w, hh);
        break;
    }
    case 9: {
        bool const active = in.Byte() & 1;
        win::SendMessage(f->Handle(), win::WM_NCACTIVATE, active, 0);
        win::SendMessage(f->Handle(), win::WM_ACTIVATE, active ? win::WA_ACTIVE : win::WA_INACTIVE, 0);
        break;
    }
    case 10:
        h.RunFor(uint64_t(in.Byte()) * 4);
        break;
    case 11:
        SwitchSkin(r, in.Byte());
        break;
    case 12: {
        int const x = in.Coord();
        s.ShowSystemMenu({ x, in.Coord() });
        break;
    }
    case 13:
        win::SendMessage(f->Handle(), win::WM_SYSCOMMAND, win::SC_KEYMENU, 0);
        break;
    case 14: {
        int const which = in.Byte() % 5;
        if (which == 0)
            s.SetShowIcon(!s.ShowIcon());
        else if (which == 1)
            s.Sizeable = !s.Sizeable;
        else if (which == 2)
            s.SetBorderIcons(TspBorderIcons(in.Byte() & 31));
        else if (which == 3)
            s.SetAlphaBlend(!s.AlphaBlend());
        else
            s.SetHideCaptionButtons(!s.HideCaptionButtons());
        break;
    }
    case 15:
        if (in.Byte() & 1)
            s.MinimizeToTray();
        else
            s.RestoreFromTray();
        break;
    case 16:
        if (f->Visible())
            f->Hide();
        else
            f->Show();
        break;
    case 17: // an item of the user's system menu freed (the menu may be open)
        if (r.Sub && r.Sub->Count() > 0) {
            tk::TComponent::Free(r.Sub->Items(0));
        } else if (r.Sub) {
            tk::TComponent::Free(r.Sub);
            r.Sub = nullptr;
        }
        break;
    case 18:
        PopupAction(r, in);
        break;
    case 19:
        win::SendMessage(f->Handle(), win::WM_SYNCPAINT, 0, 0);
        win::UpdateWindow(f->Handle());
        break;
    }
    h.RunScript();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    static bool const installed = (tk::InstallEmbeddedResources(), true);
    (void)installed;
    if (size < 1)
        return 0;
    TReader in { data, size };
    int const setup = in.Byte();

    auto backend = std::make_unique<win::THeadlessBackend>();
    win::THeadlessBackend* h = backend.get();
    win::InitWindowSystem(std::move(backend));
    h->SetMonitors({ { Rect(0, 0, ScreenW, ScreenH), Rect(0, 0, ScreenW, ScreenH - TaskBar) } });
    {
        TRun r;
        r.H = h;
        r.App = std::make_unique<tk::TApplication>();
        r.Stored.reset(new TspCompressedStoredSkin(nullptr));
        r.Stored->SetCompressedData(std::string(tk::FindResourceData("skin/skin.skn")));
        r.Skin.reset(new TspSkinData(nullptr));
        r.Skin->SetCompressedStoredSkin(r.Stored.get());
        r.Empty.reset(new TspSkinData(nullptr));
        r.MakeVariant();
        r.App->CreateForm<tk::TForm>(); // the main form; the form under test comes after it
        r.Form = r.App->CreateForm<tk::TForm>();
        bool const clientMode = setup & 1;
        r.Form->SetBorderStyle(clientMode ? tk::bsNone : (setup & 2 ? tk::bsSingle : tk::bsSizeable));
        r.Form->SetBounds(100, 100, 200, 140);
        r.Skinned = new TspSkinnedForm(r.Form);
        r.Skinned->SetSupportNCArea(!clientMode);
        r.Skinned->DraggAble = setup & 4;
        r.Skinned->Magnetic = setup & 8;
        r.User = new tk::TPopupMenu(r.Form);
        r.FillUserMenu(r.User->Items(), r.Form, 3);
        r.Sub = r.User->Items()->Items(2);
        if (setup & 16)
            r.Skinned->SetSystemMenu(r.User);
        r.Tray = new TspTrayIcon(r.Form);
        r.Skinned->SetTrayIcon(r.Tray);
        auto* label = new tk::TLabel(r.Form);
        label->SetParent(r.Form);
        label->SetBounds(10, 10, 60, 16);
        r.Skinned->SetSkinData(setup & 32 ? r.Variant.get() : r.Skin.get());
        r.PopupItems.reset(new tk::TPopupMenu(nullptr));
        r.FillUserMenu(r.PopupItems->Items(), r.PopupItems.get(), 5);
        r.Popup.reset(new TspSkinPopupMenu(nullptr));
        r.Form->Show();
        r.App->ProcessMessages();
        // XE_FUZZ_TRACE=1 prints each step's action and the form's state after it.
        static bool const trace = std::getenv("XE_FUZZ_TRACE") != nullptr;
        for (size_t step = 0; step < MaxSteps && in.More(); ++step) {
            int const op = in.Pos < in.Size ? in.Data[in.Pos] % 20 : 0;
            TspWindowState const state = r.Skinned->WindowState;
            TRect const before = r.Form->BoundsRect();
            Step(r, in);
            FollowState(r, state, before, step);
            if (trace) {
                TRect const b = r.Form->BoundsRect();
                std::fprintf(stderr, "step %zu op %d: %d,%d %dx%d state %d rolled %d skin %d saved %d\n",
                    step, op, b.Left, b.Top, b.Width(), b.Height(), int(r.Skinned->WindowState),
                    int(r.Skinned->RollUpState()), int(r.Skinned->SkinSupport()), int(r.Saved.has_value()));
            }
            Check(r, step);
        }
        // The form and its components go before the skins they refer to, as in the dialog.
        r.Popup.reset();
        r.PopupItems.reset();
        r.App.reset();
        r.Variant.reset();
        r.Empty.reset();
        r.Skin.reset();
        r.Stored.reset();
    }
    win::DoneWindowSystem();
    return 0;
}
