#pragma once

#include "firewall/Filter.h"

#include <windows.h>

#include <fwpmu.h>

// The published WFP identifiers the kill switch uses. MinGW-w64's headers do not carry
// the FWPM_LAYER_* and FWPM_CONDITION_* constants, so they are spelt out here.
namespace firewall::wfp {

const GUID& layerKey(Layer layer);
const GUID& conditionKey(Field field);
FWP_MATCH_TYPE matchType(Match match);
FWP_ACTION_TYPE actionType(Action action);

GUID toGuid(const Guid& guid);
Guid fromGuid(const GUID& guid);

} // namespace firewall::wfp
