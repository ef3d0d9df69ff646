#include "tests/platform/toolkit/HeadlessFixture.h"

#include "platform/base/Exceptions.h"
#include "platform/toolkit/Persistence.h"

#include <string>
#include <tuple>
#include <vector>

using namespace xe::tk;
using namespace xe::test;

namespace {

// A focusable windowless control that logs focus changes and the keys it gets.
class TFocusProbe : public TGraphicControl {
public:
    TFocusProbe(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TGraphicControl(owner)
        , Tag(std::move(tag))
        , Log(log)
    {
        FControlStyle |= csFocusable;
        SetTabStop(true);
        OnEnter = [this](TComponent*) { Log.push_back(Tag + " enter"); };
        OnExit = [this](TComponent*) { Log.push_back(Tag + " exit"); };
    }
    std::string Tag;
    std::vector<std::string>& Log;
    bool SwallowSpace = false;

protected:
    void KeyDown(xe::win::WORD& key, TShiftState shift) override
    {
        Log.push_back(Tag + " down " + std::to_string(key) + (shift & ssShift ? " shift" : ""));
        TGraphicControl::KeyDown(key, shift);
        if (SwallowSpace && key == xe::win::VK_SPACE)
            key = 0;
    }
    void KeyUp(xe::win::WORD& key, TShiftState shift) override
    {
        Log.push_back(Tag + " up " + std::to_string(key));
        TGraphicControl::KeyUp(key, shift);
    }
    void KeyPress(char& key) override
    {
        Log.push_back(Tag + " char " + std::string(1, key));
        TGraphicControl::KeyPress(key);
    }
};

struct FocusTest : HeadlessTest {
    // Three focusable controls a, b, c side by side and a plain one.
    void SetUp() override
    {
        HeadlessTest::SetUp();
        Form = App->CreateForm<TForm>();
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(10, 10, 200, 100);
        for (char const* tag : { "a", "b", "c" }) {
            auto* p = new TFocusProbe(Form, tag, Log);
            p->SetParent(Form);
            p->SetBounds(10 + 50 * int(Probes.size()), 10, 40, 40);
            Probes.push_back(p);
        }
        Plain = new TGraphicControl(Form);
        Plain->SetParent(Form);
        Plain->SetBounds(160, 10, 30, 30);
    }
    void Run()
    {
        while (!H->ScriptDone())
            App->HandleMessage();
        App->ProcessMessages();
    }
    TForm* Form = nullptr;
    std::vector<TFocusProbe*> Probes;
    TGraphicControl* Plain = nullptr;
    std::vector<std::string> Log;
};

TEST_F(FocusTest, TabWalksTheTabOrderAndKeysGoToTheFocusedControl)
{
    auto [a, b, c] = std::tuple(Probes[0], Probes[1], Probes[2]);
    EXPECT_EQ(a->TabOrder(), 0);
    EXPECT_EQ(c->TabOrder(), 2);
    EXPECT_EQ(Plain->TabOrder(), 3);
    // c moves to the front; b does not stop on Tab.
    c->SetTabOrder(0);
    EXPECT_EQ(a->TabOrder(), 1);
    b->SetTabStop(false);
    Form->Show();
    H->KeyPress(xe::win::VK_TAB);
    Run();
    EXPECT_EQ(Form->ActiveControl(), c);
    EXPECT_TRUE(c->Focused());
    H->KeyPress(xe::win::VK_TAB);
    H->KeyPress(xe::win::VK_TAB); // wraps past b and the plain control to c again
    Run();
    EXPECT_EQ(Form->ActiveControl(), c);
    // The focused control sees the Tab key go down before the focus moves; its release goes
    // to the new one.
    std::vector<std::string> expected { "c enter", "c up 9", "c down 9", "c exit", "a enter", "a up 9",
        "a down 9", "a exit", "c enter", "c up 9" };
    EXPECT_EQ(Log, expected);
    // Shift+Tab goes backwards; no Tab character reaches either control.
    Log.clear();
    H->KeyPress(xe::win::VK_TAB, { xe::win::VK_SHIFT });
    Run();
    EXPECT_EQ(Form->ActiveControl(), a);
    expected = { "c down 16 shift", "c down 9 shift", "c exit", "a enter", "a up 9", "a up 16" };
    EXPECT_EQ(Log, expected);

    // Keys and characters reach the focused control after the form's own events; a key the
    // form's handler swallows never arrives, one the control takes makes no character.
    Log.clear();
    Form->OnKeyDown = [&](TComponent*, xe::win::WORD& key, TShiftState) {
        Log.push_back("form down " + std::to_string(key));
        if (key == 'Q')
            key = 0;
    };
    a->SwallowSpace = true;
    H->Type("x q");
    Run();
    expected = { "form down 88", "a down 88", "a char x", "a up 88", "form down 32", "a down 32", "a up 32",
        "form down 81", "a char q", "a up 81" };
    EXPECT_EQ(Log, expected);
}

TEST_F(FocusTest, ClickFocusesAndDisabledOrHiddenControlsLoseFocus)
{
    auto [a, b, c] = std::tuple(Probes[0], Probes[1], Probes[2]);
    Form->Show();
    // A press focuses a focusable control; the plain one does not take the focus.
    H->Click(At(*Form, 60, 20).X, At(*Form, 60, 20).Y);
    Run();
    EXPECT_EQ(Form->ActiveControl(), b);
    H->Click(At(*Form, 170, 20).X, At(*Form, 170, 20).Y);
    Run();
    EXPECT_EQ(Form->ActiveControl(), b);
    EXPECT_FALSE(Plain->CanFocus());
    EXPECT_THROW(Plain->SetFocus(), xe::base::EInvalidOperation);

    // Disabling or hiding the focused control leaves the form without a focused control.
    Log.clear();
    b->SetEnabled(false);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_EQ(Log, std::vector<std::string> { "b exit" });
    EXPECT_FALSE(b->CanFocus());
    EXPECT_THROW(b->SetFocus(), xe::base::EInvalidOperation);
    // Tab skips it.
    a->SetFocus();
    H->KeyPress(xe::win::VK_TAB);
    Run();
    EXPECT_EQ(Form->ActiveControl(), c);
    c->Hide();
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    // Removing it from the form, or freeing it, drops the focus without a dangling control.
    a->SetFocus();
    a->SetParent(nullptr);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    a->SetParent(Form);
    a->SetFocus();
    TComponent::Free(a);
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    // Deleted without Free it does not hear OnExit half destroyed either.
    b->SetEnabled(true);
    b->SetFocus();
    Log.clear();
    delete b;
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_TRUE(Log.empty());
    H->KeyPress(xe::win::VK_SPACE);
    Run(); // no control to deliver to: nothing breaks
}

TEST_F(FocusTest, BroadcastsReachEveryControlAndTabPropertiesAreStored)
{
    constexpr xe::win::UINT Notice = xe::win::WM_USER + 77;
    std::vector<xe::win::UINT> seen;
    for (auto* p : Probes)
        p->WindowProc = [&, p](TMessage& m) {
            seen.push_back(m.Msg);
            p->WndProc(m);
        };
    xe::win::SendMessage(Form->Handle(), Notice, 0, 0);
    EXPECT_TRUE(seen.empty()); // not registered: the form keeps it
    RegisterControlBroadcast(Notice);
    xe::win::SendMessage(Form->Handle(), Notice, 0, 0);
    EXPECT_EQ(seen.size(), 3u);

    // The active control is stored by name and read back focused.
    Probes[1]->SetName("B");
    Probes[1]->SetFocus();
    std::string text = WriteComponentText(Form);
    EXPECT_NE(text.find("ActiveControl = B"), std::string::npos);
}

} // namespace
