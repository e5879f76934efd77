// The analyses the measurement functions share. The host's table asks a row of up to 27
// functions for their values over one selection; each function would run the same analysis.
// Instead the functions find an analysis with the same inputs (document, data, beat channel,
// selection, settings and the user's beat edits) among those some function still holds, and
// only a change of any input runs the engine again. An analysis lives while a function holds
// it.
#pragma once

#include <memory>

#include "analysis/data/user_event_data.h"
#include "analysis/engine/analysis_engine.h"

namespace Rhyth {

class Document;

// The extent of the data when the analysis ran: a recording that grows is analysed again.
struct DataExtent {
  LONG records = 0;
  LONG endOffset = 0;
  LONG endRecord = 0;
  bool operator==(const DataExtent&) const = default;
};

struct AnalysisInputs {
  const Document* document = nullptr;  // identity only: the holders keep it alive
  Quor::ComPtr<IPendrelDataSource> source;
  PendrelChannelRef channel = kNoChannel;
  Quor::ComPtr<Settings> settings;     // a copy, with the selection as its region
  UserEventData::Positions added;
  UserEventData::Positions removed;
  DataExtent extent;

  bool Matches(const AnalysisInputs& other) const;
};

struct SharedAnalysis {
  explicit SharedAnalysis(AnalysisInputs given) : inputs(std::move(given)) {}
  AnalysisInputs inputs;
  AnalysisEngine engine;
  DWORD intervals = 0;  // what the engine's analysis returned
};

// The analysis of these inputs: one that a function still holds, else a new one, run now.
std::shared_ptr<const SharedAnalysis> AnalyseShared(AnalysisInputs inputs);

// How many times the engine ran for the measurements since the process started.
unsigned long SharedAnalysisRuns();

}  // namespace Rhyth
