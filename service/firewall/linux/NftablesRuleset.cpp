#include "firewall/linux/NftablesRuleset.h"

#include "firewall/RulePlan.h"

#include <algorithm>
#include <set>

namespace firewall {

namespace {

constexpr const char* setPlaceholder = "@{set}";
constexpr std::uint64_t maxAddress = 0xFFFFFFFFu;
constexpr std::uint64_t maxPort = 0xFFFFu;

enum class Way
{
    Out, // an outgoing packet: this host is the source
    In,  // an incoming packet: this host is the destination
};

struct Placement
{
    Layer layer;
    Way way;
    const char* chain;
    bool ipv6;
    bool tcpOnly;
};

// Every packet of a connection passes the chains of the layers that connection traverses
// (see Evaluator.h): an outbound connection's packets leave through the connect layers and
// its replies come back through the inbound transport layer; an inbound connection's
// packets arrive through the accept and transport layers. The flow and stream layers see
// both kinds, so they have a chain on each side. That a reply also passes the chains of
// the other side is stricter than WFP, which the kill switch may be.
constexpr Placement placements[] = {
    {Layer::AleAuthConnectV4, Way::Out, "ale_auth_connect_v4", false, false},
    {Layer::AleConnectRedirectV4, Way::Out, "ale_connect_redirect_v4", false, false},
    {Layer::AleFlowEstablishedV4, Way::Out, "ale_flow_established_v4_out", false, false},
    {Layer::StreamV4, Way::Out, "stream_v4_out", false, true},
    {Layer::AleAuthConnectV6, Way::Out, "ale_auth_connect_v6", true, false},
    {Layer::AleConnectRedirectV6, Way::Out, "ale_connect_redirect_v6", true, false},
    {Layer::AleFlowEstablishedV6, Way::Out, "ale_flow_established_v6_out", true, false},
    {Layer::StreamV6, Way::Out, "stream_v6_out", true, true},
    {Layer::AleAuthRecvAcceptV4, Way::In, "ale_auth_recv_accept_v4", false, false},
    {Layer::InboundTransportV4, Way::In, "inbound_transport_v4", false, false},
    {Layer::AleFlowEstablishedV4, Way::In, "ale_flow_established_v4_in", false, false},
    {Layer::StreamV4, Way::In, "stream_v4_in", false, true},
    {Layer::AleAuthRecvAcceptV6, Way::In, "ale_auth_recv_accept_v6", true, false},
    {Layer::AleFlowEstablishedV6, Way::In, "ale_flow_established_v6_in", true, false},
    {Layer::StreamV6, Way::In, "stream_v6_in", true, true},
};

constexpr std::size_t placementCount = sizeof(placements) / sizeof(placements[0]);

// What one condition, or the alternatives on one field, require of a packet.
struct Term
{
    enum Kind
    {
        Never,
        Always,
        Expression,
        Element, // an exact address, which may join a set
    };

    Kind kind = Never;
    std::string text; // Expression: the whole match; Element: the field ("ip daddr")
    std::string element;
};

Term never()
{
    return {};
}

Term always()
{
    Term term;
    term.kind = Term::Always;
    return term;
}

Term expression(std::string text)
{
    Term term;
    term.kind = Term::Expression;
    term.text = std::move(text);
    return term;
}

// An inclusive range of values that the evaluator compares as unsigned numbers; empty
// when nothing matches.
struct Span
{
    bool empty = true;
    std::uint64_t low = 0;
    std::uint64_t high = 0;
};

Span spanOf(const Condition& condition, std::uint64_t max)
{
    Span span;
    std::uint64_t low = 0;
    std::uint64_t high = max;
    switch (condition.match) {
    case Match::Equal:
        low = high = condition.value;
        break;
    case Match::Greater:
        if (condition.value >= max) {
            return span;
        }
        low = condition.value + 1;
        break;
    case Match::Less:
        if (condition.value == 0) {
            return span;
        }
        high = std::min(condition.value - 1, max);
        break;
    case Match::Range:
        low = condition.value;
        high = std::min(condition.high, max);
        break;
    }
    if (low > high) {
        return span;
    }
    span.empty = false;
    span.low = low;
    span.high = high;
    return span;
}

Term addressTerm(const Condition& condition, const std::string& field)
{
    if (condition.match == Match::Equal) {
        // An address-and-mask value: the evaluator compares the low 32 bits under the mask.
        const std::uint32_t mask = condition.mask;
        const std::uint32_t value = static_cast<std::uint32_t>(condition.value) & mask;
        if (mask == 0) {
            return always();
        }
        if (mask == 0xFFFFFFFFu) {
            Term term;
            term.kind = Term::Element;
            term.text = field;
            term.element = addressText(value);
            return term;
        }
        const std::uint32_t inverted = ~mask;
        if ((inverted & (inverted + 1)) == 0) {
            int length = 0;
            for (std::uint32_t bits = mask; bits != 0; bits <<= 1) {
                ++length;
            }
            return expression(field + " " + addressText(value) + "/" + std::to_string(length));
        }
        return expression(field + " & " + addressText(mask) + " == " + addressText(value));
    }
    const Span span = spanOf(condition, maxAddress);
    if (span.empty) {
        return never();
    }
    if (span.low == 0 && span.high == maxAddress) {
        return always();
    }
    if (span.low == span.high) {
        return expression(field + " " + addressText(span.low));
    }
    return expression(field + " " + addressText(span.low) + "-" + addressText(span.high));
}

Term portTerm(const Condition& condition, const std::string& field)
{
    const Span span = spanOf(condition, maxPort);
    if (span.empty || (condition.match == Match::Equal && condition.value > maxPort)) {
        return never();
    }
    if (span.low == 0 && span.high == maxPort) {
        return always();
    }
    if (span.low == span.high) {
        return expression(field + " " + std::to_string(span.low));
    }
    return expression(field + " " + std::to_string(span.low) + "-" + std::to_string(span.high));
}

// The tunnel interface and the others, as far as a condition on the interface LUID
// tells them apart (see tunnelInterfaceLuid).
struct InterfaceClass
{
    bool tunnel = false;
    enum Others
    {
        None,
        Some, // some interfaces of unknown LUID: cannot be told by name
        All,
    } others = None;
};

InterfaceClass classify(const Condition& condition)
{
    InterfaceClass result;
    const Span span = spanOf(condition, tunnelInterfaceLuid);
    if (span.empty) {
        return result;
    }
    result.tunnel = span.high == tunnelInterfaceLuid;
    if (span.low == tunnelInterfaceLuid) {
        result.others = InterfaceClass::None;
    } else if (span.low == 0 && span.high >= tunnelInterfaceLuid - 1) {
        result.others = InterfaceClass::All;
    } else {
        result.others = InterfaceClass::Some;
    }
    return result;
}

Term interfaceTerm(const std::vector<const Condition*>& alternatives, Action action, Way way)
{
    InterfaceClass all;
    for (const Condition* condition : alternatives) {
        const InterfaceClass one = classify(*condition);
        all.tunnel = all.tunnel || one.tunnel;
        all.others = std::max(all.others, one.others);
    }
    // Interfaces we cannot name are taken as matched by a block and not by a permit.
    if (all.others == InterfaceClass::Some) {
        all.others = action == Action::Block ? InterfaceClass::All : InterfaceClass::None;
    }
    const std::string name = way == Way::Out ? "oifname" : "iifname";
    if (all.others == InterfaceClass::All) {
        return all.tunnel ? always() : expression(name + " != \"tun*\" " + name + " != \"tap*\"");
    }
    return all.tunnel ? expression(name + " { \"tun*\", \"tap*\" }") : never();
}

// The alternatives a filter allows on one field: one of them must hold. Empty: the filter
// matches nothing.
using Options = std::vector<Term>;

Options simplify(const std::vector<Term>& terms)
{
    Options options;
    for (const Term& term : terms) {
        if (term.kind == Term::Always) {
            return {always()};
        }
        if (term.kind != Term::Never) {
            options.push_back(term);
        }
    }
    return options;
}

// Every way to pick one option per field.
std::vector<std::vector<Term>> expand(const std::vector<Options>& fields)
{
    std::vector<std::vector<Term>> rows{{}};
    for (const Options& options : fields) {
        std::vector<std::vector<Term>> next;
        for (const std::vector<Term>& row : rows) {
            for (const Term& term : options) {
                std::vector<Term> longer = row;
                if (term.kind != Term::Always) {
                    longer.push_back(term);
                }
                next.push_back(std::move(longer));
            }
        }
        rows = std::move(next);
    }
    return rows;
}

// One rule a filter asks for, before rules are shared.
struct Draft
{
    std::size_t chain = 0;
    int band = 0;
    std::size_t conditions = 0;
    Action action = Action::Block;
    std::string shape;   // rule text, a folded address written as setPlaceholder
    std::string element; // the folded address, or empty
};

bool outranks(const Draft& a, const Draft& b)
{
    if (a.band != b.band) {
        return a.band > b.band;
    }
    if (a.conditions != b.conditions) {
        return a.conditions > b.conditions;
    }
    // Ties go to the block, as in the evaluator: the stricter reading.
    return a.action == Action::Block && b.action == Action::Permit;
}

void draftRules(const Filter& filter, std::size_t chain, std::vector<Draft>& drafts)
{
    const Placement& placement = placements[chain];
    const bool out = placement.way == Way::Out;
    const std::string local = out ? "ip saddr" : "ip daddr";
    const std::string remote = out ? "ip daddr" : "ip saddr";
    const std::string localPort = out ? "th sport" : "th dport";
    const std::string remotePort = out ? "th dport" : "th sport";

    std::vector<const Condition*> interfaces;
    std::vector<Term> localAddresses, remoteAddresses, localPorts, remotePorts;
    for (const Condition& condition : filter.conditions) {
        switch (condition.field) {
        case Field::LocalInterface:
            interfaces.push_back(&condition);
            break;
        case Field::LocalAddress:
            // IPv4 values never describe an IPv6 packet.
            localAddresses.push_back(placement.ipv6 ? never() : addressTerm(condition, local));
            break;
        case Field::RemoteAddress:
            remoteAddresses.push_back(placement.ipv6 ? never() : addressTerm(condition, remote));
            break;
        case Field::LocalPort:
            localPorts.push_back(portTerm(condition, localPort));
            break;
        case Field::RemotePort:
            remotePorts.push_back(portTerm(condition, remotePort));
            break;
        }
    }

    std::vector<Options> nonPortFields;
    if (!interfaces.empty()) {
        nonPortFields.push_back(simplify({interfaceTerm(interfaces, filter.action, placement.way)}));
    }
    if (!localAddresses.empty()) {
        nonPortFields.push_back(simplify(localAddresses));
    }
    if (!remoteAddresses.empty()) {
        nonPortFields.push_back(simplify(remoteAddresses));
    }
    std::vector<Options> portFields;
    if (!localPorts.empty()) {
        portFields.push_back(simplify(localPorts));
    }
    if (!remotePorts.empty()) {
        portFields.push_back(simplify(remotePorts));
    }
    for (const Options& options : nonPortFields) {
        if (options.empty()) {
            return;
        }
    }
    bool portsCanMatch = true;
    bool portsNeedTransport = false;
    for (const Options& options : portFields) {
        portsCanMatch = portsCanMatch && !options.empty();
        portsNeedTransport = portsNeedTransport || options.empty() || options.front().kind != Term::Always;
    }

    const std::string verdict = filter.action == Action::Permit ? "return" : "drop";
    auto addDraft = [&](const std::vector<Term>& terms) {
        Draft draft;
        draft.chain = chain;
        draft.band = filter.weight.value_or(0);
        draft.conditions = filter.conditions.size();
        draft.action = filter.action;
        bool folded = false;
        for (const Term& term : terms) {
            if (term.kind == Term::Element && !folded) {
                draft.shape += term.text + " " + setPlaceholder + " ";
                draft.element = term.element;
                folded = true;
            } else if (term.kind == Term::Element) {
                draft.shape += term.text + " " + term.element + " ";
            } else {
                draft.shape += term.text + " ";
            }
        }
        draft.shape += verdict;
        drafts.push_back(std::move(draft));
    };

    const std::vector<std::vector<Term>> nonPortRows = expand(nonPortFields);
    if (portsCanMatch) {
        const std::vector<std::vector<Term>> portRows = expand(portFields);
        for (const std::vector<Term>& place : nonPortRows) {
            for (const std::vector<Term>& ports : portRows) {
                std::vector<Term> terms = place;
                if (!ports.empty()) {
                    // Ports are read from the transport header, which only TCP and UDP
                    // have in the form the conditions mean.
                    terms.push_back(expression("meta l4proto { tcp, udp }"));
                }
                terms.insert(terms.end(), ports.begin(), ports.end());
                addDraft(terms);
            }
        }
    }
    // A block on ports also stops every other protocol: stricter than WFP, where ICMP
    // types stand in for ports, but never looser.
    if (filter.action == Action::Block && portsNeedTransport) {
        for (std::vector<Term> terms : nonPortRows) {
            terms.push_back(expression("meta l4proto != { tcp, udp }"));
            addDraft(terms);
        }
    }
}

} // namespace

NftablesRuleset::NftablesRuleset(const std::map<FilterId, Filter>& filters)
{
    struct Owned
    {
        FilterId id;
        Draft draft;
    };
    std::vector<Owned> owned;
    for (const auto& [id, filter] : filters) {
        for (std::size_t chain = 0; chain < placementCount; ++chain) {
            if (placements[chain].layer != filter.layer) {
                continue;
            }
            std::vector<Draft> drafts;
            draftRules(filter, chain, drafts);
            for (Draft& draft : drafts) {
                owned.push_back({id, std::move(draft)});
            }
        }
    }
    std::stable_sort(owned.begin(), owned.end(),
                     [](const Owned& a, const Owned& b) { return outranks(a.draft, b.draft); });

    chains.resize(placementCount);
    for (std::size_t chain = 0; chain < placementCount; ++chain) {
        chains[chain].name = placements[chain].chain;
    }
    // Drafts of equal precedence and action may be merged and reordered freely: whichever
    // matches, the verdict is the same.
    std::map<std::string, std::size_t> ruleIndex;
    std::size_t setNumber = 0;
    for (Owned& item : owned) {
        const Draft& draft = item.draft;
        const std::string key = std::to_string(draft.chain) + "/" + std::to_string(draft.band) + "/" +
                                std::to_string(draft.conditions) + "/" + draft.shape;
        Chain& chain = chains[draft.chain];
        auto found = ruleIndex.find(key);
        if (found == ruleIndex.end()) {
            Rule rule;
            rule.text = draft.shape;
            if (!draft.element.empty()) {
                rule.set = "addresses" + std::to_string(setNumber++);
                sets[rule.set];
            }
            chain.rules.push_back(std::move(rule));
            found = ruleIndex.emplace(key, chain.rules.size() - 1).first;
        }
        Rule& rule = chain.rules[found->second];
        ++rule.references;
        if (!draft.element.empty()) {
            ++sets[rule.set].elements[draft.element];
        }
        pieces[item.id].push_back({draft.chain, found->second, draft.element});
    }
}

std::string NftablesRuleset::ruleText(const Rule& rule) const
{
    if (rule.set.empty()) {
        return rule.text;
    }
    std::string text = rule.text;
    const std::size_t at = text.find(setPlaceholder);
    text.replace(at, std::string(setPlaceholder).size(), "@" + rule.set);
    return text;
}

void NftablesRuleset::appendChain(std::string& out, const Chain& chain, const std::string& indent) const
{
    for (const Rule& rule : chain.rules) {
        if (rule.references > 0) {
            out += indent + ruleText(rule) + "\n";
        }
    }
}

std::string NftablesRuleset::tableText(const std::string& table) const
{
    std::string out = "table inet " + table + " {\n";
    for (const auto& [name, set] : sets) {
        out += "\tset " + name + " {\n\t\ttype ipv4_addr\n";
        if (!set.elements.empty()) {
            out += "\t\telements = { ";
            bool first = true;
            for (const auto& [element, references] : set.elements) {
                out += (first ? "" : ", ") + element;
                first = false;
            }
            out += " }\n";
        }
        out += "\t}\n";
    }
    std::string outputJumps;
    std::string inputJumps;
    for (std::size_t index = 0; index < chains.size(); ++index) {
        const Chain& chain = chains[index];
        std::string rules;
        appendChain(rules, chain, "\t\t");
        if (rules.empty()) {
            continue;
        }
        out += "\tchain " + chain.name + " {\n" + rules + "\t}\n";
        const Placement& placement = placements[index];
        std::string jump = std::string("\t\tmeta nfproto ") + (placement.ipv6 ? "ipv6" : "ipv4");
        if (placement.tcpOnly) {
            jump += " meta l4proto tcp";
        }
        jump += " jump " + chain.name + "\n";
        (placement.way == Way::Out ? outputJumps : inputJumps) += jump;
    }
    out += "\tchain output {\n\t\ttype filter hook output priority filter; policy accept;\n" + outputJumps + "\t}\n";
    out += "\tchain input {\n\t\ttype filter hook input priority filter; policy accept;\n" + inputJumps + "\t}\n";
    out += "}\n";
    return out;
}

std::string NftablesRuleset::replaceCommands(const std::string& table) const
{
    return "add table inet " + table + "\ndelete table inet " + table + "\n" + tableText(table);
}

std::string NftablesRuleset::removeFilter(FilterId id, const std::string& table)
{
    const auto found = pieces.find(id);
    if (found == pieces.end()) {
        return {};
    }
    std::set<std::size_t> rewrittenChains;
    std::vector<std::string> deletedSets;
    std::map<std::string, std::vector<std::string>> deletedElements;
    for (const Piece& piece : found->second) {
        Rule& rule = chains[piece.chain].rules[piece.rule];
        if (!piece.element.empty()) {
            std::map<std::string, std::size_t>& elements = sets[rule.set].elements;
            const auto element = elements.find(piece.element);
            if (--element->second == 0) {
                elements.erase(element);
                deletedElements[rule.set].push_back(piece.element);
            }
        }
        if (--rule.references == 0) {
            rewrittenChains.insert(piece.chain);
            if (!rule.set.empty()) {
                deletedSets.push_back(rule.set);
            }
        }
    }
    pieces.erase(found);

    std::string commands;
    // A chain is a handful of rules (addresses live in sets): rewriting it is cheaper than
    // tracking rule handles, and the flush and the new rules land in the same batch.
    for (std::size_t index : rewrittenChains) {
        const Chain& chain = chains[index];
        commands += "flush chain inet " + table + " " + chain.name + "\n";
        for (const Rule& rule : chain.rules) {
            if (rule.references > 0) {
                commands += "add rule inet " + table + " " + chain.name + " " + ruleText(rule) + "\n";
            }
        }
    }
    for (const std::string& name : deletedSets) {
        commands += "delete set inet " + table + " " + name + "\n";
        sets.erase(name);
        deletedElements.erase(name);
    }
    for (const auto& [name, elements] : deletedElements) {
        commands += "delete element inet " + table + " " + name + " { ";
        for (std::size_t i = 0; i < elements.size(); ++i) {
            commands += (i == 0 ? "" : ", ") + elements[i];
        }
        commands += " }\n";
    }
    return commands;
}

std::size_t NftablesRuleset::ruleCount() const
{
    std::size_t count = 0;
    for (const Chain& chain : chains) {
        for (const Rule& rule : chain.rules) {
            count += rule.references > 0 ? 1 : 0;
        }
    }
    return count;
}

std::string renderNftables(const std::vector<Filter>& filters, const std::string& table)
{
    std::map<FilterId, Filter> byId;
    for (std::size_t index = 0; index < filters.size(); ++index) {
        byId.emplace(index, filters[index]);
    }
    return NftablesRuleset(byId).tableText(table);
}

} // namespace firewall
