#pragma once

#include <cstdint>

namespace xe::base {

// Milliseconds of a monotonic clock, as the platform's tick count.
uint64_t GetTickCount64();

} // namespace xe::base
