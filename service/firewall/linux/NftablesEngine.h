#pragma once

#include "firewall/linux/NftablesRuleset.h"

#include "firewall/Engine.h"
#include "firewall/linux/NameServers.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

struct nft_ctx;

namespace firewall {

// The filtering engine on Linux: nftables through libnftables, in one table of the inet
// family. The session is the table: opening writes it empty, closing deletes it. The
// engine keeps the filters and sublayers as WFP would and writes their translation
// (NftablesRuleset): a commit rewrites the whole table in one atomic batch; a filter added
// outside a transaction does the same; a filter removed outside one is taken out of the
// installed table in one small atomic batch, because removing filters one by one (as
// `disable` does) would otherwise rewrite thousands of addresses thousands of times.
//
// The netlink socket belongs to the network namespace of the thread that constructs the
// engine. Not thread-safe: the service calls it from its worker thread only.
class NftablesEngine : public Engine
{
public:
    explicit NftablesEngine(std::string tableName = "quarnel");
    ~NftablesEngine() override;

    NftablesEngine(const NftablesEngine&) = delete;
    NftablesEngine& operator=(const NftablesEngine&) = delete;

    bool isSupported() const override;
    bool openSession(SessionHandle& session) override;
    void closeSession(SessionHandle session) override;
    bool beginTransaction(SessionHandle session) override;
    bool commitTransaction(SessionHandle session) override;
    void abortTransaction(SessionHandle session) override;
    bool createGuid(Guid& guid) override;
    bool addSublayer(SessionHandle session, const Guid& key) override;
    bool deleteSublayer(SessionHandle session, const Guid& key) override;
    bool addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id) override;
    bool deleteFilter(SessionHandle session, FilterId id) override;
    // Always tunnelInterfaceLuid: the rules name the tunnel interfaces, so they hold
    // before OpenVPN creates the device.
    std::optional<std::uint64_t> findTunnelAdapter() override;
    // The servers of the resolver files (systemResolverFiles unless set otherwise).
    std::vector<std::uint32_t> systemNameServers() override;
    void setResolverFiles(std::vector<std::string> files) { resolverFiles = std::move(files); }

    const std::string& tableName() const { return table; }
    // The filters the table holds (committed ones), in the order they were added.
    std::vector<Filter> installedFilters() const;
    // What libnftables said about the last batch it refused.
    const std::string& lastError() const { return error; }

private:
    struct Model
    {
        std::map<FilterId, Filter> filters;
        std::map<FilterId, Guid> filterSublayer;
        std::vector<Guid> sublayers;
    };

    bool validSession(SessionHandle session) const;
    Model& current();
    bool run(const std::string& commands);
    // Writes the whole table for `model`; on success it becomes the committed one.
    bool install(const Model& model);

    nft_ctx* context = nullptr;
    std::string table;
    std::string error;
    std::vector<std::string> resolverFiles;
    SessionHandle openSessionHandle = 0;
    SessionHandle lastSession = 0;
    FilterId nextId = 1;
    Model committed;
    std::optional<Model> staged; // set during a transaction
    NftablesRuleset installed;   // the translation of `committed`, as the kernel holds it
};

} // namespace firewall
