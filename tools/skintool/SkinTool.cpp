#include "tools/skintool/SkinTool.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/toolkit/Component.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPackage.h"

#include <ostream>

namespace xe::skin {

using namespace xe::base;

namespace {

char const* const Usage = "usage: skintool pack <skin.ini> <output> [--raw]\n"
                          "       skintool import <compressed skin file> <output>\n"
                          "       skintool list <file>\n";

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
    } catch (Exception const& e) {
        err << e.Message() << "\n";
        return 1;
    }
    err << Usage;
    return 2;
}

} // namespace xe::skin
