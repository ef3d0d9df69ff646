#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace xe::db {

// The value of one field, as a Delphi variant would carry it. Text is held in the ANSI
// code page (the system's text); the XML writer reads the database's UTF-8 directly and
// never goes through a variant, so no character is lost on the way to the file.
class TVariant {
public:
    enum TVarType { varNull, varInt64, varDouble, varOleStr, varByteArray };

    TVariant() = default;
    static TVariant Null() { return TVariant(); }
    static TVariant FromInt(int64_t v);
    static TVariant FromDouble(double v);
    static TVariant FromString(std::string ansi);
    static TVariant FromBytes(std::string bytes);

    TVarType VarType() const { return FType; }
    bool IsNull() const { return FType == varNull; }
    // Delphi's name of the type, as it appears in conversion errors: "Null", "Int64",
    // "Double", "OleStr", "Array Byte".
    char const* TypeName() const;

    // Conversions raise xe::base::EConvertError with Delphi's texts, for example
    // "Could not convert variant of type (Null) into type (Integer)". Text converts when
    // it holds a number (blanks around it allowed); a double is rounded half to even;
    // a value outside 64 bits is an overflow error.
    int64_t AsInteger() const;
    double AsFloat() const;
    // Null gives the empty text; numbers are written as Delphi writes them.
    std::string AsString() const;

    bool operator==(TVariant const& other) const = default;

private:
    TVarType FType = varNull;
    std::variant<std::monostate, int64_t, double, std::string> FValue;
};

} // namespace xe::db
