#pragma once

#include <filesystem>

namespace timezones {

// The zone mapping file installed beside the running program, in native form; empty
// when the system does not say where the program is.
std::filesystem::path defaultMappingPath();

} // namespace timezones
