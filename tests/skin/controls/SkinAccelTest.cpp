// Alt with a letter on a form: the skinned button, check box or radio button whose caption
// marks that letter ("&Save") takes the focus and is clicked, as toolkit dialogs do.
#include "tests/skin/controls/SkinControlTestUtil.h"

#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"

using namespace xe;
using namespace xe::skin;
using namespace xe::test;

namespace {

struct SkinAccelTest : SkinControlTest {
    template <class T> T* Make(std::string const& caption, int y)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(10, y, 100, 24);
        c->SetCaption(caption);
        c->SetSkinData(Data.get());
        return c;
    }
    void Alt(int vk, std::initializer_list<int> modifiers = { win::VK_MENU })
    {
        Paint();
        H->KeyPress(vk, modifiers);
        Run();
    }
};

TEST_F(SkinAccelTest, AltWithTheMarkedLetterClicksTheControl)
{
    auto* save = Make<TspSkinButton>("&Save", 0);
    auto* wrap = Make<TspSkinCheckBox>("&Wrap lines", 30);
    auto* yes = Make<TspSkinRadioButton>("&Yes", 60);
    auto* remove = Make<TspSkinButton>("&Delete", 90);
    auto* plain = Make<TspSkinButton>("Say && go", 120); // "&&" marks nothing
    remove->SetEnabled(false);
    int saves = 0, removes = 0, plains = 0;
    save->OnClick = [&](tk::TComponent*) { ++saves; };
    remove->OnClick = [&](tk::TComponent*) { ++removes; };
    plain->OnClick = [&](tk::TComponent*) { ++plains; };

    Alt('S');
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(save->Focused());
    Alt('W');
    EXPECT_TRUE(wrap->Checked());
    EXPECT_TRUE(wrap->Focused());
    Alt('W');
    EXPECT_FALSE(wrap->Checked());
    Alt('Y');
    EXPECT_TRUE(yes->Checked());

    // A disabled control, a letter nobody marks, Ctrl held, or no Alt: nothing happens.
    Alt('D');
    Alt('G');
    Alt('S', { win::VK_MENU, win::VK_CONTROL });
    Alt('S', {});
    EXPECT_EQ(removes, 0);
    EXPECT_EQ(plains, 0);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(yes->Focused());
}

} // namespace
