// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s) opened in the host, with
// classifier limits around this rhythm's own mean RR and ectopic beats kept: only the premature
// beat falls outside (the detection tests hold the same figures). Skips when the shared data is
// absent.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/tests/document/analysis_host.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"

namespace AnalysisDocumentTest {

class MitBihDocument : public AnalysisHost {
 protected:
  void SetUp() override {
    using PendrelHost::Testing::MitBihExcerptFolder;
    if (!std::filesystem::exists(MitBihExcerptFolder()))
      GTEST_SKIP() << MitBihExcerptFolder() << " is absent: the shared test data is not here";
    AnalysisHost::SetUp();
    Open(PendrelHost::LoadRecordingFile(MitBihExcerptFolder() / "100s.csv"));
    Rhyth::Settings& settings = Analysis().GetSettings();
    settings.classifier.rrLow = 0.7;
    settings.classifier.rrHigh = 1.1;
    settings.analysis.excludeEctopic = 0;
  }
};

}  // namespace AnalysisDocumentTest
