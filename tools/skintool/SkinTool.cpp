#include "tools/skintool/SkinTool.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Png.h"
#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/Component.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/StdCtrls.h"
#include "platform/windows/Backend.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadio.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinControlClasses.h"
#include "skin/controls/SkinGauge.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinListBox.h"
#include "skin/controls/SkinTabControl.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "skin/form/SkinnedForm.h"
#include "skin/form/TrayIcon.h"
#include "tools/skintool/SkinCheck.h"
#include "tools/skintool/SkinGallery.h"
#include "tools/skintool/SkinRender.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <memory>
#include <ostream>

namespace xe::skin {

using namespace xe::base;

namespace {

char const* const Usage
    = "usage: skintool pack <skin.ini> <output> [--raw]\n"
      "       skintool import <compressed skin file> <output>\n"
      "       skintool list <file>\n"
      "       skintool render <skin file> <output.png> [--size WxH] [--inactive]\n"
      "                       [--state normal|maximized|rolledup] [--hover NAME] [--down NAME]\n"
      "       skintool render <skin file> <output.png> --controls\n"
      "       skintool show <skin file> [--size WxH]\n"
      "       skintool check <skin file or skin.ini>\n"
      "       skintool hittest <skin file> --size WxH X,Y ...\n";

// The largest side render draws, in pixels.
constexpr int MaxRenderSide = 8192;

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(uint8_t(c)));
    return s;
}

// The uncompressed package held by any of the three kinds of file.
std::string PackageOf(std::string const& bytes)
{
    if (bytes.size() >= 2 && uint8_t(bytes[0]) == 0x78)
        return DecompressSkinPackage(bytes);
    if (bytes.size() >= 8) {
        TPackageReader r(bytes);
        r.ReadInt32();
        int32_t length = r.ReadInt32();
        if (length > 0 && size_t(length) == bytes.size() - 8) {
            std::string compressed;
            if (ReadCompressedSkinFile(bytes, compressed))
                return DecompressSkinPackage(compressed);
        }
    }
    return bytes;
}

int Pack(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    bool raw = args.size() == 4 && args[3] == "--raw";
    if (args.size() != 3 && !raw) {
        err << Usage;
        return 2;
    }
    std::string package;
    if (!BuildSkinPackage(args[1], package)) {
        err << args[1]
            << ": not a skin description (VERSION, PICTURES, FORMINFO, SKINOBJECTS and "
               "SKINCONTROLS are needed)\n";
        return 1;
    }
    std::string compressed = CompressSkinPackage(package);
    WriteFileBytes(args[2], raw ? compressed : MakeCompressedSkinFile(compressed));
    out << args[2] << ": package " << package.size() << " bytes, compressed " << compressed.size()
        << " bytes\n";
    return 0;
}

int Import(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3) {
        err << Usage;
        return 2;
    }
    std::string compressed;
    if (!ReadCompressedSkinFile(ReadFileBytes(args[1]), compressed)) {
        err << args[1] << ": unknown version or no data\n";
        return 1;
    }
    WriteFileBytes(args[2], compressed);
    out << args[2] << ": " << compressed.size() << " bytes\n";
    return 0;
}

int List(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2) {
        err << Usage;
        return 2;
    }
    std::string package = PackageOf(ReadFileBytes(args[1]));
    TSkinPackageInfo info = InspectSkinPackage(package);
    out << "version " << info.Version << ", " << package.size() << " bytes\n";
    for (TSkinPackageItem const& item : info.Items) {
        out << Format("%8zu %8zu  %-18s", item.Offset, item.Length, item.Name.c_str());
        if (item.Name == "description")
            out << SplitTextLines(info.Description).size() << " lines";
        else if (item.Present)
            out << item.Width << " x " << item.Height << ", " << item.BitDepth << "-bit";
        else
            out << "empty";
        out << "\n";
    }
    // What a skin data container makes of it.
    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    data->LoadFromPackage(package);
    out << "skin \"" << data->SkinName << "\": " << data->ActivePictures.size() << " active pictures, "
        << data->AreaList.size() << " areas, " << data->ObjectList.size() << " objects, "
        << data->CtrlList.size() << " controls\n";
    return 0;
}

// "WxH" (or "WXH") with both sides from 1 to MaxRenderSide.
bool ParseSize(std::string const& text, int& width, int& height)
{
    size_t const x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    auto number = [](std::string_view digits, int& value) {
        if (digits.empty()
            || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return ec == std::errc() && end == digits.data() + digits.size() && value >= 1
            && value <= MaxRenderSide;
    };
    std::string_view const all(text);
    return number(all.substr(0, x), width) && number(all.substr(x + 1), height);
}

// The options render, show and hittest share; the rest of the arguments are left in Files.
struct TFormArgs {
    std::vector<std::string> Files;
    int Width = 0, Height = 0;
    bool Inactive = false;
    TSkinRenderState State = rsNormal;
    std::string Hover, Down;
    bool Controls = false;
};

// Parses the options each command allows; false (the message written) for a usage error.
bool ParseFormArgs(std::vector<std::string> const& args, bool renderOptions, TFormArgs& a, std::ostream& err)
{
    for (size_t i = 1; i < args.size(); ++i) {
        auto value = [&](std::string& out) {
            if (i + 1 == args.size()) {
                err << "skintool: " << args[i] << " needs a value\n" << Usage;
                return false;
            }
            out = args[++i];
            return true;
        };
        if (args[i] == "--size") {
            if (i + 1 == args.size() || !ParseSize(args[i + 1], a.Width, a.Height)) {
                err << "skintool: bad size '" << (i + 1 < args.size() ? args[i + 1] : "")
                    << "': expected WIDTHxHEIGHT, for example 360x260, each side 1 to " << MaxRenderSide
                    << "\n";
                return false;
            }
            ++i;
        } else if (renderOptions && args[i] == "--inactive")
            a.Inactive = true;
        else if (renderOptions && args[i] == "--controls")
            a.Controls = true;
        else if (renderOptions && args[i] == "--state") {
            std::string state;
            if (!value(state))
                return false;
            if (state == "normal")
                a.State = rsNormal;
            else if (state == "maximized")
                a.State = rsMaximized;
            else if (state == "rolledup")
                a.State = rsRolledUp;
            else {
                err << "skintool: unknown state '" << state << "': normal, maximized or rolledup\n";
                return false;
            }
        } else if (renderOptions && args[i] == "--hover") {
            if (!value(a.Hover))
                return false;
        } else if (renderOptions && args[i] == "--down") {
            if (!value(a.Down))
                return false;
        } else if (args[i].starts_with("--")) {
            err << "skintool: unknown option " << args[i] << "\n" << Usage;
            return false;
        } else
            a.Files.push_back(args[i]);
    }
    return true;
}

// Loads any file list takes into the container; false (the message written) when it is none.
bool LoadSkinFile(
    std::string const& file, TspSkinData& data, std::ostream& err, std::string* description = nullptr)
{
    std::string const bytes = ReadFileBytes(file);
    try {
        std::string const package = PackageOf(bytes);
        data.LoadFromPackage(package);
        if (description)
            *description = InspectSkinPackage(package).Description;
    } catch (Exception const& e) {
        err << file << ": not a skin package (" << e.Message() << ")\n";
        return false;
    }
    if (data.Empty() || data.Picture().Empty()) {
        err << file << ": not a skin package with a frame picture\n";
        return false;
    }
    return true;
}

// A window system for the length of one command: the headless one with a screen large enough
// for the form (its work area the form's size when the form is to be maximised), unless one
// is running already; and an application object.
class TToolSession {
public:
    TToolSession(int width, int height, bool maximized, std::unique_ptr<win::TBackend> backend = nullptr)
    {
        FOwnWindowSystem = !win::WindowSystemRunning();
        if (FOwnWindowSystem) {
            if (!backend) {
                auto headless = std::make_unique<win::THeadlessBackend>();
                int const screenW = std::max(1024, width + 200), screenH = std::max(768, height + 200);
                base::TRect const work = maximized && width > 0 && height > 0
                    ? base::Rect(0, 0, width, height)
                    : base::Rect(0, 0, screenW, screenH);
                headless->SetMonitors({ { { 0, 0, screenW, screenH }, work } });
                backend = std::move(headless);
            }
            win::InitWindowSystem(std::move(backend));
        }
        if (!tk::Application)
            FApp = std::make_unique<tk::TApplication>();
    }
    ~TToolSession()
    {
        FApp.reset();
        if (FOwnWindowSystem)
            win::DoneWindowSystem();
    }

private:
    bool FOwnWindowSystem = false;
    std::unique_ptr<tk::TApplication> FApp;
};

char const* StateName(TSkinRenderState state)
{
    return state == rsMaximized ? "maximized" : state == rsRolledUp ? "rolled up" : "normal";
}

int Render(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    TFormArgs a;
    if (!ParseFormArgs(args, true, a, err))
        return 2;
    if (a.Files.size() != 2) {
        err << Usage;
        return 2;
    }
    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    if (!LoadSkinFile(a.Files[0], *data, err))
        return 1;
    TToolSession session(a.Width, a.Height, a.State == rsMaximized);
    if (a.Controls) {
        RegisterSkinControlClasses();
        gfx::TBitmap const gallery = RenderGallery(*data);
        gfx::SavePngToFile(gallery, a.Files[1]);
        out << a.Files[1] << ": " << gallery.Width() << " x " << gallery.Height() << ", "
            << GalleryEntries().size() << " control classes\n";
        return 0;
    }
    TSkinRenderOptions options;
    options.Width = a.Width;
    options.Height = a.Height;
    options.Active = !a.Inactive;
    options.Caption = data->SkinName;
    options.MainMenu = { "&File", "&Edit", "&Help" };
    options.State = a.State;
    options.Hover = a.Hover;
    options.Down = a.Down;
    gfx::TBitmap const shot = RenderSkinForm(*data, options);
    gfx::SavePngToFile(shot, a.Files[1]);
    out << a.Files[1] << ": " << shot.Width() << " x " << shot.Height()
        << (a.Inactive ? ", inactive" : ", active");
    if (a.State != rsNormal)
        out << ", " << StateName(a.State);
    out << "\n";
    return 0;
}

char const* HitName(int code)
{
    switch (code) {
    case win::HTCLIENT:
        return "HTCLIENT";
    case win::HTCAPTION:
        return "HTCAPTION";
    case win::HTLEFT:
        return "HTLEFT";
    case win::HTRIGHT:
        return "HTRIGHT";
    case win::HTTOP:
        return "HTTOP";
    case win::HTTOPLEFT:
        return "HTTOPLEFT";
    case win::HTTOPRIGHT:
        return "HTTOPRIGHT";
    case win::HTBOTTOM:
        return "HTBOTTOM";
    case win::HTBOTTOMLEFT:
        return "HTBOTTOMLEFT";
    case win::HTBOTTOMRIGHT:
        return "HTBOTTOMRIGHT";
    case win::HTOBJECT:
        return "HTOBJECT";
    case win::HTNOWHERE:
        return "HTNOWHERE";
    default:
        return "?";
    }
}

// "X,Y" with both numbers from 0.
bool ParsePoint(std::string const& text, int& x, int& y)
{
    size_t const comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    auto number = [](std::string_view digits, int& value) {
        if (digits.empty()
            || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return false;
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return ec == std::errc() && end == digits.data() + digits.size() && value <= MaxRenderSide;
    };
    std::string_view const all(text);
    return number(all.substr(0, comma), x) && number(all.substr(comma + 1), y);
}

// Answers the form's hit test for window points, and names the object under each.
int HitTest(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    TFormArgs a;
    if (!ParseFormArgs(args, false, a, err))
        return 2;
    if (a.Files.size() < 2 || a.Width <= 0) {
        err << Usage;
        return 2;
    }
    std::vector<base::TPoint> points;
    for (size_t i = 1; i < a.Files.size(); ++i) {
        int x = 0, y = 0;
        if (!ParsePoint(a.Files[i], x, y)) {
            err << "skintool: bad point '" << a.Files[i] << "': expected X,Y in window pixels\n";
            return 2;
        }
        points.push_back({ x, y });
    }
    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    if (!LoadSkinFile(a.Files[0], *data, err))
        return 1;
    TToolSession session(a.Width, a.Height, false);
    TSkinRenderOptions options;
    options.Width = a.Width;
    options.Height = a.Height;
    options.Caption = data->SkinName;
    options.MainMenu = { "&File", "&Edit", "&Help" };
    TSkinPreview preview(*data, options);
    tk::TForm& form = preview.Form();
    for (base::TPoint p : points) {
        out << p.X << "," << p.Y << " ";
        if (p.X >= form.Width() || p.Y >= form.Height()) {
            out << "outside the " << form.Width() << " x " << form.Height() << " window\n";
            continue;
        }
        int const code = int(win::SendMessage(
            form.Handle(), win::WM_NCHITTEST, 0, win::MAKELPARAM(form.Left() + p.X, form.Top() + p.Y)));
        out << HitName(code);
        for (auto const& o : preview.Skinned().ObjectList)
            if (o->VisibleState && !o->OnRollUpFrame && base::PtInRect(o->ObjectRect, p)) {
                out << " " << o->IDName;
                break;
            }
        out << "\n";
    }
    return 0;
}

int Check(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2) {
        err << Usage;
        return 2;
    }
    std::string const& file = args[1];
    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    std::string description;
    if (file.size() > 4 && Lower(file.substr(file.size() - 4)) == ".ini") {
        std::string package;
        if (!BuildSkinPackage(file, package)) {
            err << file
                << ": not a skin description (VERSION, PICTURES, FORMINFO, SKINOBJECTS and "
                   "SKINCONTROLS are needed)\n";
            return 1;
        }
        data->LoadFromPackage(package);
        description = InspectSkinPackage(package).Description;
    } else if (!LoadSkinFile(file, *data, err, &description))
        return 1;
    TToolSession session(data->Picture().Width(), data->Picture().Height(), false);
    std::vector<TSkinFinding> const findings = CheckSkin(*data, description);
    PrintFindings(findings, out);
    size_t const errors
        = size_t(std::count_if(findings.begin(), findings.end(), [](auto& f) { return f.Error; }));
    out << file << ": " << errors << (errors == 1 ? " error, " : " errors, ") << findings.size() - errors
        << (findings.size() - errors == 1 ? " warning\n" : " warnings\n");
    return errors > 0 ? 1 : 0;
}

// A live form with the skin: every border icon, a main menu, the skin's objects, a tray icon
// to minimise to and the skinned controls. On a display it runs until the form is closed;
// without one (the headless backend) it goes through a scripted session and closes.
int Show(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    TFormArgs a;
    if (!ParseFormArgs(args, false, a, err))
        return 2;
    if (a.Files.size() != 1) {
        err << Usage;
        return 2;
    }
    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    if (!LoadSkinFile(a.Files[0], *data, err))
        return 1;
    std::unique_ptr<win::TBackend> backend;
    if (!win::WindowSystemRunning())
        backend = win::CreateDefaultBackend();
    auto* headless = dynamic_cast<win::THeadlessBackend*>(backend.get());
    if (headless) {
        int const w = std::max(1024, a.Width + 200), h = std::max(768, a.Height + 200);
        headless->SetMonitors({ { { 0, 0, w, h }, { 0, 0, w, h } } });
        headless->SetTrayAvailable(true);
    }
    TToolSession session(a.Width, a.Height, false, std::move(backend));
    TSkinRenderOptions options;
    options.Width = a.Width;
    options.Height = a.Height;
    options.Caption = data->SkinName.empty() ? a.Files[0] : data->SkinName;
    options.MainMenu = { "&File", "&Edit", "&Help" };
    TSkinPreview preview(*data, options);
    tk::TForm& form = preview.Form();
    TspSkinnedForm& skinned = preview.Skinned();
    skinned.SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp | biMinimizeToTray);
    // The menus open: File closes the form, the others show the skin's menu items.
    if (tk::TMainMenu* menu = skinned.MainMenu()) {
        auto add = [&](int index, std::vector<std::string> const& captions) {
            if (index >= menu->Items()->Count())
                return;
            for (std::string const& caption : captions) {
                auto* item = new tk::TMenuItem(menu);
                item->SetCaption(caption);
                if (caption == "&Close")
                    item->OnClick = [&form](tk::TComponent*) { form.Close(); };
                if (caption == "&Disabled")
                    item->SetEnabled(false);
                menu->Items()->Items(index)->Add(item);
            }
        };
        add(0, { "&Open...", "-", "&Close" });
        add(1, { "&Copy", "&Paste", "&Disabled" });
        add(2, { "&About" });
    }
    auto* tray = new TspTrayIcon(&form);
    tray->SetHint(options.Caption);
    skinned.SetTrayIcon(tray);
    // The skinned controls in the client area, drawn from the same skin.
    RegisterSkinControlClasses();
    std::vector<TspSkinControl*> controls;
    auto place = [&](TspSkinControl* c, int x, int y, int w, int h) {
        c->SetParent(&form);
        c->SetBounds(x, y, w, h);
        c->SetSkinData(data.get());
        controls.push_back(c);
    };
    auto* label = new TspSkinStdLabel(&form);
    label->SetCaption("Skinned controls in the client area");
    place(label, 8, 8, 240, 16);
    auto* button = new TspSkinButton(&form);
    button->SetCaption("Close");
    button->OnClick = [&form](tk::TComponent*) { form.Close(); };
    place(button, 8, 30, 80, 25);
    auto* check = new TspSkinCheckBox(&form);
    check->SetCaption("Check box");
    check->SetChecked(true);
    place(check, 96, 32, 110, 20);
    std::vector<std::string> const items { "Customers", "Orders", "Products", "Suppliers", "Shippers",
        "Employees", "Categories" };
    auto* combo = new TspSkinComboBox(&form);
    combo->SetItems(items);
    combo->SetItemIndex(0);
    place(combo, 8, 62, 140, 22);
    auto* list = new TspSkinListBox(&form);
    list->SetItems(items);
    list->SetItemIndex(1);
    place(list, 8, 90, 140, 80);
    auto* tabs = new TspSkinTabControl(&form);
    tabs->SetTabs({ "General", "Tables", "Log" });
    place(tabs, 156, 62, 170, 108);
    auto* gauge = new TspSkinGauge(&form);
    gauge->SetValue(60);
    place(gauge, 8, 176, 140, 18);
    tk::Application->ProcessMessages();

    out << a.Files[0] << ": " << form.Width() << " x " << form.Height() << " form, objects:";
    for (auto const& o : skinned.ObjectList)
        if (o->VisibleState)
            out << " " << o->IDName;
    out << "\n"
        << "controls:";
    for (TspSkinControl const* c : controls)
        out << " " << c->ClassName();
    out << "\n";
    if (!headless) {
        out << "close the window to end\n";
        out.flush();
        tk::Application->Run();
        return 0;
    }
    // The scripted session: to the tray and back, then a close as a user's.
    skinned.MinimizeToTray();
    tk::Application->ProcessMessages();
    auto state = [&] {
        return !form.Visible() ? "hidden" : win::IsIconic(form.Handle()) ? "minimised" : "shown";
    };
    out << "minimised to the tray: " << headless->TrayIconCount() << " tray icon, form " << state() << "\n";
    skinned.RestoreFromTray();
    tk::Application->ProcessMessages();
    out << "restored: form " << state() << "\n";
    win::PostMessage(form.Handle(), win::WM_SYSCOMMAND, win::SC_CLOSE, 0);
    tk::Application->ProcessMessages();
    out << "closed: form " << state() << "\n";
    return 0;
}

} // namespace

int RunSkinTool(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << Usage;
        return 2;
    }
    try {
        if (args[0] == "pack")
            return Pack(args, out, err);
        if (args[0] == "import")
            return Import(args, out, err);
        if (args[0] == "list")
            return List(args, out, err);
        if (args[0] == "render")
            return Render(args, out, err);
        if (args[0] == "show")
            return Show(args, out, err);
        if (args[0] == "check")
            return Check(args, out, err);
        if (args[0] == "hittest")
            return HitTest(args, out, err);
    } catch (Exception const& e) {
        err << e.Message() << "\n";
        return 1;
    }
    err << Usage;
    return 2;
}

} // namespace xe::skin
