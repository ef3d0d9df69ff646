#pragma once

#include "platform/ini/Profile.h"

#include <string>

namespace xe::app {

// The configuration helpers take file-system paths (UTF-8 bytes, the executable's directory
// plus "InOut.ini"): a path that comes from the file system is never converted to the ANSI
// code page, so a folder name GBK cannot hold still finds its file. The values read are ANSI.

// One trimmed value of InOut.ini, or the empty text. Creates the file (empty) when it is
// missing; never writes to an existing one. Errors are swallowed. text, when given, tells how
// the value's text was read (UTF-8 or ANSI, and whether it converted faithfully).
std::string ReadIniValue(std::string const& section, std::string const& key, std::string const& fileName,
    ini::TProfileText* text = nullptr);

// True when the file exists or could be created.
bool EnsureIniFile(std::string const& fileName);

// Creates every missing directory on the file's path, then the file itself, empty, when it
// does not exist. A bare file name (no directory part) is a failure.
bool CreateFileWithDirs(std::string const& fileName);

} // namespace xe::app
