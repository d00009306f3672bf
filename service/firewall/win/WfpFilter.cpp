#include "firewall/win/WfpFilter.h"

#include "firewall/win/WfpKeys.h"

namespace firewall::wfp {

namespace {

FWP_VALUE0 scalar(Field field, UINT64& storage)
{
    FWP_VALUE0 value = {};
    switch (field) {
    case Field::LocalInterface:
        value.type = FWP_UINT64;
        value.uint64 = &storage;
        break;
    case Field::RemoteAddress:
    case Field::LocalAddress:
        value.type = FWP_UINT32;
        value.uint32 = static_cast<UINT32>(storage);
        break;
    case Field::LocalPort:
    case Field::RemotePort:
        value.type = FWP_UINT16;
        value.uint16 = static_cast<UINT16>(storage);
        break;
    }
    return value;
}

} // namespace

WfpFilter::WfpFilter(const Filter& source, const GUID& sublayer)
    : name(widen(source.displayName)), values(source.conditions.size()), conditions(source.conditions.size())
{
    for (std::size_t i = 0; i < source.conditions.size(); ++i) {
        translate(source.conditions[i], conditions[i], values[i]);
    }
    filter.displayData.name = name.data();
    filter.displayData.description = nullptr;
    filter.flags = 0;
    filter.providerKey = nullptr;
    filter.layerKey = layerKey(source.layer);
    filter.subLayerKey = sublayer;
    if (source.weight) {
        filter.weight.type = FWP_UINT8;
        filter.weight.uint8 = *source.weight;
    } else {
        filter.weight.type = FWP_EMPTY;
    }
    filter.numFilterConditions = static_cast<UINT32>(conditions.size());
    filter.filterCondition = conditions.empty() ? nullptr : conditions.data();
    filter.action.type = actionType(source.action);
}

void WfpFilter::translate(const Condition& condition, FWPM_FILTER_CONDITION0& out, ConditionValues& storage)
{
    out.fieldKey = conditionKey(condition.field);
    out.matchType = matchType(condition.match);
    storage.low = condition.value;
    storage.high = condition.high;
    const bool address = condition.field == Field::RemoteAddress || condition.field == Field::LocalAddress;
    if (condition.match == Match::Range) {
        storage.range.valueLow = scalar(condition.field, storage.low);
        storage.range.valueHigh = scalar(condition.field, storage.high);
        out.conditionValue.type = FWP_RANGE_TYPE;
        out.conditionValue.rangeValue = &storage.range;
    } else if (address && condition.match == Match::Equal) {
        storage.addressAndMask.addr = static_cast<UINT32>(condition.value);
        storage.addressAndMask.mask = condition.mask;
        out.conditionValue.type = FWP_V4_ADDR_MASK;
        out.conditionValue.v4AddrMask = &storage.addressAndMask;
    } else {
        const FWP_VALUE0 value = scalar(condition.field, storage.low);
        out.conditionValue.type = value.type;
        switch (value.type) {
        case FWP_UINT64:
            out.conditionValue.uint64 = value.uint64;
            break;
        case FWP_UINT32:
            out.conditionValue.uint32 = value.uint32;
            break;
        default:
            out.conditionValue.uint16 = value.uint16;
            break;
        }
    }
}

std::wstring widen(const std::string& text)
{
    if (text.empty()) {
        return std::wstring();
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

} // namespace firewall::wfp
