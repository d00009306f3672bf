#include "firewall/win/WfpEngine.h"

#include "firewall/win/TapAdapter.h"
#include "firewall/win/WfpFilter.h"
#include "firewall/win/WfpKeys.h"

#include <rpc.h>

#include <cstdint>
#include <vector>

namespace firewall::wfp {

namespace {

// The libraries are looked for in the system directory only: the service runs with
// administrator rights and must not pick up a planted copy.
HMODULE loadSystemLibrary(const wchar_t* name)
{
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <typename Function> void resolve(HMODULE module, const char* name, Function& function)
{
    if (module == nullptr) {
        return;
    }
    // Through void (*)() as the compiler asks for casts between function pointer types.
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

HANDLE handleOf(SessionHandle session)
{
    return reinterpret_cast<HANDLE>(session);
}

// Buffers of the IP Helper calls: sized in bytes, aligned for the records they hold.
class ByteBuffer
{
public:
    explicit ByteBuffer(ULONG bytes) { resize(bytes); }
    void resize(ULONG bytes) { storage.assign((bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t), 0); }
    template <typename T> T* as() { return reinterpret_cast<T*>(storage.data()); }

private:
    std::vector<std::uint64_t> storage;
};

// Calls `query` with a buffer of `size` bytes and, when it reports the buffer too small,
// once more with the size it asked for.
template <typename Record, typename Query> bool queryGrowingOnce(ByteBuffer& buffer, ULONG size, Query query)
{
    buffer.resize(size);
    DWORD result = query(buffer.as<Record>(), &size);
    if (result == ERROR_BUFFER_OVERFLOW) {
        buffer.resize(size);
        result = query(buffer.as<Record>(), &size);
    }
    return result == NO_ERROR;
}

} // namespace

WfpEngine::WfpEngine()
{
    fwpuclnt = loadSystemLibrary(L"Fwpuclnt.dll");
    iphlpapi = loadSystemLibrary(L"Iphlpapi.dll");
    resolve(fwpuclnt, "FwpmEngineOpen0", engineOpen);
    resolve(fwpuclnt, "FwpmTransactionBegin0", transactionBegin);
    resolve(fwpuclnt, "FwpmSubLayerAdd0", subLayerAdd);
    resolve(fwpuclnt, "FwpmFilterAdd0", filterAdd);
    resolve(fwpuclnt, "FwpmTransactionCommit0", transactionCommit);
    resolve(fwpuclnt, "FwpmFilterDeleteById0", filterDeleteById);
    resolve(fwpuclnt, "FwpmSubLayerDeleteByKey0", subLayerDeleteByKey);
    resolve(fwpuclnt, "FwpmEngineClose0", engineClose);
    resolve(fwpuclnt, "FwpmTransactionAbort0", transactionAbort);
    resolve(iphlpapi, "ConvertInterfaceIndexToLuid", convertInterfaceIndexToLuid);
    resolve(iphlpapi, "GetAdaptersInfo", getAdaptersInfo);
    resolve(iphlpapi, "GetPerAdapterInfo", getPerAdapterInfo);
    supported = engineOpen && transactionBegin && subLayerAdd && filterAdd && transactionCommit && filterDeleteById &&
                subLayerDeleteByKey && engineClose && convertInterfaceIndexToLuid && getAdaptersInfo &&
                getPerAdapterInfo;
}

WfpEngine::~WfpEngine()
{
    if (fwpuclnt != nullptr) {
        FreeLibrary(fwpuclnt);
    }
    if (iphlpapi != nullptr) {
        FreeLibrary(iphlpapi);
    }
}

bool WfpEngine::isSupported() const
{
    return supported;
}

bool WfpEngine::openSession(SessionHandle& session)
{
    if (!supported) {
        return false;
    }
    // No session parameters: the objects are not bound to the session and stay until
    // deleted.
    HANDLE handle = nullptr;
    if (engineOpen(nullptr, RPC_C_AUTHN_WINNT, nullptr, nullptr, &handle) != ERROR_SUCCESS || handle == nullptr) {
        return false;
    }
    session = reinterpret_cast<SessionHandle>(handle);
    return true;
}

void WfpEngine::closeSession(SessionHandle session)
{
    if (supported) {
        engineClose(handleOf(session));
    }
}

bool WfpEngine::beginTransaction(SessionHandle session)
{
    return supported && transactionBegin(handleOf(session), 0) == ERROR_SUCCESS;
}

bool WfpEngine::commitTransaction(SessionHandle session)
{
    return supported && transactionCommit(handleOf(session)) == ERROR_SUCCESS;
}

void WfpEngine::abortTransaction(SessionHandle session)
{
    if (transactionAbort != nullptr) {
        transactionAbort(handleOf(session));
    }
}

bool WfpEngine::createGuid(Guid& guid)
{
    UUID uuid = {};
    const RPC_STATUS status = UuidCreate(&uuid);
    if (status != RPC_S_OK && status != RPC_S_UUID_LOCAL_ONLY) {
        return false;
    }
    guid = fromGuid(uuid);
    return true;
}

bool WfpEngine::addSublayer(SessionHandle session, const Guid& key)
{
    if (!supported) {
        return false;
    }
    std::wstring name = widen(sublayerName);
    std::wstring description = name;
    FWPM_SUBLAYER0 sublayer = {};
    sublayer.subLayerKey = toGuid(key);
    sublayer.displayData.name = name.data();
    sublayer.displayData.description = description.data();
    sublayer.flags = 0;
    sublayer.providerKey = nullptr;
    sublayer.weight = sublayerWeight;
    return subLayerAdd(handleOf(session), &sublayer, nullptr) == ERROR_SUCCESS;
}

bool WfpEngine::deleteSublayer(SessionHandle session, const Guid& key)
{
    if (!supported) {
        return false;
    }
    const GUID guid = toGuid(key);
    return subLayerDeleteByKey(handleOf(session), &guid) == ERROR_SUCCESS;
}

bool WfpEngine::addFilter(SessionHandle session, const Guid& sublayer, const Filter& filter, FilterId& id)
{
    if (!supported) {
        return false;
    }
    const WfpFilter translated(filter, toGuid(sublayer));
    UINT64 added = 0;
    if (filterAdd(handleOf(session), &translated.get(), nullptr, &added) != ERROR_SUCCESS) {
        return false;
    }
    id = added;
    return true;
}

bool WfpEngine::deleteFilter(SessionHandle session, FilterId id)
{
    return supported && filterDeleteById(handleOf(session), id) == ERROR_SUCCESS;
}

std::optional<std::uint64_t> WfpEngine::findTunnelAdapter()
{
    if (!supported) {
        return std::nullopt;
    }
    ByteBuffer adapters(sizeof(IP_ADAPTER_INFO));
    if (!queryGrowingOnce<IP_ADAPTER_INFO>(
            adapters, sizeof(IP_ADAPTER_INFO),
            [this](IP_ADAPTER_INFO* info, ULONG* size) { return getAdaptersInfo(info, size); })) {
        return std::nullopt;
    }
    ByteBuffer perAdapter(sizeof(IP_PER_ADAPTER_INFO));
    const std::optional<DWORD> index = findTapAdapterIndex(adapters.as<IP_ADAPTER_INFO>(), [&](DWORD adapterIndex) {
        return queryGrowingOnce<IP_PER_ADAPTER_INFO>(
            perAdapter, sizeof(IP_PER_ADAPTER_INFO),
            [&](IP_PER_ADAPTER_INFO* info, ULONG* size) { return getPerAdapterInfo(adapterIndex, info, size); });
    });
    if (!index) {
        return std::nullopt;
    }
    NET_LUID luid = {};
    if (convertInterfaceIndexToLuid(*index, &luid) != NO_ERROR) {
        return std::nullopt;
    }
    return luid.Value;
}

std::vector<std::uint32_t> WfpEngine::systemNameServers()
{
    if (!supported) {
        return {};
    }
    ByteBuffer adapters(sizeof(IP_ADAPTER_INFO));
    if (!queryGrowingOnce<IP_ADAPTER_INFO>(
            adapters, sizeof(IP_ADAPTER_INFO),
            [this](IP_ADAPTER_INFO* info, ULONG* size) { return getAdaptersInfo(info, size); })) {
        return {};
    }
    ByteBuffer perAdapter(sizeof(IP_PER_ADAPTER_INFO));
    return nameServersOutsideTap(adapters.as<IP_ADAPTER_INFO>(), [&](DWORD index) -> const IP_PER_ADAPTER_INFO* {
        const bool read = queryGrowingOnce<IP_PER_ADAPTER_INFO>(
            perAdapter, sizeof(IP_PER_ADAPTER_INFO),
            [&](IP_PER_ADAPTER_INFO* info, ULONG* size) { return getPerAdapterInfo(index, info, size); });
        return read ? perAdapter.as<IP_PER_ADAPTER_INFO>() : nullptr;
    });
}

} // namespace firewall::wfp
