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

    // Whether a (statement, column) may be answered from a copy at all (its column compares
    // with the BINARY collation); unknown until checked once.
    std::optional<bool> Eligible(std::string const& selectSql, std::string const& column) const;
    void SetEligible(std::string const& selectSql, std::string const& column, bool eligible);

    // The column descriptions of a statement shape (its text with the numbers left out),
    // kept after its first run so that later pages need not prepare the plain statement.
    std::vector<TXmlColumn> const* FindColumns(std::string const& shape) const;
    void KeepColumns(std::string const& shape, std::vector<TXmlColumn> columns);

private:
    sqlite3* FDb;
    std::map<std::pair<std::string, std::string>, TEntry> FEntries;
    std::map<std::pair<std::string, std::string>, bool> FEligible;
    std::map<std::string, std::vector<TXmlColumn>> FColumns;
    int FNext = 0;
};

} // namespace xe::db
