#include "tools/skintool/SkinTool.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Png.h"
#include "platform/toolkit/Component.h"
#include "platform/toolkit/Forms.h"
#include "platform/windows/HeadlessBackend.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"
#include "tools/skintool/SkinRender.h"

#include <algorithm>
#include <charconv>
#include <memory>
#include <ostream>

namespace xe::skin {

using namespace xe::base;

namespace {

char const* const Usage = "usage: skintool pack <skin.ini> <output> [--raw]\n"
                          "       skintool import <compressed skin file> <output>\n"
                          "       skintool list <file>\n"
                          "       skintool render <skin file> <output.png> [--size WxH] [--inactive]\n";

// The largest side render draws, in pixels.
constexpr int MaxRenderSide = 8192;

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

// Renders on the headless backend, started here unless a window system is already running,
// with a screen large enough for the form.
int Render(std::vector<std::string> const& args, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> files;
    int width = 0, height = 0;
    bool inactive = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--inactive")
            inactive = true;
        else if (args[i] == "--size") {
            if (i + 1 == args.size() || !ParseSize(args[i + 1], width, height)) {
                err << "skintool: bad size '" << (i + 1 < args.size() ? args[i + 1] : "")
                    << "': expected WIDTHxHEIGHT, for example 360x260, each side 1 to " << MaxRenderSide
                    << "\n";
                return 2;
            }
            ++i;
        } else if (args[i].starts_with("--")) {
            err << "skintool: unknown option " << args[i] << "\n" << Usage;
            return 2;
        } else
            files.push_back(args[i]);
    }
    if (files.size() != 2) {
        err << Usage;
        return 2;
    }

    xe::tk::TComponentPtr<TspSkinData> data(new TspSkinData(nullptr));
    std::string const bytes = ReadFileBytes(files[0]);
    try {
        data->LoadFromPackage(PackageOf(bytes));
    } catch (Exception const& e) {
        err << files[0] << ": not a skin package (" << e.Message() << ")\n";
        return 1;
    }
    if (data->Empty() || data->Picture().Empty()) {
        err << files[0] << ": not a skin package with a frame picture\n";
        return 1;
    }

    bool const ownWindowSystem = !win::WindowSystemRunning();
    if (ownWindowSystem) {
        auto backend = std::make_unique<win::THeadlessBackend>();
        int const screenW = std::max(1024, width + 200), screenH = std::max(768, height + 200);
        backend->SetMonitors({ { { 0, 0, screenW, screenH }, { 0, 0, screenW, screenH } } });
        win::InitWindowSystem(std::move(backend));
    }
    std::unique_ptr<tk::TApplication> app;
    if (!tk::Application)
        app = std::make_unique<tk::TApplication>();
    auto finish = [&] {
        app.reset();
        if (ownWindowSystem)
            win::DoneWindowSystem();
    };
    try {
        TSkinRenderOptions options;
        options.Width = width;
        options.Height = height;
        options.Active = !inactive;
        options.Caption = data->SkinName;
        options.MainMenu = { "&File", "&Edit", "&Help" };
        gfx::TBitmap const shot = RenderSkinForm(*data, options);
        gfx::SavePngToFile(shot, files[1]);
        out << files[1] << ": " << shot.Width() << " x " << shot.Height()
            << (inactive ? ", inactive" : ", active") << "\n";
    } catch (...) {
        finish();
        throw;
    }
    finish();
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
    } catch (Exception const& e) {
        err << e.Message() << "\n";
        return 1;
    }
    err << Usage;
    return 2;
}

} // namespace xe::skin
