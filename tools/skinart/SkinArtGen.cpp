// Writes the pictures of a skin into a directory: the dialog's skin (resources/skin/ of the
// source tree) or, with --demo, the demonstration skin (resources/demoskin/), or with --layout
// one of the layout skins (description and pictures):
//   xe_skinartgen [--demo | --layout NAME] <directory>
#include "tools/skinart/DemoSkinArt.h"
#include "tools/skinart/LayoutSkins.h"
#include "tools/skinart/SkinArt.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    bool const demo = argc == 3 && std::strcmp(argv[1], "--demo") == 0;
    bool const layout = argc == 4 && std::strcmp(argv[1], "--layout") == 0;
    if (argc != 2 && !demo && !layout) {
        std::fprintf(stderr, "usage: %s [--demo | --layout NAME] <output directory>\n", argv[0]);
        return 2;
    }
    try {
        if (layout) {
            std::string const ini = xe::skin::WriteLayoutSkin(xe::skin::DrawLayoutSkin(argv[2]), argv[3]);
            std::printf("%s\n", ini.c_str());
            return 0;
        }
        std::string dir = xe::base::IncludeTrailingPathDelimiter(argv[argc - 1]);
        xe::base::ForceDirectories(dir);
        for (auto& picture : demo ? xe::skin::DrawDemoSkinPictures() : xe::skin::DrawSkinPictures()) {
            xe::base::WriteFileBytes(dir + picture.FileName, picture.Bitmap.SaveToBytes());
            std::printf("%s%s\n", dir.c_str(), picture.FileName.c_str());
        }
    } catch (xe::base::Exception const& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
