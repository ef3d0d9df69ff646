#include "tests/app/ExportFixtures.h"

#include "platform/base/Files.h"
#include "platform/base/Strings.h"

#include <sqlite3.h>

#include <algorithm>
#include <random>
#include <stdexcept>

namespace xe::test {

namespace {

struct TDb {
    sqlite3* Handle = nullptr;
    explicit TDb(std::string const& path)
    {
        if (sqlite3_open(path.c_str(), &Handle) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path);
    }
    ~TDb() { sqlite3_close(Handle); }
    void Exec(std::string const& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(Handle, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(message + " in " + sql);
        }
    }
};

char const* const Words[]
    = { "张三", "李四", "王五", "数据", "导出", "北京", "上海", "广州", "深圳", "测试" };

} // namespace

void ExecSql(std::string const& path, std::string const& sql)
{
    TDb db(path);
    db.Exec(sql);
}

void CreateSampleDatabase(std::string const& path, TSampleOptions const& options)
{
    base::DeleteFile(path);
    TDb db(path);
    db.Exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"
            "CREATE TABLE t (id INTEGER NOT NULL, name VARCHAR(40), note TEXT, amount DOUBLE, qty SMALLINT,"
            " big BIGINT, price CURRENCY, ratio DECIMAL(10,2), flag BOOLEAN, created DATETIME, data BLOB);");
    std::vector<int> order(size_t(std::max(options.Rows, 0)));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::mt19937 random(options.Seed);
    if (options.Shuffled)
        std::shuffle(order.begin(), order.end(), random);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db.Handle, "INSERT INTO t VALUES (?,?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
    db.Exec("BEGIN");
    for (int index : order) {
        int64_t id = options.FirstId + int64_t(index) * options.IdStep;
        std::string name = std::string(Words[index % 10]) + std::to_string(id);
        sqlite3_reset(insert);
        sqlite3_bind_int64(insert, 1, id);
        sqlite3_bind_text(insert, 2, name.c_str(), -1, SQLITE_TRANSIENT);
        if (index % 7 == 0) {
            sqlite3_bind_null(insert, 3);
        } else {
            std::string note
                = "行 " + std::to_string(index) + (index % 3 == 0 ? " a&b <c> 'q' \"d\"\tx\r\ny" : "");
            sqlite3_bind_text(insert, 3, note.c_str(), -1, SQLITE_TRANSIENT);
        }
        sqlite3_bind_double(insert, 4, double(index) * 1.25 - 7.5);
        sqlite3_bind_int(insert, 5, index % 30000);
        sqlite3_bind_int64(insert, 6, int64_t(index) * 1000003LL - 5000000000LL);
        sqlite3_bind_double(insert, 7, double(index % 1000) + 0.25);
        sqlite3_bind_double(insert, 8, double(index % 500) / 4.0);
        sqlite3_bind_int(insert, 9, index % 2);
        char date[32];
        std::snprintf(date, sizeof date, "2024-%02d-%02d %02d:%02d:%02d", index % 12 + 1, index % 28 + 1,
            index % 24, index % 60, (index * 7) % 60);
        sqlite3_bind_text(insert, 10, date, -1, SQLITE_TRANSIENT);
        if (index % 5 == 0) {
            sqlite3_bind_null(insert, 11);
        } else {
            unsigned char bytes[8];
            for (auto& b : bytes)
                b = static_cast<unsigned char>(random());
            sqlite3_bind_blob(insert, 11, bytes, sizeof bytes, SQLITE_TRANSIENT);
        }
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db.Handle));
    }
    db.Exec("COMMIT");
    sqlite3_finalize(insert);
}

std::vector<TDbRow> QueryRows(std::string const& path, std::string const& sql)
{
    TDb db(path);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.Handle, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db.Handle));
    std::vector<TDbRow> rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        TDbRow row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            std::string name = sqlite3_column_name(stmt, i);
            if (name == "id")
                row.Id = sqlite3_column_int64(stmt, i);
            if (sqlite3_column_type(stmt, i) == SQLITE_NULL)
                continue;
            auto text = reinterpret_cast<char const*>(sqlite3_column_text(stmt, i));
            row.Values[name] = std::string(text, size_t(sqlite3_column_bytes(stmt, i)));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    return rows;
}

std::string CompareRows(TRowset const& document, std::vector<TDbRow> const& expected,
    std::vector<std::string> const& exactColumns)
{
    if (!document.Parsed)
        return "document not parsed: " + document.Error;
    if (document.DataBlocks != 1)
        return "expected one rs:data block, found " + std::to_string(document.DataBlocks);
    if (document.Rows.size() != expected.size())
        return "row count " + std::to_string(document.Rows.size()) + ", expected "
            + std::to_string(expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        TXmlRow const& row = document.Rows[i];
        auto id = row.find("id");
        if (id == row.end() || id->second != std::to_string(expected[i].Id))
            return "row " + std::to_string(i) + ": id " + (id == row.end() ? "missing" : id->second)
                + ", expected " + std::to_string(expected[i].Id);
        for (auto const& [column, value] : expected[i].Values) {
            auto got = row.find(column);
            if (got == row.end())
                return "row " + std::to_string(i) + ": column " + column + " missing";
            if (std::find(exactColumns.begin(), exactColumns.end(), column) != exactColumns.end()
                && got->second != value)
                return "row " + std::to_string(i) + ": column " + column + " is '" + got->second
                    + "', expected '" + value + "'";
        }
        for (auto const& [column, value] : row)
            if (!expected[i].Values.count(column))
                return "row " + std::to_string(i) + ": column " + column + " should be absent (NULL)";
    }
    return "";
}

void WriteInOutIni(std::string const& path, std::string const& strSqlUtf8, std::string const& xmlNameUtf8,
    std::string const& dbNameUtf8, std::string const& dbPassUtf8)
{
    std::string text = "[Sys]\r\nStrSql=" + strSqlUtf8 + "\r\nXmlName=" + xmlNameUtf8
        + "\r\nDbName=" + dbNameUtf8 + "\r\nDbPass=" + dbPassUtf8 + "\r\n";
    base::WriteFileBytes(path, base::Utf8ToAnsi(text));
}

} // namespace xe::test
