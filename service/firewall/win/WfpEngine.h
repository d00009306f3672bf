#pragma once

#include "firewall/Engine.h"

#include <winsock2.h>
#include <windows.h>

#include <fwpmu.h>
#include <iphlpapi.h>
#include <netioapi.h>

namespace firewall::wfp {

// The Windows Filtering Platform. Fwpuclnt.dll and Iphlpapi.dll are loaded by name at
// construction; the engine is supported when all eleven entry points the kill switch
// needs were found. FwpmTransactionAbort0 is used when present: closing the session
// aborts an open transaction as well.
class WfpEngine : public Engine
{
public:
    WfpEngine();
    ~WfpEngine() override;

    WfpEngine(const WfpEngine&) = delete;
    WfpEngine& operator=(const WfpEngine&) = delete;

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

private:
    HMODULE fwpuclnt = nullptr;
    HMODULE iphlpapi = nullptr;
    bool supported = false;

    decltype(&FwpmEngineOpen0) engineOpen = nullptr;
    decltype(&FwpmTransactionBegin0) transactionBegin = nullptr;
    decltype(&FwpmSubLayerAdd0) subLayerAdd = nullptr;
    decltype(&FwpmFilterAdd0) filterAdd = nullptr;
    decltype(&FwpmTransactionCommit0) transactionCommit = nullptr;
    decltype(&FwpmFilterDeleteById0) filterDeleteById = nullptr;
    decltype(&FwpmSubLayerDeleteByKey0) subLayerDeleteByKey = nullptr;
    decltype(&FwpmEngineClose0) engineClose = nullptr;
    decltype(&FwpmTransactionAbort0) transactionAbort = nullptr;
    decltype(&ConvertInterfaceIndexToLuid) convertInterfaceIndexToLuid = nullptr;
    decltype(&GetAdaptersInfo) getAdaptersInfo = nullptr;
    decltype(&GetPerAdapterInfo) getPerAdapterInfo = nullptr;
};

} // namespace firewall::wfp
