#include "platform/toolkit/Menus.h"

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"

#include <algorithm>
#include <cctype>

namespace xe::tk {

namespace {

struct TKeyName {
    int Key;
    char const* Name;
};

// Names of the keys that are not a letter, a digit or a function key.
constexpr TKeyName KeyNames[] = {
    { win::VK_BACK, "BkSp" },
    { win::VK_TAB, "Tab" },
    { win::VK_ESCAPE, "Esc" },
    { win::VK_RETURN, "Enter" },
    { win::VK_SPACE, "Space" },
    { win::VK_PRIOR, "PgUp" },
    { win::VK_NEXT, "PgDn" },
    { win::VK_END, "End" },
    { win::VK_HOME, "Home" },
    { win::VK_LEFT, "Left" },
    { win::VK_UP, "Up" },
    { win::VK_RIGHT, "Right" },
    { win::VK_DOWN, "Down" },
    { win::VK_INSERT, "Ins" },
    { win::VK_DELETE, "Del" },
};

std::string KeyName(int key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, char(key));
    if (key >= win::VK_F1 && key <= win::VK_F12)
        return std::string("F").append(std::to_string(key - win::VK_F1 + 1));
    if (key >= win::VK_NUMPAD0 && key <= win::VK_NUMPAD0 + 9)
        return std::string("Num ").append(std::to_string(key - win::VK_NUMPAD0));
    for (TKeyName const& k : KeyNames)
        if (k.Key == key)
            return k.Name;
    return {};
}

bool SameText(std::string const& a, std::string const& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

} // namespace

TShortCut ShortCut(int key, TShiftState shift)
{
    if (key & 0xFF00)
        return scNone;
    TShortCut result = TShortCut(key);
    if (shift & ssShift)
        result |= scShift;
    if (shift & ssCtrl)
        result |= scCtrl;
    if (shift & ssAlt)
        result |= scAlt;
    return result;
}

std::string ShortCutToText(TShortCut shortCut)
{
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty())
        return {};
    std::string text;
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scAlt)
        text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(std::string const& text)
{
    TShortCut modifiers = 0;
    std::string rest = text;
    for (;;) {
        auto take = [&](char const* prefix, TShortCut flag) {
            std::string p = prefix;
            if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
                rest.erase(0, p.size());
                modifiers |= flag;
                return true;
            }
            return false;
        };
        if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt))
            break;
    }
    for (int key = 1; key < 256; ++key) {
        std::string name = KeyName(key);
        if (!name.empty() && SameText(name, rest))
            return TShortCut(key) | modifiers;
    }
    return scNone;
}

TShortCut ShortCutFromKey(int key) { return ShortCut(key, KeyboardShiftState()); }

char GetHotkey(std::string const& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return char(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

std::string StripHotkey(std::string const& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        else if (caption[i] == '&')
            continue;
        out += caption[i];
    }
    return out;
}

bool IsAccel(char key, std::string const& caption)
{
    char hotkey = GetHotkey(caption);
    return hotkey != 0 && hotkey == char(std::toupper(static_cast<unsigned char>(key)));
}

// ---------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner)
{
}

TMenuItem::~TMenuItem()
{
    Clear();
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::Changed()
{
    for (TMenuItem* item = this; item; item = item->FParent)
        if (item->OnChange) {
            item->OnChange(this);
            return;
        }
}

void TMenuItem::SetCaption(std::string const& value)
{
    if (value == FCaption)
        return;
    FCaption = value;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut value)
{
    if (value == FShortCut)
        return;
    FShortCut = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    Changed();
}

void TMenuItem::SetVisible(bool value)
{
    if (value == FVisible)
        return;
    FVisible = value;
    Changed();
}

void TMenuItem::SetChecked(bool value)
{
    if (value == FChecked)
        return;
    FChecked = value;
    Changed();
}

void TMenuItem::SetDefault(bool value)
{
    if (value == FDefault)
        return;
    // One default item per menu level.
    if (value && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this)
                sibling->FDefault = false;
    FDefault = value;
    Changed();
}

int TMenuItem::IndexOf(TMenuItem const* item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : int(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (item->FParent)
        throw base::EInvalidOperation("Menu inserted twice");
    for (TMenuItem* p = this; p; p = p->FParent)
        if (p == item)
            throw base::EInvalidOperation("Menu inserted into itself");
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    int index = IndexOf(item);
    if (index < 0)
        return;
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw base::EInvalidOperation("Menu index out of range");
    TMenuItem* item = FItems[size_t(index)];
    Remove(item);
    TComponent::Free(item);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        Delete(Count() - 1);
}

TMenuItem* TMenuItem::Find(std::string const& caption) const
{
    std::string wanted = StripHotkey(caption);
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->FCaption), wanted))
            return item;
    return nullptr;
}

TMenuItem* TMenuItem::FindByShortCut(TShortCut shortCut)
{
    if (shortCut == scNone || !FEnabled || !FVisible)
        return nullptr;
    if (FShortCut == shortCut && !IsLine())
        return this;
    for (TMenuItem* item : FItems)
        if (TMenuItem* found = item->FindByShortCut(shortCut))
            return found;
    return nullptr;
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick)
        OnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
}

void TMenuItem::DefineProperties(TProperties& p)
{
    TComponent::DefineProperties(p);
    p.String(
        "Caption", [this] { return FCaption; }, [this](std::string const& v) { SetCaption(v); });
    p.Boolean(
        "Checked", [this] { return FChecked; }, [this](bool v) { SetChecked(v); }, false);
    p.Boolean(
        "Default", [this] { return FDefault; }, [this](bool v) { SetDefault(v); }, false);
    p.Boolean(
        "Enabled", [this] { return FEnabled; }, [this](bool v) { SetEnabled(v); }, true);
    p.Integer(
        "ShortCut", [this] { return int64_t(FShortCut); }, [this](int64_t v) { SetShortCut(TShortCut(v)); },
        0);
    p.Reference(
        "SkinMenu", [this] { return FSkinMenu.Get(); }, [this](TComponent* c) { SetSkinMenu(c); });
    p.Boolean(
        "Visible", [this] { return FVisible; }, [this](bool v) { SetVisible(v); }, true);
}

// ---------------------------------------------------------------------------------------
// TMenu

TMenu::TMenu(TComponent* owner)
    : TComponent(owner)
    , FItems(new TMenuItem(nullptr))
{
    FItems->OnChange = [this](TMenuItem*) {
        if (OnChange)
            OnChange(this);
    };
}

TMenu::~TMenu() { TComponent::Free(FItems); }

bool TMenu::IsShortCut(TShortCut shortCut)
{
    TMenuItem* item = FItems->FindByShortCut(shortCut);
    if (!item || item == FItems)
        return false;
    item->Click();
    return true;
}

// ---------------------------------------------------------------------------------------
// TPopupMenu

std::function<void(TPopupMenu* menu, base::TPoint screen)> TPopupMenu::PopupHandler;

void TPopupMenu::Popup(int x, int y)
{
    FPopupPoint = { x, y };
    if (OnPopup)
        OnPopup(this);
    if (PopupHandler)
        PopupHandler(this, FPopupPoint);
}

} // namespace xe::tk
