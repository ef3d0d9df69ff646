#pragma once

#include "platform/db/access/AccessDatabase.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace xe::db {

// Writes Jet 4 databases for tests, starting from the Access-made empty template
// (tests/fixtures/access/jet4_empty_template.mdb). Each added table gets a table
// definition page, a page with its two usage maps, data pages and a row in MSysObjects;
// no index pages (a primary key is only declared). libmdb (and other readers that scan tables) read the
// result; Access itself would also want index entries for the catalog row.

struct TJetTestColumn {
    std::string Name; // UTF-8
    TJetColumnType Type = jtText;
    int Length = 50; // Text: characters; Binary: bytes
    int Precision = 18; // Decimal
    int Scale = 0; // Decimal
    bool AutoNumber = false; // Long only
    // A calculated column (Access 2010 and later): Type is its result's type, stored in the
    // "ResultType" property; values are written as Access keeps the last result (wrapped, in
    // the variable part of the row). Access 2010 stores another type byte for some results:
    // set RawType to it (Integer for Yes/No, Decimal for Single, Text for Memo).
    bool Calculated = false;
    bool Required = false; // the "Required" property, stored in the catalog row's LvProp
    // Deleted after the rows were written: the rows keep its slot (number, variable index,
    // fixed space), the definition keeps counting its variable slot, but lists it no more.
    bool Deleted = false;
    // Added after the rows were written (such columns come last): the rows hold fewer
    // columns than the table.
    bool Added = false;
    // The table's primary key (a real index and its logical one in the definition, named
    // "PrimaryKey", without index pages), alone or with the other columns marked so.
    bool PrimaryKey = false;
    int RawType = 0; // when set, the type byte written instead of Type (an unknown type, or see Calculated)
};

// A value in text form; nullopt is NULL. Yes/No "0"/"1"; numbers, Large Number and Currency/Decimal as
// decimal text; Date/Time "yyyy-mm-dd[ hh:mm:ss]"; Replication ID "{8-4-4-4-12}"; Text and
// Memo UTF-8; Binary and OLE Object the raw bytes; Date/Time Extended its stored ASCII.
using TJetTestValue = std::optional<std::string>;

struct TJetTestTable {
    std::string Name; // UTF-8
    std::vector<TJetTestColumn> Columns;
    std::vector<std::vector<TJetTestValue>> Rows;
};

// Gives the next row in `row` and true, or false after the last.
using TJetTestRowSource = std::function<bool(std::vector<TJetTestValue>& row)>;

class TJetTestDatabase {
public:
    // Loads the template; an empty name takes the one in the fixtures folder.
    explicit TJetTestDatabase(std::string const& templateFile = "");

    void AddTable(TJetTestTable const& table);
    // The same with rows from a source (table.Rows is not used), for tables too large to
    // hold as values.
    void AddTable(TJetTestTable const& table, TJetTestRowSource const& nextRow);
    // Stores a database password (at most 20 characters).
    void SetPassword(std::u16string const& password);
    // Makes the file an unencrypted .accdb of the given ACE version (2: Access 2007,
    // 3: 2010, ... 6: 2019): the tables keep the Jet 4 layout, which ACE shares. Call it
    // last: passwords are Jet 3 and Jet 4 only.
    void SetAceVersion(int version);
    // A catalog entry without data: 5 saved query, 6 linked table.
    void AddCatalogObject(std::string const& name, int type);

    // A saved query: its catalog entry (type 5) and its definition rows in MSysQueries, as
    // Access stores them (see platform/db/access/SavedQueries.h).
    void AddSavedQuery(std::string const& name, std::vector<TJetQueryRow> const& rows);
    // A linked table's catalog entry: type 6 (Access or installable ISAM data) or 4 (ODBC),
    // the linked file's path as stored, the table's name there and the connect string.
    void AddLinkedTable(std::string const& name, std::string const& database, std::string const& foreignName,
        std::string const& connect = "", int type = 6);

    std::string const& Bytes() const { return FBytes; }

    // Tables get a usage map of bitmap pages (type 1) even when an inline one would do.
    bool ReferenceUsageMaps = false;
    // Every n-th row (n > 0) is stored as Jet stores a row that outgrew its page: a 4-byte
    // pointer (offset flag 0x4000) in its place, the row on a page of its own, flagged 0x8000.
    int OverflowEvery = 0;
    void SaveToFile(std::string const& fileName) const;

    static std::string TemplateFile();

private:
    uint32_t AppendPage(std::string const& page);
    // Writes the catalog row on page `page`, or on a new page when it is 0.
    void AddCatalogRow(std::string const& name, uint32_t tdefPage, int type,
        std::string const& properties = "", uint32_t page = 0);

    // The definition page of a system table, found through MSysObjects.
    uint32_t SystemTablePage(std::string const& name) const;
    // Writes rows (encoded field values by column name; absent is NULL) on a new data page of
    // the table defined at tdefPage, marks it in the table's inline usage map and counts them.
    void AppendRows(uint32_t tdefPage, std::vector<std::map<std::string, std::string>> const& rows);

    std::string FBytes;
};

} // namespace xe::db
