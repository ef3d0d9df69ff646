#include "platform/db/JetFunctions.h"

#include "platform/base/Strings.h"
#include "platform/base/TextFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace xe::db {

namespace {

char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return static_cast<char32_t>(std::tolower(static_cast<int>(c)));
    return static_cast<char32_t>(std::towlower(static_cast<wint_t>(c)));
}

// One [...] class at pattern[p] (p on '['). Gives the index after ']' or npos when the
// bracket is not closed (then '[' is an ordinary character).
size_t MatchClass(std::u32string_view pattern, size_t p, char32_t c, bool& matched)
{
    size_t q = p + 1;
    bool negate = false;
    if (q < pattern.size() && pattern[q] == U'!') {
        negate = true;
        ++q;
    }
    bool any = false;
    size_t start = q;
    while (q < pattern.size() && (pattern[q] != U']' || q == start)) {
        char32_t lo = Fold(pattern[q]);
        if (q + 2 < pattern.size() && pattern[q + 1] == U'-' && pattern[q + 2] != U']') {
            char32_t hi = Fold(pattern[q + 2]);
            if (Fold(c) >= lo && Fold(c) <= hi)
                any = true;
            q += 3;
        } else {
            if (Fold(c) == lo)
                any = true;
            ++q;
        }
    }
    if (q >= pattern.size())
        return std::u32string_view::npos;
    matched = any != negate;
    return q + 1;
}

// Jet's Like in ADO's (ANSI-92) mode: % any run, _ one character, [list], [!list] and
// [a-z]; everything else, * ? # included, stands for itself, without regard to case.
bool LikeAt(std::u32string_view t, size_t i, std::u32string_view p, size_t j)
{
    while (j < p.size()) {
        char32_t pc = p[j];
        if (pc == U'%') {
            while (j < p.size() && p[j] == U'%')
                ++j;
            if (j == p.size())
                return true;
            for (size_t k = i; k <= t.size(); ++k)
                if (LikeAt(t, k, p, j))
                    return true;
            return false;
        }
        if (i >= t.size())
            return false;
        if (pc == U'_') {
            ++i, ++j;
        } else if (pc == U'[') {
            bool matched = false;
            size_t next = MatchClass(p, j, t[i], matched);
            if (next == std::u32string_view::npos) {
                if (t[i] != U'[')
                    return false;
                ++i, ++j;
            } else {
                if (!matched)
                    return false;
                ++i;
                j = next;
            }
        } else {
            if (Fold(t[i]) != Fold(pc))
                return false;
            ++i, ++j;
        }
    }
    return i == t.size();
}

std::string Text(sqlite3_value* v)
{
    auto p = reinterpret_cast<char const*>(sqlite3_value_text(v));
    return p ? std::string(p, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string();
}

bool AnyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

// Jet's text form of a value: integers plainly, doubles with up to 15 significant digits.
std::string JetText(sqlite3_value* v)
{
    if (sqlite3_value_type(v) == SQLITE_FLOAT) {
        // The exponent as printf writes it (1E+20, 1E-05).
        return xe::base::FloatText(sqlite3_value_double(v), 15, xe::base::TExponentDigits::AtLeastTwo);
    }
    return Text(v);
}

std::optional<double> Number(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return static_cast<double>(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    case SQLITE_TEXT: {
        std::string s = xe::base::Trim(Text(v));
        if (s.empty())
            return std::nullopt;
        char* end = nullptr;
        double d = std::strtod(s.c_str(), &end);
        if (end && *end == 0)
            return d;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Banker's rounding, as Jet's CLng and Round do.
double RoundHalfEven(double x) { return std::nearbyint(x); }

void ResultNumber(sqlite3_context* ctx, double d)
{
    if (d == std::floor(d) && std::fabs(d) < 9.2e18)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
    else
        sqlite3_result_double(ctx, d);
}

bool NumberArg(sqlite3_context* ctx, sqlite3_value* v, double& out)
{
    auto n = Number(v);
    if (!n) {
        sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
        return false;
    }
    out = *n;
    return true;
}

std::u32string U32(sqlite3_value* v) { return xe::base::Utf8ToUtf32(JetText(v)); }
void ResultU32(sqlite3_context* ctx, std::u32string_view s)
{
    std::string u = xe::base::Utf32ToUtf8(s);
    sqlite3_result_text(ctx, u.data(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    // like(pattern, text) is what "text LIKE pattern" calls.
    sqlite3_result_int(ctx, JetLike(U32(argv[1]), U32(argv[0])) ? 1 : 0);
}

// Jet's &: the pieces joined, Null pieces taken as empty; Null only when every piece is.
void Concat(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    std::string s;
    bool any = false;
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) != SQLITE_NULL) {
            s += JetText(argv[i]);
            any = true;
        }
    if (!any)
        return sqlite3_result_null(ctx);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void Len(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(1, argv))
        return sqlite3_result_null(ctx);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(U32(argv[0]).size()));
}

void Mid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    std::u32string s = U32(argv[0]);
    double start, len = static_cast<double>(s.size());
    if (!NumberArg(ctx, argv[1], start) || (argc == 3 && !NumberArg(ctx, argv[2], len)))
        return;
    start = RoundHalfEven(start);
    len = RoundHalfEven(len);
    if (start < 1 || len < 0)
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    size_t from = static_cast<size_t>(start) - 1;
    if (from >= s.size())
        return ResultU32(ctx, U"");
    ResultU32(ctx, std::u32string_view(s).substr(from, static_cast<size_t>(std::min(len, 1e15))));
}

void LeftRight(sqlite3_context* ctx, int argc, sqlite3_value** argv, bool left)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    std::u32string s = U32(argv[0]);
    double n;
    if (!NumberArg(ctx, argv[1], n))
        return;
    n = RoundHalfEven(n);
    if (n < 0)
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    size_t k = std::min(s.size(), static_cast<size_t>(std::min(n, 1e15)));
    ResultU32(ctx, left ? std::u32string_view(s).substr(0, k) : std::u32string_view(s).substr(s.size() - k));
}
void Left(sqlite3_context* ctx, int argc, sqlite3_value** argv) { LeftRight(ctx, argc, argv, true); }
void Right(sqlite3_context* ctx, int argc, sqlite3_value** argv) { LeftRight(ctx, argc, argv, false); }

void Case(sqlite3_context* ctx, sqlite3_value** argv, bool upper)
{
    if (AnyNull(1, argv))
        return sqlite3_result_null(ctx);
    std::u32string s = U32(argv[0]);
    for (char32_t& c : s)
        c = upper ? static_cast<char32_t>(c < 0x80 ? std::toupper(static_cast<int>(c)) : std::towupper(c))
                  : Fold(c);
    ResultU32(ctx, s);
}
void UCase(sqlite3_context* ctx, int, sqlite3_value** argv) { Case(ctx, argv, true); }
void LCase(sqlite3_context* ctx, int, sqlite3_value** argv) { Case(ctx, argv, false); }

void TrimImpl(sqlite3_context* ctx, sqlite3_value** argv, bool left, bool right)
{
    if (AnyNull(1, argv))
        return sqlite3_result_null(ctx);
    std::string s = JetText(argv[0]);
    size_t a = 0, b = s.size();
    while (left && a < b && s[a] == ' ')
        ++a;
    while (right && b > a && s[b - 1] == ' ')
        --b;
    sqlite3_result_text(ctx, s.data() + a, static_cast<int>(b - a), SQLITE_TRANSIENT);
}
void Trim(sqlite3_context* ctx, int, sqlite3_value** argv) { TrimImpl(ctx, argv, true, true); }
void LTrim(sqlite3_context* ctx, int, sqlite3_value** argv) { TrimImpl(ctx, argv, true, false); }
void RTrim(sqlite3_context* ctx, int, sqlite3_value** argv) { TrimImpl(ctx, argv, false, true); }

void InStr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    double start = 1;
    int first = 0;
    if (argc == 3) {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
            return sqlite3_result_error(ctx, "Invalid use of Null", -1);
        if (!NumberArg(ctx, argv[0], start))
            return;
        start = RoundHalfEven(start);
        if (start < 1)
            return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
        first = 1;
    }
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    std::u32string s = U32(argv[first]), sub = U32(argv[first + 1]);
    for (char32_t& c : s)
        c = Fold(c);
    for (char32_t& c : sub)
        c = Fold(c);
    size_t from = static_cast<size_t>(std::min(start, 1e15)) - 1;
    if (from > s.size())
        return sqlite3_result_int(ctx, 0);
    size_t at = s.find(sub, from);
    sqlite3_result_int64(ctx, at == std::u32string::npos ? 0 : static_cast<sqlite3_int64>(at + 1));
}

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(1, argv))
        return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    std::string s = JetText(argv[0]);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void ToInteger(sqlite3_context* ctx, sqlite3_value** argv, double lo, double hi)
{
    if (AnyNull(1, argv))
        return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    double d;
    if (!NumberArg(ctx, argv[0], d))
        return;
    d = RoundHalfEven(d);
    if (d < lo || d > hi)
        return sqlite3_result_error(ctx, "Overflow", -1);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
}
void CLng(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    ToInteger(ctx, argv, -2147483648.0, 2147483647.0);
}
void CInt(sqlite3_context* ctx, int, sqlite3_value** argv) { ToInteger(ctx, argv, -32768.0, 32767.0); }

void CDbl(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (AnyNull(1, argv))
        return sqlite3_result_error(ctx, "Invalid use of Null", -1);
    double d;
    if (NumberArg(ctx, argv[0], d))
        sqlite3_result_double(ctx, d);
}

void IntFix(sqlite3_context* ctx, sqlite3_value** argv, bool floorIt)
{
    if (AnyNull(1, argv))
        return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER)
        return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
    double d;
    if (NumberArg(ctx, argv[0], d))
        ResultNumber(ctx, floorIt ? std::floor(d) : std::trunc(d));
}
void Int(sqlite3_context* ctx, int, sqlite3_value** argv) { IntFix(ctx, argv, true); }
void Fix(sqlite3_context* ctx, int, sqlite3_value** argv) { IntFix(ctx, argv, false); }

void Round(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (AnyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double d, places = 0;
    if (!NumberArg(ctx, argv[0], d) || (argc == 2 && !NumberArg(ctx, argv[1], places)))
        return;
    if (places < 0 || places > 15)
        return sqlite3_result_error(ctx, "Invalid procedure call or argument.", -1);
    double scale = std::pow(10.0, places);
    double r = RoundHalfEven(d * scale) / scale;
    if (places == 0)
        ResultNumber(ctx, r);
    else
        sqlite3_result_double(ctx, r);
}

// Date parts of SQLite's text dates ("yyyy-mm-dd[ hh:nn:ss]", 'T' also accepted).
void DatePart(sqlite3_context* ctx, sqlite3_value** argv, int part)
{
    if (AnyNull(1, argv))
        return sqlite3_result_null(ctx);
    std::string s = xe::base::Trim(JetText(argv[0]));
    int v[6] = { 0, 0, 0, 0, 0, 0 };
    int n = std::sscanf(s.c_str(), "%d-%d-%d%*[ T]%d:%d:%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    if (n < 3)
        return sqlite3_result_error(ctx, "Data type mismatch in criteria expression.", -1);
    sqlite3_result_int(ctx, v[part]);
}
void Year(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 0); }
void Month(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 1); }
void Day(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 2); }
void Hour(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 3); }
void Minute(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 4); }
void Second(sqlite3_context* ctx, int, sqlite3_value** argv) { DatePart(ctx, argv, 5); }

bool IntegerOperands(sqlite3_context* ctx, sqlite3_value** argv, double& a, double& b)
{
    if (!NumberArg(ctx, argv[0], a) || !NumberArg(ctx, argv[1], b))
        return false;
    a = RoundHalfEven(a);
    b = RoundHalfEven(b);
    if (b == 0) {
        sqlite3_result_error(ctx, "Division by zero", -1);
        return false;
    }
    return true;
}
void IntDiv(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    double a, b;
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    if (IntegerOperands(ctx, argv, a, b))
        ResultNumber(ctx, std::trunc(a / b));
}
void Mod(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    double a, b;
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    if (IntegerOperands(ctx, argv, a, b))
        ResultNumber(ctx, std::fmod(a, b));
}
void Pow(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    double a, b;
    if (AnyNull(2, argv))
        return sqlite3_result_null(ctx);
    if (NumberArg(ctx, argv[0], a) && NumberArg(ctx, argv[1], b))
        ResultNumber(ctx, std::pow(a, b));
}

} // namespace

bool JetLike(std::u32string_view text, std::u32string_view pattern) { return LikeAt(text, 0, pattern, 0); }

void RegisterJetFunctions(sqlite3* db)
{
    struct TFn {
        char const* Name;
        int Args;
        void (*Fn)(sqlite3_context*, int, sqlite3_value**);
    };
    static TFn const fns[] = {
        { "like", 2, Like },
        { "jet_concat", -1, Concat },
        { "jet_len", 1, Len },
        { "jet_mid", 2, Mid },
        { "jet_mid", 3, Mid },
        { "jet_left", 2, Left },
        { "jet_right", 2, Right },
        { "jet_ucase", 1, UCase },
        { "jet_lcase", 1, LCase },
        { "jet_trim", 1, Trim },
        { "jet_ltrim", 1, LTrim },
        { "jet_rtrim", 1, RTrim },
        { "jet_instr", 2, InStr },
        { "jet_instr", 3, InStr },
        { "jet_cstr", 1, CStr },
        { "jet_clng", 1, CLng },
        { "jet_cint", 1, CInt },
        { "jet_cdbl", 1, CDbl },
        { "jet_int", 1, Int },
        { "jet_fix", 1, Fix },
        { "jet_round", 1, Round },
        { "jet_round", 2, Round },
        { "jet_year", 1, Year },
        { "jet_month", 1, Month },
        { "jet_day", 1, Day },
        { "jet_hour", 1, Hour },
        { "jet_minute", 1, Minute },
        { "jet_second", 1, Second },
        { "jet_intdiv", 2, IntDiv },
        { "jet_mod", 2, Mod },
        { "jet_pow", 2, Pow },
    };
    for (TFn const& f : fns)
        sqlite3_create_function_v2(
            db, f.Name, f.Args, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, f.Fn, nullptr, nullptr, nullptr);
}

} // namespace xe::db
