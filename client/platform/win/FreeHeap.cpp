#include "platform/FreeHeap.h"

#include <malloc.h>

namespace platform {

void returnFreeHeap()
{
    // The C runtime's heap gives its unused regions back to the system.
    _heapmin();
}

} // namespace platform
