#include "firewall/win/WfpKeys.h"

#include <algorithm>

namespace firewall::wfp {

namespace {

// FWPM_LAYER_*
constexpr GUID aleAuthConnectV4 = {0xc38d57d1, 0x05a7, 0x4c33, {0x90, 0x4f, 0x7f, 0xbc, 0xee, 0xe6, 0x0e, 0x82}};
constexpr GUID aleAuthRecvAcceptV4 = {0xe1cd9fe7, 0xf4b5, 0x4273, {0x96, 0xc0, 0x59, 0x2e, 0x48, 0x7b, 0x86, 0x50}};
constexpr GUID aleConnectRedirectV4 = {0xc6e63c8c, 0xb784, 0x4562, {0xaa, 0x7d, 0x0a, 0x67, 0xcf, 0xca, 0xf9, 0xa3}};
constexpr GUID streamV4 = {0x3b89653c, 0xc170, 0x49e4, {0xb1, 0xcd, 0xe0, 0xee, 0xee, 0xe1, 0x9a, 0x3e}};
constexpr GUID aleFlowEstablishedV4 = {0xaf80470a, 0x5596, 0x4c13, {0x99, 0x92, 0x53, 0x9e, 0x6f, 0xe5, 0x79, 0x67}};
constexpr GUID aleAuthConnectV6 = {0x4a72393b, 0x319f, 0x44bc, {0x84, 0xc3, 0xba, 0x54, 0xdc, 0xb3, 0xb6, 0xb4}};
constexpr GUID aleAuthRecvAcceptV6 = {0xa3b42c97, 0x9f04, 0x4672, {0xb8, 0x7e, 0xce, 0xe9, 0xc4, 0x83, 0x25, 0x7f}};
constexpr GUID aleConnectRedirectV6 = {0x587e54a7, 0x8046, 0x42ba, {0xa0, 0xaa, 0xb7, 0x16, 0x25, 0x0f, 0xc7, 0xfd}};
constexpr GUID streamV6 = {0x47c9137a, 0x7ec4, 0x46b3, {0xb6, 0xe4, 0x48, 0xe9, 0x26, 0xb1, 0xed, 0xa4}};
constexpr GUID aleFlowEstablishedV6 = {0x7021d2b3, 0xdfa4, 0x406e, {0xaf, 0xeb, 0x6a, 0xfa, 0xf7, 0xe7, 0x0e, 0xfd}};
constexpr GUID inboundTransportV4 = {0x5926dfc8, 0xe3cf, 0x4426, {0xa2, 0x83, 0xdc, 0x39, 0x3f, 0x5d, 0x0f, 0x9d}};

// FWPM_CONDITION_*
constexpr GUID ipLocalInterface = {0x4cd62a49, 0x59c3, 0x4969, {0xb7, 0xf3, 0xbd, 0xa5, 0xd3, 0x28, 0x90, 0xa4}};
constexpr GUID ipRemoteAddress = {0xb235ae9a, 0x1d64, 0x49b8, {0xa4, 0x4c, 0x5f, 0xf3, 0xd9, 0x09, 0x50, 0x45}};
constexpr GUID ipLocalAddress = {0xd9ee00de, 0xc1ef, 0x4617, {0xbf, 0xe3, 0xff, 0xd8, 0xf5, 0xa0, 0x89, 0x57}};
constexpr GUID ipLocalPort = {0x0c1ba1af, 0x5765, 0x453f, {0xaf, 0x22, 0xa8, 0xf7, 0x91, 0xac, 0x77, 0x5b}};
constexpr GUID ipRemotePort = {0xc35a604d, 0xd22b, 0x4e1a, {0x91, 0xb4, 0x68, 0xf6, 0x74, 0xee, 0x67, 0x4b}};

} // namespace

const GUID& layerKey(Layer layer)
{
    switch (layer) {
    case Layer::AleAuthConnectV4:
        return aleAuthConnectV4;
    case Layer::AleAuthRecvAcceptV4:
        return aleAuthRecvAcceptV4;
    case Layer::AleConnectRedirectV4:
        return aleConnectRedirectV4;
    case Layer::StreamV4:
        return streamV4;
    case Layer::AleFlowEstablishedV4:
        return aleFlowEstablishedV4;
    case Layer::AleAuthConnectV6:
        return aleAuthConnectV6;
    case Layer::AleAuthRecvAcceptV6:
        return aleAuthRecvAcceptV6;
    case Layer::AleConnectRedirectV6:
        return aleConnectRedirectV6;
    case Layer::StreamV6:
        return streamV6;
    case Layer::AleFlowEstablishedV6:
        return aleFlowEstablishedV6;
    case Layer::InboundTransportV4:
        return inboundTransportV4;
    }
    return aleAuthConnectV4;
}

const GUID& conditionKey(Field field)
{
    switch (field) {
    case Field::LocalInterface:
        return ipLocalInterface;
    case Field::RemoteAddress:
        return ipRemoteAddress;
    case Field::LocalAddress:
        return ipLocalAddress;
    case Field::LocalPort:
        return ipLocalPort;
    case Field::RemotePort:
        return ipRemotePort;
    }
    return ipLocalInterface;
}

FWP_MATCH_TYPE matchType(Match match)
{
    switch (match) {
    case Match::Equal:
        return FWP_MATCH_EQUAL;
    case Match::Greater:
        return FWP_MATCH_GREATER;
    case Match::Less:
        return FWP_MATCH_LESS;
    case Match::Range:
        return FWP_MATCH_RANGE;
    }
    return FWP_MATCH_EQUAL;
}

FWP_ACTION_TYPE actionType(Action action)
{
    return action == Action::Permit ? FWP_ACTION_PERMIT : FWP_ACTION_BLOCK;
}

GUID toGuid(const Guid& guid)
{
    GUID result = {};
    result.Data1 = guid.data1;
    result.Data2 = guid.data2;
    result.Data3 = guid.data3;
    std::copy(std::begin(guid.data4), std::end(guid.data4), std::begin(result.Data4));
    return result;
}

Guid fromGuid(const GUID& guid)
{
    Guid result;
    result.data1 = guid.Data1;
    result.data2 = guid.Data2;
    result.data3 = guid.Data3;
    std::copy(std::begin(guid.Data4), std::end(guid.Data4), std::begin(result.data4));
    return result;
}

} // namespace firewall::wfp
