// The snapshot of an analysis document's results that IRhythAnalysisResults hands out: made
// from the document's engine and its beat channel when the host asks, owned by the host
// through its reference count.
#pragma once

#include "analysis/module/analysis_results.h"

namespace Rhyth {

class Document;

// A new snapshot with one reference for the caller.
IRhythAnalysisResults* NewAnalysisResults(Document& document);

}  // namespace Rhyth
