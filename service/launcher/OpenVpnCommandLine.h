#pragma once

#include <string>
#include <vector>

namespace launcher {

// The only command line RunProcess accepts, as the client builds it:
//   PROGRAM --config "FILE" --management 127.0.0.1 PORT "PWFILE" --management-query-passwords
// The program path comes unquoted (it may hold blanks) or quoted; the two files are
// always quoted; the port is decimal, 1 to 65535, without sign or leading zero. PWFILE
// holds the password of that run's management interface, so that only the client that
// wrote it can drive OpenVPN. Nothing may be added, left out or reordered.
struct OpenVpnCommandLine
{
    std::u16string program;
    std::u16string configPath;
    int port = 0;
    std::u16string passwordPath;
    // Never part of a request: the service's own DNS hook (program and arguments, as
    // one OpenVPN command), added as --script-security 2 --up CMD --down CMD when set.
    std::u16string hookCommand;

    // Fills parsed and returns true for a line of exactly that shape; otherwise returns
    // false with the reason in refusal, which never quotes the request's text.
    static bool parse(const std::u16string& line, OpenVpnCommandLine& parsed, std::string& refusal);

    // The line the service runs, program path quoted so that CreateProcessW never tries
    // the shorter paths an unquoted path with blanks would give it.
    std::u16string toCommandLine() const;
    // The arguments that line stands for, program first.
    std::vector<std::u16string> arguments() const;
};

} // namespace launcher
