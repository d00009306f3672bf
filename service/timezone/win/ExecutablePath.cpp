#include "timezone/MappingPath.h"

#include <windows.h>

#include <vector>

namespace timezones {

std::string executablePath()
{
    // GetModuleFileNameA cuts silently when the buffer is too small: grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::string();
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return std::string();
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace timezones
