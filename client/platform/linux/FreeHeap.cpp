#include "platform/FreeHeap.h"

#include <malloc.h>

namespace platform {

void returnFreeHeap()
{
    // glibc gives back only the top of the main heap on its own; this also releases the
    // free pages inside it and in the threads' arenas.
    malloc_trim(0);
}

} // namespace platform
