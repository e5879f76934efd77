// A sampling session as the stand-in host runs one: a recording replayed by the host's simulated
// device into a document that starts empty, the analysis document following it online, and
// the checks that hold its results against an offline analysis of the same region.
#pragma once

#include <memory>

#include "analysis/tests/document/analysis_host.h"
#include "host/sampling/sampling_simulator.h"

namespace AnalysisDocumentTest {

class OnlineSession : public AnalysisHost {
 protected:
  // Opens an empty document laid out as `recording` and switches online mode on through its
  // message, as the menu command does.
  void OpenForSampling(PendrelHost::Recording recording);
  PendrelHost::ReplayResult Replay(const PendrelHost::ReplayOptions& options,
                                   const PendrelHost::SamplingObserver& observer = {});
  // A full analysis of the document's region, with its settings, of its beat channel.
  std::unique_ptr<Rhyth::AnalysisEngine> Offline();
  // The online results equal the offline ones but for what online analysis does its own way:
  // histograms at the fixed bin width, a median read from the histogram, and a classifier
  // point for each record's first RR interval, which has no change of RR.
  void ExpectOfflineResults(const Rhyth::AnalysisEngine& offline, std::size_t records);

  PendrelHost::Recording source{PendrelHost::Recording::kMinSampleRate};
  std::shared_ptr<PendrelHost::Recording> target;
  std::unique_ptr<PendrelHost::SamplingSimulator> simulator;
};

// The built-in sample at `rate` cut into `records` records of `seconds` each, a minute apart.
PendrelHost::Recording MultiRecordSample(std::size_t records, double seconds, double rate);

}  // namespace AnalysisDocumentTest
