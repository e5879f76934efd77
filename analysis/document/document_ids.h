// The identifier words of the analysis document, each (the host's id of a GUID << 16) | n and
// asked of the host once per process: the document type, the notices that bracket every change
// of the analysis, the commands, and the view types the commands open.
#pragma once

#include "analysis/rhyth_guids.h"
#include "hostframework/type_ids.h"

namespace Rhyth {

using DocumentTypeId = TypeIdClass<&GUID_RhythDocumentObj, 0>;
// The end and the start of a change of the analysis.
using AnalysisChangedMsg = TypeIdClass<&GUID_RhythDocumentObj, 0>;
using AnalysisChangingMsg = TypeIdClass<&GUID_RhythDocumentObj, 1>;
// Commands 1 to 18 of the analysis menu.
template <DWORD N>
using CommandId = TypeIdClass<&GUID_RhythDocumentObj, N>;
inline DWORD CommandWord(DWORD n) { return (DocumentTypeId::Id() & 0xFFFF0000u) | n; }

// The codes of the notices: what changed.
enum NoticeCode : DWORD {
  kNoticeRecordStart = 0,   // sampling moved the region to a new record
  kNoticeDataStep = 1,      // one incremental step while sampling
  kNoticeSamplingStop = 2,  // the closing step when sampling stops
  kNoticeDataChange = 3,    // the host's data changed while sampling
  kNoticeAnalysis = 4,      // a full analysis
  kNoticeCleared = 5,       // the analysis was cleared
  kNoticeBeatsEdited = 6,   // beats added, removed or reclassified
};

// The view types, in the order of their numbers.
enum ViewNumber : DWORD {
  kReportView = 0,
  kTachogramView = 1,
  kSpectrumView = 2,
  kRRHistogramView = 3,
  kDeltaRRHistogramView = 4,
  kClassifierView = 5,
  kPoincareView = 6,
};

// The type word of view number n.
DWORD ViewTypeWord(DWORD n);

}  // namespace Rhyth
