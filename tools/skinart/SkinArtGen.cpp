// Writes the pictures of the dialog's skin into a directory (resources/skin/ of the
// source tree):
//   xe_skinartgen <directory>
#include "tools/skinart/SkinArt.h"

#include "platform/base/Exceptions.h"
#include "platform/base/Files.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    try {
        std::string dir = xe::base::IncludeTrailingPathDelimiter(argv[1]);
        xe::base::ForceDirectories(dir);
        for (auto& picture : xe::skin::DrawSkinPictures()) {
            xe::base::WriteFileBytes(dir + picture.FileName, picture.Bitmap.SaveToBytes());
            std::printf("%s%s\n", dir.c_str(), picture.FileName.c_str());
        }
    } catch (xe::base::Exception const& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
