#include "platform/db/Sqlite.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <sqlite3.h>

namespace xe::db {

TSqliteStatement::~TSqliteStatement() { Finalize(); }

TSqliteStatement& TSqliteStatement::operator=(TSqliteStatement&& other) noexcept
{
    if (this != &other) {
        Finalize();
        FStatement = other.Release();
    }
    return *this;
}

sqlite3_stmt* TSqliteStatement::Release()
{
    sqlite3_stmt* statement = FStatement;
    FStatement = nullptr;
    return statement;
}

void TSqliteStatement::Finalize()
{
    sqlite3_finalize(FStatement);
    FStatement = nullptr;
}

std::string SqliteErrorText(sqlite3* db)
{
    return base::Utf8ToAnsi(db ? sqlite3_errmsg(db) : "out of memory");
}

TSqliteStatement TryPrepare(sqlite3* db, std::string_view sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    return TSqliteStatement(statement);
}

TSqliteStatement Prepare(sqlite3* db, std::string_view sql)
{
    TSqliteStatement statement = TryPrepare(db, sql);
    if (!statement) {
        std::string text = SqliteErrorText(db);
        // SQLite's parser has a fixed stack: a statement nested a few dozen levels deep (or a
        // dozen levels of functions around sums) is beyond it, whatever the dialect.
        if (text.find("parser stack overflow") != std::string::npos)
            text = "The statement is nested too deeply for the query engine (" + text + ")";
        throw base::EDatabaseError(text);
    }
    return statement;
}

void Exec(sqlite3* db, std::string const& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw base::EDatabaseError(base::Utf8ToAnsi(message));
    }
}

namespace {

std::string Quoted(std::string_view text, char quote)
{
    std::string out(1, quote);
    for (char ch : text) {
        if (ch == quote)
            out += quote;
        out += ch;
    }
    out += quote;
    return out;
}

} // namespace

std::string QuoteSqliteName(std::string_view name) { return Quoted(name, '"'); }

std::string QuoteSqliteText(std::string_view text) { return Quoted(text, '\''); }

TSqliteStatement TStatementCache::Take(std::string const& sql)
{
    auto found = FStatements.find(sql);
    if (found == FStatements.end())
        return Prepare(FDb, sql);
    TSqliteStatement statement = std::move(found->second);
    FStatements.erase(found);
    return statement;
}

void TStatementCache::Give(std::string const& sql, TSqliteStatement statement)
{
    if (!statement)
        return;
    sqlite3_reset(statement.Get());
    sqlite3_clear_bindings(statement.Get());
    FStatements.emplace(sql, std::move(statement));
}

TCachedStatement::TCachedStatement(std::shared_ptr<TStatementCache> const& cache, std::string sql)
    : FCache(cache)
    , FSql(std::move(sql))
    , FStatement(cache->Take(FSql))
{
}

TCachedStatement::~TCachedStatement() { Return(); }

TCachedStatement& TCachedStatement::operator=(TCachedStatement&& other) noexcept
{
    if (this != &other) {
        Return();
        FCache = std::move(other.FCache);
        FSql = std::move(other.FSql);
        FStatement = std::move(other.FStatement);
    }
    return *this;
}

void TCachedStatement::Return()
{
    if (!FStatement)
        return;
    if (auto cache = FCache.lock())
        cache->Give(FSql, std::move(FStatement));
    else
        FStatement.Finalize();
}

} // namespace xe::db
