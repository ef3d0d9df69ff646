#include "skin/data/SkinValues.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <algorithm>
#include <array>

namespace xe::skin {

using namespace xe::base;

namespace {

// The platform's string-to-integer conversion with its error message.
int32_t ConvertField(std::string const& field)
{
    int64_t value;
    if (!TryStrToInt(field, value) || value < INT32_MIN || value > INT32_MAX)
        throw EConvertError(Format("'%s' is not a valid integer value", field.c_str()));
    return int32_t(value);
}

template <size_t N> std::array<int32_t, N> ParseFields(std::string_view text)
{
    std::array<std::string, N> fields;
    size_t current = 0;
    for (char c : text) {
        if (c == ',')
            ++current;
        else if (c >= '0' && c <= '9' && current < N)
            fields[current] += c;
    }
    std::array<int32_t, N> out {};
    for (size_t i = 0; i < N; ++i)
        out[i] = ConvertField(fields[i]);
    return out;
}

template <typename E, size_t N>
E ReadEnum(TMemIniFile const& f, std::string_view section, std::string_view key,
    std::array<char const*, N> const& names, E missing, E unknown)
{
    if (!f.ValueExists(section, key))
        return missing;
    std::string text = f.ReadString(section, key, "");
    for (size_t i = 0; i < N; ++i)
        if (text == names[i])
            return E(i);
    return unknown;
}

constexpr std::array<char const*, 7> MorphKindNames { "mkdefault", "mkgradient", "mkleftgradient",
    "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush" };
constexpr std::array<char const*, 6> InActiveEffectNames { "iebrightness", "iedarkness", "iegrayscale",
    "ienoise", "iesplitblur", "ieinvert" };
constexpr std::array<char const*, 7> CommandKindNames { "cmclose", "cmmaximize", "cmminimize", "cmsysmenu",
    "cmdefault", "cmrollup", "cmminimizetotray" };
constexpr std::array<char const*, 2> GaugeKindNames { "gkhorizontal", "gkvertical" };
constexpr std::array<char const*, 2> FramesPlacementNames { "fphorizontal", "fpvertical" };
constexpr std::array<char const*, 3> RegulatorKindNames { "rkround", "rkhorizontal", "rkvertical" };
constexpr std::array<char const*, 3> AlignmentNames { "taleftjustify", "tarightjustify", "tacenter" };

template <size_t N> char const* EnumName(std::array<char const*, N> const& names, int value)
{
    return value >= 0 && size_t(value) < N ? names[size_t(value)] : names[N - 1];
}

} // namespace

TRect ParseRect(std::string_view text)
{
    auto v = ParseFields<4>(text);
    return { v[0], v[1], v[2], v[3] };
}

TPoint ParsePoint(std::string_view text)
{
    auto v = ParseFields<2>(text);
    return { v[0], v[1] };
}

int ReadInt(TMemIniFile const& f, std::string_view section, std::string_view key, int def)
{
    return f.ReadInteger(section, key, def);
}

std::string ReadStr(
    TMemIniFile const& f, std::string_view section, std::string_view key, std::string_view def)
{
    return f.ReadString(section, key, def);
}

bool ReadBoolean(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return f.ReadInteger(section, key, 0) == 1;
}

TRect ReadRect(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ParseRect(f.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadPoint(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ParsePoint(f.ReadString(section, key, "0,0"));
}

TColor ReadColor(TMemIniFile const& f, std::string_view section, std::string_view key, TColor def)
{
    return TColor(f.ReadInteger(section, key, int(def)));
}

TFontStyles ReadFontStyles(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    std::string text = f.ReadString(section, key, "");
    TFontStyles s = 0;
    if (text.find("fsbold") != std::string::npos)
        s |= fsBold;
    if (text.find("fsitalic") != std::string::npos)
        s |= fsItalic;
    if (text.find("fsunderline") != std::string::npos)
        s |= fsUnderline;
    if (text.find("fsstrikeout") != std::string::npos)
        s |= fsStrikeOut;
    return s;
}

TAlignment ReadAlignment(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    std::string text = f.ReadString(section, key, "tacenter");
    if (text == "tacenter")
        return taCenter;
    if (text == "taleftjustify")
        return taLeftJustify;
    return taRightJustify;
}

TspMorphKind ReadMorphKind(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, MorphKindNames, mkDefault, mkDefault);
}

TspInActiveEffect ReadInActiveEffect(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, InActiveEffectNames, ieBrightness, ieGrayScale);
}

TspCommandKind ReadCommandKind(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, CommandKindNames, cmDefault, cmMinimizeToTray);
}

TspGaugeKind ReadGaugeKind(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, GaugeKindNames, gkHorizontal, gkVertical);
}

TspFramesPlacement ReadFramesPlacement(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, FramesPlacementNames, fpHorizontal, fpVertical);
}

TspRegulatorKind ReadRegulatorKind(TMemIniFile const& f, std::string_view section, std::string_view key)
{
    return ReadEnum(f, section, key, RegulatorKindNames, rkRound, rkVertical);
}

std::vector<std::string> ReadStrings(TMemIniFile const& f, std::string_view section, std::string_view name)
{
    std::vector<std::string> out;
    int count = std::min(f.ReadInteger(section, std::string(name) + "count", 0), MaxListCount);
    for (int i = 0; i < count; ++i)
        out.push_back(f.ReadString(section, IntToStr(i), ""));
    return out;
}

std::vector<std::string> ReadTextLines(TMemIniFile const& f, std::string_view section, std::string_view name)
{
    std::vector<std::string> out;
    int count = std::min(f.ReadInteger(section, std::string(name) + "linecount", 0), MaxListCount);
    for (int i = 0; i < count; ++i)
        out.push_back(f.ReadString(section, std::string(name) + "line" + IntToStr(i), ""));
    return out;
}

std::vector<int> PresentIndexKeys(TMemIniFile const& f, std::string_view section, int count)
{
    std::vector<int> out;
    for (std::string const& key : f.SectionKeys(section)) {
        int64_t value;
        if (TryStrToInt(key, value) && value >= 0 && value < count && IntToStr(value) == key)
            out.push_back(int(value));
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

void WriteInt(TMemIniFile& f, std::string_view section, std::string_view key, int value)
{
    f.WriteInteger(section, key, value);
}

void WriteStr(TMemIniFile& f, std::string_view section, std::string_view key, std::string_view value)
{
    f.WriteString(section, key, value);
}

void WriteBoolean(TMemIniFile& f, std::string_view section, std::string_view key, bool value)
{
    f.WriteString(section, key, value ? "1" : "0");
}

void WriteRect(TMemIniFile& f, std::string_view section, std::string_view key, TRect const& r)
{
    f.WriteString(section, key,
        IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom));
}

void WritePoint(TMemIniFile& f, std::string_view section, std::string_view key, TPoint p)
{
    f.WriteString(section, key, IntToStr(p.X) + "," + IntToStr(p.Y));
}

void WriteColor(TMemIniFile& f, std::string_view section, std::string_view key, TColor c)
{
    f.WriteInteger(section, key, int32_t(c));
}

void WriteFontStyles(TMemIniFile& f, std::string_view section, std::string_view key, TFontStyles s)
{
    std::string text;
    auto add = [&](char const* name) { text += text.empty() ? name : std::string(",") + name; };
    if (s & fsBold)
        add("fsbold");
    if (s & fsItalic)
        add("fsitalic");
    if (s & fsUnderline)
        add("fsunderline");
    if (s & fsStrikeOut)
        add("fsstrikeout");
    f.WriteString(section, key, text);
}

void WriteAlignment(TMemIniFile& f, std::string_view section, std::string_view key, TAlignment a)
{
    f.WriteString(section, key, EnumName(AlignmentNames, a));
}

void WriteMorphKind(TMemIniFile& f, std::string_view section, std::string_view key, TspMorphKind k)
{
    f.WriteString(section, key, EnumName(MorphKindNames, k));
}

void WriteInActiveEffect(TMemIniFile& f, std::string_view section, std::string_view key, TspInActiveEffect e)
{
    f.WriteString(section, key, EnumName(InActiveEffectNames, e));
}

void WriteCommandKind(TMemIniFile& f, std::string_view section, std::string_view key, TspCommandKind k)
{
    f.WriteString(section, key, EnumName(CommandKindNames, k));
}

void WriteGaugeKind(TMemIniFile& f, std::string_view section, std::string_view key, TspGaugeKind k)
{
    f.WriteString(section, key, EnumName(GaugeKindNames, k));
}

void WriteFramesPlacement(
    TMemIniFile& f, std::string_view section, std::string_view key, TspFramesPlacement p)
{
    f.WriteString(section, key, EnumName(FramesPlacementNames, p));
}

void WriteRegulatorKind(TMemIniFile& f, std::string_view section, std::string_view key, TspRegulatorKind k)
{
    f.WriteString(section, key, EnumName(RegulatorKindNames, k));
}

void WriteStrings(
    TMemIniFile& f, std::string_view section, std::string_view name, std::vector<std::string> const& list)
{
    f.WriteInteger(section, std::string(name) + "count", int(list.size()));
    for (size_t i = 0; i < list.size(); ++i)
        f.WriteString(section, IntToStr(int64_t(i)), list[i]);
}

void WriteTextLines(
    TMemIniFile& f, std::string_view section, std::string_view name, std::vector<std::string> const& lines)
{
    f.WriteInteger(section, std::string(name) + "linecount", int(lines.size()));
    for (size_t i = 0; i < lines.size(); ++i)
        f.WriteString(section, std::string(name) + "line" + IntToStr(int64_t(i)), lines[i]);
}

void SplitEntry(std::string_view entry, std::string& name, std::string& rest)
{
    size_t colon = entry.find(':');
    if (colon == std::string_view::npos) {
        name.clear();
        rest.clear();
        return;
    }
    name = std::string(entry.substr(0, colon));
    rest = std::string(entry.substr(colon + 1));
}

} // namespace xe::skin
