// The first steps that `pendrel analyse` and `pendrel channel --calc` share: the file (a
// recording or a saved document) or the built-in sample opened in a session, the settings
// answered to the module's settings dialog, and the Analyse command run. A saved document keeps
// its analysis, with the beats edited by hand, and is not analysed again.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "host/cli/analysis_session.h"
#include "host/cli/settings_options.h"

namespace PendrelHost {

// What the module reported in message boxes goes to `err`, a line each. Throws SettingsRefused
// for settings the dialog refuses (or given for a saved document), SessionError when the file
// cannot be opened or the analysis cannot run.
AnalysisResults OpenAndAnalyse(AnalysisSession& session, const std::optional<std::string>& file,
                               const SyntheticEcgSettings& sample, const SettingsRequest& settings,
                               std::FILE* err);

}  // namespace PendrelHost
