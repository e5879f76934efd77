// The analysis's plots as files: each of the six plot views opened on the session's analysis in
// a frame of the asked size and, once it has painted, written as DIR/<plot id>.png through its
// plot window's image save and as DIR/<plot id>.svg, the printable SVG its page hands over for
// a copy; then closed. A view that fails is named and the others are still written.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "host/cli/analysis_session.h"

namespace PendrelHost {

// "WIDTHxHEIGHT" in pixels, each from kMinimumPlotSide to kMaximumPlotSide; throws
// std::invalid_argument saying what is wrong.
inline constexpr int kMinimumPlotSide = 100;
inline constexpr int kMaximumPlotSide = 4000;
ViewFrameSize ParsePlotSize(const std::string& text);

// Makes the folder when it is missing and makes sure files can be written in it; throws
// SessionError saying why not.
void PreparePlotFolder(const std::filesystem::path& folder);

// Writes the plots; each view that fails is one line on `err`. The number that failed.
int WritePlots(AnalysisSession& session, const std::filesystem::path& folder, ViewFrameSize size,
               std::FILE* err);

}  // namespace PendrelHost
