#pragma once

#include "platform/ini/MemIniFile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace xe::test {

// One key of a description section, as the tests pin it: its spelling, a value other
// than its defaults (in written form), what a load without the key gives and what a new
// object holds (both as SaveToIni writes them). "-" means the key is then not written at
// all (the entries of an empty text-line list).
struct KeyCase {
    KeyCase(char const* name, char const* value, char const* atLoad, char const* whenNew = nullptr)
        : Name(name)
        , Value(value)
        , AtLoad(atLoad)
        , WhenNew(whenNew ? whenNew : atLoad)
    {
    }
    char const* Name;
    char const* Value;
    char const* AtLoad;
    char const* WhenNew;
};
using KeyCases = std::vector<KeyCase>;
using KeyColumn = char const* KeyCase::*;

inline KeyCases Join(std::initializer_list<KeyCases> parts)
{
    KeyCases out;
    for (auto const& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// The keys written for the column, in order.
inline std::vector<std::string> WrittenNames(KeyCases const& keys, KeyColumn column)
{
    std::vector<std::string> out;
    for (KeyCase const& k : keys)
        if (std::string(k.*column) != "-")
            out.push_back(k.Name);
    return out;
}

// An INI file whose section holds every key with its non-default value.
inline xe::ini::TMemIniFile FixtureOf(std::string const& section, KeyCases const& keys)
{
    xe::ini::TMemIniFile f;
    for (KeyCase const& k : keys)
        f.WriteString(section, k.Name, k.Value);
    return f;
}

// The section holds exactly the keys of the column, in order, with the column's values;
// changed maps the keys whose written value differs from the column (adjustments made
// when loading).
inline void ExpectWritten(xe::ini::TMemIniFile const& out, std::string const& section, KeyCases const& keys,
    KeyColumn column, std::map<std::string, std::string> const& changed = {})
{
    EXPECT_EQ(out.SectionKeys(section), WrittenNames(keys, column));
    for (KeyCase const& k : keys) {
        if (std::string(k.*column) == "-")
            continue;
        auto c = changed.find(k.Name);
        std::string expected = c != changed.end() ? c->second : std::string(k.*column);
        EXPECT_EQ(out.ReadString(section, k.Name, "<missing>"), expected) << k.Name;
    }
}

} // namespace xe::test
