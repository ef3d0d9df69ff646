#pragma once

#include "platform/db/XmlWriter.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

namespace xe::db {

// How the rows of a derived table are found in the order of one of its columns.
enum class TOrderedAccess {
    Statement, // by running the statement itself (a column that sorts by another collation)
    KeySeek, // through the table's integer primary key: the statement reads one table by its rowid
    OrderedCopy, // from an ordered copy of the statement's rows
};

// Where the rows of an open result come from.
enum class TRowSource {
    Statement, // the statement itself
    OrderedCopy, // a page or a maximum of the export, from the ordered copy of its derived table
    KeySeek, // the same, through the integer primary key of the one table the derived table reads
};

// Where a walk through a key in order last stopped: the key of the row at that rank (1-based).
struct TKeyPosition {
    int64_t Rank = 0;
    int64_t Key = 0;
};

// Ordered copies of derived tables, kept in SQLite's private temporary database (which
// spills to disk and is deleted by SQLite). One copy per (statement, column): the rows of
// the statement in the order of the column, so that the n-th row is rowid n (a range condition
// on the column is a search over the rowids). Made once per connection; the data source is read
// only, so a copy never goes stale while the connection is open. Also kept per (statement,
// column): how its rows are found in order, and for a key seek the last rank found.
class TMaterializations {
public:
    struct TEntry {
        std::string Table; // quoted name, "temp"."xe_mat_<n>"
        std::string Column; // quoted column name
        int64_t Rows = 0;
    };

    // Watches the connection's rollbacks: a transaction rolled back by an error takes with it
    // the copies made in it, which are then made again.
    explicit TMaterializations(sqlite3* db);
    ~TMaterializations();
    TMaterializations(TMaterializations const&) = delete;
    TMaterializations& operator=(TMaterializations const&) = delete;

    // The copy of `selectSql` ordered by `column` (a bare column name, UTF-8), made on the
    // first call. Raises EDatabaseError when SQLite refuses to make it.
    TEntry const& Get(std::string const& selectSql, std::string const& column);
    // The copy when it has been made; null otherwise.
    TEntry const* Find(std::string const& selectSql, std::string const& column);
    size_t Count() const { return FEntries.size(); }

    // How a (statement, column) is answered in order; unknown until decided once.
    std::optional<TOrderedAccess> Access(std::string const& selectSql, std::string const& column) const;
    void SetAccess(std::string const& selectSql, std::string const& column, TOrderedAccess access);
    // The last rank a key seek found for the (statement, column); rank 0 before the first.
    TKeyPosition& Position(std::string const& selectSql, std::string const& column);

    // The column descriptions of a statement shape (its text with the numbers left out),
    // kept after its first run so that later pages need not prepare the plain statement.
    std::vector<TXmlColumn> const* FindColumns(std::string const& shape) const;
    void KeepColumns(std::string const& shape, std::vector<TXmlColumn> columns);

    // How many results the connection's queries opened from each source: an export whose
    // later pages run their statements in full shows here (and grows with the square of its
    // page count).
    void CountOpened(TRowSource source) { ++FOpened[size_t(source)]; }
    int64_t Opened(TRowSource source) const { return FOpened[size_t(source)]; }

private:
    static void OnRollback(void* self);
    void ForgetRolledBack();
    sqlite3* FDb;
    bool FRolledBack = false;
    std::map<std::pair<std::string, std::string>, TEntry> FEntries;
    std::map<std::pair<std::string, std::string>, TOrderedAccess> FAccess;
    std::map<std::pair<std::string, std::string>, TKeyPosition> FPositions;
    std::map<std::string, std::vector<TXmlColumn>> FColumns;
    int FNext = 0;
    int64_t FOpened[3] = {};
};

} // namespace xe::db
