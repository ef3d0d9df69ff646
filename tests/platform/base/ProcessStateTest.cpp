#include "tests/support/ProcessState.h"

#include <gtest/gtest-spi.h>

using namespace xe::base;
using xe::test::TProcessState;

namespace {
int gValue = 3;
int FaultsSeen = 0;
int UndoneAt = 0; // gValue when the added undo ran

// Changes everything a TProcessState can change, twice where the order of undoing matters,
// then stops on a failed assertion.
void ChangeAndFail()
{
    TProcessState state;
    state.UseCodePage("UTF-8");
    state.UseCodePage("ISO-8859-1");
    state.SetEnvironment("XE_STATE_SET", "changed");
    state.SetEnvironment("XE_STATE_SET", "again");
    state.SetEnvironment("XE_STATE_UNSET", "new");
    state.Set(gValue, 7);
    state.Set(gValue, 8);
    state.SetFileFaultHook([](TFileOp, std::string const&) { return ++FaultsSeen, 0; });
    state.AddUndo([] { UndoneAt = gValue; });
    ASSERT_EQ(AnsiCodePage(), "ISO-8859-1");
    ASSERT_STREQ(std::getenv("XE_STATE_SET"), "again");
    ASSERT_EQ(gValue, 8);
    FAIL() << "stopped here";
}
}

TEST(ProcessState, UndoesEveryChangeWhenATestStopsOnAFailure)
{
    TProcessState outer;
    outer.UseCodePage("GBK");
    outer.SetEnvironment("XE_STATE_SET", "before");
    outer.SetEnvironment("XE_STATE_UNSET", nullptr);
    EXPECT_FATAL_FAILURE(ChangeAndFail(), "stopped here");
    EXPECT_EQ(AnsiCodePage(), "GBK");
    EXPECT_STREQ(std::getenv("XE_STATE_SET"), "before");
    EXPECT_EQ(std::getenv("XE_STATE_UNSET"), nullptr);
    EXPECT_EQ(gValue, 3);
    EXPECT_EQ(UndoneAt, 8); // newest first: before gValue went back
    // The fault hook is gone: file operations no longer reach it.
    TTempDir temp;
    WriteFileBytes(temp.File("x"), "x");
    EXPECT_TRUE(SystemFileExists(temp.File("x")));
    RemoveSystemFile(temp.File("x"));
    EXPECT_EQ(FaultsSeen, 0);

    outer.Restore();
    EXPECT_EQ(std::getenv("XE_STATE_SET"), nullptr);
}
