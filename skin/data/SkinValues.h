#pragma once

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "platform/ini/MemIniFile.h"
#include "skin/data/SkinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace xe::skin {

// The value rules shared by every section of a skin description. A missing key gives
// the default the caller passes (or the one named below); enumeration names compare
// exactly, with letter case.

using xe::base::TColor;
using xe::base::TPoint;
using xe::base::TRect;
using xe::ini::TMemIniFile;

// Rectangle rule: scan the text; "," closes a field, a digit joins the current field,
// every other character (minus sign, blank) is skipped. Values are therefore never
// negative. A field without digits raises EConvertError ("'' is not a valid integer
// value"); fields beyond the fourth (second for a point) are ignored.
TRect ParseRect(std::string_view text);
TPoint ParsePoint(std::string_view text);

int ReadInt(TMemIniFile const& f, std::string_view section, std::string_view key, int def);
std::string ReadStr(
    TMemIniFile const& f, std::string_view section, std::string_view key, std::string_view def = {});
// True exactly when the integer value (default 0) is 1.
bool ReadBoolean(TMemIniFile const& f, std::string_view section, std::string_view key);
TRect ReadRect(TMemIniFile const& f, std::string_view section, std::string_view key); // default 0,0,0,0
TPoint ReadPoint(TMemIniFile const& f, std::string_view section, std::string_view key); // default 0,0
TColor ReadColor(TMemIniFile const& f, std::string_view section, std::string_view key, TColor def = 0);
// "fsbold", "fsitalic", "fsunderline", "fsstrikeout" anywhere in the text.
TFontStyles ReadFontStyles(TMemIniFile const& f, std::string_view section, std::string_view key);
// Missing gives taCenter, "taleftjustify" left, any other text right.
TAlignment ReadAlignment(TMemIniFile const& f, std::string_view section, std::string_view key);
// Missing or unknown gives mkDefault.
TspMorphKind ReadMorphKind(TMemIniFile const& f, std::string_view section, std::string_view key);
// Missing gives ieBrightness, unknown ieGrayScale.
TspInActiveEffect ReadInActiveEffect(TMemIniFile const& f, std::string_view section, std::string_view key);
// The last name of these kinds also stands for every unknown text.
TspCommandKind ReadCommandKind(TMemIniFile const& f, std::string_view section, std::string_view key);
TspGaugeKind ReadGaugeKind(TMemIniFile const& f, std::string_view section, std::string_view key);
TspFramesPlacement ReadFramesPlacement(TMemIniFile const& f, std::string_view section, std::string_view key);
TspRegulatorKind ReadRegulatorKind(TMemIniFile const& f, std::string_view section, std::string_view key);
// Lists longer than this are cut: a description never holds that many entries, and an
// absurd count must not exhaust memory.
constexpr int MaxListCount = 65536;

// String list: "<name>count", then keys "0", "1", ... without prefix.
std::vector<std::string> ReadStrings(TMemIniFile const& f, std::string_view section, std::string_view name);
// Text lines: "<name>linecount", then "<name>line0", "<name>line1", ...
std::vector<std::string> ReadTextLines(TMemIniFile const& f, std::string_view section, std::string_view name);

// The keys "0" .. "count - 1" that the section really holds, ascending. Counted sections
// (skin areas, objects, controls) skip missing entries, so only these need reading,
// however large the count claims to be.
std::vector<int> PresentIndexKeys(TMemIniFile const& f, std::string_view section, int count);

void WriteInt(TMemIniFile& f, std::string_view section, std::string_view key, int value);
void WriteStr(TMemIniFile& f, std::string_view section, std::string_view key, std::string_view value);
void WriteBoolean(TMemIniFile& f, std::string_view section, std::string_view key, bool value);
void WriteRect(TMemIniFile& f, std::string_view section, std::string_view key, TRect const& r);
void WritePoint(TMemIniFile& f, std::string_view section, std::string_view key, TPoint p);
void WriteColor(TMemIniFile& f, std::string_view section, std::string_view key, TColor c);
void WriteFontStyles(TMemIniFile& f, std::string_view section, std::string_view key, TFontStyles s);
void WriteAlignment(TMemIniFile& f, std::string_view section, std::string_view key, TAlignment a);
void WriteMorphKind(TMemIniFile& f, std::string_view section, std::string_view key, TspMorphKind k);
void WriteInActiveEffect(TMemIniFile& f, std::string_view section, std::string_view key, TspInActiveEffect e);
void WriteCommandKind(TMemIniFile& f, std::string_view section, std::string_view key, TspCommandKind k);
void WriteGaugeKind(TMemIniFile& f, std::string_view section, std::string_view key, TspGaugeKind k);
void WriteFramesPlacement(
    TMemIniFile& f, std::string_view section, std::string_view key, TspFramesPlacement p);
void WriteRegulatorKind(TMemIniFile& f, std::string_view section, std::string_view key, TspRegulatorKind k);
void WriteStrings(
    TMemIniFile& f, std::string_view section, std::string_view name, std::vector<std::string> const& list);
void WriteTextLines(
    TMemIniFile& f, std::string_view section, std::string_view name, std::vector<std::string> const& lines);

// Splits a "name:type" (or "name:rectangle") entry at its first colon. An entry
// without a colon gives an empty name and an empty rest.
void SplitEntry(std::string_view entry, std::string& name, std::string& rest);

} // namespace xe::skin
