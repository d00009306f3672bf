#include "launcher/OpenVpnCommandLine.h"

namespace launcher {

namespace {

const std::u16string configOption = u" --config ";
const std::u16string managementOption = u" --management 127.0.0.1 ";
const std::u16string passwordsOption = u" --management-query-passwords";

bool endsWith(const std::u16string& text, const std::u16string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool hasControlCharacter(const std::u16string& text)
{
    for (const char16_t c : text) {
        if (c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

// Takes a "quoted" text off the end of rest; false when rest does not end with one.
bool takeQuoted(std::u16string& rest, std::u16string& text)
{
    if (rest.empty() || rest.back() != u'"') {
        return false;
    }
    rest.pop_back();
    const std::size_t opening = rest.rfind(u'"');
    if (opening == std::u16string::npos) {
        return false;
    }
    text = rest.substr(opening + 1);
    rest.resize(opening);
    return true;
}

std::u16string decimal(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

bool OpenVpnCommandLine::parse(const std::u16string& line, OpenVpnCommandLine& parsed, std::string& refusal)
{
    // Read from the end: the program path is the only part that may hold blanks freely.
    if (!endsWith(line, passwordsOption)) {
        refusal = "the command line does not end with --management-query-passwords";
        return false;
    }
    std::u16string rest = line.substr(0, line.size() - passwordsOption.size());

    std::u16string passwordPath;
    if (!takeQuoted(rest, passwordPath)) {
        refusal = "the management password file is not named in quotes after the port";
        return false;
    }
    if (rest.empty() || rest.back() != u' ') {
        refusal = "the management password file does not follow the port";
        return false;
    }
    rest.pop_back();

    std::size_t digitsStart = rest.size();
    while (digitsStart > 0 && rest[digitsStart - 1] >= u'0' && rest[digitsStart - 1] <= u'9') {
        --digitsStart;
    }
    const std::size_t digitCount = rest.size() - digitsStart;
    int port = 0;
    if (digitCount == 0 || digitCount > 5 || rest[digitsStart] == u'0') {
        refusal = "the management port is not a number from 1 to 65535";
        return false;
    }
    for (std::size_t i = digitsStart; i < rest.size(); ++i) {
        port = port * 10 + (rest[i] - u'0');
    }
    if (port > 65535) {
        refusal = "the management port is not a number from 1 to 65535";
        return false;
    }
    rest.resize(digitsStart);

    if (!endsWith(rest, managementOption)) {
        refusal = "the command line has no --management 127.0.0.1 PORT where expected";
        return false;
    }
    rest.resize(rest.size() - managementOption.size());

    std::u16string configPath;
    if (!takeQuoted(rest, configPath)) {
        refusal = "the configuration path is not quoted or is followed by other options";
        return false;
    }
    if (!endsWith(rest, configOption)) {
        refusal = "the command line has no --config \"FILE\" where expected";
        return false;
    }
    rest.resize(rest.size() - configOption.size());

    std::u16string program = rest;
    if (program.size() >= 2 && program.front() == u'"' && program.back() == u'"') {
        program = program.substr(1, program.size() - 2);
    }
    if (program.empty() || program.find(u'"') != std::u16string::npos || program.find(u" --") != std::u16string::npos ||
        program.front() == u' ' || program.back() == u' ') {
        refusal = "the command line has other options before --config";
        return false;
    }
    if (configPath.empty() || passwordPath.empty()) {
        refusal = "the configuration or management password path is empty";
        return false;
    }
    if (hasControlCharacter(program) || hasControlCharacter(configPath) || hasControlCharacter(passwordPath)) {
        refusal = "the command line holds control characters";
        return false;
    }

    parsed.program = program;
    parsed.configPath = configPath;
    parsed.port = port;
    parsed.passwordPath = passwordPath;
    return true;
}

std::u16string OpenVpnCommandLine::toCommandLine() const
{
    std::u16string line = u"\"" + program + u"\"" + configOption + u"\"" + configPath + u"\"" + managementOption +
                          decimal(port) + u" \"" + passwordPath + u"\"" + passwordsOption;
    if (!hookCommand.empty()) {
        line += u" --script-security 2 --up \"" + hookCommand + u"\" --down \"" + hookCommand + u"\"";
    }
    return line;
}

std::vector<std::u16string> OpenVpnCommandLine::arguments() const
{
    std::vector<std::u16string> arguments{program,      u"--config",   configPath,   u"--management",
                                          u"127.0.0.1", decimal(port), passwordPath, u"--management-query-passwords"};
    if (!hookCommand.empty()) {
        arguments.insert(arguments.end(), {u"--script-security", u"2", u"--up", hookCommand, u"--down", hookCommand});
    }
    return arguments;
}

} // namespace launcher
