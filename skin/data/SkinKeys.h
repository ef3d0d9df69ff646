#pragma once

#include "skin/data/SkinValues.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace xe::skin {

// Key tables: every description class lists its keys once, in reading order, as rows of
//
//     key name     kind     field      value when the key is missing    value of a new object
//
// and loading, saving and construction all run over that one table. So a class's keys
// read in one place, a saved section reads back into an equal object by construction,
// and the two defaults (loading and construction differ for some keys) stand side by side.

enum TKeyKind : int {
    kkInteger,
    kkString,
    kkBoolean,
    kkRect,
    kkPoint,
    kkColor,
    kkFontStyle,
    kkAlignment,
    kkMorphKind,
    kkInActiveEffect,
    kkCommandKind,
    kkGaugeKind,
    kkFramesPlacement,
    kkRegulatorKind,
    kkStrings, // string list: "<name>count", then "0", "1", ...
    kkTextLines // text lines: "<name>linecount", then "<name>line0", ...
};

// A value of any kind. Colours and font styles share uint32_t; the key's kind tells them
// apart.
using TKeyValue = std::variant<int, bool, std::string, TRect, TPoint, uint32_t, TAlignment, TspMorphKind,
    TspInActiveEffect, TspCommandKind, TspGaugeKind, TspFramesPlacement, TspRegulatorKind,
    std::vector<std::string>>;

// Reads a key by the rule of its kind (see SkinValues.h). A missing key gives def, and so
// does an unparsable integer or colour; a missing list is empty.
TKeyValue ReadKeyValue(TMemIniFile const& f, std::string_view section, std::string_view key, TKeyKind kind,
    TKeyValue const& def);
// Writes a key in the written form of its kind.
void WriteKeyValue(
    TMemIniFile& f, std::string_view section, std::string_view key, TKeyKind kind, TKeyValue const& value);

// The kinds as tags that carry their C++ type, so that a row's field, defaults and kind
// are checked against each other at compile time.
template <class V, TKeyKind K> struct TKeyKindTag {
    using Type = V;
    static constexpr TKeyKind Kind = K;
};
inline constexpr TKeyKindTag<int, kkInteger> kInteger;
inline constexpr TKeyKindTag<std::string, kkString> kString;
inline constexpr TKeyKindTag<bool, kkBoolean> kBoolean;
inline constexpr TKeyKindTag<TRect, kkRect> kRect;
inline constexpr TKeyKindTag<TPoint, kkPoint> kPoint;
inline constexpr TKeyKindTag<TColor, kkColor> kColor;
inline constexpr TKeyKindTag<TFontStyles, kkFontStyle> kFontStyle;
inline constexpr TKeyKindTag<TAlignment, kkAlignment> kAlignment;
inline constexpr TKeyKindTag<TspMorphKind, kkMorphKind> kMorphKind;
inline constexpr TKeyKindTag<TspInActiveEffect, kkInActiveEffect> kInActiveEffect;
inline constexpr TKeyKindTag<TspCommandKind, kkCommandKind> kCommandKind;
inline constexpr TKeyKindTag<TspGaugeKind, kkGaugeKind> kGaugeKind;
inline constexpr TKeyKindTag<TspFramesPlacement, kkFramesPlacement> kFramesPlacement;
inline constexpr TKeyKindTag<TspRegulatorKind, kkRegulatorKind> kRegulatorKind;
inline constexpr TKeyKindTag<std::vector<std::string>, kkStrings> kStrings;
inline constexpr TKeyKindTag<std::vector<std::string>, kkTextLines> kTextLines;

// A field of T of one of the value types.
template <class T>
using TKeyField = std::variant<int T::*, bool T::*, std::string T::*, TRect T::*, TPoint T::*, uint32_t T::*,
    TAlignment T::*, TspMorphKind T::*, TspInActiveEffect T::*, TspCommandKind T::*, TspGaugeKind T::*,
    TspFramesPlacement T::*, TspRegulatorKind T::*, std::vector<std::string> T::*>;

// One row of a key table of class T.
template <class T> struct TSkinKey {
    std::string_view Name;
    TKeyKind Kind;
    TKeyField<T> Field;
    TKeyValue AtLoad; // a missing key gives this
    TKeyValue WhenNew; // a new object holds this

    TSkinKey(std::string_view name, TKeyKind kind, TKeyField<T> field, TKeyValue atLoad, TKeyValue whenNew)
        : Name(name)
        , Kind(kind)
        , Field(field)
        , AtLoad(std::move(atLoad))
        , WhenNew(std::move(whenNew))
    {
    }
    // A row of a base class's field serves in a derived class's table.
    template <class B>
    requires(std::is_base_of_v<B, T> && !std::is_same_v<B, T>) TSkinKey(TSkinKey<B> const& row)
        : Name(row.Name)
        , Kind(row.Kind)
        , Field(std::visit([](auto p) -> TKeyField<T> { return Widen(p); }, row.Field))
        , AtLoad(row.AtLoad)
        , WhenNew(row.WhenNew)
    {
    }

    TKeyValue Get(T const& object) const
    {
        return std::visit([&](auto p) { return TKeyValue(object.*p); }, Field);
    }
    void Set(T& object, TKeyValue const& value) const
    {
        std::visit([&](auto p) { object.*p = std::get<std::remove_reference_t<decltype(object.*p)>>(value); },
            Field);
    }
    void Load(T& object, TMemIniFile const& f, std::string_view section) const
    {
        Set(object, ReadKeyValue(f, section, Name, Kind, AtLoad));
    }
    void Save(T const& object, TMemIniFile& f, std::string_view section) const
    {
        WriteKeyValue(f, section, Name, Kind, Get(object));
    }

private:
    template <class V, class B> static V T::*Widen(V B::*p) { return p; }
};

// Makes a row: Key("fontheight", kInteger, &C::FontHeight, 14, 0).
template <class V, TKeyKind K, class T>
TSkinKey<T> Key(std::string_view name, TKeyKindTag<V, K>, V T::*field, std::type_identity_t<V> atLoad,
    std::type_identity_t<V> whenNew)
{
    return TSkinKey<T>(name, K, field, TKeyValue(std::move(atLoad)), TKeyValue(std::move(whenNew)));
}

template <class T> using TKeyTable = std::vector<TSkinKey<T>>;

// Reads every key of the table, in table order, from the section into the object.
template <class T>
void LoadKeys(TKeyTable<T> const& keys, T& object, TMemIniFile const& f, std::string_view section)
{
    for (TSkinKey<T> const& k : keys)
        k.Load(object, f, section);
}

// Writes every key of the table, in table order, from the object into the section.
template <class T>
void SaveKeys(TKeyTable<T> const& keys, T const& object, TMemIniFile& f, std::string_view section)
{
    for (TSkinKey<T> const& k : keys)
        k.Save(object, f, section);
}

// Gives every field of the table its new-object value.
template <class T> void InitKeys(TKeyTable<T> const& keys, T& object)
{
    for (TSkinKey<T> const& k : keys)
        k.Set(object, k.WhenNew);
}

} // namespace xe::skin

namespace xe::skin {

// The root of a family of description classes: one section, IDName, holding the keys of
// the table Self::Keys(). Saving writes the section afresh (erased first), so that nothing
// of an earlier save lingers. Self's constructor calls InitKeys(Keys(), *this).
template <class Self> class TspKeyedRoot {
public:
    explicit TspKeyedRoot(std::string idName)
        : IDName(std::move(idName))
    {
    }
    virtual ~TspKeyedRoot() = default;

    virtual void LoadFromIni(TMemIniFile const& f)
    {
        LoadKeys(Self::Keys(), static_cast<Self&>(*this), f, IDName);
    }
    virtual void SaveToIni(TMemIniFile& f) const
    {
        f.EraseSection(IDName);
        SaveKeys(Self::Keys(), static_cast<Self const&>(*this), f, IDName);
    }

    std::string IDName; // section name and lookup name
};

// A description class whose own keys are its table Self::Keys(), added to those of its
// base: loading and saving run the base's keys first, then the table. Self's constructor
// calls InitKeys(Keys(), *this) (its fields do not exist yet while this base is built).
template <class Self, class Base> class TspKeyed : public Base {
public:
    using Base::Base;

    void LoadFromIni(TMemIniFile const& f) override
    {
        Base::LoadFromIni(f);
        LoadKeys(Self::Keys(), static_cast<Self&>(*this), f, this->IDName);
    }
    void SaveToIni(TMemIniFile& f) const override
    {
        Base::SaveToIni(f);
        SaveKeys(Self::Keys(), static_cast<Self const&>(*this), f, this->IDName);
    }
};

} // namespace xe::skin
