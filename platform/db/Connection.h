#pragma once

#include "platform/db/Types.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace xe::db {

class TADOConnection;
class TMaterializations;
struct TReadingState;
class TStatementCache;

// The parsed "key=value;" pairs of a connection string. Keys are compared without regard
// to letter case; values may be quoted with ' or "; a trailing ";" is allowed.
// Raises EDatabaseError for text that is not such a list.
std::map<std::string, std::string, std::less<>> ParseConnectionString(std::string_view text);

// How the connection's data source was recognised, from its first bytes.
enum class TEngineKind { None, SQLite, Access };

// The Access engine (library xe_db_access) plugs in here. The connection calls it after it
// recognised a Jet 3/4 ("Standard Jet DB") or ACE ("Standard ACE DB") signature at offset 4,
// with `db` an SQLite handle opened on a private temporary database (empty file name). The
// engine checks the password, loads the file's tables into that database's "main" schema
// and registers each column's Access metadata with RegisterColumnInfo. It raises
// EDatabaseError with the message a Jet user would see ("Not a valid password.").
// Both strings are in the ANSI code page.
using TAccessEngine = std::function<void(
    TADOConnection& connection, sqlite3* db, std::string const& dataSource, std::string const& password)>;
// Process-wide; an empty function removes the engine. Until one is set, Access files are
// refused with a clear message.
void SetAccessEngine(TAccessEngine engine);
bool HasAccessEngine();

// Keeps its connection reading in one transaction while it lives (see HoldReading).
class TReadHold {
public:
    explicit TReadHold(std::weak_ptr<TReadingState> state)
        : FState(std::move(state))
    {
    }
    ~TReadHold();
    TReadHold(TReadHold const&) = delete;
    TReadHold& operator=(TReadHold const&) = delete;

private:
    std::weak_ptr<TReadingState> FState;
};

// Stands in for ADO's connection with the Jet OLE DB provider. The connection string
// "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Jet OLEDB:Database Password=%s;" is
// understood; the engine is chosen by the data source's first bytes, never its extension.
// SQLite files are opened read only (the tool never changes the user's database) and
// have no password: a configured one is accepted and not checked.
class TADOConnection {
public:
    TADOConnection();
    ~TADOConnection();
    TADOConnection(TADOConnection const&) = delete;
    TADOConnection& operator=(TADOConnection const&) = delete;

    std::string ConnectionString; // in the ANSI code page
    bool LoginPrompt = true; // no dialog is ever shown; kept for the interface

    // Raises EDatabaseError naming the path: "Could not find file '<path>'." and so on.
    void Open();
    void Close();
    bool Connected() const { return FDb != nullptr; }
    // Same as Open()/Close(), named as the Delphi property setter is.
    void SetConnected(bool value);

    TEngineKind Engine() const { return FEngine; }
    // The open SQLite handle; null when closed.
    sqlite3* Handle() const { return FDb; }
    // Values of the parsed connection string after Open (ANSI).
    std::string const& DataSource() const { return FDataSource; }
    std::string const& Password() const { return FPassword; }

    // Metadata an engine knows better than SQLite's declared types, keyed by the origin of a
    // result column as SQLite reports it (sqlite3_column_table_name / _origin_name, UTF-8,
    // compared without regard to ASCII letter case). The XML writer uses it for every result
    // column that comes straight from that table column.
    void RegisterColumnInfo(std::string_view table, std::string_view column, TColumnInfo const& info);
    TColumnInfo const* FindColumnInfo(std::string_view table, std::string_view column) const;

    // An engine that copies tables on demand (the Access engine) sets this at Open. A query
    // whose statement names a table SQLite does not have asks it with that name (UTF-8);
    // it gives true when it has created the table, false when it knows no such table, and
    // raises EDatabaseError for an object it cannot provide. Cleared by Close.
    std::function<bool(std::string const& table)> OnMissingTable;

    // Called again and again while a statement runs (every few thousand steps of the engine,
    // the ordered copies and the table copies of an engine included), so that a caller can
    // keep its window answering during a long statement. Giving true aborts the statement
    // under way, which then raises EDatabaseError ("interrupted"). It must not use this
    // connection. Kept across Open and Close.
    std::function<bool()> OnWorking;

    // Cached ordered materialisations of derived tables, made once per connection and
    // dropped on Close (used by TADOQuery).
    TMaterializations& Materializations() { return *FMaterializations; }
    // While the hold lives, an SQLite file is read in one transaction: its lock is taken once
    // for every statement, not once for each (an export runs two a page), and writers of the
    // file wait until the hold ends. Holds nest; the last one ends the transaction. Null for
    // an Access database, whose engine writes its copies in transactions of its own. A hold
    // may outlive the connection.
    std::unique_ptr<TReadHold> HoldReading();

    // Prepared statements kept for reuse while the connection is open (see TStatementCache).
    std::shared_ptr<TStatementCache> const& Statements() const { return FStatements; }

private:
    // Steps of the engine between two calls of OnWorking: well under a millisecond.
    static constexpr int WorkingSteps = 1000;
    static int Working(void* connection);

    sqlite3* FDb = nullptr;
    TEngineKind FEngine = TEngineKind::None;
    std::string FDataSource;
    std::string FPassword;
    std::map<std::string, TColumnInfo, std::less<>> FColumnInfos;
    std::unique_ptr<TMaterializations> FMaterializations;
    std::shared_ptr<TStatementCache> FStatements;
    std::shared_ptr<TReadingState> FReading;
};

} // namespace xe::db
