#pragma once

// Process-wide state that tests change (the ANSI code page, the file fault hook, environment
// variables, global pointers and handlers), put back when the test ends whether it passed or
// not: a failed assertion leaves the test through the destructors, so whatever a TProcessState
// records is undone even then, and the next test in the same process starts clean.

#include "platform/base/Files.h"
#include "platform/base/Strings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace xe::test {

// Changes process-wide settings and undoes every change, newest first, when it goes.
class TProcessState {
public:
    TProcessState() = default;
    TProcessState(TProcessState const&) = delete;
    TProcessState& operator=(TProcessState const&) = delete;
    ~TProcessState() { Restore(); }

    // The ANSI code page ("" is the environment's choice).
    void UseCodePage(std::string const& name)
    {
        std::string previous = base::SetAnsiCodePage(name);
        FUndo.push_back([previous] { base::SetAnsiCodePage(previous); });
    }

    void SetFileFaultHook(base::TFileFaultHook hook)
    {
        FUndo.push_back([] { base::SetFileFaultHook(nullptr); });
        base::SetFileFaultHook(std::move(hook));
    }

    // Sets an environment variable, or removes it when value is null.
    void SetEnvironment(std::string const& name, char const* value)
    {
        char const* current = std::getenv(name.c_str());
        std::optional<std::string> previous;
        if (current)
            previous = current;
        FUndo.push_back([name, previous] { PutEnvironment(name, previous ? previous->c_str() : nullptr); });
        PutEnvironment(name, value);
    }

    // Sets any variable: a global pointer to a form, a handler, a test's log pointer.
    template <typename T, typename V> void Set(T& variable, V&& value)
    {
        FUndo.push_back([&variable, previous = variable]() mutable { variable = std::move(previous); });
        variable = std::forward<V>(value);
    }

    // Runs undo when the guard goes, in turn with the other changes: for settings whose setter
    // does not give the old value back (an engine hook, the window system).
    void AddUndo(std::function<void()> undo) { FUndo.push_back(std::move(undo)); }

    // Undoes every change made so far, newest first.
    void Restore()
    {
        while (!FUndo.empty()) {
            std::function<void()> undo = std::move(FUndo.back());
            FUndo.pop_back();
            undo();
        }
    }

private:
    static void PutEnvironment(std::string const& name, char const* value)
    {
        if (value)
            ::setenv(name.c_str(), value, 1);
        else
            ::unsetenv(name.c_str());
    }

    std::vector<std::function<void()>> FUndo;
};

// A fixture base whose State is undone after TearDown (and after the members of derived
// fixtures are gone), pass or fail.
class ProcessStateTest : public ::testing::Test {
protected:
    TProcessState State;
};

} // namespace xe::test
