#include "timezone/MappingPath.h"

#include "platform/ExecutablePath.h"

namespace timezones {

std::filesystem::path defaultMappingPath()
{
    const std::filesystem::path program = serviceplatform::executablePath();
    if (program.empty()) {
        return std::filesystem::path();
    }
    return program.parent_path() / "windowsZones.xml";
}

} // namespace timezones
