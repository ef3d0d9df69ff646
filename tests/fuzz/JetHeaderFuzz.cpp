// Fuzz entry point of the page-0 decoder, the password check and, for encrypted ACE
// headers, the key derivation and page decryption. Any input either decodes or raises
// EDatabaseError; nothing reads outside the input or runs away.
#include <cstdint>
#include <string>

#include "platform/base/Exceptions.h"
#include "platform/db/access/AceCrypto.h"
#include "platform/db/access/JetHeader.h"

using namespace xe::db;

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::string bytes(reinterpret_cast<char const*>(data), size);
    try {
        TJetHeader header = DecodeJetHeader(bytes, "fuzz.mdb");
        if (header.Password.size() > 20 || (header.PageSize != 2048 && header.PageSize != 4096))
            __builtin_trap();
        CheckJetPassword(header, "password");
        if (header.IsEncryptedAce()) {
            std::string image = bytes;
            image.resize(3 * 4096, '\0');
            DecryptAceImage(image, header, "password", "fuzz.accdb");
        }
    } catch (xe::base::EDatabaseError const&) {
    }
    return 0;
}
