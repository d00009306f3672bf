#pragma once

#include "firewall/Engine.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace firewall {

enum class Primitive
{
    OpenSession,
    CloseSession,
    BeginTransaction,
    CommitTransaction,
    AbortTransaction,
    CreateGuid,
    AddSublayer,
    DeleteSublayer,
    AddFilter,
    DeleteFilter,
    FindTunnelAdapter,
    SystemNameServers,
};

const char* primitiveName(Primitive primitive);

// One primitive call as the engine received it.
struct Call
{
    Primitive primitive = Primitive::OpenSession;
    SessionHandle session = 0;
    Guid guid;       // sublayer of AddSublayer, DeleteSublayer, AddFilter; the GUID made by CreateGuid
    Filter filter;   // AddFilter
    FilterId id = 0; // AddFilter (the id handed out), DeleteFilter
    bool succeeded = true;
};

// An engine for tests: records every call in order and keeps the objects it holds the way
// the filtering engine does. Changes inside a transaction become visible at the commit
// and vanish on abort or when the session closes; changes outside one are visible at once.
// Filters and sublayers outlive the session that added them, as with a non-dynamic WFP
// session. A filter needs its sublayer, and a sublayer with filters cannot be deleted.
class RecordingEngine : public Engine
{
public:
    static constexpr std::uint64_t defaultTunnelLuid = 0x0006000001000000ull;
    static constexpr std::uint32_t defaultNameServer = 0xC0000235u; // 192.0.2.53

    explicit RecordingEngine(bool supported = true);

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
    std::optional<std::uint64_t> findTunnelAdapter() override;
    std::vector<std::uint32_t> systemNameServers() override;

    // Every later call of the primitive fails (until told otherwise).
    void setFailing(Primitive primitive, bool failing = true);
    // Only the nth call of the primitive from now on fails (1: the next one).
    void failNth(Primitive primitive, int nth);
    // Empty: no adapter qualifies.
    void setTunnelAdapter(std::optional<std::uint64_t> luid);
    void setNameServers(std::vector<std::uint32_t> servers) { nameServers = std::move(servers); }

    const std::vector<Call>& calls() const { return callLog; }
    std::vector<Primitive> primitives() const;
    void clearCalls() { callLog.clear(); }

    // What the outside world sees: the committed filters in the order they were added.
    std::vector<Filter> installedFilters() const;
    std::vector<FilterId> installedIds() const;
    std::vector<Guid> sublayers() const { return committed.sublayers; }
    bool anySessionOpen() const { return !openSessions.empty(); }
    bool inTransaction() const { return transactionSession != 0; }
    // Every state the outside world could see, one per commit or change outside a
    // transaction, in order.
    const std::vector<std::vector<Filter>>& observedStates() const { return observed; }

private:
    struct State
    {
        std::map<FilterId, Filter> filters;
        std::map<FilterId, Guid> filterSublayer;
        std::vector<Guid> sublayers;
    };

    bool record(Call call);
    bool shouldFail(Primitive primitive);
    bool validSession(SessionHandle session) const;
    State& current();
    void changed();

    bool supported;
    std::optional<std::uint64_t> tunnelLuid = defaultTunnelLuid;
    std::vector<std::uint32_t> nameServers{defaultNameServer};
    std::vector<Call> callLog;
    std::set<Primitive> failing;
    std::map<Primitive, int> failCountdown;
    std::set<SessionHandle> openSessions;
    SessionHandle nextSession = 0x5000;
    SessionHandle transactionSession = 0;
    std::uint32_t nextGuid = 1;
    FilterId nextId = 70000;
    State committed;
    State staged;
    std::vector<std::vector<Filter>> observed;
};

} // namespace firewall
