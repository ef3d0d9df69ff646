#include "platform/db/Query.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Materializations.h"
#include "platform/db/Sqlite.h"
#include "platform/db/XmlWriter.h"

#include <cstdio>
#include <functional>
#include <optional>
#include <sqlite3.h>

namespace xe::db {

using xe::base::EDatabaseError;
using xe::base::Format;

namespace {

// SQLite's complaint in the words a Jet user knows, with the statement quoted.
[[noreturn]] void RaiseSqliteError(sqlite3* db, std::string const& ansiStatement)
{
    std::string message = SqliteErrorText(db);
    if (message.rfind("no such table: ", 0) == 0) {
        throw EDatabaseError(
            Format("The Microsoft Jet database engine cannot find the input table or query '%s'.  "
                   "Make sure it exists and that its name is spelled correctly.",
                message.c_str() + 15));
    }
    if (message.rfind("no such column: ", 0) == 0) {
        throw EDatabaseError(
            Format("No value given for one or more required parameters. (Unknown name '%s' in "
                   "statement '%s'.)",
                message.c_str() + 16, ansiStatement.c_str()));
    }
    throw EDatabaseError(Format("%s (in statement '%s')", message.c_str(), ansiStatement.c_str()));
}

TSqliteStatement PrepareOrRaise(sqlite3* db, std::string const& sql, std::string const& ansiStatement)
{
    TSqliteStatement stmt = TryPrepare(db, sql);
    if (!stmt)
        RaiseSqliteError(db, ansiStatement);
    return stmt;
}

// A statement on the connection's ordered copies, from its statement cache: the export asks
// the same few shapes on every page, with only the bound numbers changing.
TCachedStatement Borrow(TADOConnection& connection, std::string sql, std::string const& ansiStatement)
{
    try {
        return TCachedStatement(connection.Statements(), std::move(sql));
    } catch (EDatabaseError const&) {
        RaiseSqliteError(connection.Handle(), ansiStatement);
    }
}

// Prepares the statement, letting an engine that copies tables on demand create each table
// SQLite reports missing, one at a time, before the error is raised.
TSqliteStatement PrepareLoading(
    TADOConnection& connection, std::string const& sql, std::string const& ansiStatement)
{
    sqlite3* db = connection.Handle();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (TSqliteStatement stmt = TryPrepare(db, sql))
            return stmt;
        std::string message = sqlite3_errmsg(db);
        if (!connection.OnMissingTable || message.rfind("no such table: ", 0) != 0
            || !connection.OnMissingTable(message.substr(15)))
            RaiseSqliteError(db, ansiStatement);
    }
    RaiseSqliteError(db, ansiStatement);
}

bool IsBareStar(TSelectCore const& core)
{
    return core.Items.size() == 1 && core.Items[0].Expr->Kind == TSqlExpr::ekStar
        && core.Items[0].Expr->Parts.empty();
}

// The single derived table a select reads, or null.
TSelectQuery const* OnlyDerivedTable(TSelectCore const& core)
{
    if (core.From.size() != 1 || core.From[0]->Kind != TTableRef::trDerived || !core.GroupBy.empty()
        || core.Having)
        return nullptr;
    return core.From[0]->Query.get();
}

bool IsColumn(TSqlExpr const* e, std::string& name)
{
    if (!e || e->Kind != TSqlExpr::ekName || e->Parts.size() != 1)
        return false;
    name = e->Parts[0];
    return true;
}

bool WholeNumber(std::string const& text, int64_t& value) { return xe::base::TryStrToInt(text, value); }

} // namespace

// The two shapes answered from the rows of the derived table X in the order of c (a key seek
// or an ordered copy):
//   MaxOfTop:  SELECT MAX(c) FROM (SELECT TOP k * FROM (X) ORDER BY c)
//   TopAbove:  SELECT TOP n * FROM (X) [WHERE c > v] [ORDER BY c]   (at least one of the two)
struct TPlan {
    enum TKind { None, MaxOfTop, TopAbove } Kind = None;
    TSelectQuery const* X = nullptr;
    std::string Column;
    int64_t Count = 0;
    std::string Value; // SQLite literal of v; empty when there is no condition
    std::optional<int64_t> IntegerValue; // v when it is a whole number, bound as a parameter
    bool Ordered = false;
};

namespace {

TPlan MatchPlan(TSelectQuery const& q)
{
    TPlan plan;
    TSelectCore const& c = q.Core;
    if (!q.Compound.empty() || c.Distinct)
        return plan;
    // MAX(c) over a TOP k ordered by c.
    if (!c.Top.Present && q.OrderBy.empty() && !c.Where && c.Items.size() == 1) {
        TSqlExpr const& f = *c.Items[0].Expr;
        std::string name, orderName;
        TSelectQuery const* sub = OnlyDerivedTable(c);
        if (f.Kind == TSqlExpr::ekFunction && xe::base::SameText(f.Name, "MAX") && !f.Distinct && !f.Star
            && f.Args.size() == 1 && IsColumn(f.Args[0].get(), name) && sub && sub->Compound.empty()
            && !sub->Core.Distinct && sub->Core.Top.Present && !sub->Core.Top.Percent
            && WholeNumber(sub->Core.Top.Count, plan.Count) && IsBareStar(sub->Core) && !sub->Core.Where
            && OnlyDerivedTable(sub->Core) && sub->OrderBy.size() == 1 && !sub->OrderBy[0].Desc
            && IsColumn(sub->OrderBy[0].Expr.get(), orderName) && xe::base::SameText(name, orderName)) {
            plan.Kind = TPlan::MaxOfTop;
            plan.X = OnlyDerivedTable(sub->Core);
            plan.Column = orderName;
        }
        return plan;
    }
    // TOP n over X, above v, ordered by c.
    TSelectQuery const* x = OnlyDerivedTable(c);
    if (!c.Top.Present || c.Top.Percent || !WholeNumber(c.Top.Count, plan.Count) || !IsBareStar(c) || !x)
        return plan;
    std::string whereName, orderName;
    if (c.Where) {
        TSqlExpr const& w = *c.Where;
        if (w.Kind != TSqlExpr::ekBinary || w.Op != ">" || !IsColumn(w.Args[0].get(), whereName))
            return plan;
        TSqlExpr const* v = w.Args[1].get();
        bool literal = v->Kind == TSqlExpr::ekLiteral && (v->IsNumber || v->IsString);
        bool negative = v->Kind == TSqlExpr::ekUnary && v->Op == "-"
            && v->Args[0]->Kind == TSqlExpr::ekLiteral && v->Args[0]->IsNumber;
        if (!literal && !negative)
            return plan;
        plan.Value = EmitSqlite(*v, "");
        int64_t whole = 0;
        if (v->Kind == TSqlExpr::ekLiteral && v->IsNumber && WholeNumber(v->Text, whole))
            plan.IntegerValue = whole;
        else if (v->Kind == TSqlExpr::ekUnary && WholeNumber("-" + v->Args[0]->Text, whole))
            plan.IntegerValue = whole;
    }
    if (q.OrderBy.size() > 1
        || (q.OrderBy.size() == 1 && (q.OrderBy[0].Desc || !IsColumn(q.OrderBy[0].Expr.get(), orderName))))
        return plan;
    if (whereName.empty() && orderName.empty())
        return plan;
    if (!whereName.empty() && !orderName.empty() && !xe::base::SameText(whereName, orderName))
        return plan;
    plan.Kind = TPlan::TopAbove;
    plan.X = x;
    plan.Column = orderName.empty() ? whereName : orderName;
    plan.Ordered = !orderName.empty();
    return plan;
}

} // namespace

struct TADOQuery::TImpl {
    TJetStatement Statement;
    std::string Translated;
    std::string XSql; // the derived table a paging statement reads, translated
    TSqliteStatement Meta; // the statement itself: column names, types and origins
    TCachedStatement Rows; // the rows when they do not come from Meta: a seek, or the copy's
    TRowSource Source = TRowSource::Statement;
    bool HasRow = false;
    int64_t Position = 0; // 0-based index of the current row
    // The statement was read to its end after the current row (by WriteXml): the row is found
    // again when it is next used, not at once, since an export never uses it again.
    bool ReadPast = false;
    int64_t Count = -1;
    std::vector<TXmlColumn> Columns;

    sqlite3_stmt* RowStmt() const { return Source == TRowSource::Statement ? Meta.Get() : Rows.Get(); }
};

TADOQuery::TADOQuery(TADOConnection* connection)
    : FConnection(connection)
{
}

TADOQuery::~TADOQuery() = default;

void TADOQuery::SetSQL(std::string const& ansiText)
{
    Close();
    FSql = ansiText;
}

bool TADOQuery::Active() const { return FImpl != nullptr; }

void TADOQuery::Close()
{
    FImpl.reset();
    FFields.clear();
}

void TADOQuery::Require(bool active, char const* operation) const
{
    if (Active() != active)
        throw EDatabaseError(Format(
            "%s: operation is not allowed when the object is %s.", operation, active ? "closed" : "open"));
}

TRowSource TADOQuery::RowSource() const { return FImpl ? FImpl->Source : TRowSource::Statement; }

bool TADOQuery::UsedMaterialization() const { return RowSource() != TRowSource::Statement; }

std::string const& TADOQuery::TranslatedSQL() const
{
    static std::string const none;
    return FImpl ? FImpl->Translated : none;
}

namespace {

// Step a statement, raising the engine's error on failure. Gives true on a row.
bool StepRow(sqlite3_stmt* stmt, std::string const& ansiStatement)
{
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    std::string message = SqliteErrorText(sqlite3_db_handle(stmt));
    sqlite3_reset(stmt);
    throw EDatabaseError(Format("%s (in statement '%s')", message.c_str(), ansiStatement.c_str()));
}

TColumnInfo InfoFor(TADOConnection const& conn, sqlite3_stmt* stmt, int i)
{
    char const* table = sqlite3_column_table_name(stmt, i);
    char const* origin = sqlite3_column_origin_name(stmt, i);
    char const* dbName = sqlite3_column_database_name(stmt, i);
    if (table && origin) {
        if (TColumnInfo const* registered = conn.FindColumnInfo(table, origin)) {
            TColumnInfo info = *registered;
            if (info.BaseTable.empty())
                info.BaseTable = table, info.BaseColumn = origin;
            return info;
        }
    }
    char const* decl = sqlite3_column_decltype(stmt, i);
    TColumnInfo info = ColumnInfoFromDeclType(decl ? decl : "");
    if (table && origin) {
        info.BaseTable = table;
        info.BaseColumn = origin;
        int notNull = 0, primaryKey = 0, autoinc = 0;
        if (sqlite3_table_column_metadata(
                conn.Handle(), dbName, table, origin, nullptr, nullptr, &notNull, &primaryKey, &autoinc)
            == SQLITE_OK) {
            info.Nullable = !notNull && !primaryKey;
            info.KeyColumn = primaryKey != 0;
            info.AutoIncrement = autoinc != 0;
        }
    }
    return info;
}

// Access columns the copy holds no values of (attachments, multi-valued fields) are
// registered with the type adEmpty; a statement that reads one is refused.
void RefuseUnreadColumn(sqlite3_stmt* stmt, int i, TColumnInfo const& info)
{
    if (info.Type != adEmpty)
        return;
    char const* table = sqlite3_column_table_name(stmt, i);
    char const* origin = sqlite3_column_origin_name(stmt, i);
    throw EDatabaseError(xe::base::Utf8ToAnsi(std::string("The column '") + (origin ? origin : "")
        + "' of table '" + (table ? table : "")
        + "' is an attachment or multi-valued field, which this engine cannot read."));
}

// Where a result column comes from: a select item (with the select it belongs to), or a
// column of a table or saved query that a '*' reads.
struct TColumnSource {
    TSqlExpr const* Expr = nullptr;
    TSelectCore const* Core = nullptr;
    std::string Table; // UTF-8
};

// The sources of a select's `columns` result columns, following '*' into a single derived
// table (the shape the paged export wraps every statement in). False when a '*' over
// several tables or several '*' leave the mapping unknown.
bool ResolveColumns(TSelectCore const& core, int columns, std::vector<TColumnSource>& out)
{
    int stars = 0;
    for (TSelectItem const& item : core.Items)
        stars += item.Expr->Kind == TSqlExpr::ekStar;
    if (stars > 1)
        return false;
    for (TSelectItem const& item : core.Items) {
        if (item.Expr->Kind != TSqlExpr::ekStar) {
            out.push_back({ item.Expr.get(), &core, {} });
            continue;
        }
        int width = columns - int(core.Items.size()) + 1;
        if (width < 0 || core.From.size() != 1)
            return false;
        TTableRef const& from = *core.From[0];
        if (from.Kind == TTableRef::trDerived) {
            if (!from.Query->Compound.empty() || !ResolveColumns(from.Query->Core, width, out))
                return false;
        } else if (from.Kind == TTableRef::trTable) {
            out.insert(out.end(), size_t(width), TColumnSource { nullptr, nullptr, from.Name.back() });
        } else {
            return false;
        }
    }
    return out.size() == size_t(columns);
}

bool IsNumeric(DataTypeEnum type)
{
    switch (type) {
    case adBoolean:
    case adUnsignedTinyInt:
    case adTinyInt:
    case adSmallInt:
    case adInteger:
    case adBigInt:
    case adSingle:
    case adDouble:
    case adCurrency:
    case adNumeric:
    case adDecimal:
        return true;
    default:
        return false;
    }
}

// The type Jet gives a computed column of Access data: Count is a Long; a Sum or an Avg of
// numbers a Double (of Currency a Currency); Min and Max the type of their argument;
// arithmetic on numbers a Double; a whole-number literal a Long. Unknown (nullopt) for the
// rest, which keep the long string that holds any value.
struct TJetTyper {
    TADOConnection const& Connection;
    TSelectCore const& Core;

    static TColumnInfo Computed(DataTypeEnum type)
    {
        TColumnInfo info;
        info.Type = type;
        return info;
    }

    // A column of a table or saved query the select reads, as SQLite describes it (a saved
    // query's computed columns as the engine registered them).
    std::optional<TColumnInfo> Column(TSqlExpr const& name) const
    {
        std::vector<TTableRef const*> refs;
        std::function<void(TTableRef const&)> collect = [&](TTableRef const& t) {
            if (t.Kind == TTableRef::trTable)
                refs.push_back(&t);
            if (t.Left)
                collect(*t.Left);
            if (t.Right)
                collect(*t.Right);
        };
        for (auto const& from : Core.From)
            collect(*from);
        for (TTableRef const* t : refs) {
            if (name.Parts.size() == 2
                && !xe::base::SameText(name.Parts[0], t->Alias.empty() ? t->Name.back() : t->Alias))
                continue;
            std::string table;
            for (std::string const& part : t->Name) {
                if (!table.empty())
                    table += '.';
                table += QuoteSqliteName(part);
            }
            std::string sql("SELECT ");
            sql.append(QuoteSqliteName(name.Parts.back())).append(" FROM ").append(table);
            TSqliteStatement probe = TryPrepare(Connection.Handle(), sql);
            if (probe) {
                TColumnInfo info = InfoFor(Connection, probe.Get(), 0);
                if (!sqlite3_column_origin_name(probe.Get(), 0))
                    if (TColumnInfo const* registered
                        = Connection.FindColumnInfo(t->Name.back(), name.Parts.back()))
                        info = *registered;
                if (info.Type == adEmpty)
                    return std::nullopt;
                info.BaseTable.clear();
                info.BaseColumn.clear();
                info.KeyColumn = info.AutoIncrement = false;
                info.Nullable = true;
                return info;
            }
        }
        return std::nullopt;
    }

    std::optional<TColumnInfo> Infer(TSqlExpr const& e) const
    {
        switch (e.Kind) {
        case TSqlExpr::ekLiteral: {
            int64_t whole = 0;
            if (e.IsNumber)
                return Computed(
                    xe::base::TryStrToInt(e.Text, whole) && whole >= INT32_MIN && whole <= INT32_MAX
                        ? adInteger
                        : adDouble);
            return std::nullopt;
        }
        case TSqlExpr::ekName:
            if (e.Parts.size() <= 2)
                return Column(e);
            return std::nullopt;
        case TSqlExpr::ekUnary: {
            std::optional<TColumnInfo> arg = Infer(*e.Args[0]);
            if (e.Op != "NOT" && arg && IsNumeric(arg->Type))
                return arg;
            return std::nullopt;
        }
        case TSqlExpr::ekBinary: {
            static char const* const arithmetic[] = { "+", "-", "*", "/", "\\", "MOD", "^" };
            bool numeric = false;
            for (char const* op : arithmetic)
                numeric = numeric || e.Op == op;
            if (!numeric)
                return std::nullopt;
            std::optional<TColumnInfo> a = Infer(*e.Args[0]), b = Infer(*e.Args[1]);
            if (a && b && IsNumeric(a->Type) && IsNumeric(b->Type))
                return Computed(adDouble);
            return std::nullopt;
        }
        case TSqlExpr::ekFunction: {
            if (!IsAggregateFunction(e.Name))
                return std::nullopt;
            if (xe::base::SameText(e.Name, "COUNT"))
                return Computed(adInteger);
            if (e.Args.size() != 1)
                return std::nullopt;
            std::optional<TColumnInfo> arg = Infer(*e.Args[0]);
            if (!arg)
                return std::nullopt;
            if (xe::base::SameText(e.Name, "MIN") || xe::base::SameText(e.Name, "MAX"))
                return arg;
            if (!IsNumeric(arg->Type))
                return std::nullopt;
            return Computed(arg->Type == adCurrency ? adCurrency : adDouble);
        }
        default:
            return std::nullopt;
        }
    }
};

bool ColumnIsBinaryCollated(sqlite3* db, std::string const& xSql, std::string const& column)
{
    TSqliteStatement statement = TryPrepare(db, "SELECT " + QuoteSqliteName(column) + " FROM (" + xSql + ")");
    if (!statement)
        return false;
    sqlite3_stmt* stmt = statement.Get();
    bool binary = true;
    char const* table = sqlite3_column_table_name(stmt, 0);
    char const* origin = sqlite3_column_origin_name(stmt, 0);
    if (table && origin) {
        char const* collation = nullptr;
        if (sqlite3_table_column_metadata(db, sqlite3_column_database_name(stmt, 0), table, origin, nullptr,
                &collation, nullptr, nullptr, nullptr)
                != SQLITE_OK
            || (collation && !xe::base::SameText(collation, "BINARY")))
            binary = false;
    }
    return binary;
}

// The first column of the first row as an integer; 0 for no row or NULL.
int64_t SingleInteger(sqlite3_stmt* stmt, std::string const& ansiStatement)
{
    if (!StepRow(stmt, ansiStatement) || sqlite3_column_type(stmt, 0) == SQLITE_NULL)
        return 0;
    return sqlite3_column_int64(stmt, 0);
}

// The first rowid in [from, rows] whose row makes `probe` true (a statement of one truth value
// for the rowid bound as ?1), when along the rowids the values are false and then true;
// rows + 1 when none is true. Gallops from `from`, so an answer near it takes a few probes.
int64_t FirstTrue(sqlite3_stmt* probe, int64_t from, int64_t rows, std::string const& ansiStatement)
{
    auto test = [&](int64_t rowid) {
        sqlite3_reset(probe);
        sqlite3_bind_int64(probe, 1, rowid);
        return SingleInteger(probe, ansiStatement) != 0;
    };
    int64_t lo = std::max<int64_t>(from, 1) - 1; // known false, or before the first row
    int64_t hi = rows + 1; // known true, or after the last row
    for (int64_t step = 1; lo + step <= rows; step *= 2) {
        if (test(lo + step)) {
            hi = lo + step;
            break;
        }
        lo += step;
    }
    while (hi - lo > 1) {
        int64_t mid = lo + (hi - lo) / 2;
        (test(mid) ? hi : lo) = mid;
    }
    sqlite3_reset(probe);
    return hi;
}

// TOP n [WHERE c > v] [ORDER BY c] on the ordered copy, as a rowid range: gives the first and
// last rowid, first > last for no rows. Rows with c > v are a suffix of the copy (its order
// is the one the comparison follows), found by a search over the rowids that starts at the
// row a maximum read last (the export asks for the page after it); with ORDER BY the range
// grows to the last row tied with the n-th.
std::pair<int64_t, int64_t> TopAboveRange(TADOConnection& connection, TMaterializations::TEntry const& copy,
    TPlan const& plan, int64_t hint, std::string const& ansiStatement)
{
    std::string const& c = copy.Column;
    std::string const& t = copy.Table;
    int64_t first = 1;
    if (!plan.Value.empty()) {
        TCachedStatement cached;
        TSqliteStatement once;
        sqlite3_stmt* above = nullptr;
        if (plan.IntegerValue) {
            cached
                = Borrow(connection, "SELECT " + c + " > ?2 FROM " + t + " WHERE rowid = ?1", ansiStatement);
            sqlite3_bind_int64(cached.Get(), 2, *plan.IntegerValue);
            above = cached.Get();
        } else {
            // Another literal (a string, a fraction) is written into the text, which is then used once.
            once = PrepareOrRaise(connection.Handle(),
                "SELECT " + c + " > " + plan.Value + " FROM " + t + " WHERE rowid = ?1", ansiStatement);
            above = once.Get();
        }
        int64_t from = 1;
        if (hint >= 1 && hint <= copy.Rows && FirstTrue(above, hint, hint, ansiStatement) > hint)
            from = hint + 1; // the hint's row is not above v: neither is any before it
        first = FirstTrue(above, from, copy.Rows, ansiStatement);
    }
    int64_t last = std::min(first + plan.Count - 1, copy.Rows);
    if (first > copy.Rows || plan.Count <= 0 || last < first)
        return { 1, 0 };
    if (plan.Ordered && last < copy.Rows) {
        TCachedStatement differs = Borrow(connection,
            "SELECT " + c + " IS NOT (SELECT " + c + " FROM " + t + " WHERE rowid = ?2) FROM " + t
                + " WHERE rowid = ?1",
            ansiStatement);
        sqlite3_bind_int64(differs.Get(), 2, last);
        last = FirstTrue(differs.Get(), last + 1, copy.Rows, ansiStatement) - 1;
    }
    return { first, last };
}

// Whether SQLite reads the rows of X in the order of `column` through the integer primary key
// of the one table X reads (its rowid), both from the start and from a key on: each page is
// then a seek, and no copy is needed. The keys are unique integers, never NULL.
bool ReadsByIntegerKey(sqlite3* db, std::string const& xSql, std::string const& column)
{
    std::string const c = QuoteSqliteName(column);
    for (std::string const& sql :
        { "SELECT * FROM (" + xSql + ") WHERE " + c + " > ?1 ORDER BY " + c + " LIMIT ?2",
            "SELECT " + c + " FROM (" + xSql + ") ORDER BY " + c + " LIMIT ?1" }) {
        TSqliteStatement plan = TryPrepare(db, "EXPLAIN QUERY PLAN " + sql);
        if (!plan)
            return false;
        int steps = 0;
        bool byKey = false;
        while (sqlite3_step(plan.Get()) == SQLITE_ROW) {
            auto detail = reinterpret_cast<char const*>(sqlite3_column_text(plan.Get(), 3));
            std::string_view text = detail ? detail : "";
            // One step, a search or scan of one table in rowid order: no sorter, no subquery.
            byKey = (text.rfind("SEARCH ", 0) == 0
                        && text.find(" USING INTEGER PRIMARY KEY (rowid>?)") != text.npos)
                || (text.rfind("SCAN ", 0) == 0 && text.find(' ', 5) == text.npos);
            ++steps;
        }
        if (steps != 1 || !byKey)
            return false;
    }
    return true;
}

// How the rows of X are found in the order of the column: decided once per connection.
TOrderedAccess OrderedAccess(TADOConnection& connection, std::string const& xSql, std::string const& column)
{
    TMaterializations& copies = connection.Materializations();
    std::optional<TOrderedAccess> access = copies.Access(xSql, column);
    if (!access) {
        sqlite3* db = connection.Handle();
        access = ReadsByIntegerKey(db, xSql, column)   ? TOrderedAccess::KeySeek
            : ColumnIsBinaryCollated(db, xSql, column) ? TOrderedAccess::OrderedCopy
                                                       : TOrderedAccess::Statement;
        copies.SetAccess(xSql, column, *access);
    }
    return *access;
}

// MAX(c) of the first k rows in c order, c X's integer key: the key at rank k, or at the last
// rank when X has fewer rows; nullopt for no rows. Walks on from the rank found last (the
// export asks for ranks 30 apart), so that every page costs the same.
std::optional<int64_t> KeyAtRank(TADOConnection& connection, std::string const& xSql,
    std::string const& column, int64_t k, std::string const& ansiStatement)
{
    TKeyPosition& position = connection.Materializations().Position(xSql, column);
    if (k < position.Rank)
        position = {};
    if (k <= 0)
        return std::nullopt;
    if (k == position.Rank)
        return position.Key;
    std::string const c = QuoteSqliteName(column);
    TCachedStatement walk;
    if (position.Rank == 0) {
        walk = Borrow(
            connection, "SELECT " + c + " FROM (" + xSql + ") ORDER BY " + c + " LIMIT ?1", ansiStatement);
        sqlite3_bind_int64(walk.Get(), 1, k);
    } else {
        walk = Borrow(connection,
            "SELECT " + c + " FROM (" + xSql + ") WHERE " + c + " > ?1 ORDER BY " + c + " LIMIT ?2",
            ansiStatement);
        sqlite3_bind_int64(walk.Get(), 1, position.Key);
        sqlite3_bind_int64(walk.Get(), 2, k - position.Rank);
    }
    while (StepRow(walk.Get(), ansiStatement)) {
        ++position.Rank;
        position.Key = sqlite3_column_int64(walk.Get(), 0);
    }
    if (position.Rank == 0)
        return std::nullopt;
    return position.Key;
}

} // namespace

std::vector<std::optional<TColumnInfo>> JetComputedColumnInfos(
    TADOConnection const& connection, TSelectQuery const& query, sqlite3_stmt* stmt)
{
    int n = sqlite3_column_count(stmt);
    std::vector<std::optional<TColumnInfo>> infos(static_cast<size_t>(n));
    std::vector<TColumnSource> sources;
    if (!ResolveColumns(query.Core, n, sources))
        return infos;
    for (int i = 0; i < n; ++i) {
        if (sqlite3_column_origin_name(stmt, i))
            continue;
        TColumnSource const& source = sources[size_t(i)];
        if (source.Expr) {
            infos[size_t(i)] = TJetTyper { connection, *source.Core }.Infer(*source.Expr);
        } else if (!source.Table.empty()) {
            char const* name = sqlite3_column_name(stmt, i);
            if (TColumnInfo const* registered = connection.FindColumnInfo(source.Table, name ? name : ""))
                infos[size_t(i)] = *registered;
        }
    }
    return infos;
}

void TADOQuery::Open()
{
    if (Active())
        return;
    if (!FConnection || !FConnection->Connected())
        throw EDatabaseError(
            "Operation is not allowed when the object is closed. (The connection is not open.)");
    if (!FReadHold)
        FReadHold = FConnection->HoldReading();
    auto impl = std::make_unique<TImpl>();
    Translate(*impl);
    TPlan const plan = MatchPlan(*impl->Statement.Query);
    TMaterializations& copies = FConnection->Materializations();
    std::string shape;
    std::vector<TXmlColumn> const* knownColumns = nullptr;
    if (plan.Kind != TPlan::None) {
        impl->XSql = EmitSqlite(*plan.X, impl->Statement.Text);
        shape = std::to_string(plan.Kind) + (plan.Ordered ? "o" : "u") + (plan.Value.empty() ? "-" : ">")
            + "\x1f" + plan.Column + "\x1f" + impl->XSql;
        knownColumns = copies.FindColumns(shape);
    }
    // The plain statement is prepared whenever its columns are not known yet: that also
    // reports its errors, and lets an engine load the tables it names.
    if (!knownColumns)
        impl->Meta = PrepareLoading(*FConnection, impl->Translated, FSql);
    if (plan.Kind != TPlan::None) {
        BindOrderedRows(*impl, plan, knownColumns ? knownColumns->size() : 0);
        if (impl->Source == TRowSource::Statement && !impl->Meta) {
            knownColumns = nullptr;
            impl->Meta = PrepareLoading(*FConnection, impl->Translated, FSql);
        }
    }
    if (knownColumns) {
        impl->Columns = *knownColumns;
    } else {
        DescribeColumns(*impl);
        if (impl->Source != TRowSource::Statement)
            copies.KeepColumns(shape, impl->Columns);
    }
    SetUpFields(*impl);
    impl->HasRow = StepRow(impl->RowStmt(), FSql);
    copies.CountOpened(impl->Source);
    FImpl = std::move(impl);
}

void TADOQuery::Translate(TImpl& impl) const
{
    // A Yes in the Access engine's copy is Jet's -1; SQLite files keep 1.
    bool const access = FConnection->Engine() == TEngineKind::Access;
    impl.Statement = ParseJet(xe::base::AnsiToUtf8(FSql), access ? -1 : 1);
    if (access)
        ApplyJetRules(*impl.Statement.Query, impl.Statement.Text);
    impl.Translated = EmitSqlite(*impl.Statement.Query, impl.Statement.Text);
}

void TADOQuery::BindOrderedRows(TImpl& impl, TPlan const& plan, size_t knownColumnCount)
{
    TMaterializations& copies = FConnection->Materializations();
    std::string const& xSql = impl.XSql;
    TOrderedAccess const access = OrderedAccess(*FConnection, xSql, plan.Column);
    // The numbers are bound, so that every page runs the same prepared statements.
    if (access == TOrderedAccess::KeySeek) {
        std::string const c = QuoteSqliteName(plan.Column);
        if (plan.Kind == TPlan::MaxOfTop) {
            std::optional<int64_t> key = KeyAtRank(*FConnection, xSql, plan.Column, plan.Count, FSql);
            impl.Rows = Borrow(*FConnection, "SELECT ?1", FSql);
            if (key)
                sqlite3_bind_int64(impl.Rows.Get(), 1, *key);
        } else if (plan.IntegerValue) {
            impl.Rows = Borrow(*FConnection,
                "SELECT * FROM (" + xSql + ") WHERE " + c + " > ?1 ORDER BY " + c + " LIMIT ?2", FSql);
            sqlite3_bind_int64(impl.Rows.Get(), 1, *plan.IntegerValue);
            sqlite3_bind_int64(impl.Rows.Get(), 2, std::max<int64_t>(plan.Count, 0));
        } else if (plan.Value.empty()) {
            impl.Rows
                = Borrow(*FConnection, "SELECT * FROM (" + xSql + ") ORDER BY " + c + " LIMIT ?1", FSql);
            sqlite3_bind_int64(impl.Rows.Get(), 1, std::max<int64_t>(plan.Count, 0));
        } else {
            return; // another literal: the statement itself seeks just as well
        }
        impl.Source = TRowSource::KeySeek;
    } else if (access == TOrderedAccess::OrderedCopy) {
        // The first page does not wait for the copy: a top-n pass over the statement gives the
        // same rows, and the copy is made for the second page.
        if (plan.Kind == TPlan::TopAbove && plan.Value.empty() && !copies.Find(xSql, plan.Column)
            && impl.Meta)
            return;
        TMaterializations::TEntry const* copy = nullptr;
        try {
            copy = &copies.Get(xSql, plan.Column);
        } catch (EDatabaseError const&) {
            // The plain statement reports what is wrong.
            copies.SetAccess(xSql, plan.Column, TOrderedAccess::Statement);
            return;
        }
        TKeyPosition& read = copies.Position(xSql, plan.Column); // Rank: the rowid a maximum read
        if (plan.Kind == TPlan::MaxOfTop) {
            int64_t k = std::min(plan.Count, copy->Rows);
            read.Rank = k;
            impl.Rows = Borrow(*FConnection,
                "SELECT (SELECT " + copy->Column + " FROM " + copy->Table + " WHERE rowid = ?1)", FSql);
            sqlite3_bind_int64(impl.Rows.Get(), 1, std::max<int64_t>(k, 0));
        } else {
            auto [first, last] = TopAboveRange(*FConnection, *copy, plan, read.Rank, FSql);
            impl.Rows = Borrow(*FConnection,
                "SELECT * FROM " + copy->Table + " WHERE rowid BETWEEN ?1 AND ?2 ORDER BY rowid", FSql);
            sqlite3_bind_int64(impl.Rows.Get(), 1, first);
            sqlite3_bind_int64(impl.Rows.Get(), 2, last);
        }
        impl.Source = TRowSource::OrderedCopy;
    } else {
        return;
    }
    size_t expected
        = knownColumnCount ? knownColumnCount : static_cast<size_t>(sqlite3_column_count(impl.Meta.Get()));
    if (static_cast<size_t>(sqlite3_column_count(impl.Rows.Get())) != expected) {
        impl.Rows.Return();
        impl.Source = TRowSource::Statement;
    }
}

void TADOQuery::DescribeColumns(TImpl& impl) const
{
    bool const access = FConnection->Engine() == TEngineKind::Access;
    sqlite3_stmt* meta = impl.Meta.Get();
    int n = sqlite3_column_count(meta);
    std::vector<std::optional<TColumnInfo>> computed;
    if (access)
        computed = JetComputedColumnInfos(*FConnection, *impl.Statement.Query, meta);
    impl.Columns.clear();
    for (int i = 0; i < n; ++i) {
        TXmlColumn col;
        col.Name = sqlite3_column_name(meta, i) ? sqlite3_column_name(meta, i) : "";
        col.Info = InfoFor(*FConnection, meta, i);
        if (access)
            RefuseUnreadColumn(meta, i, col.Info);
        if (size_t(i) < computed.size() && computed[size_t(i)])
            col.Info = *computed[size_t(i)];
        impl.Columns.push_back(std::move(col));
    }
}

void TADOQuery::SetUpFields(TImpl const& impl)
{
    std::vector<TField> fields(impl.Columns.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        TField& f = fields[i];
        f.FQuery = this;
        f.FIndex = static_cast<int>(i);
        f.FName = xe::base::Utf8ToAnsi(impl.Columns[i].Name);
        f.FInfo = impl.Columns[i].Info;
        f.FDataType = FieldTypeOf(f.FInfo.Type);
    }
    FFields = std::move(fields);
}

TField& TADOQuery::Fields(int index)
{
    Require(true, "Fields");
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(Format("List index out of bounds (%d)", index));
    return FFields[static_cast<size_t>(index)];
}

TField* TADOQuery::FindField(std::string const& ansiName)
{
    for (TField& f : FFields)
        if (xe::base::SameText(f.Name(), ansiName))
            return &f;
    return nullptr;
}

void TADOQuery::ReturnToCurrentRow() const
{
    if (!FImpl || !FImpl->ReadPast)
        return;
    FImpl->ReadPast = false;
    sqlite3_stmt* stmt = FImpl->RowStmt();
    int64_t const position = FImpl->Position;
    sqlite3_reset(stmt);
    FImpl->HasRow = StepRow(stmt, FSql);
    for (FImpl->Position = 0; FImpl->Position < position && FImpl->HasRow; ++FImpl->Position)
        FImpl->HasRow = StepRow(stmt, FSql);
}

bool TADOQuery::Eof() const
{
    ReturnToCurrentRow();
    return !FImpl || !FImpl->HasRow;
}

void TADOQuery::Next()
{
    Require(true, "Next");
    ReturnToCurrentRow();
    if (!FImpl->HasRow)
        return;
    FImpl->HasRow = StepRow(FImpl->RowStmt(), FSql);
    ++FImpl->Position;
}

void TADOQuery::First()
{
    Require(true, "First");
    sqlite3_reset(FImpl->RowStmt());
    FImpl->ReadPast = false;
    FImpl->Position = 0;
    FImpl->HasRow = StepRow(FImpl->RowStmt(), FSql);
}

int64_t TADOQuery::RecordCount()
{
    Require(true, "RecordCount");
    ReturnToCurrentRow();
    if (FImpl->Count < 0) {
        int64_t position = FImpl->Position;
        sqlite3_stmt* stmt = FImpl->RowStmt();
        sqlite3_reset(stmt);
        int64_t count = 0;
        while (StepRow(stmt, FSql))
            ++count;
        FImpl->Count = count;
        // Back to the row that was current.
        sqlite3_reset(stmt);
        FImpl->HasRow = StepRow(stmt, FSql);
        for (FImpl->Position = 0; FImpl->Position < position && FImpl->HasRow; ++FImpl->Position)
            FImpl->HasRow = StepRow(stmt, FSql);
    }
    return FImpl->Count;
}

TVariant TADOQuery::CurrentValue(int index) const
{
    ReturnToCurrentRow();
    if (!FImpl || !FImpl->HasRow)
        throw EDatabaseError("Either BOF or EOF is True, or the current record has been deleted. Requested "
                             "operation requires a current record.");
    sqlite3_stmt* stmt = FImpl->RowStmt();
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER:
        return TVariant::FromInt(sqlite3_column_int64(stmt, index));
    case SQLITE_FLOAT:
        return TVariant::FromDouble(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT:
        return TVariant::FromString(
            xe::base::Utf8ToAnsi(reinterpret_cast<char const*>(sqlite3_column_text(stmt, index))));
    case SQLITE_BLOB: {
        auto p = static_cast<char const*>(sqlite3_column_blob(stmt, index));
        return TVariant::FromBytes(
            std::string(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(stmt, index))));
    }
    default:
        return TVariant::Null();
    }
}

TVariant TField::Value() const { return FQuery->CurrentValue(FIndex); }

void TADOQuery::SaveToFile(std::string const& ansiFileName, TPersistFormat format)
{
    Require(true, "SaveToFile");
    if (format != pfXML)
        throw EDatabaseError("Only the XML persistence format is supported.");
    // Through the checked file layer: every failure names the file, and tests can make any
    // step of it fail.
    std::string const systemName = xe::base::ToSystemPath(ansiFileName);
    xe::base::RemoveSystemFile(systemName);
    xe::base::TFile file(systemName, xe::base::TOpenMode::CreateNew);
    try {
        std::string buffer;
        WriteXml(buffer, [&] {
            file.Write(buffer);
            buffer.clear();
        });
        file.Write(buffer);
        file.Close();
    } catch (...) {
        // A half-written file would be taken for a whole one by the splice: remove it.
        xe::base::DeleteFile(ansiFileName);
        throw;
    }
}

std::string TADOQuery::XmlText()
{
    Require(true, "XmlText");
    std::string text;
    WriteXml(text, [] {});
    return text;
}

void TADOQuery::WriteXml(std::string& buffer, std::function<void()> const& spill)
{
    sqlite3_stmt* stmt = FImpl->RowStmt();
    try {
        std::vector<std::string> names = XmlAttributeNames(FImpl->Columns);
        buffer += XmlHeader(FImpl->Columns);
        std::vector<sqlite3_value*> values(FImpl->Columns.size());
        // On the first row, as after Open, the rows are read from there: the statement is
        // not run a second time (for a sorted statement that would be a second full pass).
        bool row = FImpl->HasRow;
        if (FImpl->Position != 0 || FImpl->ReadPast) {
            sqlite3_reset(stmt);
            row = StepRow(stmt, FSql);
        }
        FImpl->ReadPast = true;
        for (; row; row = StepRow(stmt, FSql)) {
            for (size_t i = 0; i < values.size(); ++i)
                values[i] = sqlite3_column_value(stmt, static_cast<int>(i));
            AppendXmlRow(buffer, FImpl->Columns, names, values.data());
            if (buffer.size() >= (1u << 20))
                spill();
        }
        buffer += XmlTail();
    } catch (...) {
        sqlite3_reset(stmt);
        FImpl->HasRow = false;
        FImpl->ReadPast = false;
        throw;
    }
}

} // namespace xe::db
