// `pendrel analyse --online`: the recording replayed by the host's simulated device into a
// growing document while the analysis follows it in online mode, its measurements printed as
// the recording grows: once a recorded minute, then once more when sampling stops.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/cli/analysis_session.h"
#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {

struct OnlineOptions {
  bool enabled = false;
  // A multiple of real time; 0 replays as fast as possible.
  double speed = 0.0;
  bool speedGiven = false;
};

// Takes `--online` or `--speed X` at arguments[i] (and its value, moving i past it); false for
// any other argument. Throws std::invalid_argument for a missing or bad speed.
bool ParseOnlineOption(const std::vector<std::string>& arguments, std::size_t& i,
                       OnlineOptions& options);
// Throws std::invalid_argument when --speed came without --online.
void CheckOnlineOptions(const OnlineOptions& options);

// Replays `file` (the built-in sample made with `sample` without it) into a new document of
// `session` and prints the measurements to `out` as a table, or as CSV with a time column.
// `beforeSampling` runs once the empty document is open, before online mode is switched on.
// Returns the exit status; errors are thrown as exceptions with one line.
int AnalyseOnline(AnalysisSession& session, const std::optional<std::string>& file,
                  const SyntheticEcgSettings& sample, const OnlineOptions& options, bool csv,
                  const std::function<void()>& beforeSampling, std::FILE* out, std::FILE* err);

}  // namespace PendrelHost
