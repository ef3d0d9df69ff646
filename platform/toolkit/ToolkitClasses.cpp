#include "platform/toolkit/Persistence.h"

namespace xe::tk {

void RegisterToolkitClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
}

} // namespace xe::tk
