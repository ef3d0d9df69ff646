#include "tools/skintool/SkinRender.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Region.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Menus.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinnedForm.h"

namespace xe::skin {

namespace {

// Frees the forms made for one picture, also when the rendering fails half-way.
struct TFormsGuard {
    std::vector<tk::TForm*> Forms;
    ~TFormsGuard()
    {
        for (auto it = Forms.rbegin(); it != Forms.rend(); ++it)
            tk::TComponent::Free(*it);
    }
};

} // namespace

gfx::TBitmap RenderSkinForm(TspSkinData& skin, TSkinRenderOptions const& options)
{
    if (skin.Empty() || skin.Picture().Empty())
        throw base::EInvalidOperation("the skin has no frame picture");
    if (!tk::Application)
        throw base::EInvalidOperation("RenderSkinForm needs an application");
    int const width = options.Width > 0 ? options.Width : skin.Picture().Width();
    int const height = options.Height > 0 ? options.Height : skin.Picture().Height();

    TFormsGuard guard;
    tk::TForm* form = tk::Application->CreateForm<tk::TForm>();
    guard.Forms.push_back(form);
    form->SetBorderStyle(tk::bsSizeable);
    form->SetCaption(options.Caption);
    form->SetBounds(0, 0, width, height);
    // The menu goes in before the skin, so that the skin's objects are made with its items.
    tk::TMainMenu* mainMenu = nullptr;
    if (!options.MainMenu.empty() && skin.IndexOfObject("MAINMENUITEM") >= 0) {
        auto* menu = new tk::TMainMenu(form);
        for (std::string const& caption : options.MainMenu) {
            auto* item = new tk::TMenuItem(menu);
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        mainMenu = menu;
    }
    auto* skinned = new TspSkinnedForm(form);
    skinned->SetMainMenu(mainMenu);
    skinned->OnActivateCustomObject = [](std::string const&, bool& visible) { visible = true; };
    skinned->SetSkinData(&skin);
    if (width < skinned->GetMinWidth() || height < skinned->GetMinHeight())
        throw base::EInvalidOperation(base::Format("size %dx%d is below the skin's smallest size %dx%d",
            width, height, skinned->GetMinWidth(), skinned->GetMinHeight()));

    form->SetBounds(20, 20, width, height);
    form->Show();
    tk::Application->ProcessMessages();
    if (!options.Active) {
        tk::TForm* other = tk::Application->CreateForm<tk::TForm>();
        guard.Forms.push_back(other);
        other->SetBounds(width + 40, 20, 40, 40);
        other->Show();
        tk::Application->ProcessMessages();
    }
    if (options.Prepare)
        options.Prepare(*skinned);
    // The whole frame again, with the objects as they stand now.
    win::SendMessage(form->Handle(), win::WM_NCPAINT, 1, 0);
    tk::Application->ProcessMessages();

    gfx::TBitmap shot = win::CaptureWindow(form->Handle());
    gfx::TRegion shape;
    if (win::GetWindowRgn(form->Handle(), shape) > gfx::NULLREGION)
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (!shape.Contains(x, y))
                    shot.SetPixel(x, y, options.Backdrop);
    return shot;
}

} // namespace xe::skin
