#pragma once

#include "platform/db/access/AccessDatabase.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct sqlite3;

namespace xe::db {

class TADOConnection;

// A saved query is stored as rows of MSysQueries, one clause or piece per row, keyed by the
// Attribute column: 1 the query's kind (Flag: 1 select, 2 make-table, 3 append, 4 update,
// 5 delete, 6 crosstab, 7 data definition, 8 pass-through, 9 union), 2 a parameter (Name1),
// 3 the select flags (Flag: 0x01 "*", 0x02 DISTINCT, 0x08 DISTINCTROW, 0x10 TOP with the
// count in Name1, 0x20 PERCENT; for a union 0x02 means UNION rather than UNION ALL),
// 4 another database, 5 a table (Name1, alias Name2; a union's two parts as Expression
// with Name2 "X7YZ_____1" and "X7YZ_____2"), 6 a column (Expression, alias Name1), 7 a
// join (Name1 and Name2 the two tables, Flag 1 inner, 2 left, 3 right, Expression the
// condition), 8 WHERE, 9 GROUP BY, 10 HAVING, 11 ORDER BY (Name1 "D" for descending).

// The Jet SQL of a saved select or union query, rebuilt from its rows. A query of another
// kind is refused with an error naming the query and its kind (action queries are never
// run; crosstab queries are not supported), and a query with parameters with an error
// naming them, as Jet asks for their values. `name` is UTF-8; so is the result.
std::string SavedQuerySql(std::string const& name, std::vector<TJetQueryRow> const& rows);

// Provides the objects a statement names that SQLite does not have yet, on demand: tables
// are copied, saved select queries become views over their own objects (in SQLite's temp
// schema), and linked Access tables are copied from the linked file, which is looked for
// as Jet looks for it (see LinkedFilePath). Links to other kinds of data are refused with
// an error naming the kind.
class TAccessObjects {
public:
    TAccessObjects(TADOConnection& connection, sqlite3* db, std::shared_ptr<TAccessDatabase> database);

    // True when the object now exists in SQLite, false when the file has no such object.
    // Raises EDatabaseError for an object that cannot be provided.
    bool Provide(std::string const& utf8Name);

private:
    bool ProvideQuery(std::string const& exactName);
    bool ProvideLink(std::string const& exactName, TAccessLink const& link);
    void Register(TAccessTable const& table);

    TADOConnection& FConnection;
    sqlite3* FDb;
    std::shared_ptr<TAccessDatabase> FDatabase;
    std::set<std::string> FInProgress; // saved queries being provided (a cycle is an error)
    std::map<std::string, std::shared_ptr<TAccessDatabase>> FLinked; // linked files by path
};

// Where Jet finds a linked Access file: a relative path is resolved against the linking
// database's folder; an absolute Windows path (C:\data\b.mdb, \\server\share\b.mdb) names a
// file on another system, so the file of that name in the linking database's folder is
// used. An absolute path of this system is taken as it stands when it exists. ANSI in and
// out (`stored` is the link's path in UTF-8).
std::string LinkedFilePath(std::string const& linkingFile, std::string const& stored);

} // namespace xe::db
