// The five document messages of the analysis: analyse, clear the analysis, reselect the
// analysed region, toggle analysis while sampling, toggle the beat markers. The menu commands
// send them and the host's automation creates them by name; either way the host routes them to
// the document's message handlers. Their class objects are static and registered with the
// host's message factory when the module registers.
#pragma once

#include <array>

#include "analysis/rhyth_guids.h"
#include "hostframework/type_ids.h"
#include "platform/pendrel/messages.h"

namespace Rhyth {

using AnalyzeMsg = MsgIdClass<&GUID_RhythDocumentObj, 256>;
using ClearAnalysisMsg = MsgIdClass<&GUID_RhythDocumentObj, 257>;
using ReselectAnalyzedRegionMsg = MsgIdClass<&GUID_RhythDocumentObj, 258>;
using ToggleOnlineModeMsg = MsgIdClass<&GUID_RhythDocumentObj, 259>;
using ToggleEventMarkersMsg = MsgIdClass<&GUID_RhythDocumentObj, 260>;

// The five message class objects, in the order of their ids (256 to 260).
const std::array<IMsgIdMessageClassObject*, 5>& DocumentMessageClasses();

}  // namespace Rhyth
