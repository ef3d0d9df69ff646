#include "platform/ini/MemIniFile.h"

#include "platform/base/Strings.h"

#include <algorithm>

namespace xe::ini {

using namespace xe::base;

void TMemIniFile::SetText(std::string_view text)
{
    FSections.clear();
    Section* current = nullptr;
    for (std::string_view raw : SplitLines(text)) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &AddSection(line.substr(1, line.size() - 2));
            continue;
        }
        if (!current)
            continue;
        // A line without '=' is no entry (the Windows profile functions skip it too): a stray
        // word must not become a key that shadows a default.
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            current->Entries.push_back({ Trim(std::string_view(line).substr(0, eq)),
                TrimLeft(std::string_view(line).substr(eq + 1)) });
    }
}

std::string TMemIniFile::Text() const
{
    std::string out;
    for (size_t s = 0; s < FSections.size(); ++s) {
        if (s > 0)
            out += "\r\n";
        out += "[" + FSections[s].Name + "]\r\n";
        for (Entry const& e : FSections[s].Entries)
            out += e.Key + "=" + e.Value + "\r\n";
    }
    return out;
}

TMemIniFile::Section const* TMemIniFile::FindSection(std::string_view name) const
{
    for (Section const& s : FSections)
        if (SameText(s.Name, name))
            return &s;
    return nullptr;
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name)
{
    for (Section& s : FSections)
        if (SameText(s.Name, name))
            return s;
    FSections.push_back({ std::string(name), {} });
    return FSections.back();
}

TMemIniFile::Entry const* TMemIniFile::FindEntry(std::string_view section, std::string_view key) const
{
    Section const* s = FindSection(section);
    if (!s)
        return nullptr;
    for (Entry const& e : s->Entries)
        if (SameText(e.Key, key))
            return &e;
    return nullptr;
}

std::string TMemIniFile::ReadString(
    std::string_view section, std::string_view key, std::string_view def) const
{
    Entry const* e = FindEntry(section, key);
    return e ? e->Value : std::string(def);
}

int TMemIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    Entry const* e = FindEntry(section, key);
    if (!e)
        return def;
    int64_t value;
    if (!TryStrToInt(e->Value, value) || value < INT32_MIN || value > INT32_MAX)
        return def;
    return int(value);
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section& s = AddSection(section);
    for (Entry& e : s.Entries) {
        if (SameText(e.Key, key)) {
            e.Value = std::string(value);
            return;
        }
    }
    s.Entries.push_back({ std::string(key), std::string(value) });
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, IntToStr(value));
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindEntry(section, key) != nullptr;
}

void TMemIniFile::EraseSection(std::string_view section)
{
    FSections.erase(std::remove_if(FSections.begin(), FSections.end(),
                        [&](Section const& s) { return SameText(s.Name, section); }),
        FSections.end());
}

std::vector<std::string> TMemIniFile::Sections() const
{
    std::vector<std::string> out;
    for (Section const& s : FSections)
        out.push_back(s.Name);
    return out;
}

std::vector<std::string> TMemIniFile::SectionKeys(std::string_view section) const
{
    std::vector<std::string> out;
    if (Section const* s = FindSection(section))
        for (Entry const& e : s->Entries)
            out.push_back(e.Key);
    return out;
}

} // namespace xe::ini
