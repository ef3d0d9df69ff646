#pragma once

// A fresh window system on the headless backend and an application object for every test;
// State (see ProcessStateTest) undoes the test's process-wide changes after them.

#include "platform/toolkit/Forms.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"
#include "tests/support/ProcessState.h"

#include <gtest/gtest.h>

#include <memory>

namespace xe::test {

class HeadlessTest : public ProcessStateTest {
protected:
    void SetUp() override
    {
        auto backend = std::make_unique<win::THeadlessBackend>();
        H = backend.get();
        win::InitWindowSystem(std::move(backend));
        App = std::make_unique<tk::TApplication>();
    }
    void TearDown() override
    {
        App.reset();
        win::DoneWindowSystem();
    }

    // Screen position of a client point of a form.
    static base::TPoint At(tk::TForm const& form, int x, int y) { return form.ClientToScreen({ x, y }); }

    win::THeadlessBackend* H = nullptr;
    std::unique_ptr<tk::TApplication> App;
};

} // namespace xe::test
