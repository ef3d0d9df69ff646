#include "platform/db/Types.h"

namespace xe::db {

TFieldType FieldTypeOf(DataTypeEnum type)
{
    switch (type) {
    case adSmallInt:
        return ftSmallint;
    case adInteger:
        return ftInteger;
    case adTinyInt:
    case adUnsignedTinyInt:
        return ftWord;
    case adBigInt:
        return ftLargeint;
    case adSingle:
    case adDouble:
        return ftFloat;
    case adCurrency:
        return ftBCD;
    case adNumeric:
    case adDecimal:
        return ftFMTBcd;
    case adBoolean:
        return ftBoolean;
    case adDate:
        return ftDateTime;
    case adGUID:
        return ftGuid;
    case adWChar:
    case adVarWChar:
        return ftWideString;
    case adLongVarWChar:
        return ftWideMemo;
    case adBinary:
        return ftBytes;
    case adVarBinary:
        return ftVarBytes;
    case adLongVarBinary:
        return ftBlob;
    case adEmpty:
        return ftUnknown;
    }
    return ftUnknown;
}

} // namespace xe::db
