#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace xe::tk {

// Data built into the executable (stored forms, their pictures, the packed skin), looked
// up by the path it has under resources/ ("forms/Frm_outdata.form"). The build turns each
// file into a byte array and registers them all at start-up (InstallEmbeddedResources in
// resources/Embedded.h); tests may register their own.
void RegisterResource(std::string const& name, uint8_t const* data, size_t size);
// Registers a copy of the bytes (for tests and tools).
void RegisterResourceCopy(std::string const& name, std::string bytes);
bool ResourceExists(std::string const& name);
// The bytes of a resource; raises EFileError naming it when missing.
std::string_view FindResourceData(std::string const& name);
std::vector<std::string> ResourceNames();

} // namespace xe::tk
