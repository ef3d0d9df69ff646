#pragma once

#include "platform/db/Sqlite.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xe::db {

// The Jet SQL dialect, tokenized and parsed into a statement tree, and written out as
// SQLite SQL. Text here is UTF-8: statements are converted from the ANSI code page before
// they are tokenized, so that GBK trail bytes ('[', ']', '\') can never end a name.

struct TSqlToken {
    enum TKind { tkEnd, tkName, tkQuotedName, tkString, tkNumber, tkDate, tkSymbol };
    TKind Kind = tkEnd;
    std::string Text; // names and strings unquoted; symbols as written; dates as written between '#'
    size_t Pos = 0; // byte offset in the statement
};

// Raises EDatabaseError (quoting the statement) for an unterminated literal or a character
// that has no place in a statement.
std::vector<TSqlToken> TokenizeJet(std::string_view utf8);

struct TSelectQuery;

struct TSqlExpr {
    enum TKind {
        ekLiteral, // Text is SQLite literal text ('it''s', 12, NULL)
        ekName, // Parts: qualified name
        ekStar, // Parts: qualifier (may be empty) of "*" / "t.*"
        ekUnary, // Op: "-", "+", "NOT"; Args[0]
        ekBinary, // Op; Args[0], Args[1]
        ekFunction, // Name as written; Args; Distinct; Star for count(*)
        ekIsNull, // Negated; Args[0]
        ekBetween, // Negated; Args[0..2]
        ekInList, // Negated; Args[0] value, Args[1..] list
        ekInQuery, // Negated; Args[0]; Query
        ekExists, // Query
        ekSubquery, // Query
        ekLike, // Negated; Args[0], Args[1]
    };
    TKind Kind = ekLiteral;
    std::string Text;
    std::string Op;
    std::string Name;
    std::vector<std::string> Parts;
    std::vector<std::unique_ptr<TSqlExpr>> Args;
    std::unique_ptr<TSelectQuery> Query;
    bool Negated = false;
    bool Distinct = false;
    bool Star = false;
    // Literal kind, for the matcher of the materialised shapes.
    bool IsNumber = false;
    bool IsString = false;
};
using PSqlExpr = std::unique_ptr<TSqlExpr>;

struct TSelectItem {
    PSqlExpr Expr;
    std::string Alias; // empty when none
};

struct TTableRef {
    enum TKind { trTable, trDerived, trJoin, trParen };
    TKind Kind = trTable;
    std::vector<std::string> Name; // trTable
    std::unique_ptr<TSelectQuery> Query; // trDerived
    std::string Alias; // trTable, trDerived
    std::string JoinType; // trJoin: "INNER", "LEFT", "RIGHT", "CROSS"
    std::unique_ptr<TTableRef> Left, Right; // trJoin (Left also holds trParen's content)
    PSqlExpr On; // trJoin
};

struct TTopClause {
    bool Present = false;
    std::string Count; // the number as written
    bool Percent = false;
};

struct TSelectCore {
    bool Distinct = false;
    TTopClause Top;
    std::vector<TSelectItem> Items;
    std::vector<std::unique_ptr<TTableRef>> From; // comma-separated items
    PSqlExpr Where;
    std::vector<PSqlExpr> GroupBy;
    PSqlExpr Having;
};

struct TOrderItem {
    PSqlExpr Expr;
    bool Desc = false;
};

// A select, or a chain of selects joined by UNION; the ORDER BY belongs to the whole.
struct TSelectQuery {
    TSelectCore Core;
    std::vector<std::pair<std::string, TSelectCore>> Compound; // ("UNION" | "UNION ALL", core)
    std::vector<TOrderItem> OrderBy;
};

struct TJetStatement {
    std::string Text; // the UTF-8 statement as given
    std::unique_ptr<TSelectQuery> Query;
};

// Parses one SELECT statement. A construct the translator does not handle is an
// EDatabaseError that names it and quotes the statement; nothing half-translated escapes.
// `trueValue` is what True (Yes, On) stands for: -1 where Yes/No columns hold Jet's -1
// (the Access engine's copy), 1 for SQLite files.
TJetStatement ParseJet(std::string_view utf8, int trueValue = 1);

// SQLite text for a query or expression of a parsed statement. Jet's TOP becomes a LIMIT
// that keeps the rows tied with the last one when the select is ordered, as Jet does.
// `statement` is quoted in errors.
std::string EmitSqlite(TSelectQuery const& query, std::string_view statement);
std::string EmitSqlite(TSqlExpr const& expr, std::string_view statement);

// Jet's rules for a parsed statement that the translation does not otherwise follow, for
// statements on Access data (SQLite files keep SQLite's rules), applied to every select of
// it: an aggregate select may name a column outside an aggregate only as one of its GROUP
// BY expressions (otherwise Jet's error "You tried to execute a query that does not include
// the specified expression '<name>' as part of an aggregate function."), and a computed
// column without an alias is named Expr1000, Expr1001, ... in the order of the select list.
void ApplyJetRules(TSelectQuery& query, std::string_view statement);

// Whether a function name is one of the aggregates (Count, Sum, Avg, Min, Max).
bool IsAggregateFunction(std::string_view name);

// Parse and emit in one step.
std::string TranslateJet(std::string_view utf8, int trueValue = 1);

} // namespace xe::db
