#pragma once

#include "firewall/Filter.h"

#include <windows.h>

#include <fwpmu.h>

#include <string>
#include <vector>

namespace firewall::wfp {

// A filter in the form FwpmFilterAdd0 takes. The FWPM_FILTER0 points into this object,
// so it can be neither copied nor moved.
class WfpFilter
{
public:
    WfpFilter(const Filter& filter, const GUID& sublayer);

    WfpFilter(const WfpFilter&) = delete;
    WfpFilter& operator=(const WfpFilter&) = delete;

    const FWPM_FILTER0& get() const { return filter; }

private:
    // Values that FWP_CONDITION_VALUE0 refers to by pointer.
    struct ConditionValues
    {
        UINT64 low = 0;
        UINT64 high = 0;
        FWP_V4_ADDR_AND_MASK addressAndMask = {};
        FWP_RANGE0 range = {};
    };

    void translate(const Condition& condition, FWPM_FILTER_CONDITION0& out, ConditionValues& values);

    std::wstring name;
    std::vector<ConditionValues> values;
    std::vector<FWPM_FILTER_CONDITION0> conditions;
    FWPM_FILTER0 filter = {};
};

// UTF-8 to UTF-16, for display names.
std::wstring widen(const std::string& text);

} // namespace firewall::wfp
