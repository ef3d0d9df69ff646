#include "skin/draw/WorkArea.h"

#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"

#include <gtest/gtest.h>

#include <memory>

using namespace xe;
using namespace xe::skin;
using base::Rect;

namespace {

class WorkArea : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<win::THeadlessBackend>();
        H = backend.get();
        win::InitWindowSystem(std::move(backend));
    }
    void TearDown() override { win::DoneWindowSystem(); }

    win::HWND Window(base::TRect const& bounds)
    {
        return win::CreateWindowEx(0, "W", win::WS_POPUP, bounds.Left, bounds.Top, bounds.Width(),
            bounds.Height(), nullptr, nullptr);
    }

    win::THeadlessBackend* H = nullptr;
};

} // namespace

TEST_F(WorkArea, OneMonitorGivesTheDesktop)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 570) } });
    win::HWND w = Window(Rect(10, 10, 110, 60));
    base::TRect r;
    GetWorkArea(w, true, r);
    EXPECT_EQ(r, Rect(0, 0, 800, 570));
    GetWorkArea(w, false, r);
    EXPECT_EQ(r, Rect(0, 0, 800, 600));
    win::DestroyWindow(w);
}

TEST_F(WorkArea, SeveralMonitorsGiveTheWindowsOwn)
{
    H->SetMonitors({ { Rect(0, 0, 800, 600), Rect(0, 0, 800, 570) },
        { Rect(800, 0, 1600, 600), Rect(800, 30, 1600, 600) } });
    win::HWND w = Window(Rect(900, 100, 1000, 200));
    base::TRect r;
    GetWorkArea(w, true, r);
    EXPECT_EQ(r, Rect(800, 30, 1600, 600));
    GetWorkArea(w, false, r);
    EXPECT_EQ(r, Rect(800, 0, 1600, 600));
    win::DestroyWindow(w);
}
