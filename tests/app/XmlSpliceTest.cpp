#include "app/XmlSplice.h"
#include "platform/base/Files.h"

#include <gtest/gtest.h>

using namespace xe::app;
using namespace xe::base;

namespace {
class XmlSplice : public ::testing::Test {
protected:
    TTempDir FTemp;
    std::string FFile = FTemp.File("out.xml");
};
}

TEST_F(XmlSplice, MarkerNearTheEndIsCutInTheFirstWindow)
{
    std::string head = "<xml><rs:data>\n<z:row a='1'/>\n";
    WriteFileBytes(FFile, head + "</rs:data>\n</xml>");
    EXPECT_TRUE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), head);
}

TEST_F(XmlSplice, MarkerFollowedBy15BytesNeedsTheSecondWindow)
{
    std::string head(40, 'h');
    WriteFileBytes(FFile, head + "</rs:data>" + std::string(15, 't'));
    EXPECT_TRUE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), head);
}

TEST_F(XmlSplice, FileShorterThanTheWindowIsNeverCut)
{
    std::string content = "ab</rs:data>cd"; // 14 bytes
    WriteFileBytes(FFile, content);
    EXPECT_FALSE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), content);
}

TEST_F(XmlSplice, MarkerInTheFirstTenBytesOfA30ByteFileIsNotFound)
{
    std::string content = "xx</rs:data>" + std::string(18, 'y');
    ASSERT_EQ(content.size(), 30u);
    WriteFileBytes(FFile, content);
    EXPECT_FALSE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), content);
}

TEST_F(XmlSplice, FileWithoutMarkerStaysUnchanged)
{
    std::string content(1000, 'z');
    WriteFileBytes(FFile, content);
    EXPECT_FALSE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), content);
}

TEST_F(XmlSplice, FirstMarkerOfTheSmallestWindowWins)
{
    // Two markers inside the 40-byte window; neither whole in the 20-byte one.
    std::string content = std::string(20, 'a') + "</rs:data>1</rs:data>" + std::string(12, 'b');
    WriteFileBytes(FFile, content);
    EXPECT_TRUE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile),
        content.substr(0, content.size() - 40 + content.substr(content.size() - 40).find("</rs:data>")));
}

TEST_F(XmlSplice, WindowOfTheWholeFileIsSearched)
{
    std::string content = "</rs:data>" + std::string(30, 'q'); // 40 bytes
    WriteFileBytes(FFile, content);
    EXPECT_TRUE(TruncateAtDataEnd(FFile, 20));
    EXPECT_EQ(ReadFileBytes(FFile), "");
}

TEST_F(XmlSplice, MissingFiles)
{
    EXPECT_FALSE(TruncateAtDataEnd(FFile, 20));
    EXPECT_FALSE(FileExists(FFile));
    EXPECT_EQ(ReadWholeFile(FFile), "");
    EXPECT_EQ(ReadWholeFile(FTemp.Path()), "");
}

TEST_F(XmlSplice, AppendCreatesAndExtends)
{
    AppendText(FFile, std::string("a\0b", 3));
    EXPECT_EQ(ReadWholeFile(FFile), std::string("a\0b", 3));
    AppendText(FFile, "");
    EXPECT_EQ(ReadWholeFile(FFile), std::string("a\0b", 3));
    AppendText(FFile, "cd");
    EXPECT_EQ(ReadWholeFile(FFile), std::string("a\0bcd", 5));
}

TEST_F(XmlSplice, SplicingTwoPagesGivesOneDataBlock)
{
    const std::string head = "<xml xmlns:rs='r'><s:Schema/>\n<rs:data>\n";
    const std::string tail = "</rs:data>\n</xml>";
    WriteFileBytes(FFile, head + "<z:row n='1'/>\n" + tail);
    std::string page = "<xml><s:Schema/>\n<rs:data>\n<z:row n='2'/>\n" + tail;
    ASSERT_TRUE(TruncateAtDataEnd(FFile, 20));
    AppendText(FFile, page.substr(page.find(DataBeginMarker) + DataBeginMarker.size()));
    EXPECT_EQ(ReadWholeFile(FFile), head + "<z:row n='1'/>\n\n<z:row n='2'/>\n" + tail);
}

TEST(XmlSpliceLarge, PositionsBeyond2GiBWork)
{
    TTempDir temp;
    std::string file = temp.File("big.xml");
    // A sparse file of 2.5 GiB whose marker sits at the very end.
    {
        FILE* f = fopen(ToSystemPath(file).c_str(), "wb");
        ASSERT_TRUE(f);
        ASSERT_EQ(fseeko(f, off_t(2560) * 1024 * 1024, SEEK_SET), 0);
        fputs("</rs:data></xml>", f);
        fclose(f);
    }
    int64_t before = FileSize(file);
    ASSERT_GT(before, int64_t(1) << 31);
    EXPECT_TRUE(TruncateAtDataEnd(file, 20));
    EXPECT_EQ(FileSize(file), before - 16);
}
