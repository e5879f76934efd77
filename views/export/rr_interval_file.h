// The RR interval text file: every RR interval of an analysis, in seconds, one a line, as the
// analysis engine writes them in the classic locale (six significant digits), each line ending
// in CR LF. The file replaces its target only when it is complete.
#pragma once

#include <string>

#include "analysis/engine/analysis_engine.h"
#include "views/export/replacing_file.h"

namespace Rhyth {

// Writes the file at `target` (a UTF-8 path): S_OK, S_FALSE when the analysis has no intervals
// (the file is then empty), or the system's error of the step that failed, with the target
// left as it was.
HRESULT WriteRRIntervalFile(const AnalysisEngine& engine, const std::string& target,
                            const FileCalls& calls = SystemFileCalls());

}  // namespace Rhyth
