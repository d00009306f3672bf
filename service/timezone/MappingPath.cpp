#include "timezone/MappingPath.h"

namespace timezones {

namespace {

#ifdef _WIN32
const char* const separators = "\\/";
const char* const separator = "\\";
#else
const char* const separators = "/";
const char* const separator = "/";
#endif

} // namespace

std::string mappingPathFor(const std::string& executablePath)
{
    std::string path = executablePath;
    const std::size_t cut = path.find_last_of(separators);
    if (cut != std::string::npos) {
        path.erase(cut);
    }
    return path + separator + "windowsZones.xml";
}

std::string defaultMappingPath()
{
    return mappingPathFor(executablePath());
}

} // namespace timezones
