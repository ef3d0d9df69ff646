#include "platform/db/Connection.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/JetFunctions.h"
#include "platform/db/Materializations.h"
#include "platform/db/Sqlite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sqlite3.h>
#include <sys/stat.h>

namespace xe::db {

using xe::base::EDatabaseError;
using xe::base::Format;

std::map<std::string, std::string, std::less<>> ParseConnectionString(std::string_view text)
{
    static char const* const badFormat
        = "Format of the initialization string is not valid: expected key=value pairs separated by ';'.";
    std::map<std::string, std::string, std::less<>> pairs;
    size_t i = 0;
    while (i < text.size()) {
        size_t eq = text.find('=', i);
        size_t semi = text.find(';', i);
        if (semi != std::string_view::npos && (eq == std::string_view::npos || semi < eq)) {
            // An empty entry ("a=1;;b=2") is allowed; text without "=" is not.
            if (!xe::base::Trim(text.substr(i, semi - i)).empty())
                throw EDatabaseError(badFormat);
            i = semi + 1;
            continue;
        }
        if (eq == std::string_view::npos) {
            if (!xe::base::Trim(text.substr(i)).empty())
                throw EDatabaseError(badFormat);
            break;
        }
        std::string key = xe::base::LowerCase(xe::base::Trim(text.substr(i, eq - i)));
        if (key.empty())
            throw EDatabaseError(badFormat);
        size_t j = eq + 1;
        while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
            ++j;
        std::string value;
        if (j < text.size() && (text[j] == '"' || text[j] == '\'')) {
            char quote = text[j++];
            while (true) {
                if (j >= text.size())
                    throw EDatabaseError(badFormat);
                if (text[j] == quote) {
                    if (j + 1 < text.size() && text[j + 1] == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text[j++];
            }
            while (j < text.size() && (text[j] == ' ' || text[j] == '\t'))
                ++j;
            if (j < text.size() && text[j] != ';')
                throw EDatabaseError(badFormat);
            i = j < text.size() ? j + 1 : j;
        } else {
            size_t end = text.find(';', j);
            if (end == std::string_view::npos)
                end = text.size();
            value = xe::base::Trim(text.substr(j, end - j));
            i = end < text.size() ? end + 1 : end;
        }
        pairs[key] = value;
    }
    return pairs;
}

namespace {

TAccessEngine& AccessEngineSlot()
{
    static TAccessEngine engine;
    return engine;
}

bool IsJetProvider(std::string const& provider)
{
    std::string p = xe::base::LowerCase(provider);
    return p.rfind("microsoft.jet.oledb.", 0) == 0 || p.rfind("microsoft.ace.oledb.", 0) == 0;
}

std::string Lookup(std::map<std::string, std::string, std::less<>> const& pairs, char const* key)
{
    auto it = pairs.find(key);
    return it == pairs.end() ? std::string() : it->second;
}

std::string ColumnKey(std::string_view table, std::string_view column)
{
    return xe::base::LowerCase(table) + '\x1f' + xe::base::LowerCase(column);
}

// The path as the messages name it: a relative path joined to the current directory, as
// the file system resolves it, so that the user sees where the file was looked for.
std::string AbsolutePath(std::string const& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    // ANSI bytes: '/' and '.' are never part of a multi-byte character in the code pages
    // the tool takes, so the path can be normalised as it is.
    std::string joined = xe::base::IncludeTrailingPathDelimiter(xe::base::CurrentDirectory()) + path;
    return std::filesystem::path(joined).lexically_normal().string();
}

} // namespace

void SetAccessEngine(TAccessEngine engine) { AccessEngineSlot() = std::move(engine); }
bool HasAccessEngine() { return static_cast<bool>(AccessEngineSlot()); }

TADOConnection::TADOConnection() = default;

TADOConnection::~TADOConnection() { Close(); }

void TADOConnection::SetConnected(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TADOConnection::Open()
{
    if (FDb)
        return;
    auto pairs = ParseConnectionString(ConnectionString);
    std::string provider = Lookup(pairs, "provider");
    if (provider.empty())
        throw EDatabaseError(
            "The connection string names no provider; expected Provider=Microsoft.Jet.OLEDB.4.0.");
    if (!IsJetProvider(provider))
        throw EDatabaseError(
            Format("Provider cannot be found. It may not be properly installed. ('%s' is not a "
                   "Jet or ACE OLE DB provider.)",
                provider.c_str()));
    std::string path = Lookup(pairs, "data source");
    std::string password = Lookup(pairs, "jet oledb:database password");

    std::string systemPath = xe::base::ToSystemPath(path);
    std::string const shown = AbsolutePath(path);
    struct stat st { };
    if (path.empty() || ::stat(systemPath.c_str(), &st) != 0)
        throw EDatabaseError(Format("Could not find file '%s'.", shown.c_str()));
    if (S_ISDIR(st.st_mode))
        throw EDatabaseError(
            Format("Could not use '%s'; it is a folder, not a database file.", shown.c_str()));

    unsigned char head[32] = {};
    size_t got = 0;
    if (std::FILE* f = std::fopen(systemPath.c_str(), "rb")) {
        got = std::fread(head, 1, sizeof head, f);
        std::fclose(f);
    } else {
        throw EDatabaseError(
            Format("The Microsoft Jet database engine cannot open the file '%s'.  It is already "
                   "opened exclusively by another user, or you need permission to view its data.",
                shown.c_str()));
    }
    auto signature = [&](size_t offset, char const* text) {
        size_t n = std::strlen(text);
        return got >= offset + n && std::memcmp(head + offset, text, n) == 0;
    };

    TEngineKind engine = TEngineKind::None;
    if (signature(0, "SQLite format 3"))
        engine = TEngineKind::SQLite;
    else if (signature(4, "Standard Jet DB") || signature(4, "Standard ACE DB"))
        engine = TEngineKind::Access;
    else
        throw EDatabaseError(Format("Unrecognized database format '%s'.", shown.c_str()));

    sqlite3* db = nullptr;
    if (engine == TEngineKind::SQLite) {
        // One thread uses a connection: SQLite need not lock its mutex on every call (every
        // value of every row of an export).
        int rc
            = sqlite3_open_v2(systemPath.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_close(db);
            throw EDatabaseError(
                Format("Could not use '%s'; the SQLite database cannot be opened.", shown.c_str()));
        }
        // A damaged or encrypted file fails on its first read, which this makes happen now.
        if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            throw EDatabaseError(Format("Unrecognized database format '%s'.", shown.c_str()));
        }
    } else {
        if (!HasAccessEngine())
            throw EDatabaseError(
                Format("Could not use '%s': it is a Microsoft Access database, and Access databases "
                       "are not supported by this build.",
                    shown.c_str()));
        // Access tables are copied into a private temporary database: SQLite creates it on
        // demand, spills it to a deleted temporary file and removes it when closed.
        if (sqlite3_open_v2("", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            throw EDatabaseError("Could not create the temporary database.");
        }
    }
    // Double quotes are names only: "x" never silently becomes the string 'x'.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_exec(db, "PRAGMA temp_store = FILE", nullptr, nullptr, nullptr);
    RegisterJetFunctions(db);
    sqlite3_progress_handler(db, WorkingSteps, &TADOConnection::Working, this);

    FDb = db;
    FEngine = engine;
    FDataSource = path;
    FPassword = password;
    FMaterializations = std::make_unique<TMaterializations>(db);
    FStatements = std::make_shared<TStatementCache>(db);
    if (engine == TEngineKind::Access) {
        try {
            AccessEngineSlot()(*this, db, path, password);
        } catch (xe::base::EInvalidPassword const& e) {
            Close();
            // Jet's text, and which database it is about.
            throw xe::base::EInvalidPassword(Format("%s The database is '%s'.", e.what(), shown.c_str()));
        } catch (...) {
            Close();
            throw;
        }
    }
}

struct TReadingState {
    sqlite3* Db = nullptr;
    int Holds = 0;
    bool Began = false; // the transaction is the holds'
};

std::unique_ptr<TReadHold> TADOConnection::HoldReading()
{
    if (!FDb || FEngine != TEngineKind::SQLite)
        return nullptr;
    if (!FReading)
        FReading = std::make_shared<TReadingState>(TReadingState { FDb });
    if (FReading->Holds++ == 0 && sqlite3_get_autocommit(FDb))
        FReading->Began = sqlite3_exec(FDb, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    return std::make_unique<TReadHold>(FReading);
}

TReadHold::~TReadHold()
{
    std::shared_ptr<TReadingState> state = FState.lock();
    if (!state || --state->Holds > 0 || !state->Began)
        return;
    state->Began = false;
    // Nothing of the file was written: the commit ends the read and keeps the ordered copies
    // made in the temporary database. An error has already ended the transaction when there
    // is none left to commit.
    if (!sqlite3_get_autocommit(state->Db))
        sqlite3_exec(state->Db, "COMMIT", nullptr, nullptr, nullptr);
}

void TADOConnection::Close()
{
    if (FReading) {
        // Holds that outlive the connection find nothing to end.
        FReading->Holds = 0;
        FReading->Began = false;
        FReading.reset();
    }
    // Cached statements are finalized before the handle closes; a statement still on loan
    // finalizes itself when its query lets it go.
    FStatements.reset();
    FMaterializations.reset();
    if (FDb)
        sqlite3_close_v2(FDb);
    FDb = nullptr;
    FEngine = TEngineKind::None;
    FColumnInfos.clear();
    OnMissingTable = nullptr;
}

int TADOConnection::Working(void* connection)
{
    auto* self = static_cast<TADOConnection*>(connection);
    return self->OnWorking && self->OnWorking() ? 1 : 0;
}

void TADOConnection::RegisterColumnInfo(
    std::string_view table, std::string_view column, TColumnInfo const& info)
{
    FColumnInfos[ColumnKey(table, column)] = info;
}

TColumnInfo const* TADOConnection::FindColumnInfo(std::string_view table, std::string_view column) const
{
    auto it = FColumnInfos.find(ColumnKey(table, column));
    return it == FColumnInfos.end() ? nullptr : &it->second;
}

} // namespace xe::db
