#pragma once

#include <string>
#include <vector>

namespace launcher {

// Splits a command line into arguments the way CommandLineToArgvW does, so that a
// program started on Linux sees the arguments a Windows program would:
// - the program name ends at the next quote when it starts with one, else at the first
//   blank or tab; backslashes mean nothing in it;
// - other arguments are separated by blanks and tabs outside quotes;
// - 2n backslashes and a quote give n backslashes and open or close a quoted part,
//   2n+1 backslashes and a quote give n backslashes and a literal quote, backslashes
//   before anything else are kept as they are;
// - inside a quoted part, runs of quotes count in threes (the opening one included):
//   every third gives a literal quote, and a remainder of one or two closes the part.
// An empty line gives no arguments (CommandLineToArgvW would give the caller's own path).
std::vector<std::u16string> splitWindowsCommandLine(const std::u16string& line);

} // namespace launcher
