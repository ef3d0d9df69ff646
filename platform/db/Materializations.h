#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

struct sqlite3;

namespace xe::db {

// Ordered copies of derived tables, kept in SQLite's private temporary database (which
// spills to disk and is deleted by SQLite). One copy per (statement, column): the rows of
// the statement in the order of the column, so that the n-th row is rowid n, with an index
// on the column for range conditions. Made once per connection; the data source is read
// only, so a copy never goes stale while the connection is open.
class TMaterializations {
public:
    struct TEntry {
        std::string Table; // quoted name, "temp"."xe_mat_<n>"
        std::string Column; // quoted column name
        int64_t Rows = 0;
    };

    explicit TMaterializations(sqlite3* db)
        : FDb(db)
    {
    }
    TMaterializations(TMaterializations const&) = delete;
    TMaterializations& operator=(TMaterializations const&) = delete;

    // The copy of `selectSql` ordered by `column` (a bare column name, UTF-8), made on the
    // first call. Raises EDatabaseError when SQLite refuses to make it.
    TEntry const& Get(std::string const& selectSql, std::string const& column);
    size_t Count() const { return FEntries.size(); }

private:
    sqlite3* FDb;
    std::map<std::pair<std::string, std::string>, TEntry> FEntries;
    int FNext = 0;
};

} // namespace xe::db
