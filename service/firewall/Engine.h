#pragma once

#include "firewall/Filter.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace firewall {

// The primitives of a filtering engine, shaped after the WFP management API so that the
// Windows engine is a one-to-one translation and the firewall's state machine is written
// once. Results are Booleans; nothing throws.
class Engine
{
public:
    virtual ~Engine() = default;

    // Every primitive is available (on Windows: all entry points were found).
    virtual bool isSupported() const = 0;

    virtual bool openSession(SessionHandle& session) = 0;
    virtual void closeSession(SessionHandle session) = 0;

    virtual bool beginTransaction(SessionHandle session) = 0;
    virtual bool commitTransaction(SessionHandle session) = 0;
    virtual void abortTransaction(SessionHandle session) = 0;

    virtual bool createGuid(Guid& guid) = 0;
    // Display name and description sublayerName, weight sublayerWeight.
    virtual bool addSublayer(SessionHandle session, const Guid& key) = 0;
    virtual bool deleteSublayer(SessionHandle session, const Guid& key) = 0;

    virtual bool addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id) = 0;
    virtual bool deleteFilter(SessionHandle session, FilterId id) = 0;

    // The LUID of the tunnel adapter, the value the interface conditions compare with;
    // empty when no adapter qualifies.
    virtual std::optional<std::uint64_t> findTunnelAdapter() = 0;

    // The IPv4 name servers the system is configured to ask, on every adapter but the
    // tunnel's: the only servers DNS may reach outside the tunnel. Empty when none is
    // configured or the configuration cannot be read.
    virtual std::vector<std::uint32_t> systemNameServers() = 0;
};

} // namespace firewall
