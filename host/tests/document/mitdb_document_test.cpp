// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s) opened as a document: the
// module's detector builds stages 1 to 6 of its chain through the host's interfaces, and the
// peak detector's events, read as the module reads them, fall on the 74 reference beats.
#include <gtest/gtest.h>

#include "analysis/settings/change_flags.h"
#include "analysis/detection/detector.h"
#include "host/recording/recording_file.h"
#include "host/tests/document/document_test_support.h"
#include "host/tests/signal/beat_matching.h"

namespace DocumentTest {
namespace {

class MitBihDocument : public HostTest {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(folder))
      GTEST_SKIP() << folder << " is absent: the shared test data is not here";
    HostTest::SetUp();
  }

  const std::filesystem::path folder = PendrelHost::Testing::MitBihExcerptFolder();
};

TEST_F(MitBihDocument, TheModulesChainFindsEveryReferenceBeatAndNoOther) {
  auto document = PendrelHost::OpenDocument(PendrelHost::LoadRecordingFile(folder / "100s.csv"));
  Rhyth::Settings* settings = new Rhyth::Settings;
  settings->AddRef();
  Rhyth::RhythDetector detector(document.get());
  ASSERT_TRUE(detector.UpdateChannels(
      Rhyth::kChangeFilterStages | Rhyth::kChangeNormalisationStages, settings));
  settings->Release();
  EXPECT_EQ(Tarn::CountCalls("ChannelData.GetSampleInterval"), 1u);
  EXPECT_EQ(FormulasReceived().at(2), "resample(Rhyth_vDIF,1,1,1,57,0,2)");

  PendrelChannelRef peaks = kNoChannel;
  ASSERT_TRUE(detector.LookupChannel(u"Rhyth_vDET", &peaks));
  HRESULT last = E_FAIL;
  std::vector<double> times;
  for (LONG tick : EventTicks(document.get(), peaks, 0, 8, &last)) times.push_back(tick / 360.0);
  EXPECT_EQ(last, S_FALSE);

  const std::vector<double> reference = PendrelHost::Testing::MitBihReferenceBeats();
  ASSERT_EQ(reference.size(), 74u);
  const PendrelHost::Testing::BeatMatch match =
      PendrelHost::Testing::MatchBeats(reference, times, 0.15);
  EXPECT_EQ(match.matched, 74u);
  EXPECT_EQ(match.falseBeats, 0u);
  EXPECT_EQ(times.size(), 74u);
  RecordProperty("worst_offset_ms", std::to_string(match.worstOffset * 1000.0));
}

}  // namespace
}  // namespace DocumentTest
