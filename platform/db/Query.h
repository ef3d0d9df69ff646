#pragma once

#include "platform/db/Materializations.h"
#include "platform/db/Types.h"
#include "platform/db/Variant.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3_stmt;

namespace xe::db {

class TADOConnection;
class TADOQuery;
class TReadHold;

struct TSelectQuery;
struct TPlan;

// The ADO description Jet gives the computed columns (no table column of origin) of a parsed
// statement on Access data, prepared as `stmt`: Count a Long, Sum and Avg of numbers a
// Double (of Currency a Currency), Min and Max their argument's type, arithmetic on numbers a
// Double; followed through '*' over a derived table, and for a saved query's columns as the
// engine registered them. nullopt where Jet's type is not known (a long string then).
std::vector<std::optional<TColumnInfo>> JetComputedColumnInfos(
    TADOConnection const& connection, TSelectQuery const& query, sqlite3_stmt* stmt);

// One column of the open result; values are those of the current row.
class TField {
public:
    std::string const& Name() const { return FName; } // ANSI
    TFieldType DataType() const { return FDataType; }
    TColumnInfo const& Info() const { return FInfo; }
    TVariant Value() const;
    TVariant AsVariant() const { return Value(); }
    bool IsNull() const { return Value().IsNull(); }
    int64_t AsInteger() const { return Value().AsInteger(); }
    double AsFloat() const { return Value().AsFloat(); }
    std::string AsString() const { return Value().AsString(); }

private:
    friend class TADOQuery;
    TADOQuery* FQuery = nullptr;
    int FIndex = 0;
    std::string FName;
    TFieldType FDataType = ftUnknown;
    TColumnInfo FInfo;
};

// Stands in for ADO's query: a statement in the Jet dialect, run through the connection.
class TADOQuery {
public:
    explicit TADOQuery(TADOConnection* connection);
    ~TADOQuery();
    TADOQuery(TADOQuery const&) = delete;
    TADOQuery& operator=(TADOQuery const&) = delete;

    // Replaces the statement (ANSI text); closes any open result.
    void SetSQL(std::string const& ansiText);
    std::string const& SQL() const { return FSql; }

    // Translates and runs the statement; the first row becomes current. Raises
    // EDatabaseError (a translation error names the construct and quotes the statement).
    void Open();
    void Close();
    bool Active() const;

    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField& Fields(int index);
    TField* FindField(std::string const& ansiName);

    // The number of rows of the open result (counted once, on demand).
    int64_t RecordCount();
    bool Eof() const;
    void Next();
    void First();

    // Writes the whole open result to the file (ANSI path), replacing an existing file.
    // Only pfXML is supported. A value that does not fit its column's declared type is an
    // EDatabaseError naming the column, never a file that a reader would refuse.
    void SaveToFile(std::string const& ansiFileName, TPersistFormat format = pfXML);
    // The same document as SaveToFile writes, held in memory (for results of a few rows).
    std::string XmlText();

    // Where the open result's rows come from (for tests and benchmarks); UsedMaterialization
    // is true when they come from an ordered copy or a key seek, not the statement run in full.
    TRowSource RowSource() const;
    bool UsedMaterialization() const;
    // The SQLite text the statement was translated to (UTF-8), for diagnostics.
    std::string const& TranslatedSQL() const;

private:
    friend class TField;
    struct TImpl;
    // The steps of Open: the statement parsed and translated; for a paging statement, its rows
    // found in order (a key seek or the ordered copy) with its numbers bound; the columns
    // described from the plain statement; the fields made from the columns.
    void Translate(TImpl& impl) const;
    void BindOrderedRows(TImpl& impl, TPlan const& plan, size_t knownColumnCount);
    void DescribeColumns(TImpl& impl) const;
    void SetUpFields(TImpl const& impl);
    TVariant CurrentValue(int index) const;
    // Finds the current row again after WriteXml read the statement to its end.
    void ReturnToCurrentRow() const;
    void Require(bool active, char const* operation) const;
    // Appends the document to buffer, calling spill whenever the buffer passes 1 MiB (spill
    // may empty it). The current row is kept.
    void WriteXml(std::string& buffer, std::function<void()> const& spill);

    TADOConnection* FConnection;
    // Taken at the first Open, kept for the query's life: its statements read in one
    // transaction. Destroyed after the result.
    std::unique_ptr<TReadHold> FReadHold;
    std::string FSql;
    std::vector<TField> FFields;
    std::unique_ptr<TImpl> FImpl;
};

} // namespace xe::db
