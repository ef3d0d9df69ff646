#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace xe::db {

// The few SQLite helpers every part of the database layer shares. Error texts from SQLite are
// UTF-8; every message raised here is converted to the ANSI code page, as all text inside the
// system is.

// Owns one prepared statement and finalizes it.
class TSqliteStatement {
public:
    TSqliteStatement() = default;
    explicit TSqliteStatement(sqlite3_stmt* statement)
        : FStatement(statement)
    {
    }
    ~TSqliteStatement();
    TSqliteStatement(TSqliteStatement&& other) noexcept
        : FStatement(other.Release())
    {
    }
    TSqliteStatement& operator=(TSqliteStatement&& other) noexcept;
    TSqliteStatement(TSqliteStatement const&) = delete;
    TSqliteStatement& operator=(TSqliteStatement const&) = delete;

    sqlite3_stmt* Get() const { return FStatement; }
    explicit operator bool() const { return FStatement != nullptr; }
    sqlite3_stmt* Release();
    void Finalize();

private:
    sqlite3_stmt* FStatement = nullptr;
};

// SQLite's last error on the connection, in the ANSI code page.
std::string SqliteErrorText(sqlite3* db);

// Prepares the statement; gives an empty statement on failure, with the error left on the
// connection (SqliteErrorText) for the caller to word.
TSqliteStatement TryPrepare(sqlite3* db, std::string_view sql);
// Prepares the statement or raises EDatabaseError with SQLite's message.
TSqliteStatement Prepare(sqlite3* db, std::string_view sql);

// Runs statements that give no rows; raises EDatabaseError with SQLite's message.
void Exec(sqlite3* db, std::string const& sql);

// A name as an SQLite identifier: "name", with inner double quotes doubled.
std::string QuoteSqliteName(std::string_view name);
// Text as an SQLite string literal: 'text', with inner single quotes doubled.
std::string QuoteSqliteText(std::string_view text);

// Prepared statements kept across uses, keyed by their text. A statement is taken out while
// in use and given back after, reset and with its bindings cleared, so that two users of the
// same text never share one. Statements whose text holds changing numbers should bind them
// as parameters, or the cache only grows.
class TStatementCache {
public:
    explicit TStatementCache(sqlite3* db)
        : FDb(db)
    {
    }
    TStatementCache(TStatementCache const&) = delete;
    TStatementCache& operator=(TStatementCache const&) = delete;

    // The statement for the text, taken out of the cache or freshly prepared. Raises
    // EDatabaseError when it cannot be prepared.
    TSqliteStatement Take(std::string const& sql);
    // Puts a statement taken for the text back.
    void Give(std::string const& sql, TSqliteStatement statement);
    size_t Size() const { return FStatements.size(); }

private:
    sqlite3* FDb;
    std::multimap<std::string, TSqliteStatement, std::less<>> FStatements;
};

// A statement on loan from a cache: given back when the loan ends. The cache is held weakly,
// so a loan that outlives its connection's cache simply finalizes the statement.
class TCachedStatement {
public:
    TCachedStatement() = default;
    TCachedStatement(std::shared_ptr<TStatementCache> const& cache, std::string sql);
    ~TCachedStatement();
    TCachedStatement(TCachedStatement&&) noexcept = default;
    TCachedStatement& operator=(TCachedStatement&& other) noexcept;
    TCachedStatement(TCachedStatement const&) = delete;
    TCachedStatement& operator=(TCachedStatement const&) = delete;

    sqlite3_stmt* Get() const { return FStatement.Get(); }
    explicit operator bool() const { return static_cast<bool>(FStatement); }
    void Return();

private:
    std::weak_ptr<TStatementCache> FCache;
    std::string FSql;
    TSqliteStatement FStatement;
};

} // namespace xe::db
