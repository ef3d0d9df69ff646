#include "platform/db/access/AccessDatabase.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AceCrypto.h"
#include "tests/support/JetTestEncryption.h"
#include "tests/support/ProcessState.h"
#include "tools/jetdemo/JetTestDatabase.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <random>
#include <sqlite3.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {
std::string FixturePath(char const* name) { return std::string(XE_FIXTURES_DIR "/access/") + name; }

// A private SQLite database like the one the connection gives the engine.
class TScratch {
public:
    TScratch() { sqlite3_open("", &FDb); }
    ~TScratch() { sqlite3_close(FDb); }
    sqlite3* Db() const { return FDb; }

    // The rows of a query, each value as text ("NULL" for NULL, "x'..'" for blobs), joined by |.
    std::vector<std::string> Rows(std::string const& sql) const
    {
        std::vector<std::string> rows;
        sqlite3_stmt* s = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(FDb, sql.c_str(), -1, &s, nullptr), SQLITE_OK) << sqlite3_errmsg(FDb);
        while (s && sqlite3_step(s) == SQLITE_ROW) {
            std::string row;
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                if (i)
                    row += "|";
                switch (sqlite3_column_type(s, i)) {
                case SQLITE_NULL:
                    row += "NULL";
                    break;
                case SQLITE_BLOB: {
                    auto const* b = static_cast<unsigned char const*>(sqlite3_column_blob(s, i));
                    row += "x'";
                    for (int k = 0; k < sqlite3_column_bytes(s, i); ++k)
                        row += xe::base::Format("%02x", b[k]);
                    row += "'";
                    break;
                }
                default:
                    row += reinterpret_cast<char const*>(sqlite3_column_text(s, i));
                }
            }
            rows.push_back(row);
        }
        sqlite3_finalize(s);
        return rows;
    }

private:
    sqlite3* FDb = nullptr;
};

std::string OpenError(std::string const& file, std::string const& password)
{
    try {
        TAccessDatabase db(file, password);
    } catch (EDatabaseError const& e) {
        return e.Message();
    }
    return "";
}

using Rows = std::vector<std::string>;
}

TEST(AccessDatabase, PasswordFixtureOpensOnlyWithTheExactPassword)
{
    std::string file = FixturePath("jet4_password.mdb");
    std::string before = xe::base::ReadFileBytes(file);
    EXPECT_EQ(OpenError(file, ""), "Not a valid password.");
    EXPECT_EQ(OpenError(file, "wrong"), "Not a valid password.");
    EXPECT_EQ(OpenError(file, "Password"), "Not a valid password.");

    TAccessDatabase db(file, "password");
    EXPECT_EQ(db.TableNames(), std::vector<std::string> { "Table1" });
    TScratch scratch;
    TAccessTable t = db.LoadTable(scratch.Db(), "TABLE1");
    EXPECT_EQ(t.Name, "Table1");
    EXPECT_EQ(t.RowCount, 3);
    ASSERT_EQ(t.Columns.size(), 2u);
    EXPECT_EQ(t.Columns[0].Name, "ID");
    EXPECT_EQ(t.Columns[0].Type, jtLong);
    EXPECT_TRUE(t.Columns[0].AutoNumber);
    EXPECT_TRUE(t.Columns[0].PrimaryKey);
    EXPECT_FALSE(t.Columns[1].PrimaryKey);
    EXPECT_FALSE(t.Columns[0].Nullable);
    EXPECT_EQ(t.Columns[1].Name, "Data");
    EXPECT_EQ(t.Columns[1].Type, jtText);
    EXPECT_EQ(t.Columns[1].Size, 255);
    EXPECT_TRUE(t.Columns[1].Nullable);
    EXPECT_EQ(scratch.Rows("SELECT * FROM Table1 ORDER BY ID"), (Rows { "1|One", "2|Two", "3|Three" }));
    EXPECT_EQ(xe::base::ReadFileBytes(file), before);
}

TEST(AccessDatabase, Jet3TableValues)
{
    TAccessDatabase db(FixturePath("jet3_types.mdb"), "any");
    TScratch scratch;
    TAccessTable t = db.LoadTable(scratch.Db(), "Table1");
    ASSERT_EQ(t.Columns.size(), 9u);
    TJetColumnType types[]
        = { jtText, jtText, jtByte, jtInteger, jtLong, jtDouble, jtDateTime, jtCurrency, jtBoolean };
    for (size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(t.Columns[i].Name, std::string(1, char('A' + i)));
        EXPECT_EQ(t.Columns[i].Type, types[i]) << i;
    }
    EXPECT_EQ(t.Columns[0].Size, 50);
    EXPECT_EQ(t.Columns[1].Size, 100);
    EXPECT_FALSE(t.Columns[8].Nullable);
    EXPECT_EQ(scratch.Rows("SELECT * FROM Table1"),
        (Rows { "a|b|0|0|0|0.0|1981-12-12 00:00:00|0.0|0",
            "abcdefg|hijklmnop|2|222|333333333|444.555|1974-09-21 00:00:00|3.5|-1" }));
    EXPECT_EQ(scratch.Rows("SELECT typeof(F), typeof(H), typeof(G) FROM Table1 LIMIT 1"),
        (Rows { "real|real|text" }));

    TAccessTable guids = db.LoadTable(scratch.Db(), "Table4");
    EXPECT_EQ(guids.Columns[1].Type, jtGuid);
    EXPECT_EQ(guids.RowCount, 0);
    EXPECT_EQ(db.LoadTable(scratch.Db(), "Table2").Columns.size(), 89u);
}

// A Jet 3 file of GBK text whose header says 1252: read as the header says, or in the code
// page XMLEXPORT_JET3_CODEPAGE names.
TEST(AccessDatabase, Jet3CodePageCanBeOverridden)
{
    xe::base::TTempDir temp;
    std::string bytes = xe::base::ReadFileBytes(FixturePath("jet3_types.mdb"));
    size_t at = bytes.find("abcdefg");
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 2, "\xC4\xE3"); // 你 in GBK
    std::string file = temp.File("gbk97.mdb");
    xe::base::WriteFileBytes(file, bytes);
    auto firstText = [&] {
        TAccessDatabase db(file, "");
        TScratch scratch;
        db.LoadTable(scratch.Db(), "Table1");
        return scratch.Rows("SELECT A FROM Table1 WHERE C = 2");
    };
    EXPECT_EQ(firstText(), (Rows { "\u00C4\u00E3cdefg" }));
    xe::test::TProcessState state;
    state.SetEnvironment("XMLEXPORT_JET3_CODEPAGE", "936");
    EXPECT_EQ(firstText(), (Rows { "你cdefg" }));
}

TEST(AccessDatabase, EncodedJet4File)
{
    TAccessDatabase db(FixturePath("jet4_rc4_encoded.mdb"), "");
    TScratch scratch;
    db.LoadTable(scratch.Db(), "Table1");
    EXPECT_EQ(
        scratch.Rows("SELECT ID, col1, col2 FROM Table1 ORDER BY ID"), (Rows { "1|hello|0", "2|world|42" }));
}

TEST(AccessDatabase, EncryptedAceIsDecryptedInMemory)
{
    std::string file = FixturePath("ace14_agile_password.accdb");
    std::string before = xe::base::ReadFileBytes(file);
    EXPECT_EQ(OpenError(file, "wrong"), "Not a valid password.");
    EXPECT_EQ(OpenError(file, ""), "Not a valid password.");
    EXPECT_EQ(OpenError(file, "Password"), "Not a valid password.");
    TAccessDatabase db(file, "password");
    EXPECT_EQ(db.Header().Version, 3);
    TScratch scratch;
    TAccessTable t = db.LoadTable(scratch.Db(), "Table1");
    ASSERT_EQ(t.Columns.size(), 2u);
    EXPECT_EQ(scratch.Rows("SELECT * FROM Table1 ORDER BY 1"), (Rows { "1|One", "2|Two", "3|Three" }));
    EXPECT_EQ(xe::base::ReadFileBytes(file), before);

    // Other kinds of encryption are named, not misread.
    std::string other = before;
    other[0x29B + 2] = 3; // version 4.3, extensible encryption
    xe::base::TTempDir temp;
    xe::base::WriteFileBytes(temp.File("other.accdb"), other);
    std::string error = OpenError(temp.File("other.accdb"), "password");
    EXPECT_NE(
        error.find("encryption not supported: an unknown method (EncryptionInfo 4.3)"), std::string::npos)
        << error;
    // Standard encryption: CryptoAPI naming AES (version 3.2, flags fCryptoAPI | fAES).
    other = before;
    other.replace(0x29B, 8, std::string("\x03\x00\x02\x00\x24\x00\x00\x00", 8));
    xe::base::WriteFileBytes(temp.File("aes.accdb"), other);
    error = OpenError(temp.File("aes.accdb"), "wrong");
    EXPECT_NE(error.find("encryption not supported: CryptoAPI AES (EncryptionInfo 3.2)"), std::string::npos)
        << error;
}

namespace {
TJetTestTable EveryType()
{
    TJetTestTable t;
    t.Name = "Typen Ü";
    t.Columns = {
        { "ID", jtLong, 0, 0, 0, true },
        { "Flag", jtBoolean },
        { "Small", jtByte },
        { "Int", jtInteger },
        { "Price", jtCurrency },
        { "Ratio", jtSingle },
        { "Amount", jtDouble },
        { "When", jtDateTime },
        { "Name", jtText, 50 },
        { "Raw", jtBinary, 20 },
        { "Notes", jtMemo },
        { "Blob", jtOle },
        { "Key", jtGuid },
        { "Dec", jtNumeric, 0, 18, 4 },
    };
    using V = TJetTestValue;
    std::string binary("\x00\x01\xFF\x00", 4);
    t.Rows = {
        { V("1"), V("1"), V("255"), V("-32768"), V("123456789.1234"), V("1.125"), V("3.1415899999999999"),
            V("1898-01-01 13:14:15"), V("Zoë №3"), V(binary), V("line1\r\nline2 数据"),
            V(std::string("\x00\x7F", 2)), V("{01234567-89AB-CDEF-0123-456789ABCDEF}"), V("-12345.6789") },
        { V("2"), V("0"), V("0"), V("0"), V("0"), V("0"), V("0"), V("1899-12-30 00:00:00"), V(""), V(""),
            V(""), V(""), V("{00000000-0000-0000-0000-000000000000}"), V("0") },
        { V("3"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
            std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
            std::nullopt },
        { V("4"), V("1"), V("7"), V("32767"), V("-7.89"), V("-2.5"), V("1e300"), V("9999-12-31 23:59:59"),
            V("\xF0\x9F\x98\x80 一丁"), V("abc"), V(std::string(1500, 'm')), V(std::string(1000, '\0')),
            V("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"), V("99999999999999.9999") },
    };
    return t;
}
}

TEST(AccessDatabase, GeneratedDatabaseWithEveryColumnType)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    xe::base::TTempDir temp;
    TJetTestDatabase writer;
    writer.AddTable(EveryType());
    writer.SetPassword(u"Sésame-42");
    std::string file = temp.File("every.mdb");
    writer.SaveToFile(file);

    EXPECT_EQ(OpenError(file, "sésame-42"), "Not a valid password.");
    TAccessDatabase db(file, "Sésame-42");
    EXPECT_EQ(db.TableNames(), std::vector<std::string> { "Typen Ü" });
    TScratch scratch;
    TAccessTable t = db.LoadTable(scratch.Db(), "typen ü");
    EXPECT_EQ(t.RowCount, 4);
    EXPECT_EQ(t.Columns[13].Precision, 18);
    EXPECT_EQ(t.Columns[13].Scale, 4);
    EXPECT_EQ(t.Columns[8].Size, 50);
    EXPECT_EQ(t.Columns[9].Size, 20);
    EXPECT_TRUE(t.Columns[0].AutoNumber);

    EXPECT_EQ(scratch.Rows("SELECT ID, Flag, Small, Int, Price, Ratio, Amount, \"When\", Name, Raw, "
                           "Notes, Key, Dec FROM \"Typen Ü\" WHERE ID < 4 ORDER BY ID"),
        (Rows {
            "1|-1|255|-32768|123456789.1234|1.125|3.14159|1898-01-01 13:14:15|Zoë "
            "№3|x'0001ff00'|line1\r\nline2 "
            "数据|{01234567-89AB-CDEF-0123-456789ABCDEF}|-12345.6789",
            "2|0|0|0|0.0|0.0|0.0|1899-12-30 00:00:00||x''||{00000000-0000-0000-0000-000000000000}|0.0",
            "3|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL",
        }));
    // Empty strings and blobs stay empty, not NULL.
    EXPECT_EQ(
        scratch.Rows(
            "SELECT typeof(Name), typeof(Raw), typeof(Notes), typeof(Blob) FROM \"Typen Ü\" WHERE ID = 2"),
        (Rows { "text|blob|text|blob" }));
    EXPECT_EQ(scratch.Rows(
                  "SELECT Name, length(Notes), length(Blob), Amount, \"When\" FROM \"Typen Ü\" WHERE ID = 4"),
        (Rows { "\xF0\x9F\x98\x80 一丁|1500|1000|1.0e+300|9999-12-31 23:59:59" }));
    EXPECT_EQ(scratch.Rows("SELECT hex(Blob) FROM \"Typen Ü\" WHERE ID = 1"), (Rows { "007F" }));
}

// The copy reuses one text buffer a column from row to row and binds it without a copy: each
// row must keep its own values, with several long values of a row gathered from other pages,
// and exact Currency values must stay exact on either side of the doubles' range. An .accdb
// of the same rows copies the same.
TEST(AccessDatabase, CopiedRowsKeepTheirOwnValues)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    xe::base::TTempDir temp;
    TJetTestTable t { "Rows",
        { { "ID", jtLong }, { "A", jtText, 60 }, { "B", jtText, 60 }, { "M1", jtMemo }, { "M2", jtMemo },
            { "O1", jtOle }, { "O2", jtOle }, { "Price", jtCurrency }, { "At", jtDateTime } },
        {
            { "1", "a longer first value 数据", "\xF0\x9F\x98\x80", std::string(3000, 'p'),
                std::string(2500, 'q'), std::string(2200, '\x01'), std::string(2100, '\x02'),
                "3518437208.8831", "2024-02-29 23:59:59" },
            { "2", "b", "", "m1", std::string(2600, 'r'), "o", std::string(2300, '\x03'),
                "1234567890123.4567", "1900-01-01" },
            { "3", std::nullopt, "c", std::nullopt, "m2", std::nullopt, "x", "-922337203685477.5808",
                std::nullopt },
            { "4", "d", std::nullopt, "", std::nullopt, "", std::nullopt, "-0.0001", "1899-12-29 06:00:00" },
        } };
    TJetTestDatabase writer;
    writer.AddTable(t);
    writer.SaveToFile(temp.File("rows.mdb"));
    writer.SetAceVersion(3);
    writer.SaveToFile(temp.File("rows.accdb"));

    Rows expected {
        "1|a longer first value 数据|\xF0\x9F\x98\x80|p3000|q2500|0101:2200|0202:2100|real:3518437208.8831|"
        "2024-02-29 23:59:59",
        "2|b||m1|r2600|6F6F:1|0303:2300|text:1234567890123.4567|1900-01-01 00:00:00",
        "3|NULL|c|NULL|m2|NULL|7878:1|text:-922337203685477.5808|NULL",
        "4|d|NULL||NULL|:0|NULL|real:-0.0001|1899-12-29 06:00:00",
    };
    for (char const* name : { "rows.mdb", "rows.accdb" }) {
        TAccessDatabase db(temp.File(name), "");
        EXPECT_EQ(db.Header().IsAce(), std::string(name) == "rows.accdb");
        TScratch scratch;
        EXPECT_EQ(db.LoadTable(scratch.Db(), "Rows").RowCount, 4);
        EXPECT_EQ(
            scratch.Rows("SELECT ID, A, B, CASE WHEN length(M1) > 100 THEN substr(M1, 1, 1) || "
                         "length(M1) ELSE M1 END, CASE WHEN length(M2) > 100 THEN substr(M2, 1, 1) || "
                         "length(M2) ELSE M2 END, hex(substr(O1, 1, 1)) || hex(substr(O1, -1)) || ':' || "
                         "length(O1), hex(substr(O2, 1, 1)) || hex(substr(O2, -1)) || ':' || length(O2), "
                         "typeof(Price) || ':' || Price, At FROM Rows ORDER BY ID"),
            expected)
            << name;
    }
}

TEST(AccessDatabase, ObjectsThatCannotBeReadAreNamed)
{
    xe::base::TTempDir temp;
    TJetTestDatabase writer;
    writer.AddTable({ "Plain", { { "A", jtLong } }, { { "1" } } });
    writer.AddTable({ "Attach", { { "A", jtLong }, { "Files", jtComplex } }, { { "1", "7" } } });
    writer.AddTable({ "Calc", { { "A", jtLong }, { "Total", jtMemo, 0, 0, 0, false, true } }, {} });
    writer.AddTable({ "Odd", { { "A", jtLong }, { "X", jtDouble } }, { { "1", "nan" } } });
    writer.AddCatalogObject("Saved Query", 5);
    writer.AddCatalogObject("Remote", 6);
    std::string file = temp.File("objects.mdb");
    writer.SaveToFile(file);

    TAccessDatabase db(file, "");
    EXPECT_EQ(db.FindObject("saved query"), TAccessDatabase::TObjectKind::Query);
    EXPECT_EQ(db.FindObject("REMOTE"), TAccessDatabase::TObjectKind::LinkedTable);
    EXPECT_EQ(db.FindObject("plain"), TAccessDatabase::TObjectKind::Table);
    EXPECT_EQ(db.FindObject("nothing"), TAccessDatabase::TObjectKind::None);
    TScratch scratch;
    auto loadError = [&](char const* name) {
        try {
            db.LoadTable(scratch.Db(), name);
        } catch (EDatabaseError const& e) {
            return e.Message();
        }
        return std::string();
    };
    EXPECT_EQ(loadError("Plain"), "");
    EXPECT_NE(loadError("Saved Query").find("saved query 'Saved Query'"), std::string::npos);
    EXPECT_NE(loadError("Remote").find("linked table 'Remote'"), std::string::npos);
    // An attachment or multi-valued column is copied empty and listed with its type, for the
    // engine to refuse where a statement reads it.
    EXPECT_EQ(loadError("Attach"), "");
    EXPECT_EQ(scratch.Rows("SELECT A, Files IS NULL FROM Attach"), (Rows { "1|1" }));
    EXPECT_EQ(loadError("Calc"), ""); // a calculated memo is read like the other results
    EXPECT_NE(loadError("Odd").find("'X' of table 'Odd' holds a value that is not a finite number"),
        std::string::npos);
    // A load that fails leaves no table behind that a later statement would read as empty.
    EXPECT_EQ(scratch.Rows("SELECT count(*) FROM sqlite_master WHERE name = 'Odd'"), (Rows { "0" }));
    EXPECT_NE(loadError("Nothing").find("cannot find the input table or query 'Nothing'"), std::string::npos);
}

// Calculated columns of every result type, as Access 2010 writes them (type bytes that are
// not the result's for Yes/No, Single and Memo) and as later versions do: each read from its
// stored result and typed by its ResultType property.
TEST(AccessDatabase, CalculatedColumnsOfEveryResultType)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    xe::base::TTempDir temp;
    auto calc = [](char const* name, TJetColumnType type, int rawType = 0) {
        TJetTestColumn c { name, type, 30, 18, type == jtNumeric ? 4 : 0 };
        c.Calculated = true;
        c.RawType = rawType;
        return c;
    };
    TJetTestTable t { "Calc",
        { { "ID", jtLong }, calc("CText", jtText), calc("CMemo", jtMemo, jtText), calc("CByte", jtByte),
            calc("CInt", jtInteger), calc("CLong", jtLong), calc("CSingle", jtSingle, jtNumeric),
            calc("CDouble", jtDouble), calc("CMoney", jtCurrency), calc("CDate", jtDateTime),
            calc("CYesNo", jtBoolean, jtInteger), calc("CDec", jtNumeric), calc("CGuid", jtGuid) },
        {} };
    using V = TJetTestValue;
    std::string memo = std::string(2500, 'm') + " 数据";
    t.Rows = {
        { V("1"), V("Zoë"), V(memo), V("255"), V("-32768"), V("123456"), V("1.5"), V("3.25"), V("12.34"),
            V("1898-01-01 13:14:15"), V("1"), V("-12345.6789"), V("{01234567-89AB-CDEF-0123-456789ABCDEF}") },
        { V("2"), V(""), V(""), V("0"), V("0"), V("0"), V("0"), V("0"), V("0"), V("1899-12-30"), V("0"),
            V("0"), V("{00000000-0000-0000-0000-000000000000}") },
        { V("3"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
            std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt },
    };
    TJetTestDatabase writer;
    writer.AddTable(t);
    std::string file = temp.File("calc.mdb");
    writer.SaveToFile(file);

    TAccessDatabase db(file, "");
    TScratch scratch;
    TAccessTable table = db.LoadTable(scratch.Db(), "Calc");
    std::vector<TJetColumnType> types;
    for (auto const& c : table.Columns)
        types.push_back(c.Type);
    EXPECT_EQ(types,
        (std::vector<TJetColumnType> { jtLong, jtText, jtMemo, jtByte, jtInteger, jtLong, jtSingle, jtDouble,
            jtCurrency, jtDateTime, jtBoolean, jtNumeric, jtGuid }));
    EXPECT_EQ(table.Columns[1].Size, 30);
    EXPECT_EQ(table.Columns[11].Scale, 4);
    EXPECT_TRUE(table.Columns[10].Nullable);
    EXPECT_EQ(
        scratch.Rows("SELECT ID, CText, length(CMemo), substr(CMemo, 2500), CByte, CInt, CLong, CSingle, "
                     "CDouble, CMoney, CDate, CYesNo, CDec, CGuid FROM Calc ORDER BY ID"),
        (Rows {
            "1|Zoë|2503|m 数据|255|-32768|123456|1.5|3.25|12.34|1898-01-01 13:14:15|-1|-12345.6789|"
            "{01234567-89AB-CDEF-0123-456789ABCDEF}",
            "2||0||0|0|0|0.0|0.0|0.0|1899-12-30 00:00:00|0|0.0|{00000000-0000-0000-0000-000000000000}",
            "3|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL",
        }));
    EXPECT_EQ(scratch.Rows("SELECT typeof(CText), typeof(CMemo), typeof(CSingle), typeof(CDec) FROM Calc "
                           "WHERE ID = 2"),
        (Rows { "text|text|real|real" }));
}

TEST(AccessDatabase, DamagedFilesGiveErrorsNotCrashes)
{
    // Seeded random damage to the structural pages (table definitions, maps, data and
    // catalog pages) of a generated file: every attempt either reads or raises
    // EDatabaseError. Run under the sanitizers to catch reads outside buffers.
    xe::base::TTempDir temp;
    TJetTestDatabase writer;
    writer.AddTable(EveryType());
    writer.AddTable({ "Second", { { "A", jtLong, 0, 0, 0, false, false, true }, { "B", jtText, 10 } },
        { { "1", "x" }, { "2", std::nullopt } } });
    std::string original = writer.Bytes();
    std::vector<size_t> pages;
    for (size_t p = 1; p < original.size() / 4096; ++p)
        if (original[p * 4096] == 1 || original[p * 4096] == 2)
            pages.push_back(p);
    uint32_t seed = 12345;
    auto next = [&]() { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    std::string file = temp.File("damaged.mdb");
    int read = 0, refused = 0;
    for (int round = 0; round < 300; ++round) {
        std::string bytes = original;
        for (int k = 0, n = 1 + int(next() % 6); k < n; ++k) {
            size_t page = pages[next() % pages.size()];
            size_t at = page * 4096 + (next() % 2 ? next() % 96 : next() % 4096);
            static char const values[] = { 0, 1, 2, '\x7F', '\x80', '\xFF' };
            bytes[at] = next() % 2 ? char(next()) : values[next() % 6];
        }
        xe::base::WriteFileBytes(file, bytes);
        try {
            TAccessDatabase db(file, "");
            TScratch scratch;
            for (std::string const& name : db.TableNames()) {
                try {
                    db.LoadTable(scratch.Db(), name);
                } catch (EDatabaseError const&) {
                }
            }
            ++read;
        } catch (EDatabaseError const&) {
            ++refused;
        }
    }
    EXPECT_EQ(read + refused, 300);
    EXPECT_GT(refused, 0); // some damage must have been noticed
}

TEST(AccessDatabase, LongValuesOnLvalPagesAndReferenceUsageMaps)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    xe::base::TTempDir temp;
    TJetTestDatabase writer;
    writer.ReferenceUsageMaps = true;
    std::string chinese;
    for (int i = 0; i < 5000; ++i)
        chinese += i % 100 == 99 ? "\n" : "数";
    std::string binary;
    for (int i = 0; i < 9000; ++i)
        binary += char(i % 7 == 0 ? 0 : i);
    TJetTestTable t { "Long", { { "ID", jtLong }, { "Notes", jtMemo }, { "Blob", jtOle } },
        {
            { "1", std::string(3000, 'm'), std::string(3000, '\0') }, // one LVAL row each
            { "2", chinese, binary }, // chains over several pages
            { "3", "short", "s" }, // inline
        } };
    for (int i = 4; i <= 400; ++i)
        t.Rows.push_back({ std::to_string(i), std::string(size_t(i), 'x'), std::nullopt });
    writer.AddTable(t);
    std::string file = temp.File("long.mdb");
    writer.SaveToFile(file);

    TAccessDatabase db(file, "");
    TScratch scratch;
    EXPECT_EQ(db.LoadTable(scratch.Db(), "Long").RowCount, 400);
    EXPECT_EQ(scratch.Rows("SELECT length(Notes), length(Blob) FROM Long WHERE ID <= 3 ORDER BY ID"),
        (Rows { "3000|3000", "5000|9000", "5|1" }));
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(scratch.Db(), "SELECT Notes, Blob FROM Long WHERE ID = 2", -1, &s, nullptr);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<char const*>(sqlite3_column_text(s, 0))), chinese);
    EXPECT_EQ(
        std::string(static_cast<char const*>(sqlite3_column_blob(s, 1)), size_t(sqlite3_column_bytes(s, 1))),
        binary);
    sqlite3_finalize(s);
    EXPECT_EQ(scratch.Rows("SELECT sum(length(Notes)) FROM Long WHERE ID > 3"), (Rows { "80194" }));
}

TEST(AccessDatabase, RowsMovedToOtherPagesAreFollowed)
{
    xe::base::TTempDir temp;
    TJetTestDatabase writer;
    writer.OverflowEvery = 3;
    TJetTestTable t { "Moved", { { "ID", jtLong }, { "Name", jtText, 20 }, { "Flag", jtBoolean } }, {} };
    for (int i = 1; i <= 10; ++i)
        t.Rows.push_back({ std::to_string(i), "row" + std::to_string(i), i % 2 ? "1" : "0" });
    writer.AddTable(t);
    std::string file = temp.File("moved.mdb");
    writer.SaveToFile(file);

    TAccessDatabase db(file, "");
    TScratch scratch;
    EXPECT_EQ(db.LoadTable(scratch.Db(), "Moved").RowCount, 10);
    EXPECT_EQ(scratch.Rows("SELECT count(*), count(DISTINCT ID), sum(ID), sum(Flag) FROM Moved"),
        (Rows { "10|10|55|-5" }));
    EXPECT_EQ(scratch.Rows("SELECT Name, Flag FROM Moved WHERE ID IN (3, 6, 9) ORDER BY ID"),
        (Rows { "row3|-1", "row6|0", "row9|-1" }));
}

// An AES file whose flags say only fCryptoAPI (not fAES) is still AES: its AlgID says so.
TEST(AccessDatabase, CryptoApiAlgorithmIsTakenFromTheAlgId)
{
    xe::base::TTempDir temp;
    std::string bytes = EncryptAceAesCryptoApi(PlainAceImage(), "pw", 256, 0x0F0F0F0F);
    bytes[0x29B + 4] = 0x04; // EncryptionInfo flags
    bytes[0x29B + 12] = 0x04; // EncryptionHeader flags
    std::string file = temp.File("aes.accdb");
    xe::base::WriteFileBytes(file, bytes);
    EXPECT_EQ(OpenError(file, "PW"), "Not a valid password.");
    TAccessDatabase db(file, "pw");
    TScratch scratch;
    EXPECT_EQ(db.LoadTable(scratch.Db(), "Table1").RowCount, 3);
}

TEST(AccessDatabase, Rc4CryptoApiAccdbWithFortyBitKey)
{
    xe::base::TTempDir temp;
    std::string rc4 = temp.File("rc4.accdb");
    xe::base::WriteFileBytes(rc4, EncryptAceRc4CryptoApi(PlainAceImage(), "Test123", 40, 0x5A3C0F01));

    EXPECT_EQ(OpenError(rc4, "test123"), "Not a valid password.");
    TAccessDatabase db(rc4, "Test123");
    EXPECT_TRUE(db.Header().IsEncryptedAce());
    TScratch scratch;
    db.LoadTable(scratch.Db(), "Table1");
    EXPECT_EQ(scratch.Rows("SELECT * FROM Table1 ORDER BY 1"), (Rows { "1|One", "2|Two", "3|Three" }));
}

// Every kind of protection Jet and Access write, on files we encrypt: each opens with its
// password (or, without one, with any) and refuses a wrong one as Jet does, and the rows
// read back.
TEST(AccessDatabase, EveryEncryptionWithRightAndWrongPassword)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    xe::base::TTempDir temp;
    std::string jet3 = xe::base::ReadFileBytes(FixturePath("jet3_types.mdb"));
    std::string jet3Page0 = jet3.substr(0, 2048);
    EncodeJetPassword(jet3Page0, u"Jet3-Pw");
    std::string jet3WithPassword = jet3;
    jet3WithPassword.replace(0, 2048, jet3Page0);

    TJetTestDatabase writer;
    writer.AddTable({ "Table1", { { "ID", jtLong }, { "Data", jtText, 20 } },
        { { "1", "One" }, { "2", "Two" }, { "3", "Three" } } });
    std::string jet4 = writer.Bytes();
    writer.SetPassword(u"Jet4-Pw");
    std::string jet4WithPassword = writer.Bytes();
    std::string ace = PlainAceImage();

    struct TCase {
        char const* Name;
        std::string Bytes;
        char const* Password; // empty: none stored, any opens
        char const* Kind;
    };
    std::vector<TCase> cases = {
        { "jet3-encoded.mdb", EncodeJetPages(jet3, 0x1A2B3C4D), "", "" },
        { "jet3-encoded-password.mdb", EncodeJetPages(jet3WithPassword, 0x01020304), "Jet3-Pw", "" },
        { "jet4-encoded.mdb", EncodeJetPages(jet4, 0xA7B773E0), "", "" },
        { "jet4-encoded-password.mdb", EncodeJetPages(jet4WithPassword, 0x0BADF00D), "Jet4-Pw", "" },
        { "jet4-password.mdb", jet4WithPassword, "Jet4-Pw", "" },
        { "rc4-40.accdb", EncryptAceRc4CryptoApi(ace, "Rc4-Pw", 40, 0x11111111), "Rc4-Pw", "RC4" },
        { "rc4-128.accdb", EncryptAceRc4CryptoApi(ace, "Rc4-Pw", 128, 0x22222222), "Rc4-Pw", "RC4" },
        { "aes-128.accdb", EncryptAceAesCryptoApi(ace, "Aes-Pw-128", 128, 0x33333333), "Aes-Pw-128",
            "AES-128" },
        { "aes-192.accdb", EncryptAceAesCryptoApi(ace, "Aes-Pw-192", 192, 0x44444444), "Aes-Pw-192",
            "AES-192" },
        { "aes-256.accdb", EncryptAceAesCryptoApi(ace, "Aes-Pw-256", 256, 0x55555555), "Aes-Pw-256",
            "AES-256" },
        { "agile-sha1.accdb", EncryptAceAgile(ace, "Agile-Pw", "SHA1", 128, 100000, 0x66666666), "Agile-Pw",
            "" },
        { "agile-sha512.accdb", EncryptAceAgile(ace, "Agile-Pw", "SHA512", 256, 100000, 0x77777777),
            "Agile-Pw", "" },
    };
    for (TCase const& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string file = temp.File(c.Name);
        xe::base::WriteFileBytes(file, c.Bytes);
        std::string password = c.Password;
        std::string wrong = password.empty() ? "anything" : password.substr(0, password.size() - 1) + "x";
        if (password.empty())
            EXPECT_EQ(OpenError(file, wrong), "");
        else
            EXPECT_EQ(OpenError(file, wrong), "Not a valid password.");
        EXPECT_EQ(OpenError(file, ""), password.empty() ? "" : "Not a valid password.");
        TAccessDatabase db(file, password);
        TScratch scratch;
        if (db.Header().IsJet3()) {
            db.LoadTable(scratch.Db(), "Table1");
            EXPECT_EQ(scratch.Rows("SELECT A, E FROM Table1"), (Rows { "a|0", "abcdefg|333333333" }));
            continue;
        }
        EXPECT_EQ(db.Header().DbKey != 0, std::string(c.Name) != "jet4-password.mdb");
        db.LoadTable(scratch.Db(), "Table1");
        EXPECT_EQ(scratch.Rows("SELECT * FROM Table1 ORDER BY 1"), (Rows { "1|One", "2|Two", "3|Three" }));

        // A CryptoAPI file whose parameters cannot be read names its algorithm.
        if (*c.Kind) {
            std::string odd = c.Bytes;
            odd[0x29B + 12 + 16] = 7; // a key size no algorithm has
            xe::base::WriteFileBytes(file, odd);
            std::string error = OpenError(file, password);
            EXPECT_NE(error.find(std::string("encryption not supported: CryptoAPI ") + c.Kind
                          + " (EncryptionInfo 4.2)."),
                std::string::npos)
                << error;
        }
    }
}
