#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xe::ini {

// An INI text held in memory: sections and keys in the order they were read or written,
// names compared without regard to letter case. Used for the skin description.
class TMemIniFile {
public:
    TMemIniFile() = default;
    explicit TMemIniFile(std::string_view text) { SetText(text); }

    // Lines end with CR LF, a lone CR or a lone LF. Blank lines and lines starting with
    // ';' are skipped; "[name]" opens a section; "key=value" lines before any section and
    // lines without '=' are dropped.
    void SetText(std::string_view text);
    std::string Text() const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    // An optional minus sign and decimal digits; anything else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    void EraseSection(std::string_view section);
    void Clear() { FSections.clear(); }

    std::vector<std::string> Sections() const;
    std::vector<std::string> SectionKeys(std::string_view section) const;

private:
    struct Entry {
        std::string Key;
        std::string Value;
    };
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
    };
    Section const* FindSection(std::string_view name) const;
    Section& AddSection(std::string_view name);
    Entry const* FindEntry(std::string_view section, std::string_view key) const;

    std::vector<Section> FSections;
};

} // namespace xe::ini
