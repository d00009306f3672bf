#pragma once

#include <filesystem>

namespace serviceplatform {

// Full path of the running program in native form (UTF-16 on Windows, so that an
// install path outside the ANSI code page keeps every character); empty when the
// system does not say.
std::filesystem::path executablePath();

// The directory the running program was started from, where its companion files are.
inline std::filesystem::path executableDirectory()
{
    return executablePath().parent_path();
}

} // namespace serviceplatform
