#include "platform/base/Clock.h"

#include <chrono>

namespace xe::base {

uint64_t GetTickCount64()
{
    using namespace std::chrono;
    return uint64_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace xe::base
