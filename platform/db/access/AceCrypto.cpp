#include "platform/db/access/AceCrypto.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace xe::db {

using base::EDatabaseError;

namespace {
constexpr size_t PageSize = 4096;

uint32_t Get32(std::string_view s, size_t at)
{
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16
        | uint32_t(uint8_t(s[at + 3])) << 24;
}

std::string Le32(uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[size_t(i)] = char(v >> (8 * i));
    return s;
}

[[noreturn]] void WrongPassword() { throw base::EInvalidPassword("Not a valid password."); }

struct TDigest {
    EVP_MD const* Md;
    std::string operator()(std::string_view a, std::string_view b = {}) const
    {
        std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
        unsigned char out[EVP_MAX_MD_SIZE];
        unsigned size = 0;
        if (!ctx || !EVP_DigestInit_ex(ctx.get(), Md, nullptr)
            || !EVP_DigestUpdate(ctx.get(), a.data(), a.size())
            || !EVP_DigestUpdate(ctx.get(), b.data(), b.size()) || !EVP_DigestFinal_ex(ctx.get(), out, &size))
            throw EDatabaseError("The hash of the database's encryption failed.");
        return std::string(reinterpret_cast<char*>(out), size);
    }
};

// AES decryption without padding, CBC with `iv` or, when `iv` is empty, ECB; `data` is a
// multiple of the block size.
std::string AesDecrypt(std::string_view key, std::string_view iv, std::string_view data)
{
    bool ecb = iv.empty();
    EVP_CIPHER const* cipher = key.size() == 16 ? (ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc())
        : key.size() == 24                      ? (ecb ? EVP_aes_192_ecb() : EVP_aes_192_cbc())
        : key.size() == 32                      ? (ecb ? EVP_aes_256_ecb() : EVP_aes_256_cbc())
                                                : nullptr;
    if (!cipher || (!ecb && iv.size() < 16) || data.size() % 16 != 0)
        throw EDatabaseError("The database's encryption parameters are not valid.");
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    std::string out(data.size() + 16, '\0');
    int n = 0, tail = 0;
    if (!ctx
        || !EVP_DecryptInit_ex(ctx.get(), cipher, nullptr, reinterpret_cast<unsigned char const*>(key.data()),
            ecb ? nullptr : reinterpret_cast<unsigned char const*>(iv.data()))
        || !EVP_CIPHER_CTX_set_padding(ctx.get(), 0)
        || !EVP_DecryptUpdate(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &n,
            reinterpret_cast<unsigned char const*>(data.data()), int(data.size()))
        || !EVP_DecryptFinal_ex(ctx.get(), reinterpret_cast<unsigned char*>(out.data()) + n, &tail))
        throw EDatabaseError("The database's pages could not be decrypted.");
    out.resize(size_t(n + tail));
    return out;
}

std::string Base64(std::string_view text)
{
    std::string clean;
    for (char c : text)
        if (c != '\r' && c != '\n' && c != ' ')
            clean += c;
    if (clean.empty() || clean.size() % 4 != 0)
        return "";
    std::string out(clean.size() / 4 * 3, '\0');
    int n = EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
        reinterpret_cast<unsigned char const*>(clean.data()), int(clean.size()));
    if (n < 0)
        return "";
    size_t pad
        = clean.size() >= 2 && clean[clean.size() - 1] == '=' ? (clean[clean.size() - 2] == '=' ? 2 : 1) : 0;
    out.resize(size_t(n) - pad);
    return out;
}

// The value of attribute `name` in the first element whose tag ends with `tag`.
std::string Attribute(std::string_view xml, std::string_view tag, std::string_view name)
{
    for (size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
        size_t end = xml.find('>', at);
        if (end == std::string_view::npos)
            break;
        std::string_view element = xml.substr(at + 1, end - at - 1);
        std::string_view elementName = element.substr(0, element.find_first_of(" \t\r\n/"));
        if (elementName.size() < tag.size() || elementName.substr(elementName.size() - tag.size()) != tag)
            continue;
        std::string key = " ";
        key.append(name).append("=\"");
        size_t k = element.find(key);
        if (k == std::string_view::npos)
            return "";
        size_t from = k + key.size();
        size_t to = element.find('"', from);
        return to == std::string_view::npos ? "" : std::string(element.substr(from, to - from));
    }
    return "";
}

EVP_MD const* DigestByName(std::string const& name)
{
    if (name == "SHA1" || name == "SHA-1")
        return EVP_sha1();
    if (name == "SHA256")
        return EVP_sha256();
    if (name == "SHA384")
        return EVP_sha384();
    if (name == "SHA512")
        return EVP_sha512();
    return nullptr;
}

int Number(std::string const& text)
{
    int64_t v = base::StrToIntDef(text, -1);
    return v < 0 || v > 10000000 ? -1 : int(v);
}

void ForEachPage(std::string& image, std::string const& what, auto&& decrypt)
{
    if (image.size() % PageSize != 0 || image.size() < 3 * PageSize)
        throw EDatabaseError(what);
    for (size_t page = 1; page < image.size() / PageSize; ++page)
        decrypt(uint32_t(page), image.data() + page * PageSize);
}

std::string DecryptAgile(std::string image, TJetHeader const& header, std::u16string const& password,
    std::string const& unsupported)
{
    std::string_view xml = std::string_view(header.EncryptionInfo).substr(8);
    auto key = [&](char const* name) { return Attribute(xml, "encryptedKey", name); };
    auto data = [&](char const* name) { return Attribute(xml, "keyData", name); };
    EVP_MD const* keyHash = DigestByName(key("hashAlgorithm"));
    EVP_MD const* dataHash = DigestByName(data("hashAlgorithm"));
    int spinCount = Number(key("spinCount"));
    int keyBits = Number(key("keyBits")), dataBits = Number(data("keyBits"));
    int blockSize = Number(key("blockSize")), dataBlockSize = Number(data("blockSize"));
    std::string salt = Base64(key("saltValue")), dataSalt = Base64(data("saltValue"));
    std::string verifierInput = Base64(key("encryptedVerifierHashInput"));
    std::string verifierValue = Base64(key("encryptedVerifierHashValue"));
    std::string keyValue = Base64(key("encryptedKeyValue"));
    if (!keyHash || !dataHash || spinCount < 0 || keyBits <= 0 || keyBits % 8 || dataBits <= 0 || dataBits % 8
        || blockSize != 16 || dataBlockSize != 16 || salt.size() < 16 || dataSalt.empty()
        || verifierInput.empty() || verifierValue.empty() || keyValue.empty())
        throw EDatabaseError(unsupported);

    TDigest h { keyHash };
    std::string pw;
    for (char16_t c : password)
        pw += char(c & 0xFF), pw += char(c >> 8);
    std::string hash = h(salt, pw);
    for (int i = 0; i < spinCount; ++i)
        hash = h(Le32(uint32_t(i)), hash);
    auto derive = [&](char const* block) {
        std::string k = h(hash, std::string_view(block, 8));
        k.resize(size_t(keyBits / 8), '\x36');
        return k;
    };
    std::string iv = salt.substr(0, 16);
    std::string input = AesDecrypt(derive("\xfe\xa7\xd2\x76\x3b\x4b\x9e\x79"), iv, verifierInput);
    std::string expected = AesDecrypt(derive("\xd7\xaa\x0f\x6d\x30\x61\x34\x4e"), iv, verifierValue);
    std::string actual = h(input.substr(0, salt.size()));
    actual.resize((actual.size() + 15) / 16 * 16, '\0');
    if (expected.size() < actual.size() || expected.compare(0, actual.size(), actual) != 0)
        WrongPassword();
    std::string secret = AesDecrypt(derive("\x14\x6e\x0b\xe7\xab\xac\xd0\xd6"), iv, keyValue);
    if (secret.size() < size_t(dataBits / 8))
        throw EDatabaseError(unsupported);
    secret.resize(size_t(dataBits / 8));

    TDigest hd { dataHash };
    std::string dbKey = Le32(header.DbKey);
    ForEachPage(image, unsupported, [&](uint32_t page, char* bytes) {
        std::string pk = Le32(page);
        for (int i = 0; i < 4; ++i)
            pk[size_t(i)] = char(pk[size_t(i)] ^ dbKey[size_t(i)]);
        std::string pageIv = hd(dataSalt, pk).substr(0, 16);
        std::string plain = AesDecrypt(secret, pageIv, std::string_view(bytes, PageSize));
        std::memcpy(bytes, plain.data(), PageSize);
    });
    return image;
}

// The EncryptionHeader and EncryptionVerifier of the CryptoAPI ("standard") kinds:
// flags (4) | header size (4) | header: flags, size extra, AlgID, AlgIDHash, key size in
// bits, provider type, 2 reserved, CSP name (UTF-16) | verifier: salt size (16), salt,
// encrypted verifier (16), verifier hash size (20), encrypted verifier hash (20 for RC4,
// 32 for AES).
struct TStandardInfo {
    bool Valid = false;
    bool Aes = false;
    uint32_t AlgId = 0, HashId = 0, KeyBits = 0;
    std::string Salt, Verifier, VerifierHash;
    uint32_t VerifierHashSize = 0;
};

TStandardInfo ReadStandardInfo(std::string_view info)
{
    TStandardInfo r;
    if (info.size() < 12)
        return r;
    uint32_t outerFlags = Get32(info, 4);
    size_t headerSize = Get32(info, 8);
    if (headerSize < 32 || headerSize > info.size() - 12)
        return r;
    std::string_view h = info.substr(12, headerSize);
    uint32_t flags = Get32(h, 0) | outerFlags;
    r.AlgId = Get32(h, 8);
    r.HashId = Get32(h, 12);
    r.KeyBits = Get32(h, 16);
    // AlgID 0 leaves the choice to the flags: fAES 0x20 means AES-128.
    r.Aes = (r.AlgId >= 0x660E && r.AlgId <= 0x6610) || (r.AlgId == 0 && (flags & 0x20));
    if (r.KeyBits == 0 && r.Aes)
        r.KeyBits = r.AlgId == 0x660F ? 192 : r.AlgId == 0x6610 ? 256 : 128;
    if (r.KeyBits == 0) {
        std::u16string csp;
        for (size_t i = 32; i + 1 < h.size(); i += 2)
            csp += char16_t(uint8_t(h[i]) | uint8_t(h[i + 1]) << 8);
        std::string name = base::Utf16ToUtf8(csp.substr(0, csp.find(u'\0')));
        r.KeyBits = name.empty() || base::LowerCase(name).find(" base ") != std::string::npos ? 40 : 128;
    }
    std::string_view v = info.substr(12 + headerSize);
    size_t hashBytes = r.Aes ? 32 : 20;
    if (v.size() < 40 + hashBytes || Get32(v, 0) != 16)
        return r;
    r.Salt = std::string(v.substr(4, 16));
    r.Verifier = std::string(v.substr(20, 16));
    r.VerifierHashSize = Get32(v, 36);
    r.VerifierHash = std::string(v.substr(40, hashBytes));
    r.Valid = true;
    return r;
}

// The algorithm a CryptoAPI EncryptionInfo names: "AES-256", "RC4".
std::string StandardAlgorithm(TStandardInfo const& info)
{
    if (!info.Aes)
        return "RC4";
    int bits = info.AlgId == 0x660F ? 192
        : info.AlgId == 0x6610      ? 256
        : info.AlgId == 0x660E      ? 128
                                    : int(info.KeyBits);
    return bits ? "AES-" + std::to_string(bits) : "AES";
}

std::string Utf16Le(std::u16string const& text)
{
    std::string bytes;
    for (char16_t c : text)
        bytes += char(c & 0xFF), bytes += char(c >> 8);
    return bytes;
}

std::string DecryptRc4CryptoApi(std::string image, TJetHeader const& header, std::u16string const& password,
    std::string const& unsupported)
{
    TStandardInfo info = ReadStandardInfo(header.EncryptionInfo);
    if (!info.Valid || (info.AlgId != 0x6801 && info.AlgId != 0)
        || (info.HashId != 0x8004 && info.HashId != 0) || info.KeyBits < 40 || info.KeyBits > 128
        || info.KeyBits % 8 || info.VerifierHashSize != 20)
        throw EDatabaseError(unsupported);
    uint32_t keySize = info.KeyBits;

    TDigest sha1 { EVP_sha1() };
    std::string base = sha1(info.Salt, Utf16Le(password));
    auto keyFor = [&](uint32_t block) {
        std::string k = sha1(base, Le32(block)).substr(0, keySize / 8);
        if (keySize == 40)
            k.resize(16, '\0'); // the 40-bit key is used zero-padded to 128 bits
        return k;
    };
    std::string both = info.Verifier + info.VerifierHash;
    Rc4Apply(keyFor(0), both.data(), both.size());
    if (sha1(both.substr(0, 16)) != both.substr(16, 20))
        WrongPassword();
    ForEachPage(image, unsupported,
        [&](uint32_t page, char* bytes) { Rc4Apply(keyFor(page ^ header.DbKey), bytes, PageSize); });
    return image;
}

// CryptoAPI with AES ("standard encryption"): the key of a block is derived from the
// password by SHA-1 (salt and password, 50,000 rounds, then the block number, then the
// 0x36/0x5C expansion) and used with AES-ECB; block 0 checks the password, page p is
// block (p XOR page-encoding key).
std::string DecryptAesCryptoApi(std::string image, TJetHeader const& header, std::u16string const& password,
    std::string const& unsupported)
{
    TStandardInfo info = ReadStandardInfo(header.EncryptionInfo);
    if (!info.Valid || !info.Aes || (info.HashId != 0x8004 && info.HashId != 0)
        || (info.KeyBits != 128 && info.KeyBits != 192 && info.KeyBits != 256) || info.VerifierHashSize != 20)
        throw EDatabaseError(unsupported);

    TDigest sha1 { EVP_sha1() };
    std::string hash = sha1(info.Salt, Utf16Le(password));
    for (uint32_t i = 0; i < 50000; ++i)
        hash = sha1(Le32(i), hash);
    auto keyFor = [&](uint32_t block) {
        std::string final = sha1(hash, Le32(block));
        std::string x1(64, '\x36'), x2(64, '\x5C');
        for (size_t i = 0; i < final.size(); ++i) {
            x1[i] = char(x1[i] ^ final[i]);
            x2[i] = char(x2[i] ^ final[i]);
        }
        return (sha1(x1) + sha1(x2)).substr(0, info.KeyBits / 8);
    };
    std::string key = keyFor(0);
    std::string verifier = AesDecrypt(key, "", info.Verifier);
    std::string verifierHash = AesDecrypt(key, "", info.VerifierHash);
    if (sha1(verifier) != verifierHash.substr(0, 20))
        WrongPassword();
    ForEachPage(image, unsupported, [&](uint32_t page, char* bytes) {
        std::string plain = AesDecrypt(keyFor(page ^ header.DbKey), "", std::string_view(bytes, PageSize));
        std::memcpy(bytes, plain.data(), PageSize);
    });
    return image;
}
}

std::string DecryptAceImage(
    std::string const& file, TJetHeader const& header, std::string_view password, std::string const& fileName)
{
    // Distinct from a wrong password: the start ends with this reason.
    std::string unsupported = "The database '" + fileName + "' cannot be opened: encryption not supported: ";
    std::string_view info = header.EncryptionInfo;
    if (info.size() < 8)
        throw EDatabaseError(unsupported + "no readable EncryptionInfo.");
    unsigned major = uint8_t(info[0]) | uint8_t(info[1]) << 8;
    unsigned minor = uint8_t(info[2]) | uint8_t(info[3]) << 8;
    uint32_t flags = Get32(info, 4);
    // fCryptoAPI 0x04, fAES 0x20, fAgile 0x40; the CryptoAPI kinds name their algorithm
    // in the EncryptionHeader's AlgID.
    bool agile = major == 4 && minor == 4;
    bool standard = !agile && major >= 2 && major <= 4 && minor == 2 && (flags & 0x04);
    TStandardInfo standardInfo = standard ? ReadStandardInfo(info) : TStandardInfo();
    if (standard && !standardInfo.Valid) {
        standardInfo = TStandardInfo();
        standardInfo.Aes = flags & 0x20;
    }
    if (agile) {
        std::string_view xml = info.substr(std::min<size_t>(8, info.size()));
        std::string bits = Attribute(xml, "keyData", "keyBits"),
                    hash = Attribute(xml, "keyData", "hashAlgorithm");
        unsupported += "Office Agile";
        if (!bits.empty() && !hash.empty())
            unsupported += " (AES-" + bits + ", " + hash + ")";
    } else {
        unsupported += standard ? "CryptoAPI " + StandardAlgorithm(standardInfo) : "an unknown method";
    }
    std::string version = " (EncryptionInfo " + std::to_string(major) + "." + std::to_string(minor) + ").";
    std::u16string pw = base::AnsiToUtf16(password);
    if (pw.size() > 255)
        WrongPassword();

    std::string image;
    if (agile && flags == 0x40)
        image = DecryptAgile(file, header, pw, unsupported + version);
    else if (standard && standardInfo.Aes && major >= 3)
        image = DecryptAesCryptoApi(file, header, pw, unsupported + version);
    else if (standard && !standardInfo.Aes)
        image = DecryptRc4CryptoApi(file, header, pw, unsupported + version);
    else
        throw EDatabaseError(unsupported + version);

    // Clear the page-encoding key inside the masked header: libmdb then takes the pages
    // as stored, which they now are.
    char const maskKey[] = { '\xC7', '\xDA', '\x39', '\x6B' };
    char* masked = image.data() + 0x18;
    Rc4Apply(std::string_view(maskKey, 4), masked, 128);
    std::memset(image.data() + 0x3E, 0, 4);
    Rc4Apply(std::string_view(maskKey, 4), masked, 128);
    return image;
}

} // namespace xe::db
