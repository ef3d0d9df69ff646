#pragma once

#include "platform/base/Files.h"
#include "platform/toolkit/Forms.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinnedForm.h"
#include "tests/platform/toolkit/HeadlessFixture.h"

#include <string>

namespace xe::test {

// A form on the headless window system and the dialog's stored skin, loaded as the dialog
// loads it.
struct SkinFormTest : HeadlessTest {
    void SetUp() override
    {
        HeadlessTest::SetUp();
        Stored.reset(new skin::TspCompressedStoredSkin(nullptr));
        Stored->SetCompressedData(
            base::ReadFileBytes(std::string(XE_SOURCE_DIR) + "/resources/skin/skin.skn"));
        Data.reset(new skin::TspSkinData(nullptr));
        Data->SetCompressedStoredSkin(Stored.get());
        ASSERT_FALSE(Data->Empty());
    }
    void TearDown() override
    {
        // The forms (and the skinned form they own) go before the skin data they refer to.
        App.reset();
        Data.reset();
        Stored.reset();
        HeadlessTest::TearDown();
    }

    void Make(tk::TFormBorderStyle style, int width, int height)
    {
        Form = App->CreateForm<tk::TForm>();
        Form->SetBorderStyle(style);
        Form->SetBounds(0, 0, width, height);
    }
    void Attach() { Skinned = new skin::TspSkinnedForm(Form); }

    int HitTest(int screenX, int screenY)
    {
        return int(win::SendMessage(Form->Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(screenX, screenY)));
    }
    skin::TspSkinCaptionObject* Caption() const
    {
        for (auto const& o : Skinned->ObjectList)
            if (auto* c = dynamic_cast<skin::TspSkinCaptionObject*>(o.get()))
                return c;
        return nullptr;
    }
    skin::TspSkinStdButtonObject* Button(std::string const& name) const
    {
        for (auto const& o : Skinned->ObjectList)
            if (o->IDName == name)
                return dynamic_cast<skin::TspSkinStdButtonObject*>(o.get());
        return nullptr;
    }
    static bool SameBitmaps(gfx::TBitmap const& a, gfx::TBitmap const& b)
    {
        if (a.Width() != b.Width() || a.Height() != b.Height())
            return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    }

    tk::TComponentPtr<skin::TspCompressedStoredSkin> Stored;
    tk::TComponentPtr<skin::TspSkinData> Data;
    tk::TForm* Form = nullptr;
    skin::TspSkinnedForm* Skinned = nullptr;
};

} // namespace xe::test
