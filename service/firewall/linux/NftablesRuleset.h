#pragma once

#include "firewall/Filter.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace firewall {

// The LUID the nftables engine reports for the tunnel adapter. It stands for every
// interface named tun* or tap*, present or not yet created; the LUIDs of the other
// interfaces are unknown but all lower. So "greater than the adapter" matches no
// interface and "less than the adapter" matches every interface but the tunnel.
inline constexpr std::uint64_t tunnelInterfaceLuid = ~std::uint64_t{0};

// WFP filters translated to one nftables table. Each layer becomes a regular chain that
// the base chains `output` and `input` jump to for the packets whose connections traverse
// that layer; inside a chain the rules stand in WFP precedence order, a permit returns (the
// next layer still decides) and a block drops. Conditions are read from this host's side:
// on an outgoing packet the local address is the source, on an incoming one the
// destination. Where a condition cannot be expressed exactly the translation errs towards
// blocking: it may be stricter than WFP, never looser.
//
// Filters that differ only in one exact address share one rule over a named set; filters
// that translate to the same rule share it. Both are reference counted, so that removing a
// filter can be applied to an installed table as a small change.
class NftablesRuleset
{
public:
    NftablesRuleset() = default;
    explicit NftablesRuleset(const std::map<FilterId, Filter>& filters);

    // `table inet NAME { ... }`.
    std::string tableText(const std::string& table) const;
    // One batch that creates the table if needed, deletes it and writes it anew: applied
    // atomically, so no packet ever meets a half-written table.
    std::string replaceCommands(const std::string& table) const;
    // Forgets the filter and returns the commands that bring an installed table in line:
    // empty when the table does not change (a rule still used by another filter), else a
    // chain rewrite and set changes, meant to be applied as one batch.
    std::string removeFilter(FilterId id, const std::string& table);

    std::size_t ruleCount() const;

private:
    struct Rule
    {
        std::string text; // the set reference is written as setPlaceholder
        std::string set;  // name of its set, or empty
        std::size_t references = 0;
    };

    struct Chain
    {
        std::string name;
        std::vector<Rule> rules; // precedence order; a rule with no reference left is gone
    };

    struct Set
    {
        std::map<std::string, std::size_t> elements; // element -> references
    };

    // Where one filter contributed: a rule, and for a folded filter its set element.
    struct Piece
    {
        std::size_t chain = 0;
        std::size_t rule = 0;
        std::string element;
    };

    std::string ruleText(const Rule& rule) const;
    void appendChain(std::string& out, const Chain& chain, const std::string& indent) const;

    std::vector<Chain> chains; // one per entry of the layer placement table
    std::map<std::string, Set> sets;
    std::map<FilterId, std::vector<Piece>> pieces;
};

// The nft text of a filter set, the ids being the positions in the vector.
std::string renderNftables(const std::vector<Filter>& filters, const std::string& table);

} // namespace firewall
