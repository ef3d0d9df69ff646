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
//   2.2/3.2/4.2   with fCryptoAPI and not fAES: RC4 CryptoAPI (SHA-1, 40 to 128-bit keys).
// Checks the password (ANSI) and gives the whole file decrypted, with the header's
// page-encoding key cleared so that libmdb reads the image as a plain file. Raises
// EDatabaseError "Not a valid password." for a wrong password and a message naming the
// method for encryption it cannot read. The decrypted image only ever lives in memory.
std::string DecryptAceImage(std::string const& file, TJetHeader const& header, std::string_view password,
    std::string const& fileName);

} // namespace xe::db
