#include "SavedState.h"

namespace service {

std::filesystem::path defaultSavedStateDirectory()
{
    // The unit's StateDirectory=quarnel.
    return "/var/lib/quarnel";
}

} // namespace service
