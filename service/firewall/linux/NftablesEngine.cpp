#include "firewall/linux/NftablesEngine.h"

#include <nftables/libnftables.h>
#include <sys/random.h>

#include <algorithm>
#include <cstdio>

namespace firewall {

namespace {

constexpr int maxWeight = 15;

bool holds(const std::vector<Guid>& guids, const Guid& key)
{
    return std::find(guids.begin(), guids.end(), key) != guids.end();
}

} // namespace

NftablesEngine::NftablesEngine(std::string tableName) : table(std::move(tableName)), resolverFiles(systemResolverFiles)
{
    context = nft_ctx_new(NFT_CTX_DEFAULT);
    if (context != nullptr) {
        nft_ctx_buffer_output(context);
        nft_ctx_buffer_error(context);
    }
}

NftablesEngine::~NftablesEngine()
{
    // The table outlives the engine, as WFP filters outlive their session: only
    // closeSession removes it.
    if (context != nullptr) {
        nft_ctx_free(context);
    }
}

bool NftablesEngine::isSupported() const
{
    return context != nullptr;
}

bool NftablesEngine::openSession(SessionHandle& session)
{
    // One table holds one session.
    if (context == nullptr || openSessionHandle != 0) {
        return false;
    }
    // Replacing the table also clears what a previous run may have left.
    if (!install(Model{})) {
        return false;
    }
    openSessionHandle = ++lastSession;
    session = openSessionHandle;
    return true;
}

void NftablesEngine::closeSession(SessionHandle session)
{
    if (!validSession(session)) {
        return;
    }
    staged.reset();
    run("add table inet " + table + "\ndelete table inet " + table + "\n");
    committed = Model{};
    installed = NftablesRuleset{};
    openSessionHandle = 0;
}

bool NftablesEngine::beginTransaction(SessionHandle session)
{
    if (!validSession(session) || staged) {
        return false;
    }
    staged = committed;
    return true;
}

bool NftablesEngine::commitTransaction(SessionHandle session)
{
    if (!validSession(session) || !staged) {
        return false;
    }
    Model model = std::move(*staged);
    staged.reset();
    // A failed commit leaves the table as it was, as a failed WFP commit aborts.
    return install(model);
}

void NftablesEngine::abortTransaction(SessionHandle session)
{
    if (validSession(session)) {
        staged.reset();
    }
}

bool NftablesEngine::createGuid(Guid& guid)
{
    std::uint8_t bytes[16];
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        return false;
    }
    guid.data1 = static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
                 static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
    guid.data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
    // Version 4 (random) and the RFC 4122 variant, as CoCreateGuid makes them.
    guid.data3 = static_cast<std::uint16_t>(((bytes[6] & 0x0F) | 0x40) << 8 | bytes[7]);
    std::copy(bytes + 8, bytes + 16, guid.data4);
    guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3F) | 0x80);
    return true;
}

bool NftablesEngine::addSublayer(SessionHandle session, const Guid& key)
{
    // A sublayer has no form in nftables: the table holds only the service's one.
    if (!validSession(session) || holds(current().sublayers, key)) {
        return false;
    }
    current().sublayers.push_back(key);
    return true;
}

bool NftablesEngine::deleteSublayer(SessionHandle session, const Guid& key)
{
    if (!validSession(session)) {
        return false;
    }
    Model& model = current();
    const auto found = std::find(model.sublayers.begin(), model.sublayers.end(), key);
    if (found == model.sublayers.end()) {
        return false;
    }
    for (const auto& [id, sublayer] : model.filterSublayer) {
        if (sublayer == key) {
            return false; // in use, as WFP refuses it
        }
    }
    model.sublayers.erase(found);
    return true;
}

bool NftablesEngine::addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id)
{
    if (!validSession(session) || !holds(current().sublayers, sublayer)) {
        return false;
    }
    if (filter.weight && *filter.weight > maxWeight) {
        return false; // WFP refuses an 8-bit weight beyond 15
    }
    const FilterId added = nextId++;
    if (staged) {
        staged->filters.emplace(added, filter);
        staged->filterSublayer.emplace(added, sublayer);
    } else {
        Model model = committed;
        model.filters.emplace(added, filter);
        model.filterSublayer.emplace(added, sublayer);
        if (!install(model)) {
            return false;
        }
    }
    id = added;
    return true;
}

bool NftablesEngine::deleteFilter(SessionHandle session, FilterId id)
{
    if (!validSession(session) || current().filters.count(id) == 0) {
        return false;
    }
    if (staged) {
        staged->filters.erase(id);
        staged->filterSublayer.erase(id);
        return true;
    }
    const Filter removed = committed.filters.at(id);
    const Guid sublayer = committed.filterSublayer.at(id);
    committed.filters.erase(id);
    committed.filterSublayer.erase(id);
    const std::string commands = installed.removeFilter(id, table);
    if (commands.empty() || run(commands)) {
        return true;
    }
    // The table was not what we wrote (changed from outside?): write it whole.
    if (install(committed)) {
        return true;
    }
    committed.filters.emplace(id, removed);
    committed.filterSublayer.emplace(id, sublayer);
    installed = NftablesRuleset(committed.filters);
    return false;
}

std::optional<std::uint64_t> NftablesEngine::findTunnelAdapter()
{
    return tunnelInterfaceLuid;
}

std::vector<std::uint32_t> NftablesEngine::systemNameServers()
{
    return readNameServers(resolverFiles);
}

std::vector<Filter> NftablesEngine::installedFilters() const
{
    std::vector<Filter> filters;
    filters.reserve(committed.filters.size());
    for (const auto& [id, filter] : committed.filters) {
        filters.push_back(filter);
    }
    return filters;
}

bool NftablesEngine::validSession(SessionHandle session) const
{
    return session != 0 && session == openSessionHandle;
}

NftablesEngine::Model& NftablesEngine::current()
{
    return staged ? *staged : committed;
}

bool NftablesEngine::run(const std::string& commands)
{
    if (context == nullptr) {
        return false;
    }
    // libnftables sends every command of one buffer in a single netlink batch, which the
    // kernel applies whole or not at all.
    if (nft_run_cmd_from_buffer(context, commands.c_str()) == 0) {
        return true;
    }
    const char* message = nft_ctx_get_error_buffer(context);
    error = message != nullptr ? message : "";
    while (!error.empty() && error.back() == '\n') {
        error.pop_back();
    }
    std::printf("Firewall: nftables refused the change: %s\n", error.substr(0, error.find('\n')).c_str());
    std::fflush(stdout);
    return false;
}

bool NftablesEngine::install(const Model& model)
{
    NftablesRuleset ruleset(model.filters);
    if (!run(ruleset.replaceCommands(table))) {
        return false;
    }
    committed = model;
    installed = std::move(ruleset);
    return true;
}

} // namespace firewall
