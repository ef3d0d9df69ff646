#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xe::db {

// Page 0 of an Access file, as far as opening it needs:
//
//   0x00  1   page type 0
//   0x04  15  "Standard Jet DB" / "Standard ACE DB"
//   0x14  1   version: 0 Jet 3, 1 Jet 4, 2..6 ACE 12..17
//   0x18  126 (Jet 3) / 128 (Jet 4, ACE) bytes masked with the RC4 stream of key C7 DA 39 6B:
//     0x3A  2   sort order (Jet 3)
//     0x3C  2   code page
//     0x3E  4   page-encoding key (0 = pages stored plain)
//     0x42  20 (Jet 3) / 40 (Jet 4) database password
//     0x6E  4   sort order (Jet 4+): a Windows locale id, 0x0409 General
//     0x72  8   creation date (Jet 4+), an Access date double; its day number masks the password
//   0x299 2+n  ACE only, not masked: length and bytes of the Office EncryptionInfo
struct TJetHeader {
    int Version = 0;
    int PageSize = 0; // 2048 for Jet 3, 4096 otherwise
    uint16_t CodePage = 0;
    uint32_t SortOrder = 0; // the collating order's locale id (low 16 bits), 0 when unknown
    uint32_t DbKey = 0;
    double CreationDate = 0;
    // The stored database password as UTF-16 code units; empty when there is none. For
    // ACE files the field holds no password (a password there means encryption).
    std::u16string Password;
    std::string EncryptionInfo; // ACE only; raw bytes

    bool IsJet3() const { return Version == 0; }
    bool IsAce() const { return Version >= 2; }
    // "Encrypt with password" of Access 2007 and later: every page after page 0 is encrypted.
    bool IsEncryptedAce() const { return IsAce() && DbKey != 0; }
};

constexpr size_t JetSignatureSize = 0x15;

// True when the first bytes carry the signature of a Jet 3/4 or ACE database.
bool IsAccessSignature(std::string_view firstBytes);

// Decodes page 0 (at least the first page of the file). Raises EDatabaseError
// "Unrecognized database format '<fileName>'." when the bytes are not an Access header.
TJetHeader DecodeJetHeader(std::string_view page0, std::string const& fileName = "");

// Checks a supplied password (ANSI code page) as Jet does: no stored password opens with
// any supplied one; otherwise the two must be equal code unit for code unit (passwords are
// case-sensitive). Raises EDatabaseError "Not a valid password." otherwise.
void CheckJetPassword(TJetHeader const& header, std::string_view suppliedAnsi);

// RC4 over data in place (the header mask and Jet 4 page encoding use it).
void Rc4Apply(std::string_view key, char* data, size_t size);

// Writes a password into a Jet 3 or Jet 4 page-0 image, the inverse of the decoding (test
// databases).
void EncodeJetPassword(std::string& page0, std::u16string_view password);

} // namespace xe::db
