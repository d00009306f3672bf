#include "resources/ClientResources.h"

#include <QtGlobal>

#include <mutex>

// Q_INIT_RESOURCE declares a function in the global namespace, so it cannot be used
// from inside one.
static void registerResources()
{
    Q_INIT_RESOURCE(resources);
}

void initClientResources()
{
    static std::once_flag once;
    std::call_once(once, registerResources);
}
