#pragma once

#include "tools/skinart/SkinArt.h"

#include <vector>

namespace xe::skin {

// The pictures of the demonstration skin (resources/demoskin/): a light framed form with a
// teal caption band, a main-menu bar, and a bottom panel that carries one object of each
// kind the skin engine draws. xe_skinartgen --demo writes them beside demo.ini, which names
// them and cuts them; a test checks that the committed files are what this code draws.
// All pictures are 24-bit except the 1-bit mask.
std::vector<TSkinPicture> DrawDemoSkinPictures();

// The characters of the bit label's symbol sheet, one string a row of cells (demo.ini lists
// the same rows as its symbols).
std::vector<std::string> const& DemoSymbolRows();

} // namespace xe::skin
