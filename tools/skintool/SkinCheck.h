#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinData;

// One finding of CheckSkin: where (the section and key of the description) and what.
struct TSkinFinding {
    bool Error = false; // false: a warning
    std::string Section;
    std::string Key;
    std::string Message;
};

// What a skin author commonly gets wrong, found in a loaded skin and its description text:
//   errors: a rectangle outside the picture it cuts, a picture index out of range, a corner
//           point outside the picture or the look it cuts, an entry of an unknown type, a mask
//           of another size than its picture, caption buttons that overlap on the frame
//           (laid out at the picture's size);
//   warnings: a section nothing refers to, a key no class reads (a likely typo).
// The caption-button layout needs a running window system and application (skintool starts
// the headless one); without them that check is left out.
std::vector<TSkinFinding> CheckSkin(TspSkinData& data, std::string const& description);

// "error: [section] key: message", one a line.
void PrintFindings(std::vector<TSkinFinding> const& findings, std::ostream& out);

} // namespace xe::skin
