#include "platform/db/access/JetFormat.h"

#include <gtest/gtest.h>

using namespace xe::db;

namespace {
TJetTableDef TwoTextColumns()
{
    TJetTableDef table;
    table.VarCols = 2;
    TJetColumnDef a;
    a.Type = 0x0A;
    a.Number = 0;
    a.VarIndex = 0;
    TJetColumnDef b = a;
    b.Number = 1;
    b.VarIndex = 1;
    table.Columns = { a, b };
    return table;
}
}

TEST(JetFormat, Jet3RowsOver256BytesUseTheJumpTable)
{
    // count | 300 x 'a' | 10 x 'b' | offsets (eod, 1, 0; low bytes) | jump | var count | mask
    std::string row(1, '\x02');
    row += std::string(300, 'a') + std::string(10, 'b');
    row += char(311 - 256); // end of data
    row += char(301 - 256); // column 1 starts past the first 256 bytes
    row += char(1); // column 0
    row += char(1); // the jump: offsets from entry 1 on are 256 further
    row += char(2);
    row += char(0x03);
    ASSERT_EQ(row.size(), 317u);
    TJetFormat jet3;
    jet3.Version = 0;
    jet3.PageSize = 2048;
    std::vector<TJetField> fields;
    ASSERT_TRUE(JetCrackRow(jet3, row, TwoTextColumns(), fields));
    EXPECT_EQ(fields[0].Bytes, std::string(300, 'a'));
    EXPECT_EQ(fields[1].Bytes, std::string(10, 'b'));
}

TEST(JetFormat, Jet4RowsWithNullAndEmptyValues)
{
    // count | "xy" | eod, offset 1, offset 0 | var count | mask (column 0 present)
    std::string row = std::string("\x02\x00", 2) + "xy";
    for (int v : { 4, 4, 2 })
        row += char(v), row += '\0';
    row += std::string("\x02\x00", 2);
    row += char(0x01);
    TJetFormat jet4;
    std::vector<TJetField> fields;
    ASSERT_TRUE(JetCrackRow(jet4, row, TwoTextColumns(), fields));
    EXPECT_FALSE(fields[0].Null);
    EXPECT_EQ(fields[0].Bytes, "xy");
    EXPECT_TRUE(fields[1].Null);
    row.back() = 0x03; // column 1 present but empty
    ASSERT_TRUE(JetCrackRow(jet4, row, TwoTextColumns(), fields));
    EXPECT_FALSE(fields[1].Null);
    EXPECT_EQ(fields[1].Bytes, "");
    // Offsets that run backwards or past the table are refused.
    row[6] = 9;
    EXPECT_FALSE(JetCrackRow(jet4, row, TwoTextColumns(), fields));
}
