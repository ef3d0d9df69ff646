#pragma once

#include <exception>
#include <string>

namespace xe::base {

// The one base of every error the system raises. It carries the message the user sees.
class Exception : public std::exception {
public:
    explicit Exception(std::string message)
        : FMessage(std::move(message))
    {
    }
    std::string const& Message() const { return FMessage; }
    char const* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define XE_DECLARE_EXCEPTION(Name, Base)                                                                     \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    };

XE_DECLARE_EXCEPTION(EInvalidOperation, Exception)
XE_DECLARE_EXCEPTION(EConvertError, Exception)
XE_DECLARE_EXCEPTION(EStreamError, Exception)
XE_DECLARE_EXCEPTION(EReadError, EStreamError)
XE_DECLARE_EXCEPTION(EWriteError, EStreamError)
XE_DECLARE_EXCEPTION(ECompressionError, Exception)
XE_DECLARE_EXCEPTION(EDecompressionError, ECompressionError)
XE_DECLARE_EXCEPTION(EDatabaseError, Exception)
// A database password that does not match ("Not a valid password.").
XE_DECLARE_EXCEPTION(EInvalidPassword, EDatabaseError)
XE_DECLARE_EXCEPTION(EFileError, Exception)
XE_DECLARE_EXCEPTION(EOutOfResources, Exception)

#undef XE_DECLARE_EXCEPTION

} // namespace xe::base
