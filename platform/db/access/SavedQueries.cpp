#include "platform/db/access/SavedQueries.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Query.h"
#include "platform/db/Sqlite.h"
#include "platform/db/access/AccessEngine.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>

namespace xe::db {

using base::EDatabaseError;

namespace {

enum : int {
    qaType = 1,
    qaParameter = 2,
    qaFlags = 3,
    qaRemoteDatabase = 4,
    qaTable = 5,
    qaColumn = 6,
    qaJoin = 7,
    qaWhere = 8,
    qaGroupBy = 9,
    qaHaving = 10,
    qaOrderBy = 11,
};

// Messages are in the ANSI code page; names arrive in UTF-8.
std::string Quoted(std::string const& utf8) { return "'" + base::Utf8ToAnsi(utf8) + "'"; }

std::string Bracketed(std::string const& name) { return "[" + name + "]"; }

std::string WithAlias(std::string text, std::string const& alias)
{
    return alias.empty() ? text : text + " AS " + Bracketed(alias);
}

// A table of the FROM clause, or a join of two of them, as the join rows combine them.
struct TSource {
    std::string Key; // the table's alias, or its name
    std::string Text;
    int JoinType = 0; // 0 for a table
    std::unique_ptr<TSource> Left, Right;
    std::vector<std::string> On;

    bool Contains(std::string const& key) const
    {
        if (!JoinType)
            return base::SameText(Key, key);
        return Left->Contains(key) || Right->Contains(key);
    }
    // Jet wants nested joins in parentheses.
    std::string Sql(bool top) const
    {
        if (!JoinType)
            return Text;
        static char const* const kinds[] = { "", " INNER JOIN ", " LEFT JOIN ", " RIGHT JOIN " };
        std::string on = On[0];
        for (size_t i = 1; i < On.size(); ++i)
            on += ") AND (" + On[i];
        if (On.size() > 1)
            on = "(" + on + ")";
        std::string sql = Left->Sql(false) + kinds[JoinType] + Right->Sql(false) + " ON " + on;
        return top ? sql : "(" + sql + ")";
    }
};

std::string FromClause(std::string const& name, std::vector<TJetQueryRow const*> const& tables,
    std::vector<TJetQueryRow const*> const& joins)
{
    std::vector<std::unique_ptr<TSource>> sources;
    for (TJetQueryRow const* t : tables) {
        auto s = std::make_unique<TSource>();
        s->Key = t->Name2.empty() ? t->Name1 : t->Name2;
        s->Text = WithAlias(Bracketed(t->Name1), t->Name2);
        sources.push_back(std::move(s));
    }
    auto take = [&](std::string const& key) -> std::unique_ptr<TSource> {
        for (auto it = sources.begin(); it != sources.end(); ++it)
            if ((*it)->Contains(key)) {
                auto s = std::move(*it);
                sources.erase(it);
                return s;
            }
        auto s = std::make_unique<TSource>();
        s->Key = key;
        s->Text = Bracketed(key);
        return s;
    };
    for (TJetQueryRow const* j : joins) {
        if (j->Flag < 1 || j->Flag > 3)
            throw EDatabaseError("The saved query " + Quoted(name) + " has a join of an unknown kind ("
                + std::to_string(j->Flag) + ").");
        // A second condition between tables already joined adds to that join.
        auto same = std::find_if(sources.begin(), sources.end(),
            [&](auto const& s) { return s->Contains(j->Name1) && s->Contains(j->Name2); });
        if (same != sources.end()) {
            if ((*same)->JoinType != j->Flag)
                throw EDatabaseError("The saved query " + Quoted(name) + " joins " + Quoted(j->Name1)
                    + " and " + Quoted(j->Name2) + " in two different ways.");
            (*same)->On.push_back(j->Expression);
            continue;
        }
        size_t at = sources.size();
        for (size_t i = 0; i < sources.size(); ++i)
            if (sources[i]->Contains(j->Name1) || sources[i]->Contains(j->Name2)) {
                at = i;
                break;
            }
        auto join = std::make_unique<TSource>();
        join->JoinType = j->Flag;
        join->Left = take(j->Name1);
        join->Right = take(j->Name2);
        join->On.push_back(j->Expression);
        sources.insert(sources.begin() + long(std::min(at, sources.size())), std::move(join));
    }
    std::string from;
    for (auto const& s : sources)
        from += (from.empty() ? "" : ", ") + s->Sql(true);
    return from;
}

std::string KindName(int type)
{
    switch (type) {
    case 2:
        return "make-table";
    case 3:
        return "append";
    case 4:
        return "update";
    case 5:
        return "delete";
    default:
        return "";
    }
}

} // namespace

std::string SavedQuerySql(std::string const& name, std::vector<TJetQueryRow> const& rows)
{
    auto all = [&](int attribute) {
        std::vector<TJetQueryRow const*> found;
        for (auto const& r : rows)
            if (r.Attribute == attribute)
                found.push_back(&r);
        return found;
    };
    auto one = [&](int attribute) -> TJetQueryRow const* {
        auto found = all(attribute);
        return found.empty() ? nullptr : found.front();
    };
    std::string quoted = Quoted(name);
    if (rows.empty())
        throw EDatabaseError("The saved query " + quoted + " has no definition in this database.");
    int type = one(qaType) ? one(qaType)->Flag : 1;
    if (!KindName(type).empty())
        throw EDatabaseError("The statement names the saved query " + quoted + ", which is an action query ("
            + KindName(type) + "); action queries are never run.");
    if (type == 6)
        throw EDatabaseError(
            "The saved query " + quoted + " is a crosstab query: crosstab queries are not supported.");
    if (type == 7 || type == 8)
        throw EDatabaseError("The saved query " + quoted + " is a "
            + (type == 7 ? "data-definition" : "pass-through") + " query, which this engine cannot run.");
    if (type != 1 && type != 9)
        throw EDatabaseError("The saved query " + quoted + " is of a kind (" + std::to_string(type)
            + ") this engine cannot run.");
    // Jet asks for every parameter's value before it runs the query.
    std::string parameters;
    for (TJetQueryRow const* p : all(qaParameter))
        parameters += (parameters.empty() ? "" : ", ") + Quoted(p->Name1);
    if (!parameters.empty())
        throw EDatabaseError("No value given for one or more required parameters. (The saved query " + quoted
            + " asks for " + (all(qaParameter).size() > 1 ? "the parameters " : "the parameter ") + parameters
            + ".)");
    if (TJetQueryRow const* remote = one(qaRemoteDatabase))
        throw EDatabaseError("The saved query " + quoted + " reads from another database ("
            + Quoted(remote->Name1) + "), which this engine cannot open.");

    TJetQueryRow const* flags = one(qaFlags);
    int flag = flags ? flags->Flag : 0;
    std::string orderBy;
    for (TJetQueryRow const* o : all(qaOrderBy))
        orderBy += (orderBy.empty() ? " ORDER BY " : ", ") + o->Expression
            + (base::SameText(o->Name1, "D") ? " DESC" : "");

    if (type == 9) {
        std::string parts[2];
        for (TJetQueryRow const* t : all(qaTable)) {
            if (t->Name2 == "X7YZ_____1")
                parts[0] = t->Expression;
            else if (t->Name2 == "X7YZ_____2")
                parts[1] = t->Expression;
        }
        if (base::Trim(parts[0]).empty() || base::Trim(parts[1]).empty())
            throw EDatabaseError("The saved union query " + quoted + " lacks one of its parts.");
        return base::Trim(parts[0]) + (flag & 0x02 ? " UNION " : " UNION ALL ") + base::Trim(parts[1])
            + orderBy;
    }

    std::string sql = "SELECT ";
    if (flag & 0x02)
        sql += "DISTINCT ";
    else if (flag & 0x08)
        sql += "DISTINCTROW ";
    if (flag & 0x10)
        sql += "TOP " + (flags ? flags->Name1 : std::string()) + (flag & 0x20 ? " PERCENT " : " ");
    std::string columns;
    for (TJetQueryRow const* c : all(qaColumn))
        columns += (columns.empty() ? "" : ", ") + WithAlias(c->Expression, c->Name1);
    if (flag & 0x01)
        columns += columns.empty() ? "*" : ", *";
    sql += columns;
    std::string from = FromClause(name, all(qaTable), all(qaJoin));
    if (!from.empty())
        sql += " FROM " + from;
    if (TJetQueryRow const* where = one(qaWhere))
        sql += " WHERE " + where->Expression;
    std::string groupBy;
    for (TJetQueryRow const* g : all(qaGroupBy))
        groupBy += (groupBy.empty() ? " GROUP BY " : ", ") + g->Expression;
    sql += groupBy;
    if (TJetQueryRow const* having = one(qaHaving))
        sql += " HAVING " + having->Expression;
    return sql + orderBy;
}

std::string LinkedFilePath(std::string const& linkingFile, std::string const& stored)
{
    std::string folder = base::ExtractFilePath(linkingFile);
    std::string path = stored;
    bool drive = path.size() >= 2 && std::isalpha(uint8_t(path[0])) && path[1] == ':';
    bool windowsAbsolute = drive || (!path.empty() && path[0] == '\\');
    // Separators are changed in UTF-8, where no other character holds a '\' byte.
    std::replace(path.begin(), path.end(), '\\', '/');
    std::string fileName = base::ExtractFileName(drive ? path.substr(2) : path);
    if (windowsAbsolute)
        return folder + base::Utf8ToAnsi(fileName);
    if (!path.empty() && path[0] == '/') {
        std::string ansi = base::Utf8ToAnsi(path);
        return base::FileExists(ansi) ? ansi : folder + base::Utf8ToAnsi(fileName);
    }
    return folder + base::Utf8ToAnsi(path);
}

TAccessObjects::TAccessObjects(
    TADOConnection& connection, sqlite3* db, std::shared_ptr<TAccessDatabase> database)
    : FConnection(connection)
    , FDb(db)
    , FDatabase(std::move(database))
{
}

void TAccessObjects::Register(TAccessTable const& table)
{
    for (TAccessColumn const& column : table.Columns) {
        TColumnInfo info = AdoColumnInfo(column);
        // Marks a column the copy holds no values of; a statement that reads it is refused.
        if (column.Type == jtComplex)
            info.Type = adEmpty;
        FConnection.RegisterColumnInfo(table.Name, column.Name, info);
    }
}

bool TAccessObjects::Provide(std::string const& utf8Name)
{
    std::string exact;
    switch (FDatabase->FindObject(utf8Name, &exact)) {
    case TAccessDatabase::TObjectKind::Table:
        Register(FDatabase->LoadTable(FDb, utf8Name));
        return true;
    case TAccessDatabase::TObjectKind::Query:
        return ProvideQuery(exact);
    default:
        break;
    }
    if (std::optional<TAccessLink> link = FDatabase->LinkOf(utf8Name))
        return ProvideLink(exact.empty() ? utf8Name : exact, *link);
    return false;
}

bool TAccessObjects::ProvideQuery(std::string const& exactName)
{
    std::string key = base::LowerCase(exactName);
    std::string quoted = Quoted(exactName);
    if (!FInProgress.insert(key).second)
        throw EDatabaseError("Circular reference caused by the saved query " + quoted + ".");
    struct TDone {
        std::set<std::string>& Set;
        std::string Key;
        ~TDone() { Set.erase(Key); }
    } done { FInProgress, key };

    std::string jet = SavedQuerySql(exactName, FDatabase->SavedQueryRows(exactName));
    std::string sql;
    TJetStatement statement;
    try {
        statement = ParseJet(jet, -1);
        ApplyJetRules(*statement.Query, statement.Text);
        sql = EmitSqlite(*statement.Query, statement.Text);
    } catch (EDatabaseError const& e) {
        throw EDatabaseError("The saved query " + quoted + " cannot be run: " + e.Message());
    }
    // What the query names is provided first, so that the view is complete when made.
    TSqliteStatement prepared;
    for (int attempt = 0;; ++attempt) {
        if ((prepared = TryPrepare(FDb, sql)))
            break;
        std::string message = sqlite3_errmsg(FDb);
        if (attempt < 1000 && message.rfind("no such table: ", 0) == 0) {
            std::string missing = message.substr(15);
            if (missing.rfind("main.", 0) == 0)
                missing = missing.substr(5);
            if (!Provide(missing))
                throw EDatabaseError("The Microsoft Jet database engine cannot find the input table or query "
                    + Quoted(missing) + " (named by the saved query " + quoted
                    + "). Make sure it exists and that its name is spelled correctly.");
            continue;
        }
        if (message.rfind("no such column: ", 0) == 0)
            throw EDatabaseError("No value given for one or more required parameters. (The saved query "
                + quoted + " asks for the parameter " + Quoted(message.substr(16)) + ".)");
        throw EDatabaseError(base::Utf8ToAnsi(message) + " (in the saved query " + quoted + ": '"
            + base::Utf8ToAnsi(jet) + "')");
    }
    // Its computed columns are described as Jet describes them, for statements that read them.
    std::vector<std::optional<TColumnInfo>> computed
        = JetComputedColumnInfos(FConnection, *statement.Query, prepared.Get());
    for (size_t i = 0; i < computed.size(); ++i) {
        char const* column = sqlite3_column_name(prepared.Get(), int(i));
        if (computed[i] && column)
            FConnection.RegisterColumnInfo(exactName, column, *computed[i]);
    }
    prepared.Finalize();
    Exec(FDb, "CREATE TEMP VIEW " + QuoteSqliteName(exactName) + " AS " + sql);
    return true;
}

bool TAccessObjects::ProvideLink(std::string const& exactName, TAccessLink const& link)
{
    std::string quoted = Quoted(exactName);
    std::string kind = base::Trim(link.Connect.substr(0, link.Connect.find(';')));
    if (link.Type == 4 && kind.empty())
        kind = "ODBC";
    if (link.Type == 4 || (!kind.empty() && !base::SameText(kind, "MS Access")))
        throw EDatabaseError("The statement names the linked table " + quoted + ", which is linked to "
            + base::Utf8ToAnsi(kind) + " data; only tables linked from Access databases can be read.");
    std::string linking = FDatabase->FileName();
    std::string path = LinkedFilePath(linking, link.Database);
    if (link.Database.empty() || !base::FileExists(path))
        throw EDatabaseError("Could not find file " + Quoted(link.Database)
            + ", which holds the linked table " + quoted + " of '" + linking + "' (looked for '" + path
            + "').");
    // A password for the linked file is kept in the link's connect string.
    std::string password;
    for (size_t at = 0; at <= link.Connect.size();) {
        size_t end = std::min(link.Connect.find(';', at), link.Connect.size());
        std::string part = base::Trim(std::string_view(link.Connect).substr(at, end - at));
        if (base::SameText(part.substr(0, std::min<size_t>(4, part.size())), "PWD="))
            password = base::Utf8ToAnsi(part.substr(4));
        at = end + 1;
    }
    std::shared_ptr<TAccessDatabase>& linked = FLinked[path];
    try {
        if (!linked)
            linked = std::make_shared<TAccessDatabase>(path, password);
    } catch (EDatabaseError const& e) {
        throw EDatabaseError(e.Message() + " (opening '" + path + "', which holds the linked table " + quoted
            + " of '" + linking + "')");
    }
    std::string foreign = link.ForeignName.empty() ? exactName : link.ForeignName;
    if (linked->FindObject(foreign) != TAccessDatabase::TObjectKind::Table)
        throw EDatabaseError("The Microsoft Jet database engine cannot find the input table "
            + Quoted(foreign) + " in '" + path + "', which holds the linked table " + quoted + " of '"
            + linking + "'.");
    Register(linked->LoadTable(FDb, foreign, "main", exactName));
    return true;
}

} // namespace xe::db
