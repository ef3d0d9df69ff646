#include "platform/db/Materializations.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/db/Sqlite.h"

#include <sqlite3.h>

namespace xe::db {

TMaterializations::TMaterializations(sqlite3* db)
    : FDb(db)
{
    sqlite3_rollback_hook(FDb, &TMaterializations::OnRollback, this);
}

TMaterializations::~TMaterializations() { sqlite3_rollback_hook(FDb, nullptr, nullptr); }

// Only notes it: the hook runs inside a statement, while a copy may be in use.
void TMaterializations::OnRollback(void* self) { static_cast<TMaterializations*>(self)->FRolledBack = true; }

void TMaterializations::ForgetRolledBack()
{
    if (!FRolledBack)
        return;
    FRolledBack = false;
    // A copy made before the transaction began survives: only those that are gone are forgotten.
    for (auto it = FEntries.begin(); it != FEntries.end();) {
        TSqliteStatement stmt = TryPrepare(FDb, "SELECT 1 FROM " + it->second.Table + " LIMIT 0");
        it = stmt ? std::next(it) : FEntries.erase(it);
    }
}

TMaterializations::TEntry const& TMaterializations::Get(
    std::string const& selectSql, std::string const& column)
{
    ForgetRolledBack();
    auto key = std::make_pair(selectSql, xe::base::LowerCase(column));
    auto found = FEntries.find(key);
    if (found != FEntries.end())
        return found->second;

    std::string name = "xe_mat_" + std::to_string(++FNext);
    TEntry entry;
    entry.Table = "temp." + QuoteSqliteName(name);
    entry.Column = QuoteSqliteName(column);
    // CREATE TABLE AS gives every column the affinity of its expression in the statement,
    // so comparisons on the copy convert values as they would on the statement itself. The
    // rows are inserted in the column's order, which makes rowid n the n-th row. "+c" makes
    // SQLite sort rather than walk an index of the source row by row, which is several times
    // faster on a large table stored out of order; only BINARY-collated columns get here, so
    // the order is the same.
    try {
        Exec(FDb,
            "CREATE TABLE " + entry.Table + " AS SELECT * FROM (" + selectSql + ") ORDER BY +"
                + entry.Column);
        TSqliteStatement stmt = Prepare(FDb, "SELECT count(*), coalesce(max(rowid), 0) FROM " + entry.Table);
        if (sqlite3_step(stmt.Get()) != SQLITE_ROW)
            throw xe::base::EDatabaseError(SqliteErrorText(FDb));
        entry.Rows = sqlite3_column_int64(stmt.Get(), 0);
        int64_t maxRowid = sqlite3_column_int64(stmt.Get(), 1);
        if (maxRowid != entry.Rows)
            throw xe::base::EDatabaseError("The ordered copy of a derived table is not numbered 1 to N.");
    } catch (...) {
        sqlite3_exec(FDb, ("DROP TABLE IF EXISTS " + entry.Table).c_str(), nullptr, nullptr, nullptr);
        throw;
    }
    return FEntries.emplace(key, entry).first->second;
}

TMaterializations::TEntry const* TMaterializations::Find(
    std::string const& selectSql, std::string const& column)
{
    ForgetRolledBack();
    auto found = FEntries.find(std::make_pair(selectSql, xe::base::LowerCase(column)));
    return found == FEntries.end() ? nullptr : &found->second;
}

std::optional<TOrderedAccess> TMaterializations::Access(
    std::string const& selectSql, std::string const& column) const
{
    auto it = FAccess.find(std::make_pair(selectSql, xe::base::LowerCase(column)));
    if (it == FAccess.end())
        return std::nullopt;
    return it->second;
}

void TMaterializations::SetAccess(
    std::string const& selectSql, std::string const& column, TOrderedAccess access)
{
    FAccess[std::make_pair(selectSql, xe::base::LowerCase(column))] = access;
}

TKeyPosition& TMaterializations::Position(std::string const& selectSql, std::string const& column)
{
    return FPositions[std::make_pair(selectSql, xe::base::LowerCase(column))];
}

std::vector<TXmlColumn> const* TMaterializations::FindColumns(std::string const& shape) const
{
    auto it = FColumns.find(shape);
    return it == FColumns.end() ? nullptr : &it->second;
}

void TMaterializations::KeepColumns(std::string const& shape, std::vector<TXmlColumn> columns)
{
    FColumns[shape] = std::move(columns);
}

} // namespace xe::db
