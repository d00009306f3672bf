#include "pipe/StopEvent.h"

#include <windows.h>

namespace servicepipe {

StopEvent::StopEvent() : handle(reinterpret_cast<std::intptr_t>(CreateEventW(nullptr, TRUE, FALSE, nullptr)))
{
    if (handle == 0) {
        creationError = GetLastError();
    }
}

StopEvent::~StopEvent()
{
    if (handle != 0) {
        CloseHandle(reinterpret_cast<HANDLE>(handle));
    }
}

bool StopEvent::isValid() const
{
    return handle != 0;
}

void StopEvent::set()
{
    if (handle != 0) {
        SetEvent(reinterpret_cast<HANDLE>(handle));
    }
}

bool StopEvent::isSet() const
{
    return handle != 0 && WaitForSingleObject(reinterpret_cast<HANDLE>(handle), 0) == WAIT_OBJECT_0;
}

} // namespace servicepipe
