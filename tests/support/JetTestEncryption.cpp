#include "tests/support/JetTestEncryption.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/db/access/AceCrypto.h"
#include "platform/db/access/JetHeader.h"

#include <openssl/evp.h>

#include <cstring>
#include <memory>
#include <random>

namespace xe::db {

namespace {
using base::EInvalidOperation;

constexpr size_t AcePage = 4096;
constexpr char HeaderKey[] = { '\xC7', '\xDA', '\x39', '\x6B' };

std::string Le32(uint32_t v) { return { char(v), char(v >> 8), char(v >> 16), char(v >> 24) }; }

std::string Digest(EVP_MD const* md, std::string const& a, std::string const& b = "")
{
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    EVP_DigestInit_ex(ctx.get(), md, nullptr);
    EVP_DigestUpdate(ctx.get(), a.data(), a.size());
    EVP_DigestUpdate(ctx.get(), b.data(), b.size());
    EVP_DigestFinal_ex(ctx.get(), out, &size);
    return std::string(reinterpret_cast<char*>(out), size);
}

// AES encryption without padding: CBC with `iv`, ECB when it is empty.
std::string AesEncrypt(std::string const& key, std::string const& iv, std::string const& data)
{
    bool ecb = iv.empty();
    EVP_CIPHER const* cipher = key.size() == 16 ? (ecb ? EVP_aes_128_ecb() : EVP_aes_128_cbc())
        : key.size() == 24                      ? (ecb ? EVP_aes_192_ecb() : EVP_aes_192_cbc())
                                                : (ecb ? EVP_aes_256_ecb() : EVP_aes_256_cbc());
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(
        EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    std::string out(data.size() + 16, '\0');
    int n = 0, tail = 0;
    EVP_EncryptInit_ex(ctx.get(), cipher, nullptr, reinterpret_cast<unsigned char const*>(key.data()),
        ecb ? nullptr : reinterpret_cast<unsigned char const*>(iv.data()));
    EVP_CIPHER_CTX_set_padding(ctx.get(), 0);
    if (!EVP_EncryptUpdate(ctx.get(), reinterpret_cast<unsigned char*>(out.data()), &n,
            reinterpret_cast<unsigned char const*>(data.data()), int(data.size()))
        || !EVP_EncryptFinal_ex(ctx.get(), reinterpret_cast<unsigned char*>(out.data()) + n, &tail))
        throw EInvalidOperation("AES encryption failed");
    out.resize(size_t(n + tail));
    return out;
}

std::string Utf16Le(std::string const& utf8)
{
    std::string bytes;
    for (char16_t c : base::Utf8ToUtf16(utf8))
        bytes += char(c & 0xFF), bytes += char(c >> 8);
    return bytes;
}

std::string RandomBytes(size_t n, uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

std::string Base64(std::string const& bytes)
{
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
        reinterpret_cast<unsigned char const*>(bytes.data()), int(bytes.size()));
    out.resize(size_t(n));
    return out;
}

// Sets the page-encoding key inside the masked header (Jet 3: 126 masked bytes).
void SetDbKey(std::string& image, uint32_t dbKey)
{
    size_t masked = image[0x14] == 0 ? 126 : 128;
    Rc4Apply(std::string_view(HeaderKey, 4), image.data() + 0x18, masked);
    image.replace(0x3E, 4, Le32(dbKey));
    Rc4Apply(std::string_view(HeaderKey, 4), image.data() + 0x18, masked);
}

// Writes the EncryptionInfo after its length at 0x299 and the page-encoding key.
std::string WithEncryptionInfo(std::string image, std::string const& info, uint32_t dbKey)
{
    if (0x29B + info.size() > AcePage || image.size() % AcePage != 0 || image[0x14] < 2)
        throw EInvalidOperation("Not a plain ACE image, or EncryptionInfo too long");
    image[0x299] = char(info.size());
    image[0x29A] = char(info.size() >> 8);
    image.replace(0x29B, info.size(), info);
    SetDbKey(image, dbKey);
    return image;
}

// EncryptionHeader and EncryptionVerifier of the CryptoAPI kinds.
std::string StandardInfo(uint32_t flags, uint32_t algId, int keyBits, std::string const& csp,
    std::string const& salt, std::string const& verifier, std::string const& verifierHash)
{
    std::string cspName = Utf16Le(csp) + std::string(2, '\0');
    std::string header = Le32(flags) + Le32(0) + Le32(algId) + Le32(0x8004) + Le32(uint32_t(keyBits))
        + Le32(algId == 0x6801 ? 1 : 0x18) + Le32(0) + Le32(0) + cspName;
    return std::string("\x04\x00\x02\x00", 4) + Le32(flags) + Le32(uint32_t(header.size())) + header
        + Le32(16) + salt + verifier + Le32(20) + verifierHash;
}
}

std::string EncodeJetPages(std::string image, uint32_t dbKey)
{
    size_t pageSize = image[0x14] == 0 ? 2048 : 4096;
    SetDbKey(image, dbKey);
    for (size_t p = 1; p < image.size() / pageSize; ++p) {
        std::string key = Le32(uint32_t(p) ^ dbKey);
        Rc4Apply(key, image.data() + p * pageSize, pageSize);
    }
    return image;
}

std::string EncryptAceRc4CryptoApi(
    std::string const& plain, std::string const& password, int keyBits, uint32_t dbKey)
{
    std::string salt = RandomBytes(16, 1);
    std::string base = Digest(EVP_sha1(), salt, Utf16Le(password));
    auto key = [&](uint32_t block) {
        std::string k = Digest(EVP_sha1(), base, Le32(block)).substr(0, size_t(keyBits / 8));
        if (keyBits == 40)
            k.resize(16, '\0');
        return k;
    };
    std::string verifier = RandomBytes(16, 2);
    std::string both = verifier + Digest(EVP_sha1(), verifier);
    Rc4Apply(key(0), both.data(), both.size());
    std::string info = StandardInfo(0x04, 0x6801, keyBits,
        keyBits == 40 ? "Microsoft Base Cryptographic Provider v1.0"
                      : "Microsoft Enhanced Cryptographic Provider v1.0",
        salt, both.substr(0, 16), both.substr(16));
    std::string image = WithEncryptionInfo(plain, info, dbKey);
    for (size_t p = 1; p < image.size() / AcePage; ++p)
        Rc4Apply(key(uint32_t(p) ^ dbKey), image.data() + p * AcePage, AcePage);
    return image;
}

std::string EncryptAceAesCryptoApi(
    std::string const& plain, std::string const& password, int keyBits, uint32_t dbKey)
{
    std::string salt = RandomBytes(16, 3);
    std::string hash = Digest(EVP_sha1(), salt, Utf16Le(password));
    for (uint32_t i = 0; i < 50000; ++i)
        hash = Digest(EVP_sha1(), Le32(i), hash);
    auto key = [&](uint32_t block) {
        std::string final = Digest(EVP_sha1(), hash, Le32(block));
        std::string x1(64, '\x36'), x2(64, '\x5C');
        for (size_t i = 0; i < final.size(); ++i) {
            x1[i] = char(x1[i] ^ final[i]);
            x2[i] = char(x2[i] ^ final[i]);
        }
        return (Digest(EVP_sha1(), x1) + Digest(EVP_sha1(), x2)).substr(0, size_t(keyBits / 8));
    };
    std::string verifier = RandomBytes(16, 4);
    std::string verifierHash = Digest(EVP_sha1(), verifier);
    verifierHash.resize(32, '\0');
    uint32_t algId = keyBits == 128 ? 0x660E : keyBits == 192 ? 0x660F : 0x6610;
    std::string info
        = StandardInfo(0x24, algId, keyBits, "Microsoft Enhanced RSA and AES Cryptographic Provider", salt,
            AesEncrypt(key(0), "", verifier), AesEncrypt(key(0), "", verifierHash));
    std::string image = WithEncryptionInfo(plain, info, dbKey);
    for (size_t p = 1; p < image.size() / AcePage; ++p) {
        std::string page = AesEncrypt(key(uint32_t(p) ^ dbKey), "", image.substr(p * AcePage, AcePage));
        image.replace(p * AcePage, AcePage, page);
    }
    return image;
}

std::string EncryptAceAgile(std::string const& plain, std::string const& password,
    std::string const& hashName, int keyBits, int spinCount, uint32_t dbKey)
{
    EVP_MD const* md = hashName == "SHA1" ? EVP_sha1() : EVP_sha512();
    size_t keyBytes = size_t(keyBits / 8);
    std::string salt = RandomBytes(16, 5), dataSalt = RandomBytes(16, 6);
    std::string hash = Digest(md, salt, Utf16Le(password));
    for (int i = 0; i < spinCount; ++i)
        hash = Digest(md, Le32(uint32_t(i)), hash);
    auto derive = [&](char const* block) {
        std::string k = Digest(md, hash, std::string(block, 8));
        k.resize(keyBytes, '\x36');
        return k;
    };
    auto padded = [](std::string bytes) {
        bytes.resize((bytes.size() + 15) / 16 * 16, '\0');
        return bytes;
    };
    std::string verifierInput = RandomBytes(16, 7);
    std::string secret = RandomBytes(keyBytes, 8);
    std::string encryptedInput = AesEncrypt(derive("\xfe\xa7\xd2\x76\x3b\x4b\x9e\x79"), salt, verifierInput);
    std::string encryptedValue
        = AesEncrypt(derive("\xd7\xaa\x0f\x6d\x30\x61\x34\x4e"), salt, padded(Digest(md, verifierInput)));
    std::string encryptedKey = AesEncrypt(derive("\x14\x6e\x0b\xe7\xab\xac\xd0\xd6"), salt, padded(secret));
    std::string hashSize = std::to_string(EVP_MD_size(md));
    std::string common = "saltSize=\"16\" blockSize=\"16\" keyBits=\"" + std::to_string(keyBits)
        + "\" hashSize=\"" + hashSize
        + "\" cipherAlgorithm=\"AES\" cipherChaining=\"ChainingModeCBC\" hashAlgorithm=\"" + hashName + "\"";
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                      "<encryption xmlns=\"http://schemas.microsoft.com/office/2006/encryption\" "
                      "xmlns:p=\"http://schemas.microsoft.com/office/2006/keyEncryptor/password\">"
                      "<keyData "
        + common + " saltValue=\"" + Base64(dataSalt)
        + "\"/><keyEncryptors><keyEncryptor uri=\"http://schemas.microsoft.com/office/2006/keyEncryptor/"
          "password\"><p:encryptedKey spinCount=\""
        + std::to_string(spinCount) + "\" " + common + " saltValue=\"" + Base64(salt)
        + "\" encryptedVerifierHashInput=\"" + Base64(encryptedInput) + "\" encryptedVerifierHashValue=\""
        + Base64(encryptedValue) + "\" encryptedKeyValue=\"" + Base64(encryptedKey)
        + "\"/></keyEncryptor></keyEncryptors></encryption>";
    std::string info = std::string("\x04\x00\x04\x00", 4) + Le32(0x40) + xml;
    std::string image = WithEncryptionInfo(plain, info, dbKey);
    for (size_t p = 1; p < image.size() / AcePage; ++p) {
        std::string iv = Digest(md, dataSalt, Le32(uint32_t(p) ^ dbKey)).substr(0, 16);
        image.replace(p * AcePage, AcePage, AesEncrypt(secret, iv, image.substr(p * AcePage, AcePage)));
    }
    return image;
}

std::string PlainAceImage()
{
    std::string file = XE_FIXTURES_DIR "/access/ace14_agile_password.accdb";
    std::string bytes = base::ReadFileBytes(file);
    return DecryptAceImage(bytes, DecodeJetHeader(bytes), "password", file);
}

} // namespace xe::db
