// Saved queries, linked tables, Jet's expression rules and unread columns, through the
// connection as a statement meets them.
#include "platform/db/access/SavedQueries.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/db/access/AccessEngine.h"
#include "tests/support/JetObjectFixtures.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {

class AccessObjects : public xe::test::ProcessStateTest {
protected:
    void SetUp() override
    {
        State.UseCodePage("UTF-8");
        RegisterAccessEngine();
        FFile = WriteJetObjectFixtures(FTemp.Path());
        FConnection.ConnectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + FFile + ";";
        FConnection.Open();
    }
    void TearDown() override { SetAccessEngine(nullptr); }

    std::string Xml(std::string const& sql)
    {
        TADOQuery query(&FConnection);
        query.SetSQL(sql);
        query.Open();
        return query.XmlText();
    }
    // The rows of the result as the XML writes them.
    std::string Data(std::string const& sql)
    {
        std::string xml = Xml(sql);
        size_t begin = xml.find("<rs:data>"), end = xml.find("</rs:data>");
        return xml.substr(begin, end - begin);
    }
    std::string Error(std::string const& sql)
    {
        try {
            Xml(sql);
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return "(no error)";
    }

    xe::base::TTempDir FTemp;
    std::string FFile;
    TADOConnection FConnection;
};

bool Contains(std::string const& text, std::string const& part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(AccessObjects, SavedSelectQueriesGiveTheRowsOfTheirText)
{
    for (auto const& [name, sql] : JetSavedSelectQueries()) {
        std::string viaQuery = Data("SELECT * FROM [" + name + "]");
        EXPECT_EQ(viaQuery, Data(sql)) << name;
        EXPECT_TRUE(Contains(viaQuery, "<z:row")) << name;
    }
    EXPECT_EQ(Data("SELECT * FROM [Active customers]"),
        "<rs:data>\r\n\t<z:row ID='1' Name='Ann' City='Oslo'/>\r\n\t<z:row ID='3' Name='Cy' City='Oslo'/>\r\n"
        "\t<z:row ID='4' Name='Di' City='Nice'/>\r\n");
    EXPECT_EQ(Data("SELECT * FROM [Customer orders]"),
        "<rs:data>\r\n\t<z:row Name='Ann' OrderID='10'/>\r\n\t<z:row Name='Ann' OrderID='11'/>\r\n"
        "\t<z:row Name='Bob' OrderID='14'/>\r\n\t<z:row Name='Cy'/>\r\n\t<z:row Name='Di' "
        "OrderID='13'/>\r\n");
    EXPECT_EQ(Data("SELECT * FROM [Active totals]"),
        "<rs:data>\r\n\t<z:row ID='3' Name='Cy' Total='300'/>\r\n\t<z:row ID='1' Name='Ann' "
        "Total='170.5'/>\r\n\t<z:row ID='4' Name='Di' Total='99.99'/>\r\n");
    EXPECT_EQ(Data("SELECT * FROM [All names]"),
        "<rs:data>\r\n\t<z:row Name='Ann'/>\r\n\t<z:row Name='Bob'/>\r\n\t<z:row Name='Cy'/>\r\n"
        "\t<z:row Name='Di'/>\r\n\t<z:row Name='Eve'/>\r\n");
    EXPECT_TRUE(Contains(Data("SELECT OrderID FROM [Top orders]"),
        "<rs:data>\r\n\t<z:row OrderID='14'/>\r\n\t<z:row OrderID='12'/>\r\n"));
    // A query joined with a table, as a statement names it; the columns keep their Access types.
    std::string xml = Xml("SELECT o.OrderID, t.Total FROM Orders AS o INNER JOIN [Order totals] AS t ON "
                          "o.CustomerID = t.CustomerID WHERE o.OrderID = 12");
    EXPECT_TRUE(Contains(xml, "<z:row OrderID='12' Total='300'/>")) << xml;
    EXPECT_TRUE(Contains(xml, "rs:basetable='Orders' rs:basecolumn='OrderID'")) << xml;
}

TEST_F(AccessObjects, QueriesThatAreNotRunAreRefusedByName)
{
    EXPECT_EQ(Error("SELECT * FROM [Orders since]"),
        "No value given for one or more required parameters. (The saved query 'Orders since' asks for the "
        "parameter 'Start date'.)");
    EXPECT_TRUE(Contains(Error("SELECT * FROM [Typo query]"), "asks for the parameter 'Nmae'"));
    EXPECT_TRUE(Contains(
        Error("SELECT * FROM [Over typo]"), "The saved query 'Typo query' asks for the parameter 'Nmae'"));
    EXPECT_EQ(Error("SELECT * FROM [Delete old]"),
        "The statement names the saved query 'Delete old', which is an action query (delete); action queries "
        "are never run.");
    EXPECT_TRUE(Contains(Error("SELECT * FROM [Add orders]"), "action query (append)"));
    EXPECT_EQ(Error("SELECT * FROM [Loop one]"), "Circular reference caused by the saved query 'Loop one'.");
    EXPECT_TRUE(Contains(Error("SELECT * FROM [Sales by city]"), "crosstab queries are not supported"));
    EXPECT_TRUE(
        Contains(Error("TRANSFORM Sum(Amount) SELECT CustomerID FROM Orders GROUP BY CustomerID PIVOT Qty"),
            "crosstab queries are not supported"));
    // The refusals leave the connection usable, and nothing of a refused query behind.
    EXPECT_TRUE(Contains(Data("SELECT count(*) AS n FROM Orders"), "n='5'"));
    EXPECT_TRUE(Contains(Error("SELECT * FROM [Delete old]"), "action query (delete)"));
}

TEST_F(AccessObjects, LinkedTablesAreReadFromTheLinkedFile)
{
    std::string const prices
        = "<rs:data>\r\n\t<z:row ID='1' Price='2.5'/>\r\n\t<z:row ID='2' Price='4'/>\r\n";
    EXPECT_EQ(Data("SELECT * FROM [Prices here] ORDER BY ID"), prices);
    EXPECT_EQ(Data("SELECT * FROM [Prices win] ORDER BY ID"), prices);
    EXPECT_EQ(Data("SELECT * FROM [Prices unc] ORDER BY ID"), prices);
    EXPECT_EQ(Data("SELECT * FROM [Prices sub]"), "<rs:data>\r\n\t<z:row ID='7' Price='70'/>\r\n");
    EXPECT_TRUE(
        Contains(Xml("SELECT Price FROM [Prices here]"), "rs:basetable='Prices here' rs:basecolumn='Price'"));

    std::string gone = Error("SELECT * FROM Gone");
    EXPECT_TRUE(Contains(gone, "Could not find file 'C:\\data\\missing.mdb'")) << gone;
    EXPECT_TRUE(Contains(gone, "'" + FFile + "'")) << gone;
    std::string sheet = Error("SELECT * FROM Sheet");
    EXPECT_TRUE(Contains(sheet, "linked table 'Sheet', which is linked to Excel 8.0 data")) << sheet;
    std::string odbc = Error("SELECT * FROM [Odbc table]");
    EXPECT_TRUE(Contains(odbc, "linked table 'Odbc table', which is linked to ODBC data")) << odbc;
    EXPECT_FALSE(Contains(odbc, "secret")) << odbc;
}

TEST(LinkedFilePath, RelativeAndForeignPaths)
{
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "b.mdb"), "/d/b.mdb");
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "..\\x\\b.mdb"), "/d/../x/b.mdb");
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "c:\\data\\b.mdb"), "/d/b.mdb");
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "\\\\server\\share\\b.mdb"), "/d/b.mdb");
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "/nowhere/b.mdb"), "/d/b.mdb");
    EXPECT_EQ(LinkedFilePath("main.mdb", "b.mdb"), "b.mdb");
    EXPECT_EQ(LinkedFilePath("/d/main.mdb", "D:b.mdb"), "/d/b.mdb");
}

TEST_F(AccessObjects, JetsRulesForExpressions)
{
    EXPECT_EQ(Error("select [Owner], Sum([Cost]) from [Asset Items]"),
        "You tried to execute a query that does not include the specified expression 'Owner' as part of an "
        "aggregate function.");
    EXPECT_TRUE(Contains(Error("select Owner, Cost, Sum(Cost) from [Asset Items] group by Owner"), "'Cost'"));
    EXPECT_TRUE(
        Contains(Error("select count(*) from (select Owner, Max(Cost) from [Asset Items])"), "'Owner'"));
    EXPECT_EQ(
        Error("select * from [Asset Items] group by Owner"), "Cannot group on fields selected with '*'.");
    EXPECT_EQ(
        Error("select [Asset Items].Owner, Sum(Cost) from [Asset Items] group by Owner having Count(*) > 1"),
        "(no error)");
    EXPECT_EQ(
        Error("select Owner & '!', Sum(Cost) * 2 from [Asset Items] group by Owner & '!'"), "(no error)");

    // Computed columns without an alias are Expr1000, Expr1001, ... and typed as Jet types them.
    std::string xml = Xml("select Owner, Sum(Cost), Count(*) AS n, Max(Owner), Cost * 2 from [Asset Items] "
                          "group by Owner, Cost order by Owner, Cost");
    for (char const* part : {
             "<s:AttributeType name='Expr1000' rs:number='2' rs:nullable='true'",
             "<s:AttributeType name='Expr1001' rs:number='4' rs:nullable='true'",
             "<s:AttributeType name='Expr1002' rs:number='5' rs:nullable='true'",
             "<z:row Owner='Ann' Expr1000='1.5' n='1' Expr1001='Ann' Expr1002='3'/>",
         })
        EXPECT_TRUE(Contains(xml, part)) << part << "\n" << xml;
    size_t at = xml.find("name='Expr1000'");
    EXPECT_TRUE(Contains(xml.substr(at, 300), "dt:type='float'")) << xml;
    at = xml.find("name='n'");
    EXPECT_TRUE(Contains(xml.substr(at, 300), "dt:type='int'")) << xml;
    at = xml.find("name='Expr1001'");
    EXPECT_TRUE(Contains(xml.substr(at, 300), "dt:type='string' dt:maxLength='20'")) << xml;
    // Through a derived table, as the export wraps every statement, and through a saved query.
    xml = Xml(
        "select top 30 * from (select Owner, Sum(Cost) from [Asset Items] group by Owner) order by Owner");
    EXPECT_TRUE(Contains(xml,
        "<s:AttributeType name='Expr1000' rs:number='2' rs:nullable='true' rs:maydefer='true' "
        "rs:writeunknown='true'>\r\n\t\t\t<s:datatype dt:type='float'"))
        << xml;
    xml = Xml("select * from [Order totals]");
    EXPECT_TRUE(Contains(xml,
        "<s:AttributeType name='Total' rs:number='2' rs:nullable='true' rs:maydefer='true' "
        "rs:writeunknown='true'>\r\n\t\t\t<s:datatype dt:type='number' rs:dbtype='currency'"))
        << xml;
    xml = Xml("select Sum(Amount), 7 from Orders");
    EXPECT_TRUE(Contains(xml, "rs:dbtype='currency'")) << xml;
    EXPECT_TRUE(Contains(xml, "<z:row Expr1000='1070.49' Expr1001='7'/>")) << xml;
}

TEST_F(AccessObjects, AttachmentColumnsAreReadOnlyWhenNotNamed)
{
    EXPECT_EQ(Data("select ID, Name from Attach order by ID"),
        "<rs:data>\r\n\t<z:row ID='1' Name='a'/>\r\n\t<z:row ID='2' Name='b'/>\r\n");
    EXPECT_EQ(Data("select count(*) AS n from Attach where Name = 'b'"), "<rs:data>\r\n\t<z:row n='1'/>\r\n");
    for (char const* sql :
        { "select * from Attach", "select ID, Files from Attach", "select a.* from Attach a" })
        EXPECT_EQ(Error(sql),
            "The column 'Files' of table 'Attach' is an attachment or multi-valued field, which this engine "
            "cannot read.")
            << sql;
}
