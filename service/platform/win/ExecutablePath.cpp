#include "platform/ExecutablePath.h"

#include <windows.h>

#include <string>
#include <vector>

namespace serviceplatform {

std::filesystem::path executablePath()
{
    // GetModuleFileNameW cuts silently when the buffer is too small (long-path installs
    // exceed MAX_PATH): grow up to the longest path the system knows.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return std::filesystem::path();
        }
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return std::filesystem::path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace serviceplatform
