#include "RecordingEngine.h"

#include <algorithm>

namespace firewall {

namespace {

Call makeCall(Primitive primitive, SessionHandle session = 0)
{
    Call call;
    call.primitive = primitive;
    call.session = session;
    return call;
}

} // namespace

const char* primitiveName(Primitive primitive)
{
    switch (primitive) {
    case Primitive::OpenSession:
        return "openSession";
    case Primitive::CloseSession:
        return "closeSession";
    case Primitive::BeginTransaction:
        return "beginTransaction";
    case Primitive::CommitTransaction:
        return "commitTransaction";
    case Primitive::AbortTransaction:
        return "abortTransaction";
    case Primitive::CreateGuid:
        return "createGuid";
    case Primitive::AddSublayer:
        return "addSublayer";
    case Primitive::DeleteSublayer:
        return "deleteSublayer";
    case Primitive::AddFilter:
        return "addFilter";
    case Primitive::DeleteFilter:
        return "deleteFilter";
    case Primitive::FindTunnelAdapter:
        return "findTunnelAdapter";
    case Primitive::SystemNameServers:
        return "systemNameServers";
    }
    return "?";
}

RecordingEngine::RecordingEngine(bool supported) : supported(supported) {}

bool RecordingEngine::isSupported() const
{
    return supported;
}

bool RecordingEngine::openSession(SessionHandle& session)
{
    Call call = makeCall(Primitive::OpenSession);
    if (!shouldFail(Primitive::OpenSession)) {
        session = nextSession++;
        openSessions.insert(session);
        call.session = session;
        return record(call);
    }
    call.succeeded = false;
    return record(call);
}

void RecordingEngine::closeSession(SessionHandle session)
{
    Call call = makeCall(Primitive::CloseSession, session);
    call.succeeded = !shouldFail(Primitive::CloseSession) && validSession(session);
    if (call.succeeded) {
        if (transactionSession == session) {
            transactionSession = 0; // closing a session aborts its transaction
        }
        openSessions.erase(session);
    }
    record(call);
}

bool RecordingEngine::beginTransaction(SessionHandle session)
{
    Call call = makeCall(Primitive::BeginTransaction, session);
    call.succeeded = !shouldFail(Primitive::BeginTransaction) && validSession(session) && transactionSession == 0;
    if (call.succeeded) {
        transactionSession = session;
        staged = committed;
    }
    return record(call);
}

bool RecordingEngine::commitTransaction(SessionHandle session)
{
    Call call = makeCall(Primitive::CommitTransaction, session);
    call.succeeded =
        !shouldFail(Primitive::CommitTransaction) && validSession(session) && transactionSession == session;
    if (transactionSession == session) {
        // A failed commit aborts, as in WFP.
        if (call.succeeded) {
            committed = staged;
        }
        transactionSession = 0;
        if (call.succeeded) {
            changed();
        }
    }
    return record(call);
}

void RecordingEngine::abortTransaction(SessionHandle session)
{
    Call call = makeCall(Primitive::AbortTransaction, session);
    call.succeeded = !shouldFail(Primitive::AbortTransaction) && validSession(session) && transactionSession == session;
    if (call.succeeded) {
        transactionSession = 0;
    }
    record(call);
}

bool RecordingEngine::createGuid(Guid& guid)
{
    Call call = makeCall(Primitive::CreateGuid);
    call.succeeded = !shouldFail(Primitive::CreateGuid);
    if (call.succeeded) {
        guid = Guid{};
        guid.data1 = 0xC0DE0000u + nextGuid++;
        guid.data4[7] = 0x5A;
        call.guid = guid;
    }
    return record(call);
}

bool RecordingEngine::addSublayer(SessionHandle session, const Guid& key)
{
    Call call = makeCall(Primitive::AddSublayer, session);
    call.guid = key;
    State& state = current();
    call.succeeded = !shouldFail(Primitive::AddSublayer) && validSession(session) &&
                     std::find(state.sublayers.begin(), state.sublayers.end(), key) == state.sublayers.end();
    if (call.succeeded) {
        state.sublayers.push_back(key);
        changed();
    }
    return record(call);
}

bool RecordingEngine::deleteSublayer(SessionHandle session, const Guid& key)
{
    Call call = makeCall(Primitive::DeleteSublayer, session);
    call.guid = key;
    State& state = current();
    const auto found = std::find(state.sublayers.begin(), state.sublayers.end(), key);
    const bool inUse = std::any_of(state.filterSublayer.begin(), state.filterSublayer.end(),
                                   [&](const auto& entry) { return entry.second == key; });
    call.succeeded =
        !shouldFail(Primitive::DeleteSublayer) && validSession(session) && found != state.sublayers.end() && !inUse;
    if (call.succeeded) {
        state.sublayers.erase(found);
        changed();
    }
    return record(call);
}

bool RecordingEngine::addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id)
{
    Call call = makeCall(Primitive::AddFilter, session);
    call.guid = sublayer;
    call.filter = filter;
    State& state = current();
    call.succeeded = !shouldFail(Primitive::AddFilter) && validSession(session) &&
                     std::find(state.sublayers.begin(), state.sublayers.end(), sublayer) != state.sublayers.end();
    if (call.succeeded) {
        id = nextId++;
        call.id = id;
        state.filters[id] = filter;
        state.filterSublayer[id] = sublayer;
        changed();
    }
    return record(call);
}

bool RecordingEngine::deleteFilter(SessionHandle session, FilterId id)
{
    Call call = makeCall(Primitive::DeleteFilter, session);
    call.id = id;
    State& state = current();
    call.succeeded = !shouldFail(Primitive::DeleteFilter) && validSession(session) && state.filters.count(id) != 0;
    if (call.succeeded) {
        state.filters.erase(id);
        state.filterSublayer.erase(id);
        changed();
    }
    return record(call);
}

std::optional<std::uint64_t> RecordingEngine::findTunnelAdapter()
{
    Call call = makeCall(Primitive::FindTunnelAdapter);
    call.succeeded = !shouldFail(Primitive::FindTunnelAdapter) && tunnelLuid.has_value();
    record(call);
    return call.succeeded ? tunnelLuid : std::nullopt;
}

std::vector<std::uint32_t> RecordingEngine::systemNameServers()
{
    Call call = makeCall(Primitive::SystemNameServers);
    record(call);
    return nameServers;
}

void RecordingEngine::setFailing(Primitive primitive, bool fail)
{
    if (fail) {
        failing.insert(primitive);
    } else {
        failing.erase(primitive);
    }
}

void RecordingEngine::failNth(Primitive primitive, int nth)
{
    failCountdown[primitive] = nth;
}

void RecordingEngine::setTunnelAdapter(std::optional<std::uint64_t> luid)
{
    tunnelLuid = luid;
}

std::vector<Primitive> RecordingEngine::primitives() const
{
    std::vector<Primitive> list;
    for (const Call& call : callLog) {
        list.push_back(call.primitive);
    }
    return list;
}

std::vector<Filter> RecordingEngine::installedFilters() const
{
    std::vector<Filter> filters;
    for (const auto& entry : committed.filters) {
        filters.push_back(entry.second);
    }
    return filters;
}

std::vector<FilterId> RecordingEngine::installedIds() const
{
    std::vector<FilterId> ids;
    for (const auto& entry : committed.filters) {
        ids.push_back(entry.first);
    }
    return ids;
}

bool RecordingEngine::record(Call call)
{
    callLog.push_back(call);
    return call.succeeded;
}

bool RecordingEngine::shouldFail(Primitive primitive)
{
    const auto countdown = failCountdown.find(primitive);
    if (countdown != failCountdown.end() && --countdown->second == 0) {
        failCountdown.erase(countdown);
        return true;
    }
    return failing.count(primitive) != 0;
}

bool RecordingEngine::validSession(SessionHandle session) const
{
    return openSessions.count(session) != 0;
}

RecordingEngine::State& RecordingEngine::current()
{
    return transactionSession != 0 ? staged : committed;
}

void RecordingEngine::changed()
{
    if (transactionSession == 0) {
        observed.push_back(installedFilters());
    }
}

} // namespace firewall
