#pragma once

// Command lines and the arguments CommandLineToArgvW gives for them; the Windows test
// also holds the real function to every row.

#include <string>
#include <vector>

namespace launchertest {

struct CommandLineCase
{
    std::u16string line;
    std::vector<std::u16string> arguments;
};

inline const std::vector<CommandLineCase>& commandLineCases()
{
    static const std::vector<CommandLineCase> cases = {
        // Plain splitting on blanks and tabs; runs of them count once; none at the end.
        {u"a b c", {u"a", u"b", u"c"}},
        {u"a\tb  \t c   ", {u"a", u"b", u"c"}},
        {u"prog", {u"prog"}},
        {u"prog   ", {u"prog"}},
        // A line starting with a blank has an empty program name.
        {u"  a b", {u"", u"a", u"b"}},
        // The program name: up to the closing quote, backslashes and all, or to the first blank.
        {u"\"C:\\Program Files\\x.exe\" arg", {u"C:\\Program Files\\x.exe", u"arg"}},
        {u"C:\\Program Files\\x.exe arg", {u"C:\\Program", u"Files\\x.exe", u"arg"}},
        {u"\"prog\"x y", {u"prog", u"x", u"y"}},
        {u"\"a\\\" b", {u"a\\", u"b"}},
        {u"pro\"g x", {u"pro\"g", u"x"}},
        {u"\"unterminated program", {u"unterminated program"}},
        // The documented examples of CommandLineToArgvW.
        {u"prog \"abc\" d e", {u"prog", u"abc", u"d", u"e"}},
        {u"prog a\\\\\\b d\"e f\"g h", {u"prog", u"a\\\\\\b", u"de fg", u"h"}},
        {u"prog a\\\\\\\"b c d", {u"prog", u"a\\\"b", u"c", u"d"}},
        {u"prog a\\\\\\\\\"b c\" d e", {u"prog", u"a\\\\b c", u"d", u"e"}},
        // Backslashes count only before a quote.
        {u"prog \\\\server\\share\\", {u"prog", u"\\\\server\\share\\"}},
        {u"prog a\\\"b", {u"prog", u"a\"b"}},
        {u"prog \"a\\\\\" b", {u"prog", u"a\\", u"b"}},
        {u"prog \"a\\\\\\\" b\"", {u"prog", u"a\\\" b"}},
        // Empty quoted arguments, and runs of quotes counted in threes.
        {u"prog \"\"", {u"prog", u""}},
        {u"prog \"\" \"\"", {u"prog", u"", u""}},
        {u"prog \"\"\"\"", {u"prog", u"\""}},
        {u"prog a\"b\"\" c d", {u"prog", u"ab\"", u"c", u"d"}},
        {u"prog \"a\"\"b\"", {u"prog", u"a\"b"}},
        {u"prog \"a\"\"\"b c\"", {u"prog", u"a\"b c"}},
        {u"prog \"unterminated arg", {u"prog", u"unterminated arg"}},
        // Text beyond ASCII passes unchanged.
        {u"prog caf\u00e9 \u4e2d\u6587", {u"prog", u"caf\u00e9", u"\u4e2d\u6587"}},
        // The line the launcher runs.
        {u"\"C:\\Program Files\\Quarnel\\openvpn\\openvpn.exe\" --config \"C:\\Data\\launch\\config-1-1.ovpn\""
         u" --management 127.0.0.1 1194 \"C:\\Data\\launch\\config-1-2.pass\" --management-query-passwords",
         {u"C:\\Program Files\\Quarnel\\openvpn\\openvpn.exe", u"--config", u"C:\\Data\\launch\\config-1-1.ovpn",
          u"--management", u"127.0.0.1", u"1194", u"C:\\Data\\launch\\config-1-2.pass",
          u"--management-query-passwords"}},
    };
    return cases;
}

} // namespace launchertest
