#include "update/UpdateBackoff.h"

#include <algorithm>

int UpdateBackoff::nextDelayMs()
{
    const int delay = delayMs;
    delayMs = std::min(delayMs * 2, maxDelayMs);
    return delay;
}

void UpdateBackoff::reset()
{
    delayMs = firstDelayMs;
}
