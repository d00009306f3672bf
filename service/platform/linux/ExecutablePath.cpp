#include "platform/ExecutablePath.h"

#include <unistd.h>

#include <string>
#include <vector>

namespace serviceplatform {

std::filesystem::path executablePath()
{
    // readlink does not say whether it cut the target: grow until the result fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return std::filesystem::path();
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        if (buffer.size() >= 65536) {
            return std::filesystem::path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace serviceplatform
