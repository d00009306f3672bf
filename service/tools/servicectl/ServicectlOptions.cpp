#include "ServicectlOptions.h"

#include "launcher/TextEncoding.h"
#include "pipe/ServiceCommand.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>

using servicepipe::ServiceCommand;

namespace servicectl {

namespace {

struct Name
{
    const char* text;
    ServiceCommand command;
};

const Name names[] = {
    {"RunProcess", ServiceCommand::RunProcess},
    {"EnableFirewall", ServiceCommand::EnableFirewall},
    {"DisableFirewall", ServiceCommand::DisableFirewall},
    {"UpdateFirewall", ServiceCommand::UpdateFirewall},
    {"QueryFirewallSupport", ServiceCommand::QueryFirewallSupport},
    {"SaveFirewallState", ServiceCommand::SaveFirewallState},
    {"QueryTimezoneSupport", ServiceCommand::QueryTimezoneSupport},
    {"ChangeTimezone", ServiceCommand::ChangeTimezone},
};

bool parseNumber(const std::string& text, long long low, long long high, long long& number)
{
    if (text.empty()) {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    number = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && number >= low && number <= high;
}

bool parseCommand(const std::string& text, std::int32_t& code)
{
    for (const Name& name : names) {
        if (text == name.text) {
            code = static_cast<std::int32_t>(name.command);
            return true;
        }
    }
    long long number = 0;
    if (!parseNumber(text, INT32_MIN, INT32_MAX, number)) {
        return false;
    }
    code = static_cast<std::int32_t>(number);
    return true;
}

bool parseOptions(const std::string& text, servicepipe::FirewallOptions& options)
{
    std::uint8_t bytes[5] = {};
    std::size_t count = 0;
    std::size_t start = 0;
    while (count < 5) {
        const std::size_t comma = text.find(',', start);
        long long number = 0;
        if (!parseNumber(text.substr(start, comma - start), 0, 255, number)) {
            return false;
        }
        bytes[count++] = static_cast<std::uint8_t>(number);
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    if (count != 5) {
        return false;
    }
    options.killConnect = bytes[0];
    options.iPv6LeakProtect = bytes[1];
    options.allowLocalDevices = bytes[2];
    options.changeTimezone = bytes[3];
    options.blockDNS = bytes[4];
    return true;
}

} // namespace

bool ServicectlOptions::parse(const std::vector<std::string>& arguments, std::string& error)
{
    help = false;
    socket.clear();
    timeoutMs = -1;
    request = servicepipe::ServiceRequest();

    std::string commandText;
    std::string flagText;
    std::string text;
    std::string list;
    std::string optionsText;
    bool hasFlag = false;
    bool hasText = false;
    bool hasList = false;
    bool hasOptions = false;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            return true;
        }
        const bool takesValue = argument == "--socket" || argument == "--timeout" || argument == "--flag" ||
                                argument == "--text" || argument == "--list" || argument == "--options";
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                error = "missing value of " + argument;
                return false;
            }
            const std::string& value = arguments[++i];
            if (argument == "--socket") {
                socket = value;
            } else if (argument == "--timeout") {
                long long timeout = 0;
                if (!parseNumber(value, 0, INT_MAX, timeout)) {
                    error = "bad --timeout";
                    return false;
                }
                timeoutMs = static_cast<int>(timeout);
            } else if (argument == "--flag") {
                flagText = value;
                hasFlag = true;
            } else if (argument == "--text") {
                text = value;
                hasText = true;
            } else if (argument == "--list") {
                list = value;
                hasList = true;
            } else {
                optionsText = value;
                hasOptions = true;
            }
        } else if (argument.compare(0, 2, "--") == 0) {
            error = "unknown option " + argument;
            return false;
        } else if (commandText.empty()) {
            // Negative codes ("-1") are commands too.
            commandText = argument;
        } else {
            error = "unexpected argument " + argument;
            return false;
        }
    }

    std::int32_t code = 0;
    if (commandText.empty() || !parseCommand(commandText, code)) {
        error = "missing or unknown command";
        return false;
    }
    // The list shares its bytes with the flag and the text: one layout per request.
    if ((hasList || hasOptions) && (hasFlag || hasText)) {
        error = "--list/--options and --flag/--text belong to different commands";
        return false;
    }

    request.setCommand(code);
    if (hasFlag) {
        long long flag = 0;
        if (!parseNumber(flagText, 0, 255, flag)) {
            error = "bad --flag";
            return false;
        }
        request.setFlag(static_cast<std::uint8_t>(flag));
    }
    if (hasText) {
        // The command line travels as UTF-16, the zone name (and any other text) as UTF-8.
        if (code == static_cast<std::int32_t>(ServiceCommand::RunProcess)) {
            std::u16string line;
            if (!launcher::utf8ToUtf16(text, line) || !request.setCommandLine(line)) {
                error = "--text is not UTF-8 or too long for the command line";
                return false;
            }
        } else if (!request.setZoneName(text)) {
            error = "--text too long";
            return false;
        }
    }
    if (hasList) {
        std::u16string wide;
        if (!launcher::utf8ToUtf16(list, wide) || !request.setAddressList(wide)) {
            error = "--list is not UTF-8 or too long";
            return false;
        }
    }
    if (hasOptions) {
        servicepipe::FirewallOptions options;
        if (!parseOptions(optionsText, options)) {
            error = "--options needs five numbers separated by commas";
            return false;
        }
        request.setOptions(options);
    }
    return true;
}

const char* ServicectlOptions::usage()
{
    return "Usage: quarnel-servicectl [--socket PATH] [--timeout MS] COMMAND [FIELDS]\n"
           "COMMAND is a code (any 32-bit number) or a name:\n"
           "  RunProcess (0)            --flag 0|1 --text COMMAND-LINE\n"
           "  EnableFirewall (1)        --list A;B;... --options K,I,A,C,B\n"
           "  DisableFirewall (2)\n"
           "  UpdateFirewall (3)        --list A;B;... --options K,I,A,C,B\n"
           "  QueryFirewallSupport (5)\n"
           "  SaveFirewallState (6)\n"
           "  QueryTimezoneSupport (7)\n"
           "  ChangeTimezone (8)        --flag 0|1 --text ZONE\n"
           "Options are the bytes killConnect, iPv6LeakProtect, allowLocalDevices,\n"
           "changeTimezone, blockDNS. The socket defaults to $QUARNEL_SERVICE_SOCKET or the\n"
           "service's own. Prints \"ok=N value=N\"; exit status 0 when a reply came, 3 when the\n"
           "service could not be reached, 4 when the exchange failed, 2 for a usage error.\n";
}

} // namespace servicectl
