#include "dns/DnsRecord.h"

#include "dns/PushedDns.h"

#include <sstream>
#include <vector>

namespace dns {

namespace {

const char* const header = "quarnel-dns 1";

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> splitWords(const std::string& line)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = line.find(' ', start);
        words.push_back(line.substr(start, blank - start));
        if (blank == std::string::npos) {
            return words;
        }
        start = blank + 1;
    }
}

// Decimal (or, with base 8, octal) digits only, no sign, no blank, at most 19 digits.
bool readNumber(const std::string& text, int base, unsigned long long& value)
{
    if (text.empty() || text.size() > 19) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c >= static_cast<char>('0' + base)) {
            return false;
        }
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(c - '0');
    }
    return true;
}

} // namespace

std::string DnsRecord::format() const
{
    std::ostringstream text;
    text << header << "\n"
         << "owner " << owner.pid << " " << owner.startTime << "\n";
    if (method == Method::Resolved) {
        text << "method resolved\n"
             << "device " << device << "\n";
        return text.str();
    }
    text << "method resolv.conf\n";
    switch (original) {
    case Original::File:
        text << "original file " << std::oct << mode << std::dec << " " << uid << " " << gid << "\n";
        break;
    case Original::Link:
        text << "original link\n";
        break;
    case Original::Absent:
        text << "original absent\n";
        break;
    }
    return text.str();
}

bool DnsRecord::parse(const std::string& text, DnsRecord& record)
{
    const std::vector<std::string> lines = splitLines(text);
    if (lines.size() != 4 || lines[0] != header) {
        return false;
    }
    DnsRecord parsed;
    const std::vector<std::string> owner = splitWords(lines[1]);
    unsigned long long pid = 0;
    if (owner.size() != 3 || owner[0] != "owner" || !readNumber(owner[1], 10, pid) || pid == 0 || pid > 0x7FFFFFFF ||
        !readNumber(owner[2], 10, parsed.owner.startTime)) {
        return false;
    }
    parsed.owner.pid = static_cast<long>(pid);

    const std::vector<std::string> detail = splitWords(lines[3]);
    if (lines[2] == "method resolved") {
        parsed.method = Method::Resolved;
        if (detail.size() != 2 || detail[0] != "device" || !isDeviceName(detail[1])) {
            return false;
        }
        parsed.device = detail[1];
    } else if (lines[2] == "method resolv.conf") {
        parsed.method = Method::ResolvConf;
        if (detail.size() < 2 || detail[0] != "original") {
            return false;
        }
        if (detail[1] == "link" && detail.size() == 2) {
            parsed.original = Original::Link;
        } else if (detail[1] == "absent" && detail.size() == 2) {
            parsed.original = Original::Absent;
        } else if (detail[1] == "file" && detail.size() == 5) {
            unsigned long long mode = 0;
            unsigned long long uid = 0;
            unsigned long long gid = 0;
            if (!readNumber(detail[2], 8, mode) || mode > 07777 || !readNumber(detail[3], 10, uid) ||
                uid > 0xFFFFFFFF || !readNumber(detail[4], 10, gid) || gid > 0xFFFFFFFF) {
                return false;
            }
            parsed.original = Original::File;
            parsed.mode = static_cast<unsigned>(mode);
            parsed.uid = static_cast<unsigned long>(uid);
            parsed.gid = static_cast<unsigned long>(gid);
        } else {
            return false;
        }
    } else {
        return false;
    }
    record = parsed;
    return true;
}

} // namespace dns
