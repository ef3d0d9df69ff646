#include "platform/db/access/AccessEngine.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/db/Materializations.h"
#include "platform/db/PagingStatements.h"
#include "platform/db/Query.h"
#include "tests/support/ProcessState.h"
#include "tools/jetdemo/JetTestDatabase.h"

#include <gtest/gtest.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {
std::string FixturePath(char const* name) { return std::string(XE_FIXTURES_DIR "/access/") + name; }

class AccessEngine : public xe::test::ProcessStateTest {
protected:
    void SetUp() override
    {
        State.UseCodePage("UTF-8");
        RegisterAccessEngine();
    }
    void TearDown() override { SetAccessEngine(nullptr); }

    void Connect(std::string const& file, std::string const& password)
    {
        FConnection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file
            + ";Jet OLEDB:Database Password=" + password + ";";
        FConnection.LoginPrompt = false;
        FConnection.Open();
    }

    std::string ConnectError(std::string const& file, std::string const& password)
    {
        try {
            Connect(file, password);
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return "";
    }

    // Runs a statement and saves it as XML, giving the file's text.
    std::string Export(std::string const& sql)
    {
        TADOQuery query(&FConnection);
        query.SetSQL(sql);
        query.Open();
        std::string file = FTemp.File("out.xml");
        query.SaveToFile(file, pfXML);
        return xe::base::ReadFileBytes(file);
    }

    std::string ExportError(std::string const& sql)
    {
        try {
            Export(sql);
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return "";
    }

    int64_t Scalar(std::string const& sql)
    {
        TADOQuery query(&FConnection);
        query.SetSQL(sql);
        query.Open();
        return query.Fields(0).AsInteger();
    }

    xe::base::TTempDir FTemp;
    TADOConnection FConnection;
};

bool Contains(std::string const& text, std::string const& part)
{
    return text.find(part) != std::string::npos;
}
}

TEST_F(AccessEngine, PasswordDecidesWhetherTheConnectionOpens)
{
    std::string file = FixturePath("jet4_password.mdb");
    std::string before = xe::base::ReadFileBytes(file);
    EXPECT_EQ(ConnectError(file, ""), "Not a valid password. The database is '" + file + "'.");
    EXPECT_FALSE(FConnection.Connected());
    EXPECT_EQ(ConnectError(file, "PASSWORD"), "Not a valid password. The database is '" + file + "'.");
    EXPECT_EQ(ConnectError(file, "password"), "");
    EXPECT_TRUE(FConnection.Connected());

    EXPECT_EQ(Scalar("SELECT count(*) FROM (SELECT * FROM Table1)"), 3);
    std::string xml = Export("SELECT TOP 2 * FROM (SELECT * FROM Table1) WHERE id > 1");
    EXPECT_TRUE(Contains(xml,
        "<s:AttributeType name='ID' rs:number='1' rs:maydefer='true' rs:writeunknown='true' "
        "rs:basetable='Table1' "
        "rs:basecolumn='ID' rs:keycolumn='true' rs:autoincrement='true'>\r\n"
        "\t\t\t<s:datatype dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'/>"))
        << xml;
    EXPECT_TRUE(Contains(xml,
        "rs:nullable='true' rs:maydefer='true' rs:writeunknown='true' rs:basetable='Table1' "
        "rs:basecolumn='Data'>\r\n\t\t\t<s:datatype dt:type='string' dt:maxLength='255'/>"))
        << xml;
    EXPECT_TRUE(Contains(
        xml, "<rs:data>\r\n\t<z:row ID='2' Data='Two'/>\r\n\t<z:row ID='3' Data='Three'/>\r\n</rs:data>"))
        << xml;
    FConnection.Close();
    EXPECT_EQ(xe::base::ReadFileBytes(file), before);
}

TEST_F(AccessEngine, Jet3ColumnsAsAdoDescribesThem)
{
    Connect(FixturePath("jet3_types.mdb"), "");
    std::string xml = Export("SELECT * FROM Table1");
    for (char const* datatype : {
             "dt:type='string' dt:maxLength='50'/>",
             "dt:type='string' dt:maxLength='100'/>",
             "dt:type='ui1' dt:maxLength='1' rs:precision='3' rs:fixedlength='true'/>",
             "dt:type='i2' dt:maxLength='2' rs:precision='5' rs:fixedlength='true'/>",
             "dt:type='float' dt:maxLength='8' rs:precision='15' rs:fixedlength='true'/>",
             "dt:type='dateTime' rs:dbtype='variantdate' dt:maxLength='16' rs:fixedlength='true'/>",
             "dt:type='number' rs:dbtype='currency' dt:maxLength='8' rs:precision='19' "
             "rs:fixedlength='true'/>",
             "name='I' rs:number='9' rs:maydefer='true'",
             "dt:type='boolean' dt:maxLength='2' rs:fixedlength='true'/>",
         })
        EXPECT_TRUE(Contains(xml, datatype)) << datatype;
    EXPECT_TRUE(
        Contains(xml, "<z:row A='a' B='b' C='0' D='0' E='0' F='0' G='1981-12-12T00:00:00' H='0' I='False'/>"))
        << xml;
    EXPECT_TRUE(Contains(xml,
        "<z:row A='abcdefg' B='hijklmnop' C='2' D='222' E='333333333' F='444.55500000000001' "
        "G='1974-09-21T00:00:00' H='3.5' I='True'/>"))
        << xml;
    EXPECT_EQ(Scalar("SELECT count(*) FROM Table1 WHERE I = True"), 1);
}

TEST_F(AccessEngine, GeneratedTypesNullsAndUnreadableObjects)
{
    TJetTestDatabase writer;
    writer.AddTable({ "People",
        {
            { "ID", jtLong, 0, 0, 0, true },
            { "Name", jtText, 40, 0, 0, false, false, true },
            { "Born", jtDateTime },
            { "Notes", jtMemo },
            { "Photo", jtOle },
            { "Key", jtGuid },
            { "Amount", jtNumeric, 0, 10, 2 },
            { "Ratio", jtSingle },
        },
        {
            { "1", "Zoë <№3> & 'x'", "1898-01-01 12:00:00", "a\r\nb", std::string("\x00\xFF", 2),
                "{01234567-89AB-CDEF-0123-456789ABCDEF}", "-0.50", "1.125" },
            { "2", "", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt },
        } });
    writer.AddTable({ "Attach", { { "ID", jtLong }, { "Files", jtComplex } }, {} });
    writer.AddCatalogObject("Recent People", 5);
    writer.SetPassword(u"Sésame-42");
    std::string file = FTemp.File("people.mdb");
    writer.SaveToFile(file);

    EXPECT_EQ(ConnectError(file, "Sesame-42"), "Not a valid password. The database is '" + file + "'.");
    Connect(file, "Sésame-42");
    std::string xml = Export("SELECT * FROM People ORDER BY ID");
    for (char const* part : {
             "<s:AttributeType name='Name' rs:number='2' rs:maydefer='true'",
             "<s:AttributeType name='Born' rs:number='3' rs:nullable='true' rs:maydefer='true'",
             "dt:type='string' dt:maxLength='536870910' rs:long='true'/>",
             "dt:type='bin.hex' dt:maxLength='1073741823' rs:long='true'/>",
             "dt:type='uuid' dt:maxLength='16' rs:fixedlength='true'/>",
             "dt:type='number' rs:dbtype='numeric' dt:maxLength='19' rs:scale='2' rs:precision='10' "
             "rs:fixedlength='true'/>",
             "dt:type='r4' dt:maxLength='4' rs:precision='7' rs:fixedlength='true'/>",
             "<z:row ID='1' Name='Zoë &#x3c;№3&#x3e; &#x26; &#x27;x&#x27;' Born='1898-01-01T12:00:00' "
             "Notes='a&#xd;&#xa;b' Photo='00ff' Key='{01234567-89AB-CDEF-0123-456789ABCDEF}' Amount='-.50' "
             "Ratio='1.125'/>",
             "<z:row ID='2' Name=''/>",
         })
        EXPECT_TRUE(Contains(xml, part)) << part << "\n" << xml;

    EXPECT_TRUE(Contains(ExportError("SELECT * FROM [Recent People]"), "saved query 'Recent People'"));
    EXPECT_TRUE(Contains(ExportError("SELECT * FROM Attach"), "'Files' of table 'Attach'"));
    EXPECT_TRUE(
        Contains(ExportError("SELECT * FROM Missing"), "cannot find the input table or query 'Missing'"));
    // A table that cannot be read does not stand in the way of the others.
    EXPECT_EQ(Scalar("SELECT count(*) FROM People"), 2);
}

// Tables whose columns changed after their rows were written, newer column types and
// values a double cannot hold, as Jet reads them.
TEST_F(AccessEngine, ChangedColumnsNewTypesAndExactNumbers)
{
    TJetTestDatabase writer;
    TJetTestColumn gone1 { "Gone1", jtText, 20 }, gone2 { "Gone2", jtLong }, yn { "YN", jtBoolean },
        later { "Later", jtText, 10 };
    gone1.Deleted = gone2.Deleted = true;
    yn.Added = later.Added = true;
    writer.AddTable({ "Changed",
        { { "ID", jtLong }, gone1, { "N", jtLong }, gone2, { "Note", jtText, 30 }, { "Price", jtCurrency },
            { "Big", jtBigInt }, { "Ext", jtDateTimeExt }, { "Dec", jtNumeric, 0, 28, 4 }, yn, later },
        {
            { "1", "x", "10", "7", "first", "922337203685477.5807", "-9223372036854775808",
                "0000000000000737954:0000000819123456789:7", "123456789012345678901234.5678", "1", "y" },
            { "2", std::nullopt, "20", std::nullopt, "Second", "-922337203685477.5808", "1700000000123",
                "0000000000000036323:0000000459001234567:7", "-0.0001", std::nullopt, std::nullopt },
            { "3", "z", "30", "8", "THIRD", "0.25", std::nullopt, std::nullopt, "12.5", "0", "w" },
        } });
    // More variable-length slots counted than live columns, and rows with more slots.
    TJetTestColumn a { "A", jtText, 10 }, b { "B", jtText, 10 }, c { "C", jtText, 10 };
    a.Deleted = b.Deleted = c.Deleted = true;
    writer.AddTable({ "Shrunk", { { "ID", jtLong }, a, b, { "Kept", jtText, 10 }, c },
        { { "1", "a", "b", "kept", "c" }, { "2", std::nullopt, "bb", std::nullopt, "cc" } } });
    TJetTestColumn odd { "Odd", jtLong };
    odd.RawType = 0x15;
    writer.AddTable({ "Future", { { "ID", jtLong }, odd }, { { "1", "2" } } });
    std::string file = FTemp.File("changed.mdb");
    writer.SaveToFile(file);
    Connect(file, "");

    std::string xml = Export("SELECT * FROM Changed ORDER BY ID");
    for (char const* part : {
             "<s:AttributeType name='Big' rs:number='5' rs:nullable='true' rs:maydefer='true'",
             "dt:type='i8' dt:maxLength='8' rs:precision='19' rs:fixedlength='true'/>",
             "<z:row ID='1' N='10' Note='first' Price='922337203685477.5807' Big='-9223372036854775808' "
             "Ext='2021-06-14 22:45:12.3456789' Dec='123456789012345678901234.5678' YN='False'/>",
             "<z:row ID='2' N='20' Note='Second' Price='-922337203685477.5808' Big='1700000000123' "
             "Ext='0100-06-14 12:45:00.1234567' Dec='-.0001' YN='False'/>",
             "<z:row ID='3' N='30' Note='THIRD' Price='0.25' Dec='12.5000' YN='False'/>",
         })
        EXPECT_TRUE(Contains(xml, part)) << part << "\n" << xml;
    EXPECT_FALSE(Contains(xml, "Gone")) << xml;
    EXPECT_EQ(Scalar("SELECT count(*) FROM Changed WHERE YN = False AND Later Is Null"), 3);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Changed WHERE Big > 1700000000000"), 1);

    EXPECT_TRUE(Contains(
        Export("SELECT * FROM Shrunk ORDER BY ID"), "<z:row ID='1' Kept='kept'/>\r\n\t<z:row ID='2'/>\r\n"));
    std::string error = ExportError("SELECT * FROM Future");
    EXPECT_TRUE(Contains(error, "The column 'Odd' of table 'Future' has a type (0x15)")) << error;
}

// Jet's comparisons on Access data: True is -1, text compares without regard to case and
// sorts in the database's sort order, Like takes ADO's wildcards.
TEST_F(AccessEngine, ComparisonsAsJetMakesThem)
{
    TJetTestDatabase writer;
    writer.AddTable({ "T", { { "ID", jtLong }, { "Name", jtText, 20 }, { "YN", jtBoolean } },
        {
            { "1", "t3", "1" },
            { "2", "T3", "0" },
            { "3", "apple", "1" },
            { "4", "Banana", "0" },
            { "5", "äpfel", "1" },
            { "6", "名字1号", "0" },
            { "7", "a*b", "0" },
        } });
    std::string file = FTemp.File("compare.mdb");
    writer.SaveToFile(file);
    Connect(file, "");

    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE Name = 'T3'"), 2);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE YN = True"), 3);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE YN = -1"), 3);
    EXPECT_EQ(Scalar("SELECT Sum(YN) FROM T"), -3);
    EXPECT_EQ(Scalar("SELECT YN + 0 FROM T WHERE ID = 1"), -1);
    EXPECT_EQ(Scalar("SELECT Abs(YN) FROM T WHERE ID = 1"), 1);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE Name Like 'T%'"), 2);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE Name Like '名字_%'"), 1);
    EXPECT_EQ(Scalar("SELECT count(*) FROM T WHERE Name Like 'A*B'"), 1);
    EXPECT_EQ(Scalar("SELECT count(DISTINCT Name) FROM T"), 6);
    // General sort order: letters without regard to case, ä as a (bytes would give 4, 3, 5).
    std::string xml = Export("SELECT TOP 3 ID FROM T WHERE ID BETWEEN 3 AND 5 ORDER BY Name");
    EXPECT_TRUE(Contains(xml, "<z:row ID='5'/>\r\n\t<z:row ID='3'/>\r\n\t<z:row ID='4'/>\r\n")) << xml;
}

// Real files written by Access and other programs: deleted and inserted columns, Large
// Number, Date/Time Extended.
TEST_F(AccessEngine, RealFilesWithChangedColumnsAndNewTypes)
{
    Connect(FixturePath("delColTestV2000.mdb"), "");
    std::string xml = Export("SELECT * FROM Table1");
    EXPECT_TRUE(Contains(xml, "<z:row id='0' id2='2' data='foo' data2='foo2'/>")) << xml;
    EXPECT_TRUE(Contains(xml, "<z:row id='3' id2='5' data='bar' data2='bar2'/>")) << xml;
    FConnection.Close();

    Connect(FixturePath("V2016-withinsertedcol.accdb"), "");
    xml = Export("SELECT * FROM Table1");
    EXPECT_TRUE(Contains(xml, "<z:row col1='True' col2='True' col3='False'/>")) << xml;
    FConnection.Close();

    Connect(FixturePath("V2016-bigint.accdb"), "");
    xml = Export("SELECT * FROM [Table]");
    EXPECT_TRUE(Contains(xml, "<z:row ID='1' Numeric='42'/>")) << xml;
    EXPECT_TRUE(Contains(xml, "dt:type='i8'")) << xml;
    FConnection.Close();

    Connect(FixturePath("extDateTestV2019.accdb"), "");
    xml = Export("SELECT ID, DateExt, DateNormal, DateNormalCalc FROM Table1 ORDER BY ID");
    EXPECT_TRUE(Contains(xml,
        "<z:row ID='6' DateExt='2021-06-14 22:45:12.3456789' DateNormal='2021-06-14T22:45:12' "
        "DateNormalCalc='2021-06-14T22:45:12'/>"))
        << xml;
    EXPECT_TRUE(Contains(xml, "<z:row ID='8' DateExt='0100-06-14 12:45:00.1234567'")) << xml;
    EXPECT_TRUE(Contains(xml, "<z:row ID='5'/>")) << xml;
}

// Access 2010 calculated columns: typed by their ResultType property (the definition's type
// byte differs for Yes/No, Single and Memo results), each read from its stored result.
TEST_F(AccessEngine, CalculatedColumnsOfAccess2010)
{
    Connect(FixturePath("calcFieldTestV2010.accdb"), "");
    std::string xml = Export("SELECT ID FROM Table1 ORDER BY ID");
    EXPECT_TRUE(Contains(xml, "<z:row ID='4'/>")) << xml;

    xml = Export("SELECT * FROM Table1 WHERE ID = 1");
    EXPECT_TRUE(Contains(xml,
        "<z:row ID='1' FirstName='Bruce' LastName='Wayne' LastFirst='Wayne, Bruce' City='Gotham' "
        "LastFirstLen='12' Salary='1000000' MonthlySalary='83333.3333' IsRich='True' "
        "AllNames='Wayne, Bruce=Wayne, Bruce' WeeklySalary='19230.7692307692000000' "
        "SalaryTest='1000000' BoolTest='True' Popularity='50.325000' DecimalTest='50.325000' "
        "FloatTest='2583.2092' BigNumTest='56505085819.4247912965722801800000000000'/>"))
        << xml;
    // The schema describes each calculated column by its result's type.
    auto typeOf = [&](std::string const& column) {
        size_t at = xml.find("<s:AttributeType name='" + column + "'");
        size_t type = xml.find("dt:type='", at);
        return at == std::string::npos ? "" : xml.substr(type + 9, xml.find('\'', type + 9) - type - 9);
    };
    EXPECT_EQ(typeOf("IsRich"), "boolean");
    EXPECT_EQ(typeOf("FloatTest"), "r4");
    EXPECT_EQ(typeOf("LastFirstLen"), "int");
    EXPECT_TRUE(Contains(xml,
        "rs:basecolumn='AllNames'>\r\n\t\t\t<s:datatype dt:type='string' "
        "dt:maxLength='536870910' rs:long='true'/>"))
        << xml;

    // Values compare as their types: numbers as numbers, Yes as -1, text without case.
    xml = Export("SELECT ID, BigNumTest FROM Table1 WHERE IsRich = 0 AND BoolTest = -1 AND "
                 "DecimalTest > 0.01 AND FloatTest < 1 AND LastFirst LIKE 'user%' ORDER BY ID");
    EXPECT_TRUE(Contains(
        xml, "<rs:data>\r\n\t<z:row ID='4' BigNumTest='.0000002787019289824216980830'/>\r\n</rs:data>"))
        << xml;
    xml = Export("SELECT ID, WeeklySalary, MonthlySalary FROM Table1 WHERE ID IN (2, 3) ORDER BY ID");
    EXPECT_TRUE(Contains(xml, "<z:row ID='2' WeeklySalary='-.0192307692307692' MonthlySalary='-0.0833'/>"))
        << xml;
    EXPECT_TRUE(Contains(xml, "<z:row ID='3' WeeklySalary='.0000000000000000' MonthlySalary='0'/>")) << xml;
}

// The connection's working hook runs while a table is copied in from the Access file; a stop
// there aborts the copy, and no partial table is left for a later statement to take.
TEST_F(AccessEngine, AStopDuringATableCopyAbortsItAndLeavesNoPartialTable)
{
    TJetTestDatabase writer;
    int written = 0;
    writer.AddTable(
        { "Big", { { "ID", jtLong }, { "Name", jtText, 40 } }, {} }, [&](std::vector<TJetTestValue>& row) {
            if (written == 20000)
                return false;
            ++written;
            row = { std::to_string(written), "row " + std::to_string(written) };
            return true;
        });
    writer.SaveToFile(FTemp.File("big.mdb"));

    int calls = 0;
    FConnection.OnWorking = [&] { return ++calls == 3; };
    std::string error;
    try {
        Connect(FTemp.File("big.mdb"), "");
        Scalar("SELECT count(*) FROM Big");
    } catch (EDatabaseError const& e) {
        error = e.Message();
    }
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(Contains(error, "interrupted")) << error;

    FConnection.OnWorking = [&] { return ++calls < 0; };
    if (!FConnection.Connected())
        Connect(FTemp.File("big.mdb"), "");
    EXPECT_EQ(Scalar("SELECT count(*) FROM Big"), 20000);
    EXPECT_EQ(Scalar("SELECT max(ID) FROM Big"), 20000);
    EXPECT_GT(calls, 3) << "the copy and the statements call the hook";
}

// A primary key of one integer column is the copy's rowid, so that the export's pages are
// seeks; a key that is not unique, has a NULL or is text leaves the table as it was.
TEST_F(AccessEngine, AnIntegerPrimaryKeyIsSeekedAndOtherKeysAreNot)
{
    TJetTestDatabase writer;
    auto keyTable = [&](std::string const& name, TJetColumnType type, std::vector<TJetTestValue> const& ids,
                        bool key = true) {
        TJetTestTable t { name, { { "id", type }, { "Name", jtText, 20 } }, {} };
        t.Columns[0].PrimaryKey = key;
        t.Columns[0].AutoNumber = key && type == jtLong;
        for (TJetTestValue const& id : ids)
            t.Rows.push_back({ id, std::string("n").append(id.value_or("-")) });
        writer.AddTable(t);
    };
    // Physical order is not key order; 70 rows make three pages.
    std::vector<TJetTestValue> ids;
    for (int k = 1; k <= 70; ++k)
        ids.push_back(std::to_string((k * 37) % 71));
    keyTable("Auto", jtLong, ids);
    keyTable("Small", jtByte, ids);
    keyTable("Keyless", jtLong, ids, false);
    keyTable("Text", jtText, ids);
    std::vector<TJetTestValue> repeated = ids, nulls = ids;
    repeated[50] = repeated[10];
    nulls[40] = std::nullopt;
    keyTable("Repeated", jtInteger, repeated);
    keyTable("Nulls", jtLong, nulls);
    writer.SaveToFile(FTemp.File("keys.mdb"));
    Connect(FTemp.File("keys.mdb"), "");

    // The three statements of a paged export, their rows and where they come from.
    auto pages = [&](std::string const& table, TRowSource& source) {
        std::string sql = "select * from " + table, rows;
        for (std::string const& page : { PagingFirstStatement(sql, 30), PagingLastIdStatement(sql, 30),
                 PagingNextStatement(sql, 30, 30) }) {
            TADOQuery q(&FConnection);
            q.SetSQL(page);
            q.Open();
            source = q.RowSource();
            for (; !q.Eof(); q.Next())
                rows += q.Fields(0).AsString() + "|" + q.Fields(q.FieldCount() - 1).AsString() + " ";
            rows += "/ ";
        }
        return rows;
    };
    TRowSource source = TRowSource::Statement;
    std::string expected = pages("Keyless", source);
    EXPECT_NE(source, TRowSource::KeySeek);
    EXPECT_EQ(pages("Auto", source), expected);
    EXPECT_EQ(source, TRowSource::KeySeek);
    EXPECT_EQ(pages("Small", source), expected);
    EXPECT_EQ(source, TRowSource::KeySeek);
    EXPECT_EQ(FConnection.Materializations().Count(), 1u) << "only Keyless needed a copy";
    pages("Text", source);
    EXPECT_NE(source, TRowSource::KeySeek);

    // A damaged file's key: every row is kept, the repeated value and the NULL included.
    EXPECT_EQ(Scalar("SELECT count(*) FROM Repeated"), 70);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Repeated WHERE id = " + repeated[10].value()), 2);
    pages("Repeated", source);
    EXPECT_NE(source, TRowSource::KeySeek);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Nulls"), 70);
    EXPECT_EQ(Scalar("SELECT count(*) FROM Nulls WHERE id IS NULL AND Name = 'n-'"), 1);
    pages("Nulls", source);
    EXPECT_NE(source, TRowSource::KeySeek);
}
