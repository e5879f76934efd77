// The module's report as files: the report view opened on the session's analysis, as the
// module's "Report View" menu item asks the host, and either the page it shows written as
// UTF-8 HTML (taken from the view's copy, as a user copies it) or the page printed through the
// host's print message and its PDF kept.
#pragma once

#include <filesystem>

#include "host/cli/analysis_session.h"

namespace PendrelHost {

// What the file's extension asks for: ".html" or ".htm" the page, ".pdf" the printed page;
// throws SessionError for another extension, and when the view shows or prints nothing.
void WriteReport(AnalysisSession& session, const std::filesystem::path& path);

// Whether a report can be written to a file of this name.
bool IsReportFileName(const std::filesystem::path& path);

}  // namespace PendrelHost
