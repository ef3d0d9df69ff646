#pragma once

#include "platform/db/access/JetHeader.h"

#include <string>
#include <string_view>

namespace xe::db {

// "Encrypt with password" of Access 2007 and later (.accdb): every page after page 0 is
// encrypted with a key protected by the password, described by the Office EncryptionInfo
// in page 0 (TJetHeader::EncryptionInfo):
//   4.4           Agile: XML naming the hash (SHA-1/256/384/512), AES key size, salts,
//                 spin count and the encrypted verifier and key (base64).
//   2.2/3.2/4.2   CryptoAPI RC4 (AlgID 0x6801, or fCryptoAPI without fAES): SHA-1, 40 to
//                 128-bit keys.
//   3.2/4.2       CryptoAPI AES, "standard encryption" (AlgID 0x660E/0x660F/0x6610, or
//                 fCryptoAPI | fAES): SHA-1 key derivation, AES-128/192/256 in ECB mode.
// Checks the password (ANSI) and gives the whole file decrypted, with the header's
// page-encoding key cleared so that libmdb reads the image as a plain file. Raises
// EDatabaseError "Not a valid password." for a wrong password and, for encryption it cannot
// read, "encryption not supported: " with the method and its algorithm ("CryptoAPI
// AES-256"). The decrypted image only ever lives in memory.
std::string DecryptAceImage(std::string const& file, TJetHeader const& header, std::string_view password,
    std::string const& fileName);

} // namespace xe::db
