// Writes the windows' pictures into a directory (resources/pictures/ of the source tree):
//   xe_artworkgen <directory>
#include "tools/Artwork.h"

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
        for (auto& art : xe::tools::DrawArtwork()) {
            xe::base::WriteFileBytes(dir + art.FileName, art.Bitmap.SaveToBytes());
            std::printf("%s%s\n", dir.c_str(), art.FileName.c_str());
        }
    } catch (xe::base::Exception const& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
