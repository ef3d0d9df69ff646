#include "platform/db/access/JetValues.h"

#include "platform/base/Strings.h"
#include "platform/base/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace xe::db {

namespace {

using base::AppendUtf8;

constexpr int64_t JetEpochFromUnix = -25569; // 1899-12-30

__extension__ typedef unsigned __int128 TUInt128;
}

std::string DecodeJet4Text(uint8_t const* bytes, size_t size)
{
    std::string out;
    AppendJet4Text(out, bytes, size);
    return out;
}

void AppendJet4Text(std::string& out, uint8_t const* bytes, size_t size)
{
    out.reserve(out.size() + size);
    // UTF-16 units straight to UTF-8: a high surrogate waits for the unit after it.
    char32_t high = 0;
    auto put = [&](char32_t c) {
        if (high) {
            bool low = c >= 0xDC00 && c < 0xE000;
            AppendUtf8(out, low ? 0x10000 + ((high - 0xD800) << 10) + (c - 0xDC00) : 0xFFFD);
            high = 0;
            if (low)
                return;
        }
        if (c < 0x80)
            out.push_back(char(c));
        else if (c >= 0xD800 && c < 0xDC00)
            high = c;
        else
            AppendUtf8(out, c >= 0xDC00 && c < 0xE000 ? 0xFFFD : c);
    };
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        bool oneByte = true;
        for (size_t i = 2; i < size;) {
            if (bytes[i] == 0) {
                oneByte = !oneByte;
                ++i;
            } else if (oneByte) {
                put(bytes[i++]);
            } else if (i + 1 < size) {
                put(char32_t(bytes[i] | bytes[i + 1] << 8));
                i += 2;
            } else {
                break; // a dangling half unit
            }
        }
    } else {
        for (size_t i = 0; i + 1 < size; i += 2)
            put(char32_t(bytes[i] | bytes[i + 1] << 8));
    }
    if (high)
        AppendUtf8(out, 0xFFFD);
}

std::string DecodeJet3Text(uint8_t const* bytes, size_t size, uint16_t codePage)
{
    std::string_view raw(reinterpret_cast<char const*>(bytes), size);
    bool ascii = true;
    for (char c : raw)
        ascii = ascii && uint8_t(c) < 0x80;
    if (ascii)
        return std::string(raw);
    if (codePage == 0 || codePage == 1252) {
        // Windows maps every byte of 1252: the five it leaves unassigned (0x81, 0x8D, 0x8F,
        // 0x90, 0x9D) become the C1 controls of the same value, which iconv refuses.
        static char16_t const high[32] = { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C,
            0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178 };
        std::string out;
        out.reserve(size * 2);
        for (uint8_t c : raw)
            AppendUtf8(out, c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c);
        return out;
    }
    std::string name = "CP" + std::to_string(codePage);
    return base::ConvertEncoding(raw, name.c_str(), "UTF-8");
}

std::string FormatJetDate(double value)
{
    std::string text;
    AppendJetDate(text, value);
    return text;
}

bool AppendJetDate(std::string& out, double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return false;
    double whole = std::trunc(value);
    int64_t days = int64_t(whole);
    int64_t seconds = std::llround(std::fabs(value - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += 1;
    }
    base::TCivilDate date = base::CivilFromDays(days + JetEpochFromUnix);
    if (date.Year < 1 || date.Year > 9999)
        return false;
    base::AppendDateTime(out, date.Year, int(date.Month), int(date.Day), int(seconds / 3600),
        int(seconds / 60 % 60), int(seconds % 60), ' ');
    return true;
}

double ParseJetDate(std::string_view text)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) < 3)
        return 0;
    double days = double(base::DaysFromCivil(y, unsigned(mo), unsigned(d)) - JetEpochFromUnix);
    double time = (h * 3600 + mi * 60 + s) / 86400.0;
    return days >= 0 ? days + time : days - time;
}

std::string FormatJetNumeric(uint8_t const* bytes, int scale)
{
    TUInt128 magnitude = 0;
    for (int word = 0; word < 4; ++word) {
        uint8_t const* p = bytes + 1 + 4 * word;
        uint32_t w = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        magnitude = magnitude << 32 | w;
    }
    std::string digits;
    do {
        digits.insert(digits.begin(), char('0' + int(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (scale < 0)
        scale = 0;
    if (scale > 38)
        scale = 38;
    if (digits.size() <= size_t(scale))
        digits.insert(0, size_t(scale) + 1 - digits.size(), '0');
    if (scale > 0)
        digits.insert(digits.size() - size_t(scale), 1, '.');
    bool zero = digits.find_first_not_of("0.") == std::string::npos;
    if ((bytes[0] & 0x80) && !zero)
        digits.insert(0, 1, '-');
    return digits;
}

bool FormatJetCalculatedNumeric(std::string_view bytes, std::string& text, int& scale)
{
    auto const* b = reinterpret_cast<uint8_t const*>(bytes.data());
    if (bytes.size() < 8)
        return false;
    size_t length = size_t(b[0] | b[1] << 8);
    size_t size = (length > 2 ? length : bytes.size() - 2) - 2;
    size = std::min<size_t>(size / 4 * 4, 16);
    if (size == 0 || 4 + size > bytes.size() || b[2] > 28)
        return false;
    TUInt128 magnitude = 0;
    for (size_t at = 4; at < 4 + size;) {
        size_t word = (at == 4 && size % 8 != 0) ? 4 : 8;
        uint64_t w = 0;
        for (size_t i = word; i-- > 0;)
            w = w << 8 | b[at + i];
        magnitude = word == 8 ? (magnitude << 32 << 32) | w : (magnitude << 32) | w;
        at += word;
    }
    // The standard 17-byte form: sign, then four little-endian words, most significant first.
    uint8_t standard[17] = { uint8_t(b[3] ? 0x80 : 0) };
    for (int word = 0; word < 4; ++word) {
        uint32_t w = uint32_t(magnitude >> (32 * (3 - word)));
        for (int i = 0; i < 4; ++i)
            standard[1 + 4 * word + i] = uint8_t(w >> (8 * i));
    }
    scale = b[2];
    text = FormatJetNumeric(standard, scale);
    return true;
}

std::string FormatJetCurrency(int64_t units)
{
    uint64_t magnitude = units < 0 ? uint64_t(0) - uint64_t(units) : uint64_t(units);
    std::string text = units < 0 ? "-" : "";
    base::AppendPadded(text, magnitude / 10000, 1);
    text += '.';
    base::AppendPadded(text, magnitude % 10000, 4);
    return text;
}

bool FormatJetDateTimeExt(std::string_view bytes, std::string& out)
{
    // "DDDDDDDDDDDDDDDDDDD:TTTTTTTTTTTTTTTTTTT:7": days since 0001-01-01, then 100 ns units
    // of the day, then the digits of precision; the field may end in zero bytes.
    if (bytes.size() < 41 || bytes[19] != ':' || bytes[39] != ':')
        return false;
    auto number = [&](size_t at, uint64_t& v) {
        v = 0;
        for (size_t i = at; i < at + 19; ++i) {
            if (bytes[i] < '0' || bytes[i] > '9')
                return false;
            v = v * 10 + uint64_t(bytes[i] - '0');
        }
        return true;
    };
    uint64_t days, ticks;
    constexpr uint64_t TicksPerDay = 864000000000ull;
    if (!number(0, days) || !number(20, ticks) || ticks >= TicksPerDay || days > 3652058)
        return false;
    // 0001-01-01 is 719162 days before 1970-01-01.
    base::TCivilDate date = base::CivilFromDays(int64_t(days) - 719162);
    uint64_t seconds = ticks / 10000000, fraction = ticks % 10000000;
    std::string text;
    base::AppendDateTime(text, date.Year, int(date.Month), int(date.Day), int(seconds / 3600),
        int(seconds / 60 % 60), int(seconds % 60), ' ');
    text += '.';
    base::AppendPadded(text, fraction, 7);
    out = std::move(text);
    return true;
}

std::string FormatJetGuid(uint8_t const* b)
{
    // Data1, Data2 and Data3 are stored little-endian.
    static int const order[] = { 3, 2, 1, 0, -1, 5, 4, -1, 7, 6, -1, 8, 9, -1, 10, 11, 12, 13, 14, 15 };
    std::string text = "{";
    for (int i : order) {
        if (i < 0)
            text += '-';
        else
            base::AppendHex(text, std::string_view(reinterpret_cast<char const*>(b + i), 1), true);
    }
    text += '}';
    return text;
}

} // namespace xe::db
