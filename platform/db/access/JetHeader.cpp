#include "platform/db/access/JetHeader.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <cmath>
#include <cstring>

namespace xe::db {

namespace {
constexpr size_t MaskedStart = 0x18;
constexpr size_t Jet3SortOrderOffset = 0x3A;
constexpr size_t CodePageOffset = 0x3C;
constexpr size_t DbKeyOffset = 0x3E;
constexpr size_t PasswordOffset = 0x42;
constexpr size_t SortOrderOffset = 0x6E;
constexpr size_t CreationDateOffset = 0x72;
constexpr size_t EncryptionInfoOffset = 0x299;
constexpr char HeaderKey[] = { '\xC7', '\xDA', '\x39', '\x6B' };

size_t MaskedSize(int version) { return version == 0 ? 126 : 128; }
size_t PasswordSize(int version) { return version == 0 ? 20 : 40; }

uint16_t Get16(std::string_view s, size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); }

uint32_t Get32(std::string_view s, size_t at) { return Get16(s, at) | uint32_t(Get16(s, at + 2)) << 16; }

// The four bytes that mask a Jet 4 password: the creation date's day number.
void DateMask(double date, uint8_t mask[4])
{
    int32_t days = 0;
    if (std::isfinite(date) && date > -2147483648.0 && date < 2147483648.0)
        days = int32_t(std::trunc(date));
    uint32_t u = uint32_t(days);
    for (int i = 0; i < 4; ++i)
        mask[i] = uint8_t(u >> (8 * i));
}

std::string CodePageName(uint16_t codePage) { return "CP" + std::to_string(codePage ? codePage : 1252); }

[[noreturn]] void Unrecognized(std::string const& fileName)
{
    throw base::EDatabaseError("Unrecognized database format '" + fileName + "'.");
}
}

void Rc4Apply(std::string_view key, char* data, size_t size)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = uint8_t(i);
    if (key.empty())
        return;
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + uint8_t(key[i % key.size()])) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < size; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] = char(uint8_t(data[n]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

bool IsAccessSignature(std::string_view firstBytes)
{
    if (firstBytes.size() < JetSignatureSize || firstBytes[0] != 0)
        return false;
    std::string_view engine = firstBytes.substr(4, 15);
    return engine == "Standard Jet DB" || engine == "Standard ACE DB";
}

TJetHeader DecodeJetHeader(std::string_view page0, std::string const& fileName)
{
    if (!IsAccessSignature(page0))
        Unrecognized(fileName);
    TJetHeader header;
    header.Version = uint8_t(page0[0x14]);
    if (header.Version > 6)
        Unrecognized(fileName);
    header.PageSize = header.Version == 0 ? 2048 : 4096;
    size_t masked = MaskedSize(header.Version);
    if (page0.size() < MaskedStart + masked)
        Unrecognized(fileName);

    std::string plain(page0.substr(MaskedStart, masked));
    Rc4Apply(std::string_view(HeaderKey, 4), plain.data(), plain.size());
    auto at = [&](size_t offset) { return offset - MaskedStart; };
    header.CodePage = Get16(plain, at(CodePageOffset));
    header.DbKey = Get32(plain, at(DbKeyOffset));
    header.SortOrder
        = header.Version == 0 ? Get16(plain, at(Jet3SortOrderOffset)) : Get32(plain, at(SortOrderOffset));

    std::string password = plain.substr(at(PasswordOffset), PasswordSize(header.Version));
    if (header.Version == 0) {
        // Jet 3: bytes in the database's code page, cut at the first zero.
        password = password.substr(0, password.find('\0'));
        if (!password.empty()) {
            std::string utf8
                = base::ConvertEncoding(password, CodePageName(header.CodePage).c_str(), "UTF-8");
            header.Password = base::Utf8ToUtf16(utf8);
        }
    } else {
        std::memcpy(&header.CreationDate, plain.data() + at(CreationDateOffset), 8);
        if (!header.IsAce()) {
            uint8_t mask[4];
            DateMask(header.CreationDate, mask);
            for (size_t i = 0; i < password.size(); ++i)
                password[i] = char(uint8_t(password[i]) ^ mask[i % 4]);
            for (size_t i = 0; i + 1 < password.size(); i += 2) {
                char16_t unit = Get16(password, i);
                if (unit == 0)
                    break;
                header.Password.push_back(unit);
            }
        }
    }

    if (header.IsAce() && page0.size() >= EncryptionInfoOffset + 2) {
        size_t length = Get16(page0, EncryptionInfoOffset);
        size_t from = EncryptionInfoOffset + 2;
        if (from + length <= page0.size())
            header.EncryptionInfo = std::string(page0.substr(from, length));
    }
    return header;
}

void CheckJetPassword(TJetHeader const& header, std::string_view suppliedAnsi)
{
    if (header.Password.empty())
        return;
    if (base::AnsiToUtf16(suppliedAnsi) != header.Password)
        throw base::EInvalidPassword("Not a valid password.");
}

void EncodeJetPassword(std::string& page0, std::u16string_view password)
{
    TJetHeader header = DecodeJetHeader(page0);
    if (header.Version > 1)
        throw base::EInvalidOperation("Passwords are written into Jet 3 and Jet 4 headers only");
    if (password.size() > 20)
        throw base::EInvalidOperation("A Jet password has at most 20 characters");
    char* masked = page0.data() + MaskedStart;
    std::string_view key(HeaderKey, 4);
    if (header.IsJet3()) {
        // Jet 3: the bytes in the database's code page, zero-padded, without a date mask.
        std::string bytes = base::ConvertEncoding(
            base::Utf16ToUtf8(std::u16string(password)), "UTF-8", CodePageName(header.CodePage).c_str());
        if (bytes.size() > PasswordSize(0))
            throw base::EInvalidOperation("A Jet 3 password has at most 20 bytes");
        bytes.resize(PasswordSize(0), '\0');
        Rc4Apply(key, masked, MaskedSize(0));
        std::memcpy(page0.data() + PasswordOffset, bytes.data(), bytes.size());
        Rc4Apply(key, masked, MaskedSize(0));
        return;
    }
    Rc4Apply(key, masked, MaskedSize(1));
    uint8_t mask[4];
    DateMask(header.CreationDate, mask);
    char* field = page0.data() + PasswordOffset;
    for (size_t i = 0; i < PasswordSize(1); ++i) {
        size_t unit = i / 2;
        char16_t c = unit < password.size() ? password[unit] : 0;
        uint8_t byte = uint8_t(i % 2 == 0 ? c & 0xFF : c >> 8);
        field[i] = char(byte ^ mask[i % 4]);
    }
    Rc4Apply(key, masked, MaskedSize(1));
}

} // namespace xe::db
