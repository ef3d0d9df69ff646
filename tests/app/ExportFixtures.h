#pragma once

// Generated SQLite databases and checks of the exported document, shared by the export's unit
// tests and the end-to-end tests of the executable.

#include "tests/support/RowsetXml.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace xe::test {

struct TSampleOptions {
    int Rows = 100;
    uint32_t Seed = 1; // physical order and values
    bool Shuffled = false; // insert in a random order instead of by id
    int FirstId = 1; // ids are FirstId, FirstId + IdStep, ...
    int IdStep = 1;
};

// Table "t": id INTEGER NOT NULL (not the rowid, so the physical order is the insertion
// order), name VARCHAR(40) with Chinese text, note TEXT (NULL every 7th row), amount
// DOUBLE, qty SMALLINT, big BIGINT, price CURRENCY, ratio DECIMAL(10,2), flag BOOLEAN,
// created DATETIME, data BLOB (NULL every 5th row).
void CreateSampleDatabase(std::string const& path, TSampleOptions const& options);

// Runs statements (UTF-8) on a database file, creating it when missing.
void ExecSql(std::string const& path, std::string const& sql);

// Every row of the query (UTF-8): its id and its non-NULL values as text.
struct TDbRow {
    int64_t Id = 0;
    std::map<std::string, std::string> Values; // NULL values are absent
};
std::vector<TDbRow> QueryRows(std::string const& path, std::string const& sql);

// Checks that the document holds exactly `expected`, in order: ids, and every non-NULL
// text-like column equal, NULL columns absent. Returns an empty string or the first
// difference.
std::string CompareRows(TRowset const& document, std::vector<TDbRow> const& expected,
    std::vector<std::string> const& exactColumns);

// Writes an InOut.ini in the ANSI code page (GBK by default): the values are given in UTF-8.
void WriteInOutIni(std::string const& path, std::string const& strSqlUtf8, std::string const& xmlNameUtf8,
    std::string const& dbNameUtf8, std::string const& dbPassUtf8);

} // namespace xe::test
