#include "platform/db/Variant.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/base/TextFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace xe::db {

using xe::base::EConvertError;

TVariant TVariant::FromInt(int64_t v)
{
    TVariant r;
    r.FType = varInt64;
    r.FValue = v;
    return r;
}

TVariant TVariant::FromDouble(double v)
{
    TVariant r;
    r.FType = varDouble;
    r.FValue = v;
    return r;
}

TVariant TVariant::FromString(std::string ansi)
{
    TVariant r;
    r.FType = varOleStr;
    r.FValue = std::move(ansi);
    return r;
}

TVariant TVariant::FromBytes(std::string bytes)
{
    TVariant r;
    r.FType = varByteArray;
    r.FValue = std::move(bytes);
    return r;
}

char const* TVariant::TypeName() const
{
    switch (FType) {
    case varNull:
        return "Null";
    case varInt64:
        return "Int64";
    case varDouble:
        return "Double";
    case varOleStr:
        return "OleStr";
    case varByteArray:
        return "Array Byte";
    }
    return "Unknown";
}

namespace {

[[noreturn]] void CannotConvert(TVariant const& v, char const* target)
{
    throw EConvertError(
        xe::base::Format("Could not convert variant of type (%s) into type (%s)", v.TypeName(), target));
}

int64_t RoundToInt64(double d, TVariant const& v)
{
    if (std::isnan(d))
        CannotConvert(v, "Integer");
    double r = std::nearbyint(d); // half to even, as Delphi's Round
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        throw EConvertError(xe::base::Format(
            "Overflow while converting variant of type (%s) into type (Integer)", v.TypeName()));
    return static_cast<int64_t>(r);
}

} // namespace

int64_t TVariant::AsInteger() const
{
    switch (FType) {
    case varInt64:
        return std::get<int64_t>(FValue);
    case varDouble:
        return RoundToInt64(std::get<double>(FValue), *this);
    case varOleStr: {
        std::string s = xe::base::Trim(std::get<std::string>(FValue));
        int64_t i;
        if (xe::base::TryStrToInt(s, i))
            return i;
        char* end = nullptr;
        double d = s.empty() ? 0 : std::strtod(s.c_str(), &end);
        if (s.empty() || *end != 0)
            CannotConvert(*this, "Integer");
        return RoundToInt64(d, *this);
    }
    default:
        CannotConvert(*this, "Integer");
    }
}

double TVariant::AsFloat() const
{
    switch (FType) {
    case varInt64:
        return static_cast<double>(std::get<int64_t>(FValue));
    case varDouble:
        return std::get<double>(FValue);
    case varOleStr: {
        std::string s = xe::base::Trim(std::get<std::string>(FValue));
        char* end = nullptr;
        double d = s.empty() ? 0 : std::strtod(s.c_str(), &end);
        if (s.empty() || *end != 0)
            CannotConvert(*this, "Double");
        return d;
    }
    default:
        CannotConvert(*this, "Double");
    }
}

std::string TVariant::AsString() const
{
    switch (FType) {
    case varNull:
        return {};
    case varInt64:
        return xe::base::IntToStr(std::get<int64_t>(FValue));
    case varDouble: {
        // Up to 15 significant digits, the exponent as printf writes it (1E+20, 1E-05).
        return xe::base::FloatText(std::get<double>(FValue), 15, xe::base::TExponentDigits::AtLeastTwo);
    }
    case varOleStr:
    case varByteArray:
        return std::get<std::string>(FValue);
    }
    return {};
}

} // namespace xe::db
