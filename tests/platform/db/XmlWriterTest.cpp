#include "DbTestHelpers.h"

#include "platform/db/Query.h"
#include "platform/db/XmlWriter.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

using namespace xe::db;
using namespace xe::test;
using xe::base::EDatabaseError;

namespace {

class XmlWriterTest : public xe::test::ProcessStateTest {
protected:
    void Open(std::string const& schemaAndRows)
    {
        FPath = FDir.File("w.db");
        xe::base::DeleteFile(FPath);
        MakeDatabase(FPath, schemaAndRows);
        FConn.Close();
        FConn.ConnectionString = JetConnectionString(FPath);
        FConn.Open();
    }
    // Runs a statement, saves it, gives the file's bytes.
    std::string Save(std::string const& jet, std::string const& name = "out.xml")
    {
        TADOQuery q(&FConn);
        q.SetSQL(jet);
        q.Open();
        q.SaveToFile(FDir.File(name));
        return xe::base::ReadFileBytes(FDir.File(name));
    }

    xe::base::TTempDir FDir;
    std::string FPath;
    TADOConnection FConn;
};

TEST_F(XmlWriterTest, EmptyResultKeepsBothMarkersAndAShortTail)
{
    Open("CREATE TABLE t(id INTEGER NOT NULL, name VARCHAR(10))");
    std::string xml = Save("SELECT * FROM t");
    EXPECT_EQ(CountOccurrences(xml, "<rs:data>"), 1u);
    EXPECT_EQ(CountOccurrences(xml, "</rs:data>"), 1u);
    EXPECT_NE(xml.find("<rs:data>\r\n</rs:data>\r\n</xml>"), std::string::npos);
    EXPECT_LE(xml.size() - (xml.find("</rs:data>") + 10), 10u);
    EXPECT_EQ(xml.rfind("<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\r\n", 0), 0u);
    EXPECT_EQ(xml.substr(xml.size() - 6), "</xml>");
    auto parsed = ParseRowset(xml);
    ASSERT_TRUE(parsed.Parsed);
    EXPECT_EQ(parsed.AttributeNames, (std::vector<std::string> { "id", "name" }));
    EXPECT_TRUE(parsed.Rows.empty());
    // NOT NULL columns are not nullable; others are.
    EXPECT_NE(xml.find("<s:AttributeType name='id' rs:number='1' rs:maydefer='true'"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<s:AttributeType name='name' rs:number='2' rs:nullable='true'"), std::string::npos);
}

TEST_F(XmlWriterTest, TypedValuesNullsAndOneAttributeTypePerColumn)
{
    Open("CREATE TABLE t(id INTEGER PRIMARY KEY, i SMALLINT, b BIGINT, f DOUBLE, r REAL, c CURRENCY, d "
         "DECIMAL(10,2),"
         " ok BOOLEAN, dt DATETIME, g GUID, bin BLOB, s VARCHAR(5), m TEXT, x);"
         "INSERT INTO t VALUES (1, -7, 9007199254740993, 3.14159, 0.1, 1234.5, 0.5, 1, '2024-02-29 13:14:15',"
         " '01234567-89ab-cdef-0123-456789abcdef', x'00ff10', 'abc', 'memo', 12);"
         "INSERT INTO t VALUES (2, NULL, NULL, 1e300, -2, 0, -0.25, 0, '1999-12-31', NULL, NULL, NULL, NULL, "
         "NULL);");
    std::string xml = Save("SELECT * FROM t ORDER BY id");
    auto parsed = ParseRowset(xml);
    ASSERT_TRUE(parsed.Parsed) << xml;
    ASSERT_EQ(parsed.AttributeNames.size(), 14u);
    EXPECT_EQ(parsed.DataTypes["id"], "i8");
    EXPECT_EQ(parsed.DataTypes["i"], "i2");
    EXPECT_EQ(parsed.DataTypes["b"], "i8");
    EXPECT_EQ(parsed.DataTypes["f"], "float");
    EXPECT_EQ(parsed.DataTypes["c"], "number");
    EXPECT_EQ(parsed.DataTypes["ok"], "boolean");
    EXPECT_EQ(parsed.DataTypes["dt"], "dateTime");
    EXPECT_EQ(parsed.DataTypes["g"], "uuid");
    EXPECT_EQ(parsed.DataTypes["bin"], "bin.hex");
    EXPECT_EQ(parsed.DataTypes["s"], "string");
    EXPECT_EQ(parsed.DataTypes["x"], "string"); // no declared type: text, which holds anything
    ASSERT_EQ(parsed.Rows.size(), 2u);
    auto& r = parsed.Rows[0];
    EXPECT_EQ(r["id"], "1");
    EXPECT_EQ(r["i"], "-7");
    EXPECT_EQ(r["b"], "9007199254740993");
    EXPECT_EQ(r["f"], "3.1415899999999999");
    EXPECT_EQ(r["r"], "0.10000000000000001");
    EXPECT_EQ(r["c"], "1234.5");
    EXPECT_EQ(r["d"], ".50");
    EXPECT_EQ(r["ok"], "True");
    EXPECT_EQ(r["dt"], "2024-02-29T13:14:15");
    EXPECT_EQ(r["g"], "{01234567-89AB-CDEF-0123-456789ABCDEF}");
    EXPECT_EQ(r["bin"], "00ff10");
    EXPECT_EQ(r["s"], "abc");
    EXPECT_EQ(r["x"], "12");
    auto& r2 = parsed.Rows[1];
    EXPECT_EQ(r2.count("i"), 0u); // NULL: attribute omitted
    EXPECT_EQ(r2.count("s"), 0u);
    EXPECT_EQ(r2["f"], "1.0000000000000001E+300");
    EXPECT_EQ(r2["c"], "0");
    EXPECT_EQ(r2["d"], "-.25");
    EXPECT_EQ(r2["ok"], "False");
    EXPECT_EQ(r2["dt"], "1999-12-31T00:00:00");
    EXPECT_NE(xml.find("<s:datatype dt:type='number' rs:dbtype='numeric' dt:maxLength='19' rs:scale='2' "
                       "rs:precision='10' rs:fixedlength='true'/>"),
        std::string::npos);
    EXPECT_NE(xml.find("<s:datatype dt:type='string' dt:maxLength='536870910' rs:long='true'/>"),
        std::string::npos);
    EXPECT_NE(xml.find("rs:basetable='t' rs:basecolumn='id' rs:keycolumn='true'"), std::string::npos);
}

TEST_F(XmlWriterTest, EscapingControlCharactersAndChineseText)
{
    Open("CREATE TABLE t(id INTEGER, s TEXT);"
         "INSERT INTO t VALUES (1, 'a<b>&''c\"'), (2, 'tab' || char(9) || 'cr' || char(13) || 'lf' || "
         "char(10)),"
         " (3, 'bell' || char(7) || 'nul'), (4, '数据导出 ✓')");
    std::string xml = Save("SELECT * FROM t ORDER BY id");
    EXPECT_NE(xml.find("s='a&#x3c;b&#x3e;&#x26;&#x27;c&#x22;'"), std::string::npos);
    EXPECT_NE(xml.find("s='tab&#x9;cr&#xd;lf&#xa;'"), std::string::npos);
    auto parsed = ParseRowset(xml);
    ASSERT_TRUE(parsed.Parsed);
    ASSERT_EQ(parsed.Rows.size(), 4u);
    EXPECT_EQ(parsed.Rows[0]["s"], "a<b>&'c\"");
    EXPECT_EQ(parsed.Rows[1]["s"], "tab\tcr\rlf\n"); // line breaks survive a reload
    EXPECT_EQ(parsed.Rows[2]["s"], "bell\uFFFDnul"); // no XML can carry BEL
    EXPECT_EQ(parsed.Rows[3]["s"], "数据导出 ✓"); // raw UTF-8, whatever the ANSI code page
}

TEST_F(XmlWriterTest, ColumnNamesThatNeedAnAlias)
{
    Open("CREATE TABLE t(id INTEGER, \"my col\" TEXT, \"1st\" TEXT, c2 TEXT);"
         "INSERT INTO t VALUES (1, 'a', 'b', 'c')");
    std::string xml = Save("SELECT id, [my col], [1st], c2, id FROM t");
    EXPECT_NE(xml.find("<s:AttributeType name='c1' rs:name='my col' rs:number='2'"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("name='c2_' rs:name='1st' rs:number='3'"), std::string::npos) << xml;
    EXPECT_NE(xml.find("name='c4' rs:name='id' rs:number='5'"), std::string::npos) << xml;
    auto parsed = ParseRowset(xml);
    ASSERT_TRUE(parsed.Parsed);
    ASSERT_EQ(parsed.Rows.size(), 1u);
    EXPECT_EQ(parsed.Rows[0]["c1"], "a");
    EXPECT_EQ(parsed.Rows[0]["c2_"], "b");
    EXPECT_EQ(parsed.Rows[0]["c2"], "c");
    EXPECT_EQ(parsed.Rows[0]["c4"], "1");
}

TEST_F(XmlWriterTest, TypeDependsOnTheStatementNotOnThePage)
{
    // Column x has no declared type: NULL or integer on the first page, text on the second.
    Open("CREATE TABLE t(id INTEGER, x, e INTEGER);"
         "INSERT INTO t VALUES (1, NULL, 5), (2, 7, 6), (3, 'text & more', 7), (4, 2.5, 8)");
    std::string page1
        = Save("select top 2 * from (SELECT id, x, e * 2 AS twice FROM t) order by id", "p1.xml");
    std::string page2 = Save(
        "select top 2 * from (SELECT id, x, e * 2 AS twice FROM t) WHERE  id >2 order by id", "p2.xml");
    EXPECT_EQ(page1.substr(0, page1.find("<rs:data>")), page2.substr(0, page2.find("<rs:data>")));
    // Join as the export does: cut the first before "</rs:data>", append what follows "<rs:data>".
    std::string joined
        = page1.substr(0, page1.find("</rs:data>")) + page2.substr(page2.find("<rs:data>") + 9);
    auto parsed = ParseRowset(joined);
    ASSERT_TRUE(parsed.Parsed) << joined;
    EXPECT_EQ(parsed.DataTypes["x"], "string");
    EXPECT_EQ(parsed.DataTypes["twice"], "string");
    ASSERT_EQ(parsed.Rows.size(), 4u);
    EXPECT_EQ(parsed.Rows[1]["x"], "7");
    EXPECT_EQ(parsed.Rows[2]["x"], "text & more");
    EXPECT_EQ(parsed.Rows[3]["x"], "2.5");
    EXPECT_EQ(parsed.Rows[3]["twice"], "16");
}

TEST_F(XmlWriterTest, AValueThatDoesNotFitItsTypeIsAnErrorAndLeavesNoFile)
{
    Open("CREATE TABLE t(id INT4, d DATETIME, f DOUBLE);"
         "INSERT INTO t VALUES (1, '2020-01-01', 1), ('abc', 'not a date', 2), (5000000000, NULL, 3);");
    std::string out = FDir.File("bad.xml");
    xe::base::WriteFileBytes(out, "old");
    TADOQuery q(&FConn);
    q.SetSQL("SELECT id FROM t");
    q.Open();
    try {
        q.SaveToFile(out);
        FAIL();
    } catch (EDatabaseError const& e) {
        EXPECT_NE(e.Message().find("'abc' of field 'id'"), std::string::npos) << e.Message();
    }
    EXPECT_FALSE(xe::base::FileExists(out));
    q.SetSQL("SELECT id FROM t WHERE f = 3");
    q.Open();
    EXPECT_THROW(q.SaveToFile(out), EDatabaseError); // beyond 32 bits in an INT4 column
    q.SetSQL("SELECT d FROM t WHERE f = 2");
    q.Open();
    EXPECT_THROW(q.SaveToFile(out), EDatabaseError);
    q.SetSQL("SELECT f FROM t");
    q.Open();
    EXPECT_NO_THROW(q.SaveToFile(out));
}

// What SQLite files written by other programs hold: 64-bit INTEGERs, dates in SQLite's own
// forms, text an ANSI program wrote.
TEST_F(XmlWriterTest, SqliteValuesAsSqliteMeansThem)
{
    State.UseCodePage("GBK");
    Open("CREATE TABLE t(id INTEGER, d DATETIME, s TEXT);"
         "INSERT INTO t VALUES (1700000000123, 1700000000, CAST(X'C4E3BAC3' AS TEXT)),"
         "(2, 2460000.5, 'plain'), (3, '2024-02-29 10:11:12', NULL), (4, 'soon', NULL),"
         "(5, NULL, CAST(X'61FF62' AS TEXT));");
    std::string xml = Save("SELECT * FROM t WHERE id <> 4 AND id <> 5 ORDER BY id");
    EXPECT_NE(xml.find("dt:type='i8'"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<z:row id='2' d='2023-02-25T00:00:00' s='plain'/>\r\n\t<z:row id='3' "
                       "d='2024-02-29T10:11:12'/>\r\n\t<z:row id='1700000000123' d='2023-11-14T22:13:20' "
                       "s='\xE4\xBD\xA0\xE5\xA5\xBD'/>"),
        std::string::npos)
        << xml;

    // Bytes that are neither UTF-8 nor in the ANSI code page stop the run, naming the
    // column; so does a date in no form SQLite knows.
    auto error = [&](std::string const& sql) {
        try {
            Save(sql, "bad.xml");
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return std::string();
    };
    EXPECT_NE(error("SELECT s FROM t WHERE id = 5").find("field 's'"), std::string::npos);
    EXPECT_NE(error("SELECT d FROM t WHERE id = 4").find("'soon' of field 'd'"), std::string::npos);
    State.UseCodePage("UTF-8");
    EXPECT_NE(error("SELECT s FROM t WHERE id > 1000").find("field 's'"), std::string::npos);
}

TEST_F(XmlWriterTest, SaveReplacesAnExistingFileAndKeepsTheCurrentRow)
{
    Open("CREATE TABLE t(id INTEGER); INSERT INTO t VALUES (1), (2), (3)");
    std::string out = FDir.File("replace.xml");
    xe::base::WriteFileBytes(out, std::string(100000, 'x'));
    TADOQuery q(&FConn);
    q.SetSQL("SELECT id FROM t ORDER BY id");
    q.Open();
    q.Next();
    q.SaveToFile(out);
    EXPECT_EQ(q.Fields(0).AsInteger(), 2);
    auto parsed = ParseRowset(xe::base::ReadFileBytes(out));
    ASSERT_TRUE(parsed.Parsed);
    EXPECT_EQ(parsed.Rows.size(), 3u); // the whole result, not from the current row
}

TEST(XmlDeclTypeTest, DeclaredTypesMapToAdoTypes)
{
    EXPECT_EQ(ColumnInfoFromDeclType("INTEGER").Type, adBigInt);
    EXPECT_EQ(ColumnInfoFromDeclType("int").Type, adBigInt);
    EXPECT_EQ(ColumnInfoFromDeclType("INT4").Type, adInteger);
    EXPECT_EQ(ColumnInfoFromDeclType("mediumint").Type, adInteger);
    EXPECT_EQ(ColumnInfoFromDeclType("BIGINT").Type, adBigInt);
    EXPECT_EQ(ColumnInfoFromDeclType("nvarchar(40)").Type, adVarWChar);
    EXPECT_EQ(ColumnInfoFromDeclType("nvarchar(40)").Size, 40);
    EXPECT_EQ(ColumnInfoFromDeclType("CHAR(4)").Type, adWChar);
    EXPECT_EQ(ColumnInfoFromDeclType("TEXT").Type, adLongVarWChar);
    EXPECT_EQ(ColumnInfoFromDeclType("FLOAT").Type, adDouble);
    EXPECT_EQ(ColumnInfoFromDeclType("numeric").Type, adDouble);
    EXPECT_EQ(ColumnInfoFromDeclType("date").Type, adDate);
    EXPECT_EQ(ColumnInfoFromDeclType("BLOB").Type, adLongVarBinary);
    EXPECT_EQ(ColumnInfoFromDeclType("JSON").Type, adLongVarWChar);
    EXPECT_EQ(ColumnInfoFromDeclType("").Type, adLongVarWChar);
}

} // namespace
