#pragma once

#include <string>

namespace timezones {

// Full path of the running program (on Windows in its ANSI form); empty when the
// system does not say.
std::string executablePath();

// The zone mapping file installed beside the program at executablePath: its directory
// (the whole path when it has none) followed by the file name.
std::string mappingPathFor(const std::string& executablePath);

// The mapping file beside the running program.
std::string defaultMappingPath();

} // namespace timezones
