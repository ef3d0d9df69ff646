#include "platform/db/access/JetHeader.h"
#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

using namespace xe::db;
using xe::base::EDatabaseError;

namespace {
std::string Fixture(char const* name)
{
    return xe::base::ReadFileBytes(std::string(XE_FIXTURES_DIR "/access/") + name);
}

std::string PasswordError(TJetHeader const& header, std::string_view supplied)
{
    try {
        CheckJetPassword(header, supplied);
    } catch (EDatabaseError const& e) {
        return e.Message();
    }
    return "";
}
}

TEST(JetHeader, Jet4PasswordIsCheckedExactly)
{
    TJetHeader h = DecodeJetHeader(Fixture("jet4_password.mdb"));
    EXPECT_EQ(h.Version, 1);
    EXPECT_EQ(h.PageSize, 4096);
    EXPECT_EQ(h.CodePage, 1252);
    EXPECT_EQ(h.DbKey, 0u);
    EXPECT_EQ(h.Password, u"password");
    EXPECT_NEAR(h.CreationDate, 44568.68, 0.01);
    EXPECT_EQ(PasswordError(h, "password"), "");
    EXPECT_EQ(PasswordError(h, "Password"), "Not a valid password.");
    EXPECT_EQ(PasswordError(h, "PASSWORD"), "Not a valid password.");
    EXPECT_EQ(PasswordError(h, ""), "Not a valid password.");
    EXPECT_EQ(PasswordError(h, "password "), "Not a valid password.");
    EXPECT_EQ(PasswordError(h, "passwor"), "Not a valid password.");
}

TEST(JetHeader, FilesWithoutPasswordOpenWithAnyPassword)
{
    TJetHeader jet3 = DecodeJetHeader(Fixture("jet3_types.mdb"));
    EXPECT_EQ(jet3.Version, 0);
    EXPECT_EQ(jet3.PageSize, 2048);
    EXPECT_EQ(jet3.CodePage, 1252);
    EXPECT_TRUE(jet3.Password.empty());
    EXPECT_EQ(PasswordError(jet3, ""), "");
    EXPECT_EQ(PasswordError(jet3, "anything"), "");

    TJetHeader encoded = DecodeJetHeader(Fixture("jet4_rc4_encoded.mdb"));
    EXPECT_EQ(encoded.Version, 1);
    EXPECT_NE(encoded.DbKey, 0u);
    EXPECT_TRUE(encoded.Password.empty());
    EXPECT_EQ(PasswordError(encoded, "x"), "");

    TJetHeader empty = DecodeJetHeader(Fixture("jet4_empty_template.mdb"));
    EXPECT_TRUE(empty.Password.empty());
}

TEST(JetHeader, EncryptedAceIsRecognised)
{
    TJetHeader h = DecodeJetHeader(Fixture("ace14_agile_password.accdb"));
    EXPECT_EQ(h.Version, 3);
    EXPECT_TRUE(h.IsAce());
    EXPECT_TRUE(h.IsEncryptedAce());
    ASSERT_GE(h.EncryptionInfo.size(), 4u);
    EXPECT_EQ(h.EncryptionInfo[0], 4); // Agile: version 4.4
    EXPECT_EQ(h.EncryptionInfo[2], 4);
}

TEST(JetHeader, WrittenPasswordsReadBack)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    std::string page = Fixture("jet4_empty_template.mdb").substr(0, 4096);
    std::string original = page;
    for (std::u16string pw :
        { std::u16string(u"Sésame-42"), std::u16string(u"密码"), std::u16string(20, u'x') }) {
        EncodeJetPassword(page, pw);
        TJetHeader h = DecodeJetHeader(page);
        EXPECT_EQ(h.Password, pw);
        EXPECT_EQ(h.CodePage, 1252); // the rest of the masked header is untouched
    }
    EXPECT_EQ(PasswordError(DecodeJetHeader(page), std::string(20, 'x')), "");
    EncodeJetPassword(page, u"");
    EXPECT_EQ(page, original);
    EXPECT_EQ(PasswordError(DecodeJetHeader(page), "Sésame-42"), "");
    EncodeJetPassword(page, u"Sésame-42");
    EXPECT_EQ(PasswordError(DecodeJetHeader(page), "Sésame-42"), "");
    EXPECT_EQ(PasswordError(DecodeJetHeader(page), "sésame-42"), "Not a valid password.");
}

TEST(JetHeader, Jet3PasswordIsInTheCodePage)
{
    xe::test::TProcessState state;
    state.UseCodePage("UTF-8");
    std::string page = Fixture("jet3_types.mdb").substr(0, 2048);
    // Unmask, store "Clé" in code page 1252, mask again.
    char const key[] = { '\xC7', '\xDA', '\x39', '\x6B' };
    Rc4Apply(std::string_view(key, 4), page.data() + 0x18, 126);
    std::string pw = "Cl\xE9";
    std::copy(pw.begin(), pw.end(), page.begin() + 0x42);
    Rc4Apply(std::string_view(key, 4), page.data() + 0x18, 126);
    TJetHeader h = DecodeJetHeader(page);
    EXPECT_EQ(h.Password, u"Clé");
    EXPECT_EQ(PasswordError(h, "Clé"), "");
    EXPECT_EQ(PasswordError(h, "CLÉ"), "Not a valid password.");
    EXPECT_EQ(PasswordError(h, ""), "Not a valid password.");
}

TEST(JetHeader, OtherBytesAreNoAccessHeader)
{
    EXPECT_FALSE(IsAccessSignature(""));
    EXPECT_FALSE(IsAccessSignature("SQLite format 3"));
    std::string page = Fixture("jet4_password.mdb").substr(0, 4096);
    EXPECT_TRUE(IsAccessSignature(page));
    EXPECT_THROW(DecodeJetHeader(page.substr(0, 100), "x.mdb"), EDatabaseError);
    std::string badVersion = page;
    badVersion[0x14] = 9;
    try {
        DecodeJetHeader(badVersion, "x.mdb");
        FAIL();
    } catch (EDatabaseError const& e) {
        EXPECT_EQ(e.Message(), "Unrecognized database format 'x.mdb'.");
    }
}

// A short ACE page 0 ending right where the EncryptionInfo length would start: the decoder
// must not read the two bytes after it. The page is placed against an inaccessible page so
// that an over-read faults in any build.
TEST(JetHeader, ShortAcePageIsReadWithinItsBounds)
{
    std::string page
        = xe::base::ReadFileBytes(XE_SOURCE_DIR "/tests/fuzz/corpus/jetheader/get16-overread-665.bin");
    ASSERT_EQ(page.size(), 665u);
    long pageSize = sysconf(_SC_PAGESIZE);
    void* block
        = mmap(nullptr, size_t(2 * pageSize), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    char* guard = static_cast<char*>(block) + pageSize;
    ASSERT_EQ(mprotect(guard, size_t(pageSize), PROT_NONE), 0);
    std::memcpy(guard - page.size(), page.data(), page.size());
    TJetHeader h = DecodeJetHeader(std::string_view(guard - page.size(), page.size()), "short.accdb");
    EXPECT_TRUE(h.IsAce());
    EXPECT_TRUE(h.EncryptionInfo.empty());
    munmap(block, size_t(2 * pageSize));
}

TEST(JetHeader, SortOrderIsRead)
{
    EXPECT_EQ(DecodeJetHeader(Fixture("jet4_password.mdb")).SortOrder & 0xFFFF, 0x0409u);
    EXPECT_EQ(DecodeJetHeader(Fixture("jet3_types.mdb")).SortOrder & 0xFFFF, 0x0409u);
}
