#pragma once

#include <cstdint>
#include <string>

namespace xe::db {

// Encrypts Access files for tests, as Jet and Access do, from plain images (a file written
// by TJetTestDatabase, a fixture, or PlainAceImage()). Passwords are UTF-8; each function
// gives the whole new file.

// Jet 3 / Jet 4 "encoded" databases: every page after page 0 RC4 with the key
// LE32(page XOR dbKey), the key in the masked header. No password is involved.
std::string EncodeJetPages(std::string image, uint32_t dbKey);

// ACE "Encrypt with password", CryptoAPI RC4 (EncryptionInfo 4.2): keyBits 40 to 128.
std::string EncryptAceRc4CryptoApi(
    std::string const& plain, std::string const& password, int keyBits, uint32_t dbKey);
// CryptoAPI AES, "standard encryption" (EncryptionInfo 4.2, AlgID 0x660E/F/10): keyBits
// 128, 192 or 256.
std::string EncryptAceAesCryptoApi(
    std::string const& plain, std::string const& password, int keyBits, uint32_t dbKey);
// Agile encryption (EncryptionInfo 4.4): AES with keyBits, the hash "SHA1" or "SHA512".
std::string EncryptAceAgile(std::string const& plain, std::string const& password, std::string const& hash,
    int keyBits, int spinCount, uint32_t dbKey);

// A plain ACE 14 image: the Agile fixture decrypted (Table1: 1 One, 2 Two, 3 Three).
std::string PlainAceImage();

} // namespace xe::db
