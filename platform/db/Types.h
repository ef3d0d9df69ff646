#pragma once

#include <string>

namespace xe::db {

// ADO's DataTypeEnum, the codes the persistence format is written from.
enum DataTypeEnum {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adWChar = 130,
    adNumeric = 131,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// Delphi's TFieldType, as TField::DataType reports it.
enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftBytes,
    ftVarBytes,
    ftAutoInc,
    ftBlob,
    ftMemo,
    ftWideString,
    ftLargeint,
    ftGuid,
    ftFMTBcd,
    ftWideMemo,
};

enum TPersistFormat { pfADTG, pfXML };

// What ADO knows about a result column: its OLE DB type and flags. The database layer
// derives it from SQLite (declared type, origin, NOT NULL, primary key) unless an engine
// registered a TColumnInfo for the column's origin (see Connection.h).
struct TColumnInfo {
    DataTypeEnum Type = adLongVarWChar;
    int Size = 0; // dt:maxLength: characters for text, bytes otherwise; 0 = default of the type
    int Precision = 0; // rs:precision; 0 = the type's default (written only where ADO writes it)
    int Scale = 0; // rs:scale for adNumeric/adDecimal
    bool Nullable = true; // rs:nullable
    bool AutoIncrement = false; // rs:autoincrement (AutoNumber)
    bool KeyColumn = false; // rs:keycolumn
    bool Long = false; // rs:long (Memo, OLE Object)
    bool FixedLength = false; // rs:fixedlength for text and binary; numeric types always are
    std::string BaseTable; // rs:basetable, in the ANSI code page; empty for expressions
    std::string BaseColumn; // rs:basecolumn
};

// The Delphi field type ADO's field classes give a column of this ADO type.
TFieldType FieldTypeOf(DataTypeEnum type);

} // namespace xe::db
