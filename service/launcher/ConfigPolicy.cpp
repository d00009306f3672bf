#include "launcher/ConfigPolicy.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace launcher {

namespace {

// How a directive's arguments are checked.
enum class Arguments
{
    Any,
    None,           // auth-user-pass, askpass: a file argument would be read with the service's rights
    ScriptSecurity, // a level from 0 to 3: every hook that a level could let run is refused on its own
    Proto,          // client protocols only
    Remote,         // host [port] [client protocol]
    HttpProxy,      // host port [auto|auto-nct] [method]: no credentials file
    SocksProxy,     // host [port]: no credentials file
    Providers,      // the providers OpenSSL ships; a name can be a module path
    Setenv,         // "setenv opt X …" is the directive X
};

struct AllowedDirective
{
    std::string_view name;
    Arguments arguments;
};

// Sorted by name for the binary search below.
constexpr AllowedDirective allowedDirectives[] = {
    {"allow-compression", Arguments::Any},
    {"allow-pull-fqdn", Arguments::Any},
    {"allow-recursive-routing", Arguments::Any},
    {"askpass", Arguments::None},
    {"auth", Arguments::Any},
    {"auth-nocache", Arguments::Any},
    {"auth-retry", Arguments::Any},
    {"auth-user-pass", Arguments::None},
    {"block-ipv6", Arguments::Any},
    {"block-outside-dns", Arguments::Any},
    {"cipher", Arguments::Any},
    {"client", Arguments::Any},
    {"comp-lzo", Arguments::Any},
    {"comp-noadapt", Arguments::Any},
    {"compat-mode", Arguments::Any},
    {"compress", Arguments::Any},
    {"connect-retry", Arguments::Any},
    {"connect-retry-max", Arguments::Any},
    {"connect-timeout", Arguments::Any},
    {"data-ciphers", Arguments::Any},
    {"data-ciphers-fallback", Arguments::Any},
    {"dev", Arguments::Any},
    {"dev-type", Arguments::Any},
    {"dhcp-option", Arguments::Any},
    {"dhcp-release", Arguments::Any},
    {"dhcp-renew", Arguments::Any},
    {"disable-dco", Arguments::Any},
    {"disable-occ", Arguments::Any},
    {"dns", Arguments::Any},
    {"down-pre", Arguments::None},
    {"ecdh-curve", Arguments::Any},
    {"echo", Arguments::Any},
    {"explicit-exit-notify", Arguments::Any},
    {"fast-io", Arguments::Any},
    {"float", Arguments::Any},
    {"fragment", Arguments::Any},
    {"group", Arguments::Any},
    {"hand-window", Arguments::Any},
    {"http-proxy", Arguments::HttpProxy},
    {"http-proxy-option", Arguments::Any},
    {"http-proxy-retry", Arguments::Any},
    {"http-proxy-timeout", Arguments::Any},
    {"ifconfig", Arguments::Any},
    {"ifconfig-ipv6", Arguments::Any},
    {"ifconfig-noexec", Arguments::Any},
    {"ifconfig-nowarn", Arguments::Any},
    {"ignore-unknown-option", Arguments::Any},
    {"inactive", Arguments::Any},
    {"ip-win32", Arguments::Any},
    {"keepalive", Arguments::Any},
    {"key-direction", Arguments::Any},
    {"key-method", Arguments::Any},
    {"keying-material-exporter", Arguments::Any},
    {"keysize", Arguments::Any},
    {"link-mtu", Arguments::Any},
    {"machine-readable-output", Arguments::Any},
    {"max-packet-size", Arguments::Any},
    {"max-routes", Arguments::Any},
    {"mlock", Arguments::Any},
    {"mssfix", Arguments::Any},
    {"mtu-disc", Arguments::Any},
    {"mtu-test", Arguments::Any},
    {"mute", Arguments::Any},
    {"mute-replay-warnings", Arguments::Any},
    {"ncp-ciphers", Arguments::Any},
    {"ncp-disable", Arguments::Any},
    {"nice", Arguments::Any},
    {"nobind", Arguments::Any},
    {"ns-cert-type", Arguments::Any},
    {"passtos", Arguments::Any},
    {"peer-fingerprint", Arguments::Any},
    {"persist-key", Arguments::Any},
    {"persist-local-ip", Arguments::Any},
    {"persist-remote-ip", Arguments::Any},
    {"persist-tun", Arguments::Any},
    {"ping", Arguments::Any},
    {"ping-exit", Arguments::Any},
    {"ping-restart", Arguments::Any},
    {"ping-timer-rem", Arguments::Any},
    {"port", Arguments::Any},
    {"proto", Arguments::Proto},
    {"providers", Arguments::Providers},
    {"pull", Arguments::Any},
    {"pull-filter", Arguments::Any},
    {"push-peer-info", Arguments::Any},
    {"rcvbuf", Arguments::Any},
    {"redirect-gateway", Arguments::Any},
    {"redirect-private", Arguments::Any},
    {"register-dns", Arguments::Any},
    {"remap-usr1", Arguments::Any},
    {"remote", Arguments::Remote},
    {"remote-cert-eku", Arguments::Any},
    {"remote-cert-ku", Arguments::Any},
    {"remote-cert-tls", Arguments::Any},
    {"remote-random", Arguments::Any},
    {"remote-random-hostname", Arguments::Any},
    {"reneg-bytes", Arguments::Any},
    {"reneg-pkts", Arguments::Any},
    {"reneg-sec", Arguments::Any},
    {"replay-window", Arguments::Any},
    {"resolv-retry", Arguments::Any},
    {"route", Arguments::Any},
    {"route-delay", Arguments::Any},
    {"route-gateway", Arguments::Any},
    {"route-ipv6", Arguments::Any},
    {"route-ipv6-gateway", Arguments::Any},
    {"route-method", Arguments::Any},
    {"route-metric", Arguments::Any},
    {"route-noexec", Arguments::Any},
    {"route-nopull", Arguments::Any},
    {"rport", Arguments::Any},
    {"script-security", Arguments::ScriptSecurity},
    {"server-poll-timeout", Arguments::Any},
    {"session-timeout", Arguments::Any},
    {"setenv", Arguments::Setenv},
    {"setenv-safe", Arguments::Any},
    {"shaper", Arguments::Any},
    {"sndbuf", Arguments::Any},
    {"socket-flags", Arguments::Any},
    {"socks-proxy", Arguments::SocksProxy},
    {"socks-proxy-retry", Arguments::Any},
    {"static-challenge", Arguments::Any},
    {"suppress-timestamps", Arguments::Any},
    {"tap-sleep", Arguments::Any},
    {"tcp-nodelay", Arguments::Any},
    {"tcp-queue-limit", Arguments::Any},
    {"tls-cert-profile", Arguments::Any},
    {"tls-cipher", Arguments::Any},
    {"tls-ciphersuites", Arguments::Any},
    {"tls-client", Arguments::Any},
    {"tls-exit", Arguments::Any},
    {"tls-groups", Arguments::Any},
    {"tls-timeout", Arguments::Any},
    {"tls-version-max", Arguments::Any},
    {"tls-version-min", Arguments::Any},
    {"topology", Arguments::Any},
    {"tran-window", Arguments::Any},
    {"tun-ipv6", Arguments::Any},
    {"tun-mtu", Arguments::Any},
    {"tun-mtu-extra", Arguments::Any},
    {"tun-mtu-max", Arguments::Any},
    {"txqueuelen", Arguments::Any},
    {"up-delay", Arguments::Any},
    {"user", Arguments::Any},
    {"verb", Arguments::Any},
    {"verify-hash", Arguments::Any},
    {"verify-x509-name", Arguments::Any},
    {"windows-driver", Arguments::Any},
    {"x509-track", Arguments::Any},
};

constexpr bool sortedByName()
{
    for (std::size_t i = 1; i < std::size(allowedDirectives); ++i) {
        if (!(allowedDirectives[i - 1].name < allowedDirectives[i].name)) {
            return false;
        }
    }
    return true;
}
static_assert(sortedByName(), "the allowlist is searched by halves and must stay sorted");

struct RefusedDirective
{
    std::string_view name;
    std::string_view why;
};

constexpr std::string_view runsProgram = "runs a program";
constexpr std::string_view usesFile = "reads or writes a file with the service's rights";
constexpr std::string_view inlineOnly = "reads a file with the service's rights; only its inline block is allowed";
constexpr std::string_view serviceOwned = "is set by the service";
constexpr std::string_view serverSide = "opens a listening socket or server mode";
constexpr std::string_view leavesService = "detaches OpenVPN or its log from the service";

// Known directives that are refused, so that the log can name them. Everything else
// that is not on the allowlist is refused too, without being named.
constexpr RefusedDirective refusedDirectives[] = {
    {"auth-user-pass-verify", runsProgram},
    {"bind", serverSide},
    {"ca", inlineOnly},
    {"capath", usesFile},
    {"cd", usesFile},
    {"cert", inlineOnly},
    {"chroot", usesFile},
    {"client-config-dir", serverSide},
    {"client-connect", runsProgram},
    {"client-disconnect", runsProgram},
    {"config", usesFile},
    {"crl-verify", inlineOnly},
    {"daemon", leavesService},
    {"dev-node", serviceOwned},
    {"dh", usesFile},
    {"dns-updown", runsProgram},
    {"down", runsProgram},
    {"engine", runsProgram},
    {"extra-certs", inlineOnly},
    {"genkey", usesFile},
    {"http-proxy-user-pass", inlineOnly},
    {"iproute", runsProgram},
    {"ipchange", runsProgram},
    {"key", inlineOnly},
    {"learn-address", runsProgram},
    {"local", serverSide},
    {"log", usesFile},
    {"log-append", usesFile},
    {"lport", serverSide},
    {"memstats", usesFile},
    {"mode", serverSide},
    {"pkcs11-providers", runsProgram},
    {"pkcs12", inlineOnly},
    {"plugin", runsProgram},
    {"port-share", serverSide},
    {"replay-persist", usesFile},
    {"route-pre-down", runsProgram},
    {"route-up", runsProgram},
    {"secret", inlineOnly},
    {"server", serverSide},
    {"server-bridge", serverSide},
    {"service", serviceOwned},
    {"status", usesFile},
    {"status-version", usesFile},
    {"syslog", leavesService},
    {"tls-auth", inlineOnly},
    {"tls-crypt", inlineOnly},
    {"tls-crypt-v2", inlineOnly},
    {"tls-crypt-v2-verify", runsProgram},
    {"tls-export-cert", usesFile},
    {"tls-server", serverSide},
    {"tls-verify", runsProgram},
    {"tmp-dir", usesFile},
    {"up", runsProgram},
    {"up-restart", runsProgram},
    {"win-sys", runsProgram},
    {"writepid", usesFile},
};

// Inline blocks whose content is key or certificate material, never directives.
constexpr std::string_view inlineBlocks[] = {
    "auth-user-pass",   "ca",     "cert",   "crl-verify", "extra-certs", "http-proxy-user-pass", "key",
    "peer-fingerprint", "pkcs12", "secret", "tls-auth",   "tls-crypt",   "tls-crypt-v2",
};

constexpr std::string_view clientProtocols[] = {
    "tcp", "tcp-client", "tcp4", "tcp4-client", "tcp6", "tcp6-client", "udp", "udp4", "udp6",
};

constexpr std::string_view opensslProviders[] = {"base", "default", "fips", "legacy", "null"};

template <typename Table> bool contains(const Table& table, std::string_view name)
{
    return std::find(std::begin(table), std::end(table), name) != std::end(table);
}

const AllowedDirective* findAllowed(std::string_view name)
{
    const auto found =
        std::lower_bound(std::begin(allowedDirectives), std::end(allowedDirectives), name,
                         [](const AllowedDirective& entry, std::string_view key) { return entry.name < key; });
    return found != std::end(allowedDirectives) && found->name == name ? found : nullptr;
}

const RefusedDirective* findRefused(std::string_view name)
{
    for (const RefusedDirective& entry : refusedDirectives) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

// OpenVPN's notion of white space (isspace in the C locale, and the terminator).
bool isSpace(char c)
{
    return c == '\0' || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

struct LineTokens
{
    bool ok = true;
    std::vector<std::string> tokens;
    // Where a comment starts (the line's length when there is none).
    std::size_t directiveEnd = 0;
};

// OpenVPN's parse_line: double-quoted, single-quoted and unquoted parameters; outside
// single quotes a backslash escapes a backslash, a quote or white space and anything
// else is an error; '#' or ';' where a parameter would start ends the line.
LineTokens tokenize(std::string_view line)
{
    enum class State
    {
        Initial,
        Unquoted,
        Quoted,
        SingleQuoted,
    };

    LineTokens result;
    result.directiveEnd = line.size();
    State state = State::Initial;
    bool backslash = false;
    std::string parameter;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        const char in = i < line.size() ? line[i] : '\0';
        char out = 0;
        if (!backslash && in == '\\' && state != State::SingleQuoted) {
            backslash = true;
        } else {
            bool done = false;
            if (state == State::Initial) {
                if (!isSpace(in)) {
                    if (in == ';' || in == '#') {
                        result.directiveEnd = i;
                        break;
                    }
                    if (!backslash && in == '"') {
                        state = State::Quoted;
                    } else if (!backslash && in == '\'') {
                        state = State::SingleQuoted;
                    } else {
                        out = in;
                        state = State::Unquoted;
                    }
                }
            } else if (state == State::Unquoted) {
                if (!backslash && isSpace(in)) {
                    done = true;
                } else {
                    out = in;
                }
            } else if (state == State::Quoted) {
                if (!backslash && in == '"') {
                    done = true;
                } else {
                    out = in;
                }
            } else if (in == '\'') {
                done = true;
            } else {
                out = in;
            }
            if (done) {
                result.tokens.push_back(parameter);
                parameter.clear();
                state = State::Initial;
            }
            if (backslash && out != 0 && !(out == '\\' || out == '"' || isSpace(out))) {
                result.ok = false;
                return result;
            }
            backslash = false;
        }
        if (out != 0) {
            parameter += out;
        }
    }
    if (state != State::Initial) {
        result.ok = false;
    }
    return result;
}

std::string atLine(std::size_t lineNumber)
{
    return "configuration line " + std::to_string(lineNumber) + ": ";
}

// A name that may appear in the log: short printable ASCII, so that a value or the rest
// of a line never does, and nothing that would break the log line.
bool isNameable(std::string_view name)
{
    if (name.empty() || name.size() > maxNamedDirectiveBytes) {
        return false;
    }
    for (const char c : name) {
        if (c <= 0x20 || c >= 0x7F || c == '"') {
            return false;
        }
    }
    return true;
}

std::string quoted(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

// Checks one directive with its arguments; empty when allowed, else the reason.
std::string checkDirective(const std::vector<std::string>& tokens, std::size_t first, std::size_t lineNumber)
{
    if (first >= tokens.size()) {
        return atLine(lineNumber) + "\"setenv opt\" without a directive";
    }
    const std::string& name = tokens[first];
    const std::size_t argumentCount = tokens.size() - first - 1;
    const auto argument = [&](std::size_t index) -> const std::string& { return tokens[first + index]; };

    const AllowedDirective* allowed = findAllowed(name);
    if (allowed == nullptr) {
        if (const RefusedDirective* refused = findRefused(name)) {
            return atLine(lineNumber) + quoted(name) + " " + std::string(refused->why);
        }
        if (name.rfind("management", 0) == 0) {
            return atLine(lineNumber) + (isNameable(name) ? quoted(name) + " is" : "management options are") +
                   " set by the service";
        }
        if (isNameable(name)) {
            return atLine(lineNumber) + quoted(name) + " is unknown or unsupported";
        }
        return atLine(lineNumber) + "unknown or unsupported directive";
    }

    switch (allowed->arguments) {
    case Arguments::Any:
        return std::string();
    case Arguments::None:
        if (argumentCount == 0) {
            return std::string();
        }
        return atLine(lineNumber) + quoted(name) + " may not name a file";
    case Arguments::ScriptSecurity:
        // OpenVPN reads the level with atoi; the method argument of old versions is gone.
        if (argumentCount == 1 && argument(1).size() <= 3 &&
            argument(1).find_first_not_of("0123456789") == std::string::npos && std::stoi(argument(1)) <= 3) {
            return std::string();
        }
        return atLine(lineNumber) + "\"script-security\" takes one level from 0 to 3";
    case Arguments::Proto:
        if (argumentCount == 1 && contains(clientProtocols, argument(1))) {
            return std::string();
        }
        return atLine(lineNumber) + "\"proto\" allows client protocols only";
    case Arguments::Remote:
        if (argumentCount >= 1 && argumentCount <= 3 && (argumentCount < 3 || contains(clientProtocols, argument(3)))) {
            return std::string();
        }
        return atLine(lineNumber) + "\"remote\" allows a host, a port and a client protocol only";
    case Arguments::HttpProxy:
        if (argumentCount >= 1 && argumentCount <= 4 &&
            (argumentCount < 3 || argument(3) == "auto" || argument(3) == "auto-nct")) {
            return std::string();
        }
        return atLine(lineNumber) + "\"http-proxy\" may not name a credentials file";
    case Arguments::SocksProxy:
        if (argumentCount >= 1 && argumentCount <= 2) {
            return std::string();
        }
        return atLine(lineNumber) + "\"socks-proxy\" may not name a credentials file";
    case Arguments::Providers:
        for (std::size_t i = 1; i <= argumentCount; ++i) {
            if (!contains(opensslProviders, argument(i))) {
                return atLine(lineNumber) + "\"providers\" allows the providers of OpenSSL only";
            }
        }
        return std::string();
    case Arguments::Setenv:
        // OpenVPN treats "setenv opt X …" as the directive X (ignored when unknown).
        if (argumentCount >= 1 && argument(1) == "opt") {
            return checkDirective(tokens, first + 2, lineNumber);
        }
        return std::string();
    }
    return atLine(lineNumber) + "unknown or unsupported directive";
}

bool isPlainText(std::string_view text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool blank = c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
        if ((byte < 0x20 && !blank) || byte >= 0x7F) {
            return false;
        }
    }
    return true;
}

ConfigVerdict refuse(std::string reason)
{
    ConfigVerdict verdict;
    verdict.reason = std::move(reason);
    return verdict;
}

} // namespace

namespace {

// Windows-only directives, which OpenVPN elsewhere does not know, and directives that
// OpenVPN 2.6 removed. Providers' files carry them for the clients of every system and
// version; where OpenVPN knows one, the line that lists it changes nothing.
constexpr std::string_view possiblyUnknownDirectives[] = {
    "block-outside-dns", "register-dns", "ip-win32", "dhcp-renew", "dhcp-release",
    "windows-driver",    "tap-sleep",    "keysize",  "key-method", "ncp-disable",
};

const std::string_view byteOrderMark = "\xEF\xBB\xBF";

ConfigVerdict scan(std::string_view content, std::vector<std::string>* directives)
{
    if (content.size() > maxConfigBytes) {
        return refuse("the configuration file is larger than " + std::to_string(maxConfigBytes) + " bytes");
    }
    if (content.find('\0') != std::string_view::npos) {
        return refuse("the configuration file contains a NUL byte");
    }

    // Lines as fgets gives them to OpenVPN: each up to and including its line feed.
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t feed = content.find('\n', start);
        const std::size_t end = feed == std::string_view::npos ? content.size() : feed + 1;
        lines.push_back(content.substr(start, end - start));
        start = end;
    }

    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        const std::size_t length = !line.empty() && line.back() == '\n' ? line.size() - 1 : line.size();
        if (length > maxConfigLineBytes) {
            return refuse(atLine(i + 1) + "longer than " + std::to_string(maxConfigLineBytes) + " characters");
        }
    }

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t lineNumber = i + 1;
        std::string_view line = lines[i];
        if (i == 0 && line.substr(0, byteOrderMark.size()) == byteOrderMark) {
            line.remove_prefix(byteOrderMark.size());
        }
        const LineTokens parsed = tokenize(line);
        if (!parsed.ok) {
            return refuse(atLine(lineNumber) + "unbalanced quotes or a bad backslash escape");
        }
        if (!isPlainText(line.substr(0, parsed.directiveEnd))) {
            return refuse(atLine(lineNumber) + "characters other than printable ASCII outside a comment");
        }
        if (parsed.tokens.empty()) {
            continue;
        }

        std::vector<std::string> tokens = parsed.tokens;
        std::string& name = tokens.front();
        if (name.size() >= 3 && name.compare(0, 2, "--") == 0) {
            name.erase(0, 2);
        }

        if (tokens.size() == 1 && name.size() >= 2 && name.front() == '<' && name.back() == '>') {
            const std::string block = name.substr(1, name.size() - 2);
            if (!contains(inlineBlocks, block)) {
                if (block == "connection") {
                    return refuse(atLine(lineNumber) + "<connection> blocks are not supported");
                }
                return refuse(atLine(lineNumber) + "inline block of an unknown or unsupported kind");
            }
            // OpenVPN ends the block at the first line that starts, after white space,
            // with the closing tag; whatever follows the tag on that line is dropped.
            const std::string closeTag = "</" + block + ">";
            std::size_t j = i + 1;
            for (; j < lines.size(); ++j) {
                std::string_view candidate = lines[j];
                while (!candidate.empty() && candidate.front() != '\0' && isSpace(candidate.front())) {
                    candidate.remove_prefix(1);
                }
                if (candidate.substr(0, closeTag.size()) == closeTag) {
                    break;
                }
            }
            if (j == lines.size()) {
                return refuse(atLine(lineNumber) + "inline block <" + block + "> is not closed");
            }
            i = j;
            continue;
        }

        const std::string reason = checkDirective(tokens, 0, lineNumber);
        if (!reason.empty()) {
            return refuse(reason);
        }
        if (directives != nullptr) {
            directives->push_back(name);
        }
    }

    ConfigVerdict verdict;
    verdict.allowed = true;
    return verdict;
}

} // namespace

ConfigVerdict checkConfig(std::string_view content)
{
    return scan(content, nullptr);
}

std::string launchCopyOf(std::string_view checked)
{
    std::vector<std::string> directives;
    scan(checked, &directives);
    std::string ignored;
    for (const std::string_view name : possiblyUnknownDirectives) {
        if (std::find(directives.begin(), directives.end(), name) != directives.end()) {
            ignored += " " + std::string(name);
        }
    }
    if (ignored.empty()) {
        return std::string(checked);
    }
    // OpenVPN drops a byte order mark on the first line only, which this line now is.
    if (checked.substr(0, byteOrderMark.size()) == byteOrderMark) {
        checked.remove_prefix(byteOrderMark.size());
    }
    return "ignore-unknown-option" + ignored + "\n" + std::string(checked);
}

bool isManagementPasswordFile(std::string_view content)
{
    if (content.size() >= 2 && content.substr(content.size() - 2) == "\r\n") {
        content.remove_suffix(2);
    } else if (!content.empty() && content.back() == '\n') {
        content.remove_suffix(1);
    }
    if (content.size() < minManagementPasswordBytes || content.size() > maxManagementPasswordBytes) {
        return false;
    }
    return std::all_of(content.begin(), content.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

} // namespace launcher
