// The built xmlexport against Access files: the fixtures made by Access and Jet 4 databases
// written by our test writer. The right password exports every row with the Access schema;
// a wrong or missing one ends in the failed state without an output file; the database
// file is never changed.
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/app/ExportFixtures.h"
#include "tests/support/JetObjectFixtures.h"
#include "tests/support/JetTestEncryption.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/wait.h>

using namespace xe;
namespace fs = std::filesystem;

namespace {

class AccessE2E : public ::testing::Test {
protected:
    base::TTempDir Dir { "xe-e2e" };
    std::string ExeDir = Dir.File("bin/");
    std::string XmlName = Dir.File("out.xml");
    int ExitCode = -1;
    std::string Out, Err;

    void SetUp() override
    {
        fs::create_directories(ExeDir);
        std::error_code error;
        fs::create_hard_link(XMLEXPORT_PATH, ExeDir + "xmlexport", error);
        if (error)
            fs::copy_file(XMLEXPORT_PATH, ExeDir + "xmlexport");
    }

    // Copies a fixture into the test folder (the copy is what the run opens).
    std::string Fixture(char const* name)
    {
        std::string copy = Dir.File(name);
        fs::copy_file(std::string(XE_FIXTURES_DIR "/access/") + name, copy);
        return copy;
    }

    void Run(std::string const& sql, std::string const& db, std::string const& password)
    {
        test::WriteInOutIni(ExeDir + "InOut.ini", sql, XmlName, db, password);
        std::string command = "cd '" + Dir.Path() + "' && XMLEXPORT_BACKEND=headless timeout 120 '" + ExeDir
            + "xmlexport' >'" + Dir.File("stdout") + "' 2>'" + Dir.File("stderr") + "' </dev/null";
        int status = std::system(command.c_str());
        ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        Out = base::ReadFileBytes(Dir.File("stdout"));
        Err = base::ReadFileBytes(Dir.File("stderr"));
    }

    bool Succeeded() const { return ExitCode == 0 && Has(Out, u8"导出数据成功"); }
    // The failed state on the window, its reason on standard error, and exit code 1.
    bool FailedStart() const { return ExitCode == 1 && Has(Out, u8"数据初始化失败...") && !Err.empty(); }

    static bool Has(std::string const& text, std::u8string_view part)
    {
        return text.find(std::string(part.begin(), part.end())) != std::string::npos;
    }
};

} // namespace

TEST_F(AccessE2E, PasswordFixture)
{
    std::string db = Fixture("jet4_password.mdb");
    std::string before = base::ReadFileBytes(db);
    for (char const* wrong : { "", "Password", "wrong" }) {
        Run("select * from Table1", db, wrong);
        EXPECT_TRUE(FailedStart()) << wrong << ": " << Out << Err;
        EXPECT_EQ(Err, "Not a valid password. The database is '" + db + "'.\n") << wrong;
        EXPECT_FALSE(base::FileExists(XmlName)) << wrong;
    }

    Run("select * from Table1", db, "password");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_TRUE(doc.Parsed) << doc.Error;
    EXPECT_EQ(doc.AttributeNames, (std::vector<std::string> { "ID", "Data" }));
    ASSERT_EQ(doc.Rows.size(), 3u);
    EXPECT_EQ(doc.Rows[0], (test::TXmlRow { { "ID", "1" }, { "Data", "One" } }));
    EXPECT_EQ(doc.Rows[2], (test::TXmlRow { { "ID", "3" }, { "Data", "Three" } }));
    std::string xml = base::ReadFileBytes(XmlName);
    EXPECT_TRUE(Has(xml,
        u8"rs:basetable='Table1' rs:basecolumn='ID' rs:keycolumn='true' rs:autoincrement='true'>\r\n"
        u8"\t\t\t<s:datatype dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'/>"))
        << xml;
    EXPECT_TRUE(Has(xml, u8"<s:datatype dt:type='string' dt:maxLength='255'/>")) << xml;
    EXPECT_EQ(base::ReadFileBytes(db), before);
}

TEST_F(AccessE2E, EncodedAndJet3Fixtures)
{
    std::string encoded = Fixture("jet4_rc4_encoded.mdb");
    Run("select * from Table1", encoded, "anything");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_EQ(doc.Rows.size(), 2u);
    EXPECT_EQ(doc.Rows[1], (test::TXmlRow { { "ID", "2" }, { "col1", "world" }, { "col2", "42" } }));

    std::string jet3 = Fixture("jet3_types.mdb");
    std::string before = base::ReadFileBytes(jet3);
    Run("select E as id, A, G, H, I from Table1", jet3, "");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    doc = test::ReadRowsetFile(XmlName);
    ASSERT_EQ(doc.Rows.size(), 2u);
    EXPECT_EQ(doc.Rows[0],
        (test::TXmlRow {
            { "id", "0" }, { "A", "a" }, { "G", "1981-12-12T00:00:00" }, { "H", "0" }, { "I", "False" } }));
    EXPECT_EQ(doc.Rows[1],
        (test::TXmlRow { { "id", "333333333" }, { "A", "abcdefg" }, { "G", "1974-09-21T00:00:00" },
            { "H", "3.5" }, { "I", "True" } }));
    EXPECT_EQ(base::ReadFileBytes(jet3), before);
}

TEST_F(AccessE2E, GeneratedDatabaseOverSeveralPages)
{
    std::string db = Dir.File("orders.mdb");
    std::string command = std::string("'") + XE_MAKE_JET_DEMO + "' '" + db + "' 95 '密码-42'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string before = base::ReadFileBytes(db);

    Run("select * from orders", db, "密码-4");
    EXPECT_TRUE(FailedStart()) << Out << Err;
    EXPECT_FALSE(base::FileExists(XmlName));

    Run("select * from orders where city <> '火星'", db, "密码-42");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_TRUE(doc.Parsed) << doc.Error;
    ASSERT_EQ(doc.Rows.size(), 95u);
    for (size_t i = 0; i < doc.Rows.size(); ++i)
        ASSERT_EQ(doc.Rows[i]["id"], std::to_string(i + 1)); // in id order, every row once
    // Row 35: note NULL (35 % 7 == 0) and code NULL (35 % 5 == 0) are absent attributes.
    test::TXmlRow row = doc.Rows[34];
    EXPECT_EQ(row.count("note"), 0u);
    EXPECT_EQ(row.count("code"), 0u);
    EXPECT_EQ(row["customer"], "陈静35");
    EXPECT_EQ(row["city"], "北京");
    EXPECT_EQ(row["paid"], "True");
    EXPECT_EQ(row["ordered"], "2024-12-08T11:35:00");
    EXPECT_EQ(doc.Rows[0]["note"], "备注 <37> \"加急\"");
    std::string xml = base::ReadFileBytes(XmlName);
    EXPECT_TRUE(Has(xml, u8"dt:type='string' dt:maxLength='536870910' rs:long='true'/>"))
        << xml.substr(0, 3000);
    EXPECT_TRUE(Has(xml, u8"rs:dbtype='currency'")) << xml.substr(0, 3000);
    EXPECT_EQ(base::ReadFileBytes(db), before);
}

TEST_F(AccessE2E, EncryptedAccdb)
{
    std::string db = Fixture("ace14_agile_password.accdb");
    std::string before = base::ReadFileBytes(db);
    Run("select * from Table1", db, "Password");
    EXPECT_TRUE(FailedStart()) << Out << Err;
    EXPECT_FALSE(base::FileExists(XmlName));
    EXPECT_TRUE(Has(Err, u8"Not a valid password.")) << Err;

    // Encryption the engine does not read (CryptoAPI naming AES) ends the start with its reason.
    std::string aes = base::ReadFileBytes(db);
    aes.replace(0x29B, 8, std::string("\x03\x00\x02\x00\x24\x00\x00\x00", 8));
    base::WriteFileBytes(Dir.File("aes.accdb"), aes);
    Run("select * from Table1", Dir.File("aes.accdb"), "password");
    EXPECT_TRUE(FailedStart()) << Out << Err;
    EXPECT_TRUE(Has(Err, u8"encryption not supported: CryptoAPI AES")) << Err;
    EXPECT_FALSE(Has(Err, u8"Not a valid password.")) << Err;
    base::DeleteFile(Dir.File("aes.accdb"));

    Run("select * from Table1", db, "password");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_EQ(doc.Rows.size(), 3u);
    EXPECT_EQ(doc.Rows[1], (test::TXmlRow { { "ID", "2" }, { "Data", "Two" } }));
    EXPECT_EQ(base::ReadFileBytes(db), before);
    // Nothing decrypted was left beside the database or the output.
    std::set<std::string> names;
    for (auto const& entry : fs::directory_iterator(Dir.Path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names,
        (std::set<std::string> { "ace14_agile_password.accdb", "bin", "out.xml", "stderr", "stdout" }));
}

// A statement written for the original runs as ADO ran it over Jet: % and _ wildcards, text
// compared without regard to case, True and -1 for a Yes.
TEST_F(AccessE2E, StatementMeansWhatItMeantUnderAdo)
{
    std::string db = Dir.File("orders.mdb");
    std::string command = std::string("'") + XE_MAKE_JET_DEMO + "' '" + db + "' 95";
    ASSERT_EQ(std::system(command.c_str()), 0);
    Run("select id, customer from orders where (customer like '陈静_' and paid = True) or (customer like "
        "'SMITH & sons1%' and paid = 0) or (customer = 'smith & sons22' and paid <> -1) or customer like "
        "'陈静*' order by id",
        db, "");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_TRUE(doc.Parsed) << doc.Error;
    std::vector<std::string> ids;
    for (auto& row : doc.Rows)
        ids.push_back(row["id"]);
    EXPECT_EQ(ids, (std::vector<std::string> { "5", "10", "16", "22" }));
}

// A data page overwritten by random bytes stops the export with an error naming the table
// and the page; the rows of the other pages are not exported as if they were all.
TEST_F(AccessE2E, DamagedDataPageIsReported)
{
    std::string db = Dir.File("orders.mdb");
    std::string command = std::string("'") + XE_MAKE_JET_DEMO + "' '" + db + "' 3000";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::string bytes = base::ReadFileBytes(db);
    // The demo table's definition is the first page after the empty template's; its data
    // pages name it as their owner.
    size_t tdefPage
        = base::ReadFileBytes(std::string(XE_FIXTURES_DIR "/access/jet4_empty_template.mdb")).size() / 4096;
    size_t damaged = 0;
    for (size_t p = bytes.size() / 4096; p-- > tdefPage && !damaged;) {
        if (bytes[p * 4096] == 1 && uint8_t(bytes[p * 4096 + 4]) == tdefPage)
            damaged = p - 3; // one in the middle of the table
    }
    ASSERT_GT(damaged, tdefPage);
    uint32_t seed = 7;
    for (size_t i = 0; i < 4096; ++i)
        bytes[damaged * 4096 + i] = char((seed = seed * 1103515245u + 12345u) >> 16);
    base::WriteFileBytes(db, bytes);

    Run("select * from orders", db, "");
    EXPECT_EQ(ExitCode, 1) << Out << Err;
    EXPECT_FALSE(Has(Out, u8"导出数据成功")) << Out;
    EXPECT_TRUE(Has(Err, u8"is damaged: table 'orders', page ")) << Err;
    std::string page = "page " + std::to_string(damaged) + ":";
    EXPECT_NE(Err.find(page), std::string::npos) << Err;
}

// The CryptoAPI and Agile kinds of "Encrypt with password", on files we encrypt: the right
// password exports the rows, a wrong one ends the start with Jet's message.
TEST_F(AccessE2E, EncryptedAccdbOfEveryKind)
{
    std::string plain = db::PlainAceImage();
    struct TCase {
        char const* Name;
        std::string Bytes;
    } cases[] = {
        { "aes-128.accdb", db::EncryptAceAesCryptoApi(plain, "Geheim-1", 128, 0x01234567) },
        { "aes-192.accdb", db::EncryptAceAesCryptoApi(plain, "Geheim-1", 192, 0x12345678) },
        { "aes-256.accdb", db::EncryptAceAesCryptoApi(plain, "Geheim-1", 256, 0x23456789) },
        { "rc4-128.accdb", db::EncryptAceRc4CryptoApi(plain, "Geheim-1", 128, 0x3456789A) },
        { "agile-sha1.accdb", db::EncryptAceAgile(plain, "Geheim-1", "SHA1", 128, 100000, 0x456789AB) },
    };
    for (auto const& c : cases) {
        std::string file = Dir.File(c.Name);
        base::WriteFileBytes(file, c.Bytes);
        Run("select * from Table1", file, "Geheim-2");
        EXPECT_TRUE(FailedStart()) << c.Name << ": " << Out << Err;
        EXPECT_EQ(Err, "Not a valid password. The database is '" + file + "'.\n") << c.Name;
        EXPECT_FALSE(base::FileExists(XmlName)) << c.Name;

        Run("select * from Table1", file, "Geheim-1");
        ASSERT_TRUE(Succeeded()) << c.Name << ": " << Out << Err;
        test::TRowset doc = test::ReadRowsetFile(XmlName);
        ASSERT_EQ(doc.Rows.size(), 3u) << c.Name;
        EXPECT_EQ(doc.Rows[2], (test::TXmlRow { { "ID", "3" }, { "Data", "Three" } })) << c.Name;
        EXPECT_EQ(base::ReadFileBytes(file), c.Bytes) << c.Name;
        base::DeleteFile(XmlName);
    }
}

// A table with calculated columns made by Access 2010 exports, its columns or all of them.
TEST_F(AccessE2E, Access2010CalculatedColumns)
{
    std::string db = Fixture("calcFieldTestV2010.accdb");
    Run("select ID from Table1", db, "");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    EXPECT_EQ(test::ReadRowsetFile(XmlName).Rows.size(), 4u);

    Run("select * from Table1", db, "");
    ASSERT_TRUE(Succeeded()) << Out << Err;
    test::TRowset doc = test::ReadRowsetFile(XmlName);
    ASSERT_EQ(doc.Rows.size(), 4u);
    test::TXmlRow row = doc.Rows[1];
    EXPECT_EQ(row["LastFirst"], "Simpson, Bart");
    EXPECT_EQ(row["LastFirstLen"], "13");
    EXPECT_EQ(row["MonthlySalary"], "-0.0833");
    EXPECT_EQ(row["IsRich"], "False");
    EXPECT_EQ(row["BoolTest"], "True");
    EXPECT_EQ(row["AllNames"], "Simpson, Bart=Simpson, Bart");
    EXPECT_EQ(row["DecimalTest"], "-36.222200");
    EXPECT_EQ(row["FloatTest"], "0.0035889593");
    EXPECT_EQ(row["BigNumTest"], "-.0784734499180612994241100748");
}

// Saved queries and linked tables as Jet resolves them, Jet's rules for aggregates and
// computed columns, and a table with an attachment column read without naming it.
TEST_F(AccessE2E, SavedQueriesLinkedTablesAndJetRules)
{
    std::string db = db::WriteJetObjectFixtures(Dir.File("data"));
    std::string before = base::ReadFileBytes(db);
    auto rows = [&](std::string const& sql) {
        Run(sql, db, "");
        std::vector<test::TXmlRow> found;
        if (!Succeeded())
            return found;
        test::TRowset doc = test::ReadRowsetFile(XmlName);
        EXPECT_TRUE(doc.Parsed) << doc.Error;
        return doc.Rows;
    };
    auto error = [&](std::string const& sql) {
        base::DeleteFile(XmlName);
        Run(sql, db, "");
        EXPECT_EQ(ExitCode, 1) << sql << ": " << Out << Err;
        EXPECT_FALSE(base::FileExists(XmlName)) << sql;
        return Err;
    };

    // A query over two queries, joined, and a union query, each as its text gives the rows.
    EXPECT_EQ(rows("select * from [Active totals]"), rows(db::JetSavedSelectQueries()[4].second));
    std::vector<test::TXmlRow> totals = rows("select * from [Active totals]");
    ASSERT_EQ(totals.size(), 3u) << Out << Err;
    EXPECT_EQ(totals[0], (test::TXmlRow { { "ID", "1" }, { "Name", "Ann" }, { "Total", "170.5" } }));
    std::vector<test::TXmlRow> names = rows("select Name as id from [All names]");
    ASSERT_EQ(names.size(), 5u) << Out << Err;
    EXPECT_EQ(names[4], (test::TXmlRow { { "id", "Eve" } }));
    EXPECT_EQ(rows("select ID, Name from Customers where Name in (select Name from [Big orders] where Amount "
                   "> 400)"),
        (std::vector<test::TXmlRow> { { { "ID", "2" }, { "Name", "Bob" } } }));

    // Over several pages: every row once, in order.
    std::vector<test::TXmlRow> odd = rows("select * from [Odd numbers]");
    ASSERT_EQ(odd.size(), 38u) << Out << Err;
    for (size_t i = 0; i < odd.size(); ++i)
        ASSERT_EQ(odd[i],
            (test::TXmlRow { { "ID", std::to_string(2 * i + 1) },
                { "Label", std::string("n").append(std::to_string(2 * i + 1)) } }));

    EXPECT_TRUE(Has(error("select * from [Orders since]"), u8"asks for the parameter 'Start date'")) << Err;
    EXPECT_TRUE(Has(error("select * from [Delete old]"), u8"action query (delete)")) << Err;
    EXPECT_TRUE(Has(error("select * from [Sales by city]"), u8"crosstab queries are not supported")) << Err;

    // Linked tables: a relative path, and a Windows path that falls back to the folder.
    EXPECT_EQ(rows("select * from [Prices here] order by ID"),
        (std::vector<test::TXmlRow> {
            { { "ID", "1" }, { "Price", "2.5" } }, { { "ID", "2" }, { "Price", "4" } } }));
    EXPECT_EQ(rows("select * from [Prices win] where ID = 2"),
        (std::vector<test::TXmlRow> { { { "ID", "2" }, { "Price", "4" } } }));
    EXPECT_TRUE(Has(error("select * from Gone"), u8"Could not find file 'C:\\data\\missing.mdb'")) << Err;
    EXPECT_TRUE(Has(Err, u8"main.mdb")) << Err;
    EXPECT_TRUE(Has(error("select * from [Odbc table]"), u8"linked to ODBC data")) << Err;

    // Jet's rules: a column neither grouped nor aggregated, and Expr1000 for a computed column.
    EXPECT_EQ(error("select [Owner], Sum([Cost]) from [Asset Items]"),
        "You tried to execute a query that does not include the specified expression 'Owner' as part of an "
        "aggregate function.\n");
    EXPECT_EQ(rows("select Owner as id, Sum(Cost) from [Asset Items] group by Owner"),
        (std::vector<test::TXmlRow> {
            { { "id", "Ann" }, { "Expr1000", "12" } }, { { "id", "Eve" }, { "Expr1000", "2" } } }));
    EXPECT_TRUE(Has(base::ReadFileBytes(XmlName),
        u8"<s:AttributeType name='Expr1000' rs:number='2' rs:nullable='true' rs:maydefer='true' "
        u8"rs:writeunknown='true'>\r\n\t\t\t<s:datatype dt:type='float'"));

    // An attachment column is no obstacle to the other columns; reading it is refused.
    EXPECT_EQ(rows("select ID, Name from Attach where ID = 2"),
        (std::vector<test::TXmlRow> { { { "ID", "2" }, { "Name", "b" } } }));
    EXPECT_TRUE(Has(error("select * from Attach"), u8"'Files' of table 'Attach' is an attachment")) << Err;
    EXPECT_EQ(base::ReadFileBytes(db), before);
}
