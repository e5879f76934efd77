// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s) sampled by the host's
// simulated device while the analysis follows online: at every block size, from one sample to
// the whole record, it ends with the results of the offline analysis of the same region.
#include <gtest/gtest.h>

#include <filesystem>

#include "analysis/tests/document/online_session.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"

namespace AnalysisDocumentTest {
namespace {

using PendrelHost::Testing::MitBihExcerptFolder;

class MitBihOnline : public OnlineSession {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(MitBihExcerptFolder()))
      GTEST_SKIP() << MitBihExcerptFolder() << " is absent: the shared test data is not here";
    OnlineSession::SetUp();
  }
  void OpenExcerpt() {
    OpenForSampling(PendrelHost::LoadRecordingFile(MitBihExcerptFolder() / "100s.csv"));
    // The limits the offline tests of this record use: only the premature beat falls outside.
    Rhyth::Settings& settings = Settings();
    settings.classifier.rrLow = 0.7;
    settings.classifier.rrHigh = 1.1;
    settings.analysis.excludeEctopic = 0;
    settings.analysis.automaticBinWidth = 1;
  }
};

TEST_F(MitBihOnline, AtEveryBlockSizeTheResultsAreThoseOfTheOfflineAnalysis) {
  // One sample, a prime, the sink's 200 ms (72 ticks at 360 Hz), ten seconds, the whole record.
  for (const int64_t block : {int64_t(1), int64_t(97), int64_t(0), int64_t(3600), int64_t(1) << 30}) {
    SCOPED_TRACE("block of " + std::to_string(block) + " ticks");
    OpenExcerpt();
    const PendrelHost::ReplayResult result = Replay({0.0, block, 0});
    ASSERT_EQ(result.firstFailure, S_OK);
    const auto offline = Offline();
    EXPECT_EQ(offline->RRIntervals().GetCount(), 72u);
    EXPECT_EQ(offline->EctopicCount(), 1u);
    ExpectOfflineResults(*offline, 1);
  }
}

}  // namespace
}  // namespace AnalysisDocumentTest
