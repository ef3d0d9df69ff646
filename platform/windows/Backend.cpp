
#include "platform/windows/Backend.h"
#include "platform/windows/HeadlessBackend.h"

namespace xe::win {

// The one place that chooses a backend. Until a display backend is built in, every choice
// falls back to the headless one.
std::unique_ptr<TBackend> CreateDefaultBackend() { return std::make_unique<THeadlessBackend>(); }

} // namespace xe::win
