#pragma once

#include "platform/base/Files.h"
#include "platform/toolkit/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/form/SkinnedForm.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tools/skinart/LayoutSkins.h"

#include <string>

namespace xe::test {

// Loads one of the layout skins (tools/skinart/LayoutSkins.h) the way a skin author's skin
// is loaded: description and pictures written out, packed, and read back.
inline tk::TComponentPtr<skin::TspSkinData> LoadLayoutSkin(std::string const& name)
{
    base::TTempDir dir("xe-layout");
    std::string package;
    if (!skin::BuildSkinPackage(skin::WriteLayoutSkin(skin::DrawLayoutSkin(name), dir.Path()), package))
        throw base::EInvalidOperation("layout skin " + name + " does not pack");
    tk::TComponentPtr<skin::TspSkinData> data(new skin::TspSkinData(nullptr));
    data->LoadFromPackage(package);
    return data;
}

// A sizeable form at (Left, Top) with a layout skin on its frame.
struct LayoutSkinTest : HeadlessTest {
    void TearDown() override
    {
        App.reset();
        Data.reset();
        HeadlessTest::TearDown();
    }
    void Open(std::string const& name, int width, int height,
        skin::TspBorderIcons icons
        = skin::biSystemMenu | skin::biMinimize | skin::biMaximize | skin::biRollUp | skin::biMinimizeToTray)
    {
        Data = LoadLayoutSkin(name);
        ASSERT_FALSE(Data->Empty());
        // The first form is the main one, whose minimising minimises the application; the
        // skinned form comes second, as a dialog does.
        if (!App->MainForm())
            App->CreateForm<tk::TForm>()->SetBounds(600, 500, 100, 100);
        Form = App->CreateForm<tk::TForm>();
        Form->SetBorderStyle(tk::bsSizeable);
        Form->SetBounds(Left, Top, width, height);
        Skinned = new skin::TspSkinnedForm(Form);
        Skinned->SetBorderIcons(icons);
        Skinned->SetSkinData(Data.get());
        Form->SetBounds(Left, Top, width, height);
        Form->Show();
        App->ProcessMessages();
    }
    skin::TspActiveSkinObject* Object(std::string const& name) const { return Skinned->ObjectByIDName(name); }
    base::TRect RectOf(std::string const& name) const
    {
        auto* o = Object(name);
        return o ? o->ObjectRect : base::TRect { -1, -1, -1, -1 };
    }
    int HitTest(int windowX, int windowY)
    {
        return int(win::SendMessage(
            Form->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(Left + windowX, Top + windowY)));
    }
    gfx::TBitmap Shot() const { return win::CaptureWindow(Form->Handle()); }

    int Left = 40, Top = 40;
    tk::TComponentPtr<skin::TspSkinData> Data;
    tk::TForm* Form = nullptr;
    skin::TspSkinnedForm* Skinned = nullptr;
};

// The bounding box of the pixels where two pictures of one size differ; empty when none do.
inline base::TRect DiffBox(gfx::TBitmap const& a, gfx::TBitmap const& b)
{
    base::TRect box { 0, 0, 0, 0 };
    bool any = false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y)) {
                if (!any)
                    box = { x, y, x + 1, y + 1 };
                box = { std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                    std::max(box.Bottom, y + 1) };
                any = true;
            }
    return box;
}

} // namespace xe::test
