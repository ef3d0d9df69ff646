#include "platform/db/access/AccessEngine.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "tests/support/JetTestDatabase.h"

#include <gtest/gtest.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {
std::string FixturePath(char const* name) { return std::string(XE_FIXTURES_DIR "/access/") + name; }

class AccessEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        xe::base::SetAnsiCodePage("UTF-8");
        RegisterAccessEngine();
    }
    void TearDown() override
    {
        SetAccessEngine(nullptr);
        xe::base::SetAnsiCodePage("");
    }

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
    EXPECT_EQ(ConnectError(file, ""), "Not a valid password.");
    EXPECT_FALSE(FConnection.Connected());
    EXPECT_EQ(ConnectError(file, "PASSWORD"), "Not a valid password.");
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

    EXPECT_EQ(ConnectError(file, "Sesame-42"), "Not a valid password.");
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
