#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace xe::skin {

// The skin packer as a command line:
//   skintool pack <skin.ini> <output> [--raw]
//       packs a description and the bitmaps it names into a compressed skin file
//       (version, length, zlib stream), or with --raw into the bare zlib stream that a
//       form stores as CompressedData
//   skintool import <compressed skin file> <output>
//       takes the zlib stream out of a compressed skin file, as a form would import it
//   skintool list <file>
//       lists a package's layout and description; the file may be a compressed skin
//       file, a bare zlib stream or an uncompressed package
//   skintool render <skin file> <output.png> [--size WxH] [--inactive]
//       draws the skin (any file list takes) on a framed form of that size (default: the
//       skin's main picture's), active or inactive, with a main menu File, Edit, Help when
//       the skin describes a MAINMENUITEM, and writes the whole window as PNG
// Returns the process exit code: 0 done, 1 failed, 2 bad usage.
int RunSkinTool(std::vector<std::string> const& args, std::ostream& out, std::ostream& err);

} // namespace xe::skin
