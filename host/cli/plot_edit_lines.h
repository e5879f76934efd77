// The `pendrel run` lines that edit the analysis in its plots, as a person does with the mouse:
// drag a band edge of the spectrum, drag an edge of the classifier's box, click a point of a
// view. Each line opens its view on the session's analysis, waits for the plot's paint, has the
// page hand the view the very notice the gesture ends with, and closes the view again; then it
// prints what changed. The notice rather than pointer input: a pointer lands on whole pixels,
// so it cannot put an edge on an exact value, and of points drawn over one another it clicks
// whichever is nearest; the notice takes the page's own path to the view all the same.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "host/cli/analysis_session.h"

namespace PendrelHost {

// Runs the line when it is one of these: false for any other line. Throws std::invalid_argument
// for a line that does not fit, SessionError when the view refused the edit or the page failed.
bool RunPlotEditLine(AnalysisSession& session, const std::vector<std::string>& words,
                     std::FILE* out);

}  // namespace PendrelHost
