#include "firewall/linux/NameServers.h"

#include "firewall/RulePlan.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace firewall {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

void addOnce(std::vector<std::uint32_t>& list, std::uint32_t address)
{
    if (std::find(list.begin(), list.end(), address) == list.end()) {
        list.push_back(address);
    }
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos])) {
            ++pos;
        }
        if (pos > start) {
            out.push_back(line.substr(start, pos - start));
        }
    }
    return out;
}

} // namespace

std::vector<std::uint32_t> parseNameServers(std::string_view text)
{
    std::vector<std::uint32_t> servers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::vector<std::string_view> fields = words(text.substr(start, end - start));
        // The resolver reads "nameserver ADDRESS" and ignores what follows the address.
        if (fields.size() >= 2 && fields[0] == "nameserver" && isDottedQuad(fields[1])) {
            addOnce(servers, parseAddress(fields[1]));
        }
        start = end + 1;
    }
    return servers;
}

std::vector<std::uint32_t> readNameServers(const std::vector<std::string>& files)
{
    std::vector<std::uint32_t> servers;
    for (const std::string& path : files) {
        std::ifstream file(path);
        if (!file) {
            continue;
        }
        std::ostringstream text;
        text << file.rdbuf();
        for (std::uint32_t address : parseNameServers(text.str())) {
            addOnce(servers, address);
        }
    }
    return servers;
}

} // namespace firewall
