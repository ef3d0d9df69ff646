#include "platform/db/access/AccessEngine.h"

#include "platform/db/Connection.h"
#include "platform/db/access/SavedQueries.h"

#include <sqlite3.h>

#include <memory>

namespace xe::db {

TColumnInfo AdoColumnInfo(TAccessColumn const& column)
{
    TColumnInfo info;
    info.Nullable = column.Nullable;
    info.AutoIncrement = column.AutoNumber;
    info.KeyColumn = column.PrimaryKey;
    switch (column.Type) {
    case jtBoolean:
        info.Type = adBoolean;
        info.Nullable = false;
        break;
    case jtByte:
        info.Type = adUnsignedTinyInt;
        break;
    case jtInteger:
        info.Type = adSmallInt;
        break;
    case jtLong:
    case jtComplex:
        info.Type = adInteger;
        break;
    case jtBigInt:
        info.Type = adBigInt;
        break;
    case jtDateTimeExt:
        // Its 100 ns precision and years before 100 do not fit a Jet date, so it is
        // written as its text, "yyyy-mm-dd hh:nn:ss.fffffff".
        info.Type = adVarWChar;
        info.Size = 27;
        break;
    case jtCurrency:
        info.Type = adCurrency;
        break;
    case jtSingle:
        info.Type = adSingle;
        break;
    case jtDouble:
        info.Type = adDouble;
        break;
    case jtDateTime:
        info.Type = adDate;
        break;
    case jtGuid:
        info.Type = adGUID;
        break;
    case jtNumeric:
        info.Type = adNumeric;
        info.Precision = column.Precision;
        info.Scale = column.Scale;
        break;
    case jtBinary:
        info.Type = adVarBinary;
        info.Size = column.Size;
        break;
    case jtText:
        info.Type = adVarWChar;
        info.Size = column.Size;
        break;
    case jtMemo:
        info.Type = adLongVarWChar;
        info.Size = 536870910;
        info.Long = true;
        break;
    case jtOle:
        info.Type = adLongVarBinary;
        info.Size = 1073741823;
        info.Long = true;
        break;
    }
    return info;
}

void RegisterAccessEngine()
{
    SetAccessEngine([](TADOConnection& connection, sqlite3* db, std::string const& dataSource,
                        std::string const& password) {
        // The password is checked here, before the connection counts as open.
        auto access = std::make_shared<TAccessDatabase>(dataSource, password);
        // The copies are written once and read in whole passes: larger pages make a table
        // copy of a million rows, and each pass over it, take a quarter of the page writes
        // and reads (the cache keeps its size in bytes).
        sqlite3_exec(db, "PRAGMA main.page_size = 16384", nullptr, nullptr, nullptr);
        auto objects = std::make_shared<TAccessObjects>(connection, db, access);
        connection.OnMissingTable = [objects](std::string const& name) { return objects->Provide(name); };
    });
}

} // namespace xe::db
