#include "platform/db/JetSql.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/base/TextFormat.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <unordered_map>

namespace xe::db {

using xe::base::EDatabaseError;

namespace {

// `what` and the statement are UTF-8; the message is in the ANSI code page.
[[noreturn]] void Fail(std::string const& what, std::string_view statement)
{
    throw EDatabaseError(xe::base::Utf8ToAnsi(what + " in statement '" + std::string(statement) + "'."));
}

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return std::isalnum(c) || c == '_' || c >= 0x80 || c == '$'; }

} // namespace

std::vector<TSqlToken> TokenizeJet(std::string_view s)
{
    // SQLite's text ends at a NUL: one inside a string or a name would cut the translation.
    if (s.find('\0') != std::string_view::npos)
        Fail("Invalid character (NUL)", s.substr(0, s.find('\0')));
    std::vector<TSqlToken> tokens;
    size_t i = 0;
    while (true) {
        while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ')
            ++i;
        TSqlToken t;
        t.Pos = i;
        if (i >= s.size()) {
            tokens.push_back(t);
            return tokens;
        }
        unsigned char c = s[i];
        if (c == '[') {
            size_t end = s.find(']', i + 1);
            if (end == std::string_view::npos)
                Fail("Unterminated bracketed name", s);
            t.Kind = TSqlToken::tkQuotedName;
            t.Text = std::string(s.substr(i + 1, end - i - 1));
            if (t.Text.empty())
                Fail("Empty bracketed name", s);
            i = end + 1;
        } else if (c == '\'' || c == '"') {
            // Jet takes both quotes for strings; a doubled quote stands for itself.
            t.Kind = TSqlToken::tkString;
            size_t j = i + 1;
            while (true) {
                if (j >= s.size())
                    Fail("Unterminated string literal", s);
                if (static_cast<unsigned char>(s[j]) == c) {
                    if (j + 1 < s.size() && static_cast<unsigned char>(s[j + 1]) == c) {
                        t.Text += static_cast<char>(c);
                        j += 2;
                        continue;
                    }
                    break;
                }
                t.Text += s[j++];
            }
            i = j + 1;
        } else if (c == '#') {
            size_t end = s.find('#', i + 1);
            if (end == std::string_view::npos)
                Fail("Unterminated date literal", s);
            t.Kind = TSqlToken::tkDate;
            t.Text = std::string(s.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (std::isdigit(c)
            || (c == '.' && i + 1 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            size_t j = i;
            while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                ++j;
            if (j < s.size() && s[j] == '.') {
                ++j;
                while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                    ++j;
            }
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
                size_t k = j + 1;
                if (k < s.size() && (s[k] == '+' || s[k] == '-'))
                    ++k;
                if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) {
                    while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k])))
                        ++k;
                    j = k;
                }
            }
            if (j < s.size() && IsNameStart(static_cast<unsigned char>(s[j])))
                Fail("Syntax error in number '" + std::string(s.substr(i, j - i + 1)) + "'", s);
            t.Kind = TSqlToken::tkNumber;
            t.Text = std::string(s.substr(i, j - i));
            i = j;
        } else if (IsNameStart(c)) {
            size_t j = i;
            while (j < s.size() && IsNameChar(static_cast<unsigned char>(s[j])))
                ++j;
            t.Kind = TSqlToken::tkName;
            t.Text = std::string(s.substr(i, j - i));
            i = j;
        } else {
            static char const* const two[] = { "<>", "<=", ">=", "!=" };
            t.Kind = TSqlToken::tkSymbol;
            for (char const* op : two)
                if (s.substr(i, 2) == op)
                    t.Text = op;
            if (t.Text.empty()) {
                if (!std::strchr("=<>+-*/\\^&(),.;!", c))
                    Fail(xe::base::Format("Invalid character '%c'", c), s);
                t.Text = std::string(1, static_cast<char>(c));
            }
            i += t.Text.size();
        }
        tokens.push_back(std::move(t));
    }
}

namespace {

bool Is(TSqlToken const& t, char const* keyword)
{
    return t.Kind == TSqlToken::tkName && xe::base::SameText(t.Text, keyword);
}

bool IsSym(TSqlToken const& t, char const* symbol)
{
    return t.Kind == TSqlToken::tkSymbol && t.Text == symbol;
}

// Words that end an expression or a name list; never taken as an alias.
bool IsReserved(TSqlToken const& t)
{
    static char const* const words[] = { "SELECT", "FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "ON",
        "INNER", "LEFT", "RIGHT", "JOIN", "AND", "OR", "NOT", "AS", "BY", "ASC", "DESC", "IN", "IS", "LIKE",
        "BETWEEN", "MOD", "XOR", "EQV", "IMP", "TOP", "DISTINCT", "DISTINCTROW", "OUTER", "INTO", "ALL",
        "EXISTS", "FULL", "CROSS", "ALIKE" };
    if (t.Kind != TSqlToken::tkName)
        return false;
    for (char const* w : words)
        if (xe::base::SameText(t.Text, w))
            return true;
    return false;
}

// #date# literals: ISO (yyyy-mm-dd, yyyy/mm/dd) or US (m/d/yyyy), each with an optional
// time hh:nn[:ss] [AM|PM], or a time alone (on Jet's day zero). Written as SQLite's text
// form "yyyy-mm-dd[ hh:nn:ss]".
bool ParseJetDate(std::string_view text, std::string& out)
{
    std::string s = xe::base::Trim(text);
    int y = 0, m = 0, d = 0, hh = 0, nn = 0, ss = 0;
    bool hasDate = false, hasTime = false;
    size_t pos = 0;
    auto number = [&](int& v, int maxDigits) {
        size_t start = pos;
        v = 0;
        while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))
            && pos - start < size_t(maxDigits))
            v = v * 10 + (s[pos++] - '0');
        return pos > start;
    };
    auto skipBlanks = [&] {
        while (pos < s.size() && s[pos] == ' ')
            ++pos;
    };
    size_t save = pos;
    int a, b, c;
    if (number(a, 4) && pos < s.size() && (s[pos] == '-' || s[pos] == '/')) {
        char sep = s[pos++];
        if (!number(b, 2) || pos >= s.size() || s[pos] != sep)
            return false;
        ++pos;
        if (!number(c, 4))
            return false;
        if (a > 31) {
            y = a, m = b, d = c;
        } else {
            m = a, d = b, y = c;
            if (y < 100)
                y += y < 30 ? 2000 : 1900;
        }
        hasDate = true;
        skipBlanks();
    } else {
        pos = save;
    }
    if (pos < s.size()) {
        if (!number(hh, 2) || pos >= s.size() || s[pos] != ':')
            return false;
        ++pos;
        if (!number(nn, 2))
            return false;
        if (pos < s.size() && s[pos] == ':') {
            ++pos;
            if (!number(ss, 2))
                return false;
        }
        skipBlanks();
        std::string rest = xe::base::UpperCase(s.substr(pos));
        if (rest == "PM" && hh < 12)
            hh += 12;
        else if (rest == "AM" && hh == 12)
            hh = 0;
        else if (!rest.empty() && rest != "AM" && rest != "PM")
            return false;
        hasTime = true;
    }
    if (!hasDate && !hasTime)
        return false;
    if (!hasDate)
        y = 1899, m = 12, d = 30;
    if (y < 100 || y > 9999 || !xe::base::IsValidDate(y, m, d) || hh > 23 || nn > 59 || ss > 59)
        return false;
    out.clear();
    xe::base::AppendDateTime(out, y, m, d, hh, nn, ss, hasTime ? ' ' : 0);
    return true;
}

// A recursive-descent parser of one Jet SELECT. Grammar (keywords in any letter case;
// [x] optional, {x} repeated, | alternatives):
//
//   statement  = query [";"]
//   query      = core {"UNION" ["ALL"] core} ["ORDER" "BY" operand ["ASC"|"DESC"] {"," ...}]
//   core       = "SELECT" ["DISTINCT"|"DISTINCTROW"|"ALL"] ["TOP" number ["PERCENT"]]
//                item {"," item} ["FROM" from {"," from}] ["WHERE" operand]
//                ["GROUP" "BY" operand {"," operand}] ["HAVING" operand]
//   item       = "*" | name "." "*" | operand [["AS"] alias]      (no alias after a "*")
//   from       = primary {("INNER"|"LEFT" ["OUTER"]|"RIGHT" ["OUTER"]) "JOIN" primary "ON" operand}
//   primary    = table [["AS"] alias] | "(" query ")" [["AS"] alias] | "(" from ")"
//   table      = name ["." name]                                  (at most two parts)
//
// Operators, loosest binding first (each level left-associative unless noted):
//   1  OR                (XOR, EQV, IMP are refused)
//   2  AND
//   3  NOT               (prefix, right-associative)
//   4  = <> != < > <= >=, IS [NOT] NULL, [NOT] LIKE/ALIKE, [NOT] BETWEEN x AND y, [NOT] IN (...)
//   5  &                 (text concatenation)
//   6  + -               (binary)
//   7  MOD
//   8  \                 (integer division)
//   9  * /
//   10 - +               (prefix sign, right-associative)
//   11 ^                 (power; its right operand may carry one sign)
//   12 primary: number, 'string', "string", #date#, NULL, True/Yes/On, False/No/Off,
//      name {"." name} (at most three parts), function "(" [args] ")", count(*),
//      "(" operand ")", "(" query ")", EXISTS "(" query ")"
//
// A bare "*" is only a select item. Nesting (parentheses, subqueries, signs, NOT) is limited
// to MaxNesting levels so that no statement can exhaust the stack.
class TParser {
public:
    TParser(std::string_view text, int trueValue)
        : FText(text)
        , FTokens(TokenizeJet(text))
        , FTrue(std::to_string(trueValue))
    {
    }

    std::unique_ptr<TSelectQuery> Statement()
    {
        if (Is(Peek(), "TRANSFORM"))
            Fail("TRANSFORM: crosstab queries are not supported");
        if (Is(Peek(), "PARAMETERS"))
            Fail("No value given for one or more required parameters (the statement declares PARAMETERS)");
        if (!Is(Peek(), "SELECT")) {
            if (Is(Peek(), "INSERT") || Is(Peek(), "UPDATE") || Is(Peek(), "DELETE") || Is(Peek(), "CREATE")
                || Is(Peek(), "DROP") || Is(Peek(), "ALTER"))
                Fail("Statement '" + Peek().Text + "' is not supported (the database is opened read only)");
            Fail("Invalid SQL statement; expected 'SELECT'");
        }
        auto q = Query();
        if (IsSym(Peek(), ";"))
            Take();
        if (Peek().Kind != TSqlToken::tkEnd)
            Fail("Characters found after end of SQL statement ('" + Peek().Text + "')");
        return q;
    }

private:
    [[noreturn]] void Fail(std::string const& what) { xe::db::Fail(what, FText); }

    TSqlToken const& Peek(size_t ahead = 0) const
    {
        size_t i = std::min(FPos + ahead, FTokens.size() - 1);
        return FTokens[i];
    }
    TSqlToken const& Take()
    {
        TSqlToken const& t = FTokens[FPos];
        if (FPos + 1 < FTokens.size())
            ++FPos;
        return t;
    }
    bool Accept(char const* keyword)
    {
        if (Is(Peek(), keyword)) {
            Take();
            return true;
        }
        return false;
    }
    bool AcceptSym(char const* symbol)
    {
        if (IsSym(Peek(), symbol)) {
            Take();
            return true;
        }
        return false;
    }
    void ExpectSym(char const* symbol, char const* where)
    {
        if (!AcceptSym(symbol))
            Fail(std::string("Syntax error in ") + where + ": expected '" + symbol + "' near " + Near());
    }
    std::string Near() const
    {
        if (Peek().Kind == TSqlToken::tkEnd)
            return "the end of the statement";
        return "'" + std::string(FText.substr(Peek().Pos, 20)) + "'";
    }

    std::unique_ptr<TSelectQuery> Query()
    {
        TNesting nesting(*this);
        auto q = std::make_unique<TSelectQuery>();
        q->Core = Core();
        while (Is(Peek(), "UNION")) {
            Take();
            std::string op = Accept("ALL") ? "UNION ALL" : "UNION";
            if (!Is(Peek(), "SELECT"))
                Fail("Syntax error in UNION query: expected 'SELECT' near " + Near());
            q->Compound.emplace_back(op, Core());
        }
        if (Is(Peek(), "ORDER")) {
            Take();
            if (!Accept("BY"))
                Fail("Syntax error in ORDER BY clause: expected 'BY'");
            do {
                TOrderItem item;
                item.Expr = Operand();
                if (Accept("DESC"))
                    item.Desc = true;
                else
                    Accept("ASC");
                q->OrderBy.push_back(std::move(item));
            } while (AcceptSym(","));
        }
        if (!q->Compound.empty()) {
            if (q->Core.Top.Present)
                Fail("TOP in a UNION query is not supported");
            for (auto& part : q->Compound)
                if (part.second.Top.Present)
                    Fail("TOP in a UNION query is not supported");
        }
        return q;
    }

    TSelectCore Core()
    {
        TSelectCore core;
        Take(); // SELECT
        if (Accept("DISTINCT") || Accept("DISTINCTROW"))
            core.Distinct = true;
        else
            Accept("ALL");
        if (Accept("TOP")) {
            if (Peek().Kind != TSqlToken::tkNumber)
                Fail("Syntax error in TOP clause: expected a number near " + Near());
            core.Top.Present = true;
            core.Top.Count = Take().Text;
            if (Accept("PERCENT"))
                core.Top.Percent = true;
            else if (core.Top.Count.find_first_of(".eE") != std::string::npos)
                Fail("The TOP clause needs a whole number (" + core.Top.Count + ")");
        }
        do {
            TSelectItem item;
            item.Expr = Expr();
            bool star = item.Expr->Kind == TSqlExpr::ekStar;
            if (!star)
                NoStar(*item.Expr);
            if (star
                && (Is(Peek(), "AS") || Peek().Kind == TSqlToken::tkQuotedName
                    || (Peek().Kind == TSqlToken::tkName && !IsReserved(Peek()))))
                Fail("Syntax error: an alias cannot follow '*' near " + Near());
            if (Accept("AS")) {
                if (Peek().Kind != TSqlToken::tkName && Peek().Kind != TSqlToken::tkQuotedName)
                    Fail("Syntax error in field alias: expected a name near " + Near());
                item.Alias = Take().Text;
            } else if ((Peek().Kind == TSqlToken::tkName && !IsReserved(Peek()))
                || Peek().Kind == TSqlToken::tkQuotedName) {
                item.Alias = Take().Text;
            }
            core.Items.push_back(std::move(item));
        } while (AcceptSym(","));
        if (Accept("INTO"))
            Fail("SELECT ... INTO is not supported (the database is opened read only)");
        if (Accept("FROM")) {
            do
                core.From.push_back(FromItem());
            while (AcceptSym(","));
        }
        if (Accept("WHERE"))
            core.Where = Operand();
        if (Is(Peek(), "GROUP")) {
            Take();
            if (!Accept("BY"))
                Fail("Syntax error in GROUP BY clause: expected 'BY'");
            do
                core.GroupBy.push_back(Operand());
            while (AcceptSym(","));
        }
        if (Accept("HAVING"))
            core.Having = Operand();
        return core;
    }

    std::string OptionalAlias()
    {
        if (Accept("AS")) {
            if (Peek().Kind != TSqlToken::tkName && Peek().Kind != TSqlToken::tkQuotedName)
                Fail("Syntax error in FROM clause: expected an alias near " + Near());
            return Take().Text;
        }
        if ((Peek().Kind == TSqlToken::tkName && !IsReserved(Peek()))
            || Peek().Kind == TSqlToken::tkQuotedName)
            return Take().Text;
        return {};
    }

    std::unique_ptr<TTableRef> FromPrimary()
    {
        auto ref = std::make_unique<TTableRef>();
        if (AcceptSym("(")) {
            if (Is(Peek(), "SELECT")) {
                ref->Kind = TTableRef::trDerived;
                ref->Query = Query();
                ExpectSym(")", "FROM clause");
                ref->Alias = OptionalAlias();
            } else {
                TNesting nesting(*this);
                ref->Kind = TTableRef::trParen;
                ref->Left = FromItem();
                ExpectSym(")", "JOIN operation");
            }
            return ref;
        }
        if (Peek().Kind != TSqlToken::tkName && Peek().Kind != TSqlToken::tkQuotedName)
            Fail("Syntax error in FROM clause near " + Near());
        if (IsReserved(Peek()))
            Fail("Syntax error in FROM clause near " + Near());
        ref->Kind = TTableRef::trTable;
        ref->Name.push_back(Take().Text);
        while (IsSym(Peek(), ".") || IsSym(Peek(), "!")) {
            Take();
            if (Peek().Kind != TSqlToken::tkName && Peek().Kind != TSqlToken::tkQuotedName)
                Fail("Syntax error in FROM clause near " + Near());
            ref->Name.push_back(Take().Text);
            if (ref->Name.size() > 2)
                Fail("Syntax error in FROM clause: a table name has at most two parts near " + Near());
        }
        ref->Alias = OptionalAlias();
        return ref;
    }

    std::unique_ptr<TTableRef> FromItem()
    {
        auto left = FromPrimary();
        while (true) {
            std::string type;
            if (Accept("INNER"))
                type = "INNER";
            else if (Accept("LEFT"))
                type = "LEFT";
            else if (Accept("RIGHT"))
                type = "RIGHT";
            else if (Is(Peek(), "JOIN"))
                type = "INNER";
            else
                break;
            Accept("OUTER");
            if (!Accept("JOIN"))
                Fail("Syntax error in JOIN operation near " + Near());
            auto join = std::make_unique<TTableRef>();
            join->Kind = TTableRef::trJoin;
            join->JoinType = type;
            join->Left = std::move(left);
            join->Right = FromPrimary();
            if (!Accept("ON"))
                Fail("JOIN expression not supported: expected 'ON' near " + Near());
            join->On = Operand();
            left = std::move(join);
        }
        return left;
    }

    PSqlExpr Make(TSqlExpr::TKind kind)
    {
        auto e = std::make_unique<TSqlExpr>();
        e->Kind = kind;
        return e;
    }
    PSqlExpr Binary(std::string op, PSqlExpr a, PSqlExpr b)
    {
        auto e = Make(TSqlExpr::ekBinary);
        e->Op = std::move(op);
        e->Args.push_back(std::move(a));
        e->Args.push_back(std::move(b));
        return e;
    }

    PSqlExpr Expr()
    {
        TNesting nesting(*this);
        return OrExpr();
    }

    PSqlExpr OrExpr()
    {
        auto e = AndExpr();
        while (true) {
            if (Accept("OR"))
                e = Binary("OR", std::move(e), AndExpr());
            else if (Is(Peek(), "XOR") || Is(Peek(), "EQV") || Is(Peek(), "IMP"))
                Fail("Operator '" + Peek().Text + "' is not supported");
            else
                return e;
        }
    }
    PSqlExpr AndExpr()
    {
        auto e = NotExpr();
        while (Accept("AND"))
            e = Binary("AND", std::move(e), NotExpr());
        return e;
    }
    PSqlExpr NotExpr()
    {
        if (Accept("NOT")) {
            TNesting nesting(*this);
            auto e = Make(TSqlExpr::ekUnary);
            e->Op = "NOT";
            e->Args.push_back(NotExpr());
            return e;
        }
        return Comparison();
    }
    PSqlExpr Comparison()
    {
        auto e = Concat();
        while (true) {
            TSqlToken const& t = Peek();
            if (t.Kind == TSqlToken::tkSymbol
                && (t.Text == "=" || t.Text == "<>" || t.Text == "<" || t.Text == ">" || t.Text == "<="
                    || t.Text == ">=" || t.Text == "!=")) {
                std::string op = Take().Text;
                if (op == "!=")
                    op = "<>";
                e = Binary(op, std::move(e), Concat());
                continue;
            }
            if (Accept("IS")) {
                auto n = Make(TSqlExpr::ekIsNull);
                n->Negated = Accept("NOT");
                if (!Accept("NULL"))
                    Fail("Syntax error in IS operator: expected 'Null' near " + Near());
                n->Args.push_back(std::move(e));
                e = std::move(n);
                continue;
            }
            bool negated = false;
            if (Is(Peek(), "NOT")
                && (Is(Peek(1), "LIKE") || Is(Peek(1), "ALIKE") || Is(Peek(1), "BETWEEN")
                    || Is(Peek(1), "IN"))) {
                Take();
                negated = true;
            }
            if (Accept("LIKE") || Accept("ALIKE")) {
                auto n = Make(TSqlExpr::ekLike);
                n->Negated = negated;
                n->Args.push_back(std::move(e));
                n->Args.push_back(Concat());
                e = std::move(n);
            } else if (Accept("BETWEEN")) {
                auto n = Make(TSqlExpr::ekBetween);
                n->Negated = negated;
                n->Args.push_back(std::move(e));
                n->Args.push_back(Concat());
                if (!Accept("AND"))
                    Fail("Syntax error in BETWEEN operator: expected 'And' near " + Near());
                n->Args.push_back(Concat());
                e = std::move(n);
            } else if (Accept("IN")) {
                ExpectSym("(", "IN operator");
                if (Is(Peek(), "SELECT")) {
                    auto n = Make(TSqlExpr::ekInQuery);
                    n->Negated = negated;
                    n->Args.push_back(std::move(e));
                    n->Query = Query();
                    e = std::move(n);
                } else {
                    auto n = Make(TSqlExpr::ekInList);
                    n->Negated = negated;
                    n->Args.push_back(std::move(e));
                    do
                        n->Args.push_back(Operand());
                    while (AcceptSym(","));
                    e = std::move(n);
                }
                ExpectSym(")", "IN operator");
            } else {
                return e;
            }
        }
    }
    // The left-associative binary operators from the loosest level to the tightest; past the
    // last level come the unary signs.
    struct TBinaryLevel {
        char const* Ops[2];
        bool Keyword; // a word (MOD), not a symbol
    };
    static constexpr TBinaryLevel BinaryLevels[] = {
        { { "&", nullptr }, false },
        { { "+", "-" }, false },
        { { "MOD", nullptr }, true },
        { { "\\", nullptr }, false },
        { { "*", "/" }, false },
    };
    PSqlExpr Concat() { return BinaryLevel(0); }
    PSqlExpr BinaryLevel(size_t level)
    {
        if (level == std::size(BinaryLevels))
            return Unary();
        TBinaryLevel const& l = BinaryLevels[level];
        auto e = BinaryLevel(level + 1);
        for (;;) {
            TSqlToken const& t = Peek();
            char const* op = nullptr;
            for (char const* o : l.Ops)
                if (o && (l.Keyword ? Is(t, o) : IsSym(t, o)))
                    op = o;
            if (!op)
                return e;
            Take();
            e = Binary(op, std::move(e), BinaryLevel(level + 1));
        }
    }
    PSqlExpr Unary()
    {
        if (IsSym(Peek(), "-") || IsSym(Peek(), "+")) {
            TNesting nesting(*this);
            std::string op = Take().Text;
            auto e = Make(TSqlExpr::ekUnary);
            e->Op = op;
            e->Args.push_back(Unary());
            return e;
        }
        return Power();
    }
    PSqlExpr Power()
    {
        auto e = Primary();
        while (AcceptSym("^")) {
            PSqlExpr rhs;
            if (IsSym(Peek(), "-") || IsSym(Peek(), "+")) {
                rhs = Make(TSqlExpr::ekUnary);
                rhs->Op = Take().Text;
                rhs->Args.push_back(Primary());
            } else {
                rhs = Primary();
            }
            e = Binary("^", std::move(e), std::move(rhs));
        }
        return e;
    }

    PSqlExpr Literal(std::string text)
    {
        auto e = Make(TSqlExpr::ekLiteral);
        e->Text = std::move(text);
        return e;
    }

    PSqlExpr Primary()
    {
        TSqlToken const& t = Peek();
        switch (t.Kind) {
        case TSqlToken::tkNumber: {
            auto e = Literal(Take().Text);
            e->IsNumber = true;
            return e;
        }
        case TSqlToken::tkString: {
            auto e = Literal(QuoteSqliteText(Take().Text));
            e->IsString = true;
            return e;
        }
        case TSqlToken::tkDate: {
            std::string iso;
            if (!ParseJetDate(t.Text, iso))
                Fail("Syntax error in date '#" + t.Text + "#'");
            Take();
            auto e = Literal(QuoteSqliteText(iso));
            e->IsString = true;
            return e;
        }
        case TSqlToken::tkSymbol:
            if (t.Text == "(") {
                Take();
                if (Is(Peek(), "SELECT")) {
                    auto e = Make(TSqlExpr::ekSubquery);
                    e->Query = Query();
                    ExpectSym(")", "subquery");
                    return e;
                }
                auto inner = Operand();
                ExpectSym(")", "expression");
                return inner;
            }
            if (t.Text == "*") {
                Take();
                return Make(TSqlExpr::ekStar);
            }
            Fail("Syntax error (missing operator) in query expression near " + Near());
        case TSqlToken::tkEnd:
            Fail("Syntax error: the statement ends where an expression is expected");
        case TSqlToken::tkName:
            if (Is(t, "NULL")) {
                Take();
                return Literal("NULL");
            }
            // Jet's True is -1, and so is a Yes in the Access engine's copy; SQLite files
            // store booleans as 1 and 0, so there True is 1.
            if (Is(t, "TRUE") || Is(t, "YES") || Is(t, "ON")) {
                if (!IsSym(Peek(1), "(") && !IsSym(Peek(1), ".")) {
                    Take();
                    auto e = Literal(FTrue);
                    e->IsNumber = true;
                    return e;
                }
            }
            if (Is(t, "FALSE") || Is(t, "NO") || Is(t, "OFF")) {
                if (!IsSym(Peek(1), "(") && !IsSym(Peek(1), ".")) {
                    Take();
                    auto e = Literal("0");
                    e->IsNumber = true;
                    return e;
                }
            }
            if (Is(t, "EXISTS")) {
                Take();
                ExpectSym("(", "EXISTS");
                auto e = Make(TSqlExpr::ekExists);
                if (!Is(Peek(), "SELECT"))
                    Fail("Syntax error in EXISTS: expected 'SELECT'");
                e->Query = Query();
                ExpectSym(")", "EXISTS");
                return e;
            }
            // Left( and Right( are the string functions, not joins.
            if ((Is(t, "LEFT") || Is(t, "RIGHT")) && IsSym(Peek(1), "("))
                return Function();
            if (IsReserved(t))
                Fail("Syntax error (missing operator) in query expression near " + Near());
            if (IsSym(Peek(1), "("))
                return Function();
            [[fallthrough]];
        case TSqlToken::tkQuotedName: {
            auto e = Make(TSqlExpr::ekName);
            e->Parts.push_back(Take().Text);
            while (IsSym(Peek(), ".") || IsSym(Peek(), "!")) {
                Take();
                if (IsSym(Peek(), "*")) {
                    if (e->Parts.size() > 1)
                        Fail(
                            "Syntax error in qualified name: '*' follows one table name only near " + Near());
                    Take();
                    e->Kind = TSqlExpr::ekStar;
                    return e;
                }
                if (Peek().Kind != TSqlToken::tkName && Peek().Kind != TSqlToken::tkQuotedName)
                    Fail("Syntax error in qualified name near " + Near());
                if (e->Parts.size() == 3)
                    Fail("Syntax error in qualified name: a name has at most three parts near " + Near());
                e->Parts.push_back(Take().Text);
            }
            return e;
        }
        }
        Fail("Syntax error near " + Near());
    }

    PSqlExpr Function()
    {
        auto e = Make(TSqlExpr::ekFunction);
        e->Name = Take().Text;
        Take(); // (
        if (AcceptSym(")"))
            return e;
        if (IsSym(Peek(), "*") && IsSym(Peek(1), ")")) {
            Take();
            Take();
            e->Star = true;
            return e;
        }
        if (Accept("DISTINCT"))
            e->Distinct = true;
        do
            e->Args.push_back(Operand());
        while (AcceptSym(","));
        ExpectSym(")", ("function " + e->Name).c_str());
        return e;
    }

    // Counts one level of nesting for its lifetime.
    struct TNesting {
        TParser& P;
        explicit TNesting(TParser& p)
            : P(p)
        {
            if (++P.FDepth > MaxNesting)
                P.Fail("The expression is nested too deeply (more than " + std::to_string(MaxNesting)
                    + " levels)");
        }
        ~TNesting() { --P.FDepth; }
    };
    static constexpr int MaxNesting = 200;

    // An expression where a bare "*" has no place.
    PSqlExpr Operand()
    {
        auto e = Expr();
        NoStar(*e);
        return e;
    }
    void NoStar(TSqlExpr const& e)
    {
        if (e.Kind == TSqlExpr::ekStar)
            Fail("Syntax error: '*' stands only for all the columns of a select list");
        for (auto const& a : e.Args)
            NoStar(*a);
    }

    std::string_view FText;
    std::vector<TSqlToken> FTokens;
    size_t FPos = 0;
    std::string FTrue;
    int FDepth = 0;
};

// ---- emitting SQLite ----

struct TEmitter {
    std::string_view Statement;

    [[noreturn]] void Fail(std::string const& what) { xe::db::Fail(what, Statement); }

    std::string Name(std::vector<std::string> const& parts)
    {
        std::string out;
        for (size_t i = 0; i < parts.size(); ++i) {
            if (i)
                out += '.';
            out += QuoteSqliteName(parts[i]);
        }
        return out;
    }

    std::string Args(TSqlExpr const& e, size_t from = 0)
    {
        std::string out;
        for (size_t i = from; i < e.Args.size(); ++i) {
            if (i > from)
                out += ", ";
            out += Expr(*e.Args[i]);
        }
        return out;
    }

    std::string Call(char const* fn, TSqlExpr const& e) { return std::string(fn) + "(" + Args(e) + ")"; }

    std::string FunctionCall(TSqlExpr const& e)
    {
        std::string name = xe::base::UpperCase(e.Name);
        size_t n = e.Args.size();
        auto arity = [&](size_t lo, size_t hi) {
            if (n < lo || n > hi || e.Star)
                Fail("Wrong number of arguments used with function '" + e.Name + "' in query expression");
        };
        if (name == "COUNT" || name == "SUM" || name == "AVG" || name == "MIN" || name == "MAX") {
            if (e.Star) {
                if (name != "COUNT")
                    Fail("Wrong number of arguments used with function '" + e.Name + "' in query expression");
                return "count(*)";
            }
            arity(1, 1);
            return xe::base::LowerCase(name) + "(" + (e.Distinct ? "DISTINCT " : "") + Args(e) + ")";
        }
        if (e.Distinct)
            Fail("DISTINCT in function '" + e.Name + "' is not supported");
        if (name == "IIF") {
            arity(3, 3);
            return "(CASE WHEN " + Expr(*e.Args[0]) + " THEN " + Expr(*e.Args[1]) + " ELSE "
                + Expr(*e.Args[2]) + " END)";
        }
        if (name == "NZ") {
            arity(1, 2);
            return "coalesce(" + Expr(*e.Args[0]) + ", " + (n == 2 ? Expr(*e.Args[1]) : std::string("''"))
                + ")";
        }
        struct TMap {
            char const* Jet;
            char const* Sqlite;
            size_t Lo, Hi;
        };
        static TMap const direct[] = {
            { "LEN", "jet_len", 1, 1 },
            { "MID", "jet_mid", 2, 3 },
            { "LEFT", "jet_left", 2, 2 },
            { "RIGHT", "jet_right", 2, 2 },
            { "UCASE", "jet_ucase", 1, 1 },
            { "LCASE", "jet_lcase", 1, 1 },
            { "TRIM", "jet_trim", 1, 1 },
            { "LTRIM", "jet_ltrim", 1, 1 },
            { "RTRIM", "jet_rtrim", 1, 1 },
            { "INSTR", "jet_instr", 2, 3 },
            { "CSTR", "jet_cstr", 1, 1 },
            { "CLNG", "jet_clng", 1, 1 },
            { "CINT", "jet_cint", 1, 1 },
            { "CDBL", "jet_cdbl", 1, 1 },
            { "INT", "jet_int", 1, 1 },
            { "FIX", "jet_fix", 1, 1 },
            { "ABS", "abs", 1, 1 },
            { "ROUND", "jet_round", 1, 2 },
            { "YEAR", "jet_year", 1, 1 },
            { "MONTH", "jet_month", 1, 1 },
            { "DAY", "jet_day", 1, 1 },
            { "HOUR", "jet_hour", 1, 1 },
            { "MINUTE", "jet_minute", 1, 1 },
            { "SECOND", "jet_second", 1, 1 },
        };
        for (TMap const& m : direct)
            if (name == m.Jet) {
                arity(m.Lo, m.Hi);
                return Call(m.Sqlite, e);
            }
        if (name == "NOW") {
            arity(0, 0);
            return "datetime('now', 'localtime')";
        }
        if (name == "DATE") {
            arity(0, 0);
            return "date('now', 'localtime')";
        }
        if (name == "TIME") {
            arity(0, 0);
            return "('1899-12-30 ' || time('now', 'localtime'))";
        }
        Fail("Undefined function '" + e.Name + "' in expression");
    }

    std::string Expr(TSqlExpr const& e)
    {
        switch (e.Kind) {
        case TSqlExpr::ekLiteral:
            return e.Text;
        case TSqlExpr::ekName:
            return Name(e.Parts);
        case TSqlExpr::ekStar:
            return e.Parts.empty() ? "*" : Name(e.Parts) + ".*";
        case TSqlExpr::ekUnary:
            if (e.Op == "NOT")
                return "(NOT " + Expr(*e.Args[0]) + ")";
            {
                // A sign before Jet's True of the Access copy (-1) must not make SQLite's "--" comment.
                std::string operand = Expr(*e.Args[0]);
                return "(" + e.Op + (operand[0] == '-' || operand[0] == '+' ? " " : "") + operand + ")";
            }
        case TSqlExpr::ekBinary: {
            // Chains of one operator are written flat: SQLite's parser has a fixed stack, and
            // a chain of a few dozen nested calls or parentheses would overflow it.
            if (e.Op == "&")
                return Concatenation(e);
            if (int const level = ChainLevel(e.Op))
                return "(" + Chain(e, level) + ")";
            std::string a = Expr(*e.Args[0]), b = Expr(*e.Args[1]);
            if (e.Op == "/")
                return "(CAST(" + a + " AS REAL) / " + b + ")";
            if (e.Op == "\\")
                return "jet_intdiv(" + a + ", " + b + ")";
            if (e.Op == "MOD")
                return "jet_mod(" + a + ", " + b + ")";
            if (e.Op == "^")
                return "jet_pow(" + a + ", " + b + ")";
            return "(" + a + " " + e.Op + " " + b + ")";
        }
        case TSqlExpr::ekFunction:
            return FunctionCall(e);
        case TSqlExpr::ekIsNull:
            return "(" + Expr(*e.Args[0]) + (e.Negated ? " IS NOT NULL)" : " IS NULL)");
        case TSqlExpr::ekBetween:
            return "(" + Expr(*e.Args[0]) + (e.Negated ? " NOT BETWEEN " : " BETWEEN ") + Expr(*e.Args[1])
                + " AND " + Expr(*e.Args[2]) + ")";
        case TSqlExpr::ekInList:
            return "(" + Expr(*e.Args[0]) + (e.Negated ? " NOT IN (" : " IN (") + Args(e, 1) + "))";
        case TSqlExpr::ekInQuery:
            return "(" + Expr(*e.Args[0]) + (e.Negated ? " NOT IN (" : " IN (") + Query(*e.Query) + "))";
        case TSqlExpr::ekExists:
            return "(EXISTS (" + Query(*e.Query) + "))";
        case TSqlExpr::ekSubquery:
            return "(" + Query(*e.Query) + ")";
        case TSqlExpr::ekLike:
            // ADO's (ANSI-92) wildcards (% _ [list]) are implemented by the connection's like().
            return "(" + Expr(*e.Args[0]) + (e.Negated ? " NOT LIKE " : " LIKE ") + Expr(*e.Args[1]) + ")";
        }
        return {};
    }

    std::string Table(TTableRef const& t)
    {
        switch (t.Kind) {
        case TTableRef::trTable:
            return Name(t.Name) + (t.Alias.empty() ? "" : " AS " + QuoteSqliteName(t.Alias));
        case TTableRef::trDerived:
            return "(" + Query(*t.Query) + ")" + (t.Alias.empty() ? "" : " AS " + QuoteSqliteName(t.Alias));
        case TTableRef::trParen:
            return "(" + Table(*t.Left) + ")";
        case TTableRef::trJoin:
            return Table(*t.Left) + " " + (t.JoinType == "INNER" ? "INNER" : t.JoinType + " OUTER") + " JOIN "
                + Table(*t.Right) + " ON " + Expr(*t.On);
        }
        return {};
    }

    // Left-associative operators of one precedence level in both dialects share a level
    // number; 0 for the others.
    static int ChainLevel(std::string const& op)
    {
        if (op == "+" || op == "-")
            return 1;
        if (op == "*")
            return 2;
        if (op == "AND")
            return 3;
        if (op == "OR")
            return 4;
        return 0;
    }
    // A binary expression without its outer parentheses, its left side unwrapped as long as
    // it stays on the same level: ((a + b) - c) becomes a + b - c.
    std::string Chain(TSqlExpr const& e, int level)
    {
        std::string out;
        TSqlExpr const& left = *e.Args[0];
        if (left.Kind == TSqlExpr::ekBinary && ChainLevel(left.Op) == level)
            out = Chain(left, level);
        else
            out = Expr(left);
        out.append(" ").append(e.Op).append(" ").append(Expr(*e.Args[1]));
        return out;
    }
    // a & b & c as one call of jet_concat with every piece (at most 100 arguments a call;
    // a longer chain continues in an outer call).
    std::string Concatenation(TSqlExpr const& e)
    {
        std::vector<TSqlExpr const*> pieces;
        TSqlExpr const* x = &e;
        for (; x->Kind == TSqlExpr::ekBinary && x->Op == "&"; x = x->Args[0].get())
            pieces.push_back(x->Args[1].get());
        pieces.push_back(x);
        std::reverse(pieces.begin(), pieces.end());
        std::string out;
        for (size_t i = 0; i < pieces.size();) {
            std::string call("jet_concat(");
            size_t args = 0;
            if (!out.empty()) {
                call += out;
                ++args;
            }
            for (; i < pieces.size() && args < 100; ++i, ++args) {
                if (args)
                    call += ", ";
                call += Expr(*pieces[i]);
            }
            out = std::move(call) + ")";
        }
        return out;
    }

    // The items of a list, each as text, joined by ", ".
    template <class TList, class TText> static std::string CommaList(TList const& list, TText text)
    {
        std::string out;
        bool first = true;
        for (auto const& item : list) {
            if (!first)
                out += ", ";
            out += text(*item);
            first = false;
        }
        return out;
    }

    // Everything of a select from FROM to HAVING.
    std::string Body(TSelectCore const& c)
    {
        std::string out;
        if (!c.From.empty()) {
            out += " FROM ";
            out += CommaList(c.From, [this](TTableRef const& t) { return Table(t); });
        }
        if (c.Where)
            out += " WHERE " + Expr(*c.Where);
        if (!c.GroupBy.empty()) {
            out += " GROUP BY ";
            out += CommaList(c.GroupBy, [this](TSqlExpr const& e) { return Expr(e); });
        }
        if (c.Having)
            out += " HAVING " + Expr(*c.Having);
        return out;
    }

    std::string Items(TSelectCore const& c)
    {
        std::string out;
        for (size_t i = 0; i < c.Items.size(); ++i) {
            if (i)
                out += ", ";
            out += Expr(*c.Items[i].Expr);
            if (!c.Items[i].Alias.empty())
                out += " AS " + QuoteSqliteName(c.Items[i].Alias);
        }
        return out;
    }

    std::string Core(TSelectCore const& c)
    {
        return std::string("SELECT ") + (c.Distinct ? "DISTINCT " : "") + Items(c) + Body(c);
    }

    // The ORDER BY keys; with `core`, a key that names a select item's alias is written as
    // that item's expression (for the rank, which cannot see the aliases).
    std::string OrderKeys(std::vector<TOrderItem> const& order, TSelectCore const* core = nullptr)
    {
        std::string out;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i)
                out += ", ";
            TSqlExpr const* key = order[i].Expr.get();
            if (core && key->Kind == TSqlExpr::ekName && key->Parts.size() == 1)
                for (TSelectItem const& item : core->Items)
                    if (!item.Alias.empty() && xe::base::SameText(item.Alias, key->Parts[0])) {
                        key = item.Expr.get();
                        break;
                    }
            out += Expr(*key) + (order[i].Desc ? " DESC" : "");
        }
        return out;
    }

    // The row count TOP asks for: the number, or for PERCENT the count of all rows of
    // the select times the percentage, rounded up.
    std::string TopCount(TSelectCore const& c)
    {
        if (!c.Top.Percent)
            return c.Top.Count;
        return "(SELECT CAST(xe_x AS INTEGER) + (xe_x > CAST(xe_x AS INTEGER)) FROM (SELECT count(*) * "
            + c.Top.Count + " / 100.0 AS xe_x FROM (SELECT " + (c.Distinct ? "DISTINCT " : "") + Items(c)
            + Body(c) + ")))";
    }

    // TOP n with ties over the rows DISTINCT leaves: the rank is taken over those rows, so
    // the ORDER BY keys must be among the selected columns, as Jet requires.
    std::string DistinctTies(TSelectQuery const& q, std::string const& n)
    {
        TSelectCore const& c = q.Core;
        bool star = false;
        for (TSelectItem const& item : c.Items)
            star = star || item.Expr->Kind == TSqlExpr::ekStar;
        std::string items, keys;
        std::vector<std::string> exprs;
        if (star)
            items = Items(c);
        for (size_t i = 0; !star && i < c.Items.size(); ++i) {
            exprs.push_back(Expr(*c.Items[i].Expr));
            items += (i ? ", " : "") + exprs.back() + " AS xe_c" + std::to_string(i);
        }
        for (size_t k = 0; k < q.OrderBy.size(); ++k) {
            TSqlExpr const& key = *q.OrderBy[k].Expr;
            std::string name = key.Kind == TSqlExpr::ekName ? key.Parts.back() : std::string();
            std::string mapped;
            if (star && !name.empty())
                mapped = QuoteSqliteName(name);
            for (size_t i = 0; !star && mapped.empty() && i < c.Items.size(); ++i) {
                TSelectItem const& item = c.Items[i];
                bool sameName = !name.empty()
                    && (xe::base::SameText(item.Alias, name)
                        || (item.Alias.empty() && item.Expr->Kind == TSqlExpr::ekName
                            && xe::base::SameText(item.Expr->Parts.back(), name)));
                if (sameName || Expr(key) == exprs[i])
                    mapped = "xe_c" + std::to_string(i);
            }
            if (mapped.empty())
                Fail("ORDER BY clause (" + Expr(key) + ") conflicts with DISTINCT");
            keys += (k ? ", " : "") + mapped + (q.OrderBy[k].Desc ? " DESC" : "");
        }
        return "(SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY " + keys
            + ") AS xe_rank FROM (SELECT DISTINCT " + items + Body(c) + ")) WHERE xe_rank <= " + n + ")";
    }

    std::string Query(TSelectQuery const& q)
    {
        std::string out = Core(q.Core);
        for (auto const& part : q.Compound)
            out += " " + part.first + " " + Core(part.second);
        if (!q.OrderBy.empty())
            out += " ORDER BY " + OrderKeys(q.OrderBy);
        TSelectCore const& c = q.Core;
        if (c.Top.Present) {
            std::string n = TopCount(c);
            if (q.OrderBy.empty()) {
                out += " LIMIT " + n;
            } else if (c.Distinct) {
                out += " LIMIT " + DistinctTies(q, n);
            } else {
                // Jet's TOP n keeps every row tied with the n-th on the ordering: those
                // are exactly the rows whose rank is at most n, and they come first.
                out += " LIMIT (SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY "
                    + OrderKeys(q.OrderBy, &c) + ") AS xe_rank" + Body(c) + ") WHERE xe_rank <= " + n + ")";
            }
        }
        return out;
    }
};

} // namespace

TJetStatement ParseJet(std::string_view utf8, int trueValue)
{
    TJetStatement st;
    st.Text = std::string(utf8);
    TParser parser(st.Text, trueValue);
    st.Query = parser.Statement();
    return st;
}

std::string EmitSqlite(TSelectQuery const& query, std::string_view statement)
{
    TEmitter emitter { statement };
    return emitter.Query(query);
}

std::string EmitSqlite(TSqlExpr const& expr, std::string_view statement)
{
    TEmitter emitter { statement };
    return emitter.Expr(expr);
}

bool IsAggregateFunction(std::string_view name)
{
    for (char const* aggregate : { "COUNT", "SUM", "AVG", "MIN", "MAX" })
        if (xe::base::SameText(name, aggregate))
            return true;
    return false;
}

namespace {

struct TJetRules {
    std::string_view Statement;

    static bool HasAggregate(TSqlExpr const& e)
    {
        if (e.Kind == TSqlExpr::ekFunction && IsAggregateFunction(e.Name))
            return true;
        for (auto const& a : e.Args)
            if (HasAggregate(*a))
                return true;
        return false;
    }

    std::string Text(TSqlExpr const& e) { return xe::base::LowerCase(EmitSqlite(e, Statement)); }

    static bool SameColumn(TSqlExpr const& a, TSqlExpr const& b)
    {
        if (a.Kind != TSqlExpr::ekName || b.Kind != TSqlExpr::ekName
            || !xe::base::SameText(a.Parts.back(), b.Parts.back()))
            return false;
        if (a.Parts.size() == 1 || b.Parts.size() == 1)
            return true;
        return a.Parts.size() == b.Parts.size()
            && std::equal(a.Parts.begin(), a.Parts.end(), b.Parts.begin(),
                [](std::string const& x, std::string const& y) { return xe::base::SameText(x, y); });
    }

    // Raises Jet's error for a column of `e` that is neither inside an aggregate nor grouped.
    void CheckGrouped(TSqlExpr const& e, TSelectCore const& core)
    {
        for (auto const& g : core.GroupBy)
            if (SameColumn(e, *g) || (e.Kind != TSqlExpr::ekName && Text(e) == Text(*g)))
                return;
        switch (e.Kind) {
        case TSqlExpr::ekName: {
            std::string name;
            for (auto const& part : e.Parts)
                name += (name.empty() ? "" : ".") + part;
            throw xe::base::EDatabaseError(xe::base::Utf8ToAnsi("You tried to execute a query that does not "
                                                                "include the specified expression '"
                + name + "' as part of an aggregate function."));
        }
        case TSqlExpr::ekFunction:
            if (IsAggregateFunction(e.Name))
                return;
            break;
        case TSqlExpr::ekSubquery:
        case TSqlExpr::ekExists:
            return;
        default:
            break;
        }
        for (auto const& a : e.Args)
            CheckGrouped(*a, core);
    }

    void Core(TSelectCore& core)
    {
        bool aggregate = !core.GroupBy.empty() || (core.Having && HasAggregate(*core.Having));
        for (auto const& item : core.Items)
            aggregate = aggregate || HasAggregate(*item.Expr);
        if (aggregate) {
            for (auto const& item : core.Items) {
                if (item.Expr->Kind == TSqlExpr::ekStar)
                    throw xe::base::EDatabaseError("Cannot group on fields selected with '*'.");
                CheckGrouped(*item.Expr, core);
            }
            if (core.Having)
                CheckGrouped(*core.Having, core);
        }
        int next = 1000;
        for (auto& item : core.Items)
            if (item.Alias.empty() && item.Expr->Kind != TSqlExpr::ekName
                && item.Expr->Kind != TSqlExpr::ekStar)
                item.Alias = "Expr" + std::to_string(next++);
        // Subqueries and derived tables follow the same rules.
        for (auto& item : core.Items)
            Expr(*item.Expr);
        for (auto& from : core.From)
            Table(*from);
        if (core.Where)
            Expr(*core.Where);
        if (core.Having)
            Expr(*core.Having);
    }
    void Expr(TSqlExpr& e)
    {
        if (e.Query)
            Query(*e.Query);
        for (auto& a : e.Args)
            Expr(*a);
    }
    void Table(TTableRef& t)
    {
        if (t.Query)
            Query(*t.Query);
        if (t.Left)
            Table(*t.Left);
        if (t.Right)
            Table(*t.Right);
        if (t.On)
            Expr(*t.On);
    }
    void Query(TSelectQuery& q)
    {
        Core(q.Core);
        for (auto& part : q.Compound)
            Core(part.second);
    }
};

} // namespace

void ApplyJetRules(TSelectQuery& query, std::string_view statement)
{
    TJetRules rules { statement };
    rules.Query(query);
}

std::string TranslateJet(std::string_view utf8, int trueValue)
{
    TJetStatement st = ParseJet(utf8, trueValue);
    TEmitter emitter { st.Text };
    return emitter.Query(*st.Query);
}

} // namespace xe::db
