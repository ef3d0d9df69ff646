// Fuzz entry point of the Jet SQL translator (with Jet's rules for Access data applied to
// inputs of odd length). The input is a statement in the ANSI code page, converted as the
// query converts it. It must either raise EDatabaseError or translate into text
// that SQLite parses: a translation SQLite refuses as malformed escaped half translated. SQLite
// runs on an empty database with the Jet functions registered, so that names of tables and
// columns are the only thing it may fail to find.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <string>
#include <string_view>

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/db/JetFunctions.h"
#include "platform/db/JetSql.h"

using namespace xe::db;

namespace {

sqlite3* Database()
{
    static sqlite3* const db = [] {
        sqlite3* d = nullptr;
        if (sqlite3_open(":memory:", &d) != SQLITE_OK)
            std::abort();
        RegisterJetFunctions(d);
        return d;
    }();
    return db;
}

// SQLite's messages for text it cannot parse, as opposed to names it cannot resolve. They are
// told by how they begin: a message about a missing table or column quotes the name, which
// may hold any words.
bool IsParseError(char const* message)
{
    std::string_view const m(message);
    for (std::string_view start :
        { "near \"", "unrecognized token", "incomplete input", "parser stack overflow" })
        if (m.substr(0, start.size()) == start)
            return true;
    return false;
}

// The deepest nesting of parentheses outside quoted text and names.
int ParenthesisDepth(std::string const& sql)
{
    int depth = 0, deepest = 0;
    char quote = 0;
    for (char c : sql) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            deepest = std::max(deepest, ++depth);
        } else if (c == ')') {
            --depth;
        }
    }
    return deepest;
}

// SQLite's parser stack holds 100 entries: a dozen levels of calls around sums fill it.
// Nesting that deep is the statement's own and gets the query layer's "nested too deeply"
// error; a shallow translation that overflows it is a finding.
bool BeyondTheEnginesDepth(char const* message, std::string const& sql)
{
    return std::string_view(message).substr(0, 21) == "parser stack overflow" && ParenthesisDepth(sql) >= 10;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string utf8 = xe::base::AnsiToUtf8(std::string_view(reinterpret_cast<char const*>(data), size));
    std::string sqlite;
    try {
        // Every other input also goes through Jet's rules for Access data (aliases, checks).
        TJetStatement statement = ParseJet(utf8, size % 2 ? -1 : 1);
        if (size % 2)
            ApplyJetRules(*statement.Query, statement.Text);
        sqlite = EmitSqlite(*statement.Query, statement.Text);
    } catch (xe::base::EDatabaseError const&) {
        return 0;
    }
    if (sqlite.find('\0') != std::string::npos) {
        std::fprintf(stderr, "translation holds a NUL: %s\n", sqlite.c_str());
        std::abort();
    }
    sqlite3_stmt* statement = nullptr;
    char const* tail = nullptr;
    int rc = sqlite3_prepare_v2(Database(), sqlite.c_str(), int(sqlite.size()), &statement, &tail);
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK && IsParseError(sqlite3_errmsg(Database()))
        && !BeyondTheEnginesDepth(sqlite3_errmsg(Database()), sqlite)) {
        std::fprintf(stderr, "SQLite refuses the translation: %s\n  jet: %s\n  sqlite: %s\n",
            sqlite3_errmsg(Database()), utf8.c_str(), sqlite.c_str());
        std::abort();
    }
    if (rc == SQLITE_OK && tail && *tail) {
        std::fprintf(stderr, "translation is more than one statement: %s\n", sqlite.c_str());
        std::abort();
    }
    return 0;
}
