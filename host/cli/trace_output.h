// The analysed channel as a picture: the sampled channel on which the document shows the
// module's beat marks, drawn as SVG over a stretch of the first record (its first 10 s unless
// told), with a mark per beat in the colour the module's draw class gives it and its tooltip
// as the mark's title.
#pragma once

#include <filesystem>
#include <optional>

#include "host/cli/analysis_session.h"

namespace PendrelHost {

inline constexpr double kDefaultTraceSeconds = 10;

// From `from` s (0 without it) to `to` s (10 s later without it) of the first record, cut at
// its end. Throws SessionError when no channel shows the module's marks, the stretch lies
// outside the record, or the file cannot be written.
void WriteTrace(AnalysisSession& session, const std::filesystem::path& path,
                std::optional<double> from, std::optional<double> to);

}  // namespace PendrelHost
