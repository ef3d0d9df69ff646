#pragma once

// A form on the headless window system and the colour-coded control test skin, for the
// tests of every skinned control.

#include "platform/toolkit/Forms.h"
#include "platform/windows/WinUser.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/data/SkinData.h"
#include "tests/platform/toolkit/HeadlessFixture.h"
#include "tests/support/ControlTestSkin.h"

namespace xe::test {

namespace sc = skincolors;

struct SkinControlTest : HeadlessTest {
    void SetUp() override
    {
        HeadlessTest::SetUp();
        skin::RegisterSkinControlClasses();
        Skin = MakeControlTestSkin();
        Data.reset(new skin::TspSkinData(nullptr));
        Skin.LoadInto(*Data);
        ASSERT_FALSE(Data->Empty());
        Form = App->CreateForm<tk::TForm>();
        Form->SetBorderStyle(tk::bsNone);
        Form->SetBounds(50, 40, 240, 160);
        Form->SetColor(base::RGB(1, 2, 3));
    }
    void TearDown() override
    {
        App.reset();
        Data.reset();
        HeadlessTest::TearDown();
    }
    // Shows the form (once) and paints what is pending.
    void Paint()
    {
        if (!Form->Visible())
            Form->Show();
        App->ProcessMessages();
    }
    gfx::TBitmap Shot()
    {
        Paint();
        return win::CaptureWindow(Form->Handle());
    }
    // Runs the scripted input.
    void Run()
    {
        H->RunScript();
        App->ProcessMessages();
    }
    void Click(int x, int y)
    {
        Paint();
        base::TPoint p = Form->ClientToScreen({ x, y });
        H->Click(p.X, p.Y);
        Run();
    }
    // Turns the wheel with the mouse over a point of the form (delta 120 a notch, away).
    void Wheel(int x, int y, int delta)
    {
        Paint();
        base::TPoint p = Form->ClientToScreen({ x, y });
        H->Wheel(p.X, p.Y, delta);
        Run();
    }
    void MoveTo(int x, int y)
    {
        Paint();
        base::TPoint p = Form->ClientToScreen({ x, y });
        H->Move(p.X, p.Y);
        Run();
    }

    TControlTestSkin Skin;
    tk::TComponentPtr<skin::TspSkinData> Data;
    tk::TForm* Form = nullptr;
};

} // namespace xe::test
