// The timer component on the headless window system's virtual clock.
#include "platform/toolkit/ExtCtrls.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

#include <cstdint>
#include <vector>

using namespace xe;
using namespace xe::tk;
using namespace xe::test;

namespace {

class TimerTest : public HeadlessTest { };

TEST_F(TimerTest, TimerRunsOnTheVirtualClock)
{
    TForm* form = App->CreateForm<TForm>();
    auto* timer = new TTimer(form);
    EXPECT_TRUE(timer->Running()); // enabled, 1000 ms, as created
    timer->SetEnabled(false);
    timer->SetInterval(100);
    EXPECT_FALSE(timer->Running());
    std::vector<uint64_t> ticks;
    timer->OnTimer = [&](TComponent* sender) {
        EXPECT_EQ(sender, timer);
        ticks.push_back(win::GetTickCount64());
    };
    uint64_t start = win::GetTickCount64();
    timer->SetEnabled(true);
    H->RunFor(350);
    ASSERT_EQ(ticks.size(), 3u);
    EXPECT_EQ(ticks[0] - start, 100u);
    EXPECT_EQ(ticks[2] - start, 300u);
    // A new interval starts the period afresh; zero stops the timer.
    timer->SetInterval(40);
    H->RunFor(100);
    EXPECT_EQ(ticks.size(), 5u);
    timer->SetInterval(0);
    EXPECT_FALSE(timer->Running());
    timer->SetInterval(1000);
    TComponent::Free(timer); // a freed timer never fires
    H->RunFor(2000);
    EXPECT_EQ(ticks.size(), 5u);
}

} // namespace
