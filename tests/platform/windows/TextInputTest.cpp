// Characters from a backend that reports typed text (a keyboard layout): WM_CHAR comes from
// the text, keys make only control characters and Alt chords.
#include "platform/base/Strings.h"
#include "tests/platform/windows/TestWindow.h"

using namespace xe;
using namespace xe::win;
using namespace xe::test;

namespace {

using TextInputTest = WindowSystemTest;

TEST_F(TextInputTest, CharactersFollowTheTypedTextNotTheKeys)
{
    TTestWindow w("W", base::Bounds(10, 10, 100, 80), WS_POPUP | WS_VISIBLE);
    SetActiveWindow(w.Handle);
    H->SetTypesText(true);
    // On a German layout the key Y types 'z' and Shift+2 types '"'.
    H->KeyPress('Y');
    H->TypeText("z");
    H->KeyPress('2', { VK_SHIFT });
    H->TypeText("\"");
    // A character outside ASCII reaches an ANSI window as its code-page bytes.
    std::string const eAcute = base::Utf8ToAnsi("\xC3\xA9");
    H->TypeText(eAcute);
    // Control keys and Ctrl chords still make their characters from the keys.
    H->KeyPress(VK_RETURN);
    H->KeyPress('C', { VK_CONTROL });
    // Alt chords stay system characters (menu mnemonics).
    H->KeyPress('F', { VK_MENU });
    H->RunScript();
    std::vector<WPARAM> chars;
    for (TLogged const& l : w.Only({ WM_CHAR }))
        chars.push_back(l.WParam);
    std::vector<WPARAM> expected { 'z', '"' };
    for (char c : eAcute)
        expected.push_back(WPARAM(uint8_t(c)));
    expected.push_back('\r');
    expected.push_back(3);
    EXPECT_EQ(chars, expected);
    ASSERT_EQ(w.Count(WM_SYSCHAR), 1);
    EXPECT_EQ(w.Only({ WM_SYSCHAR })[0].WParam, WPARAM('f'));
    EXPECT_EQ(w.Count(WM_KEYDOWN), 6) << "the keys themselves still arrive (Y, Shift, 2, Return, Ctrl, C)";

    // Without typed text (the default), keys make the characters as before.
    w.Log.clear();
    H->SetTypesText(false);
    H->KeyPress('Y');
    H->RunScript();
    ASSERT_EQ(w.Count(WM_CHAR), 1);
    EXPECT_EQ(w.Only({ WM_CHAR })[0].WParam, WPARAM('y'));
}

} // namespace
