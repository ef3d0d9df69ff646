#include "tools/skintool/SkinRender.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Region.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/form/SkinnedForm.h"

namespace xe::skin {

TSkinPreview::TSkinPreview(TspSkinData& skin, TSkinRenderOptions const& options)
{
    if (skin.Empty() || skin.Picture().Empty())
        throw base::EInvalidOperation("the skin has no frame picture");
    if (!tk::Application)
        throw base::EInvalidOperation("a skin preview needs an application");
    int const width = options.Width > 0 ? options.Width : skin.Picture().Width();
    int const height = options.Height > 0 ? options.Height : skin.Picture().Height();
    // Rolled up with a roll-up picture: the skin drawn inside the client area of a form
    // without a border, which is where the roll-up picture is used.
    bool const clientMode = options.State == rsRolledUp && !skin.RollUpPicture().Empty();

    try {
        FForm = tk::Application->CreateForm<tk::TForm>();
        FForms.push_back(FForm);
        FForm->SetBorderStyle(clientMode ? tk::bsNone : tk::bsSizeable);
        FForm->SetCaption(options.Caption);
        FForm->SetBounds(0, 0, width, height);
        // The menu goes in before the skin, so that the skin's objects are made with its items.
        tk::TMainMenu* mainMenu = nullptr;
        if (!options.MainMenu.empty() && skin.IndexOfObject("MAINMENUITEM") >= 0) {
            auto* menu = new tk::TMainMenu(FForm);
            for (std::string const& caption : options.MainMenu) {
                auto* item = new tk::TMenuItem(menu);
                item->SetCaption(caption);
                menu->Items()->Add(item);
            }
            mainMenu = menu;
        }
        FSkinned = new TspSkinnedForm(FForm);
        if (clientMode)
            FSkinned->SetSupportNCArea(false);
        FSkinned->SetMainMenu(mainMenu);
        FSkinned->OnActivateCustomObject = [](std::string const&, bool& visible) { visible = true; };
        FSkinned->SetSkinData(&skin);
        if (width < FSkinned->GetMinWidth() || height < FSkinned->GetMinHeight())
            throw base::EInvalidOperation(base::Format("size %dx%d is below the skin's smallest size %dx%d",
                width, height, FSkinned->GetMinWidth(), FSkinned->GetMinHeight()));

        FForm->SetBounds(20, 20, width, height);
        FForm->Show();
        tk::Application->ProcessMessages();
        if (!options.Active) {
            tk::TForm* other = tk::Application->CreateForm<tk::TForm>();
            FForms.push_back(other);
            other->SetBounds(width + 40, 20, 40, 40);
            other->Show();
            tk::Application->ProcessMessages();
        }
        if (options.State == rsMaximized)
            FSkinned->ChangeWindowState(wsMaximized);
        else if (options.State == rsRolledUp)
            FSkinned->SetRollUpState(true);
        tk::Application->ProcessMessages();
        auto object = [&](std::string const& name) {
            TspActiveSkinObject* o = FSkinned->ObjectByIDName(name);
            if (!o) {
                std::string names;
                for (auto const& each : FSkinned->ObjectList)
                    names += (names.empty() ? "" : ", ") + each->IDName;
                throw base::EInvalidOperation(
                    "the form has no object '" + name + "' (objects: " + names + ")");
            }
            return o;
        };
        if (!options.Hover.empty()) {
            TspActiveSkinObject* o = object(options.Hover);
            o->MouseInside = true;
            o->ActiveState = true;
        }
        if (!options.Down.empty()) {
            TspActiveSkinObject* o = object(options.Down);
            o->MouseInside = true;
            o->ActiveState = true;
            if (auto* b = dynamic_cast<TspSkinButtonObject*>(o))
                b->Pressed = true;
        }
        if (options.Prepare)
            options.Prepare(*FSkinned);
    } catch (...) {
        for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
            tk::TComponent::Free(*it);
        throw;
    }
}

TSkinPreview::~TSkinPreview()
{
    for (auto it = FForms.rbegin(); it != FForms.rend(); ++it)
        tk::TComponent::Free(*it);
}

gfx::TBitmap TSkinPreview::Shot(base::TColor backdrop) const
{
    // The whole frame (or, in client mode, the client area) again, with the objects as they
    // stand now.
    if (FSkinned->SupportNCArea())
        win::SendMessage(FForm->Handle(), win::WM_NCPAINT, 1, 0);
    else
        FForm->Repaint();
    tk::Application->ProcessMessages();
    gfx::TBitmap shot = win::CaptureWindow(FForm->Handle());
    gfx::TRegion shape;
    if (win::GetWindowRgn(FForm->Handle(), shape) > gfx::NULLREGION)
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (!shape.Contains(x, y))
                    shot.SetPixel(x, y, backdrop);
    return shot;
}

gfx::TBitmap RenderSkinForm(TspSkinData& skin, TSkinRenderOptions const& options)
{
    TSkinPreview preview(skin, options);
    return preview.Shot(options.Backdrop);
}

} // namespace xe::skin
