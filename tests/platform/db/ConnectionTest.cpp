#include "DbTestHelpers.h"

#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace xe::db;
using namespace xe::test;
using xe::base::EDatabaseError;
using xe::base::TTempDir;

namespace {

std::string OpenError(std::string const& connectionString)
{
    TADOConnection conn;
    conn.ConnectionString = connectionString;
    conn.LoginPrompt = false;
    try {
        conn.Open();
    } catch (EDatabaseError const& e) {
        EXPECT_FALSE(conn.Connected());
        return e.Message();
    }
    return "<opened>";
}

TEST(ConnectionStringTest, ParsesPairsKeysWithoutCaseQuotedValues)
{
    auto p = ParseConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a b/c.mdb;"
                                   "Jet OLEDB:Database Password=;");
    EXPECT_EQ(p["provider"], "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(p["data source"], "/a b/c.mdb");
    EXPECT_EQ(p["jet oledb:database password"], "");

    p = ParseConnectionString("  PROVIDER = x ; data SOURCE='it''s;here' ; Persist Security Info=False");
    EXPECT_EQ(p["provider"], "x");
    EXPECT_EQ(p["data source"], "it's;here");
    EXPECT_EQ(p["persist security info"], "False");
    EXPECT_EQ(ParseConnectionString("a=\"x=y\";;b=2;")["a"], "x=y");
    EXPECT_TRUE(ParseConnectionString("").empty());

    EXPECT_THROW(ParseConnectionString("Provider"), EDatabaseError);
    EXPECT_THROW(ParseConnectionString("=x"), EDatabaseError);
    EXPECT_THROW(ParseConnectionString("a='unterminated"), EDatabaseError);
    EXPECT_THROW(ParseConnectionString("a='x' junk;"), EDatabaseError);
}

TEST(ConnectionTest, ProviderMustBeJetOrAce)
{
    TTempDir dir;
    std::string path = dir.File("d.db");
    MakeDatabase(path, "CREATE TABLE t(id INTEGER)");
    EXPECT_NE(OpenError("Provider=SQLOLEDB;Data Source=" + path).find("'SQLOLEDB' is not a Jet or ACE"),
        std::string::npos);
    EXPECT_NE(OpenError("Data Source=" + path).find("no provider"), std::string::npos);
    EXPECT_EQ(OpenError("Provider=Microsoft.ACE.OLEDB.12.0;Data Source=" + path), "<opened>");
}

TEST(ConnectionTest, EngineErrorsNameThePath)
{
    TTempDir dir;
    std::string missing = dir.File("missing.mdb");
    EXPECT_EQ(OpenError(JetConnectionString(missing)), "Could not find file '" + missing + "'.");
    EXPECT_EQ(OpenError(JetConnectionString("")), "Could not find file ''.");
    // A relative name is looked for from the current directory, and shown as that path.
    EXPECT_EQ(OpenError(JetConnectionString("sub/../rel.mdb")),
        "Could not find file '" + xe::base::CurrentDirectory() + "/rel.mdb'.");
    EXPECT_NE(OpenError(JetConnectionString(dir.Path())).find("it is a folder"), std::string::npos);

    std::string empty = dir.File("empty.mdb");
    xe::base::WriteFileBytes(empty, "");
    EXPECT_EQ(OpenError(JetConnectionString(empty)), "Unrecognized database format '" + empty + "'.");
    std::string text = dir.File("text.db");
    xe::base::WriteFileBytes(text, "just some text that is not a database at all");
    EXPECT_EQ(OpenError(JetConnectionString(text)), "Unrecognized database format '" + text + "'.");

    // An SQLite signature on a file that is not one is refused when it is read.
    std::string fake = dir.File("fake.db");
    xe::base::WriteFileBytes(fake, std::string("SQLite format 3\0", 16) + std::string(200, 'x'));
    EXPECT_EQ(OpenError(JetConnectionString(fake)), "Unrecognized database format '" + fake + "'.");
}

TEST(ConnectionTest, AccessSignaturesAreRecognisedByContentNotExtension)
{
    TTempDir dir;
    SetAccessEngine(nullptr);
    for (char const* signature : { "Standard Jet DB", "Standard ACE DB" }) {
        std::string path = dir.File("looks-like.sqlite");
        std::string page(2048, '\0');
        page.replace(4, 15, signature);
        xe::base::WriteFileBytes(path, page);
        std::string e = OpenError(JetConnectionString(path));
        EXPECT_NE(e.find("Microsoft Access database"), std::string::npos) << e;
        EXPECT_NE(e.find(path), std::string::npos) << e;
    }
    // And an SQLite file named .mdb is opened as SQLite.
    std::string sqlitePath = dir.File("really-sqlite.mdb");
    MakeDatabase(sqlitePath, "CREATE TABLE t(id INTEGER)");
    TADOConnection conn;
    conn.ConnectionString = JetConnectionString(sqlitePath, "any password");
    conn.Open();
    EXPECT_TRUE(conn.Connected());
    EXPECT_EQ(conn.Engine(), TEngineKind::SQLite);
    EXPECT_EQ(conn.Password(), "any password");
    conn.Close();
    EXPECT_FALSE(conn.Connected());
}

TEST(ConnectionTest, AccessEnginePlugsInWithATemporaryDatabaseAndColumnInfo)
{
    TTempDir dir;
    std::string path = dir.File("db.mdb");
    std::string page(4096, '\0');
    page.replace(4, 15, "Standard Jet DB");
    xe::base::WriteFileBytes(path, page);

    std::string seenPath, seenPassword;
    xe::test::TProcessState state; // the engine refers to the locals above
    state.AddUndo([] { SetAccessEngine(nullptr); });
    SetAccessEngine(
        [&](TADOConnection& conn, sqlite3* db, std::string const& dataSource, std::string const& password) {
            seenPath = dataSource;
            seenPassword = password;
            if (password != "secret")
                throw xe::base::EInvalidPassword("Not a valid password.");
            // The engine's database is private and temporary: no file name.
            EXPECT_STREQ(sqlite3_db_filename(db, "main"), "");
            sqlite3_exec(db,
                "CREATE TABLE tblTag(TagId INTEGER, Tag TEXT); INSERT INTO tblTag VALUES (1, 'TAG');",
                nullptr, nullptr, nullptr);
            TColumnInfo id;
            id.Type = adInteger;
            id.Nullable = false;
            id.AutoIncrement = true;
            id.KeyColumn = true;
            conn.RegisterColumnInfo("tbltag", "TAGID", id);
            TColumnInfo tag;
            tag.Type = adVarWChar;
            tag.Size = 3;
            conn.RegisterColumnInfo("tblTag", "Tag", tag);
        });
    EXPECT_EQ(OpenError(JetConnectionString(path, "wrong")),
        "Not a valid password. The database is '" + path + "'.");
    EXPECT_EQ(seenPath, path);

    TADOConnection conn;
    conn.ConnectionString = JetConnectionString(path, "secret");
    conn.Open();
    EXPECT_EQ(conn.Engine(), TEngineKind::Access);
    TADOQuery q(&conn);
    q.SetSQL("select top 30 * from (SELECT * FROM tblTag) order by TagId");
    q.Open();
    std::string out = dir.File("out.xml");
    q.SaveToFile(out);
    std::string xml = xe::base::ReadFileBytes(out);
    EXPECT_NE(
        xml.find("<s:AttributeType name='TagId' rs:number='1' rs:maydefer='true' rs:writeunknown='true' "
                 "rs:basetable='tblTag' rs:basecolumn='TagId' rs:keycolumn='true' rs:autoincrement='true'>"),
        std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<s:datatype dt:type='string' dt:maxLength='3'/>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<z:row TagId='1' Tag='TAG'/>"), std::string::npos);
}

TEST(ConnectionTest, TheUsersDatabaseIsNeverChanged)
{
    TTempDir dir;
    std::string path = dir.File("d.db");
    MakeDatabase(
        path, "CREATE TABLE t(id INTEGER, v TEXT); INSERT INTO t VALUES (2, 'b'), (1, 'a'), (3, 'c')");
    std::string before = xe::base::ReadFileBytes(path);
    {
        TADOConnection conn;
        conn.ConnectionString = JetConnectionString(path);
        conn.Open();
        TADOQuery q(&conn);
        // The materialised copies go to SQLite's temporary database, not into the file.
        q.SetSQL("select MAX(ID) from (select top 2 *  from (SELECT * FROM t) order by id) ");
        q.Open();
        EXPECT_TRUE(q.UsedMaterialization());
        EXPECT_EQ(q.Fields(0).AsInteger(), 2);
        EXPECT_NE(sqlite3_exec(conn.Handle(), "INSERT INTO t VALUES (4, 'd')", nullptr, nullptr, nullptr),
            SQLITE_OK);
    }
    EXPECT_EQ(xe::base::ReadFileBytes(path), before);
    // Nothing was created beside the user's file.
    EXPECT_FALSE(xe::base::FileExists(path + "-journal"));
    EXPECT_FALSE(xe::base::FileExists(path + "-wal"));
}

} // namespace
