#include "dns/PushedDns.h"

#include <arpa/inet.h>

#include <algorithm>

namespace dns {

namespace {

std::vector<std::string> splitBlanks(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

void addOnce(std::vector<std::string>& list, const std::string& value)
{
    if (std::find(list.begin(), list.end(), value) == list.end()) {
        list.push_back(value);
    }
}

} // namespace

std::string canonicalAddress(const std::string& text)
{
    // inet_pton reads nothing but the plain forms; writing the result back through
    // inet_ntop leaves no leading zeros or mixed case.
    if (text.empty() || text.size() > 45) {
        return std::string();
    }
    unsigned char bytes[16];
    char written[INET6_ADDRSTRLEN];
    if (text.find(':') == std::string::npos) {
        if (inet_pton(AF_INET, text.c_str(), bytes) == 1 && inet_ntop(AF_INET, bytes, written, sizeof written)) {
            return written;
        }
        return std::string();
    }
    if (inet_pton(AF_INET6, text.c_str(), bytes) == 1 && inet_ntop(AF_INET6, bytes, written, sizeof written)) {
        return written;
    }
    return std::string();
}

std::string canonicalDomain(const std::string& text)
{
    std::string name = text;
    if (!name.empty() && name.back() == '.') {
        name.pop_back();
    }
    if (name.empty() || name.size() > 253) {
        return std::string();
    }
    std::size_t labelLength = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (c == '.') {
            if (labelLength == 0 || name[i - 1] == '-') {
                return std::string();
            }
            labelLength = 0;
            continue;
        }
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '-') {
            return std::string();
        }
        if ((c == '-' && labelLength == 0) || ++labelLength > 63) {
            return std::string();
        }
        if (c >= 'A' && c <= 'Z') {
            name[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (name.back() == '-') {
        return std::string();
    }
    return name;
}

bool isDeviceName(const std::string& text)
{
    if (text.empty() || text.size() > 15 || text == "." || text == ".." || text.front() == '-') {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
               c == '-';
    });
}

PushedDns PushedDns::fromEnvironment(const std::map<std::string, std::string>& environment)
{
    PushedDns pushed;
    // OpenVPN numbers the options from 1 without gaps.
    for (int n = 1;; ++n) {
        const std::string name = "foreign_option_" + std::to_string(n);
        const auto found = environment.find(name);
        if (found == environment.end()) {
            break;
        }
        const std::vector<std::string> words = splitBlanks(found->second);
        if (words.empty() || words[0] != "dhcp-option") {
            continue;
        }
        if (words.size() != 3) {
            pushed.notes.push_back(name + ": a dhcp-option without exactly one value, ignored");
            continue;
        }
        const std::string& kind = words[1];
        if (kind == "DNS" || kind == "DNS6") {
            const std::string address = canonicalAddress(words[2]);
            if (address.empty() || (kind == "DNS6" && address.find(':') == std::string::npos)) {
                pushed.notes.push_back(name + ": not an IP address, ignored");
            } else if (pushed.servers.size() < maxServers) {
                addOnce(pushed.servers, address);
            }
        } else if (kind == "DOMAIN" || kind == "DOMAIN-SEARCH") {
            const std::string domain = canonicalDomain(words[2]);
            if (domain.empty()) {
                pushed.notes.push_back(name + ": not a domain name, ignored");
            } else if (pushed.domains.size() < maxDomains) {
                addOnce(pushed.domains, domain);
            }
        }
    }
    return pushed;
}

std::string PushedDns::resolvConfText() const
{
    std::string text = "# The VPN tunnel's DNS servers, written by quarnel-dns-hook; the previous file comes back\n"
                       "# when the tunnel ends.\n";
    for (std::size_t i = 0; i < servers.size() && i < resolvConfServers; ++i) {
        text += "nameserver " + servers[i] + "\n";
    }
    if (!domains.empty()) {
        text += "search";
        for (const std::string& domain : domains) {
            text += " " + domain;
        }
        text += "\n";
    }
    return text;
}

std::vector<std::vector<std::string>> PushedDns::resolvectlCalls(const std::string& device) const
{
    // Routing first, servers last: servers without their routing would already draw
    // queries the link is not meant for yet. "~." routes every name to this link; the
    // pushed domains are searched too.
    std::vector<std::string> domainCall{"domain", device, "~."};
    domainCall.insert(domainCall.end(), domains.begin(), domains.end());
    std::vector<std::string> dnsCall{"dns", device};
    dnsCall.insert(dnsCall.end(), servers.begin(), servers.end());
    return {domainCall, {"default-route", device, "yes"}, dnsCall};
}

} // namespace dns
