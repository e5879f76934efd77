// Calculated channels of the module's channel calculation in the stand-in host: the selector
// enumerator's class registered beside the fiducial one (module registration registers both),
// and a channel added as a user adds it, with the beat measure picked in the dialog.
#pragma once

#include <optional>
#include <string>

#include "host/calc/channel_calculations.h"

namespace AnalysisDocumentTest {

// Adds the channel `name` showing beat measure `mode`; nothing when the dialog was cancelled.
std::optional<std::string> AddRhythChannel(PendrelHost::DataDocument& document, const std::string& name,
                                           LONG mode, bool interpolate = false);

}  // namespace AnalysisDocumentTest
