#include "skin/data/SkinKeys.h"

namespace xe::skin {

TKeyValue ReadKeyValue(
    TMemIniFile const& f, std::string_view s, std::string_view key, TKeyKind kind, TKeyValue const& def)
{
    // Kinds whose reader handles a missing key itself.
    switch (kind) {
    case kkInteger:
        return ReadInt(f, s, key, std::get<int>(def));
    case kkColor:
        return ReadColor(f, s, key, std::get<uint32_t>(def));
    case kkString:
        return ReadStr(f, s, key, std::get<std::string>(def));
    case kkStrings:
        return ReadStrings(f, s, key);
    case kkTextLines:
        return ReadTextLines(f, s, key);
    default:
        break;
    }
    if (!f.ValueExists(s, key))
        return def;
    switch (kind) {
    case kkBoolean:
        return ReadBoolean(f, s, key);
    case kkRect:
        return ReadRect(f, s, key);
    case kkPoint:
        return ReadPoint(f, s, key);
    case kkFontStyle:
        return ReadFontStyles(f, s, key);
    case kkAlignment:
        return ReadAlignment(f, s, key);
    case kkMorphKind:
        return ReadMorphKind(f, s, key);
    case kkInActiveEffect:
        return ReadInActiveEffect(f, s, key);
    case kkCommandKind:
        return ReadCommandKind(f, s, key);
    case kkGaugeKind:
        return ReadGaugeKind(f, s, key);
    case kkFramesPlacement:
        return ReadFramesPlacement(f, s, key);
    case kkRegulatorKind:
        return ReadRegulatorKind(f, s, key);
    default:
        return def;
    }
}

void WriteKeyValue(
    TMemIniFile& f, std::string_view s, std::string_view key, TKeyKind kind, TKeyValue const& v)
{
    switch (kind) {
    case kkInteger:
        WriteInt(f, s, key, std::get<int>(v));
        break;
    case kkString:
        WriteStr(f, s, key, std::get<std::string>(v));
        break;
    case kkBoolean:
        WriteBoolean(f, s, key, std::get<bool>(v));
        break;
    case kkRect:
        WriteRect(f, s, key, std::get<TRect>(v));
        break;
    case kkPoint:
        WritePoint(f, s, key, std::get<TPoint>(v));
        break;
    case kkColor:
        WriteColor(f, s, key, std::get<uint32_t>(v));
        break;
    case kkFontStyle:
        WriteFontStyles(f, s, key, std::get<uint32_t>(v));
        break;
    case kkAlignment:
        WriteAlignment(f, s, key, std::get<TAlignment>(v));
        break;
    case kkMorphKind:
        WriteMorphKind(f, s, key, std::get<TspMorphKind>(v));
        break;
    case kkInActiveEffect:
        WriteInActiveEffect(f, s, key, std::get<TspInActiveEffect>(v));
        break;
    case kkCommandKind:
        WriteCommandKind(f, s, key, std::get<TspCommandKind>(v));
        break;
    case kkGaugeKind:
        WriteGaugeKind(f, s, key, std::get<TspGaugeKind>(v));
        break;
    case kkFramesPlacement:
        WriteFramesPlacement(f, s, key, std::get<TspFramesPlacement>(v));
        break;
    case kkRegulatorKind:
        WriteRegulatorKind(f, s, key, std::get<TspRegulatorKind>(v));
        break;
    case kkStrings:
        WriteStrings(f, s, key, std::get<std::vector<std::string>>(v));
        break;
    case kkTextLines:
        WriteTextLines(f, s, key, std::get<std::vector<std::string>>(v));
        break;
    }
}

} // namespace xe::skin
