#pragma once

#include <string>

namespace xe::app {

// One trimmed value of InOut.ini, or the empty text. Creates the file (empty) when it is
// missing; never writes to an existing one. Errors are swallowed.
std::string ReadIniValue(const std::string& section, const std::string& key, const std::string& fileName);

// True when the file exists or could be created.
bool EnsureIniFile(const std::string& fileName);

// Creates every missing directory on the file's path, then the file itself, empty, when it
// does not exist. A bare file name (no directory part) is a failure.
bool CreateFileWithDirs(const std::string& fileName);

} // namespace xe::app
