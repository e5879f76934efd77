// The chain in a document whose own channels bear names the detector uses: the host gives the
// stages other names, and the formulas must follow them; a source channel is named in the
// formula only where the channel language can read its name.
#include <gtest/gtest.h>

#include "analysis/settings/change_flags.h"
#include "analysis/tests/detection/module_detection.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/beat_matching.h"

namespace DetectionTest {
namespace {

constexpr double kRate = 250.0;

// Half a minute of the built-in sample as channel 0, titled `title`, then flat channels
// titled `others`.
PendrelHost::SyntheticEcg Sample(const std::string& title,
                                 const std::vector<std::string>& others = {}) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = 30.0;
  PendrelHost::SyntheticEcg ecg = PendrelHost::MakeSyntheticEcg(settings);
  PendrelHost::Recording recording(kRate);
  recording.AddChannel({title, "mV"});
  for (const std::string& other : others) recording.AddChannel({other, "mV"});
  recording.AddRecord(0.0);
  const std::span<const float> ecgSamples = ecg.recording.Samples(0, 0);
  const std::vector<float> flat(ecgSamples.size(), 0.0f);
  std::vector<std::span<const float>> channels{ecgSamples};
  channels.resize(others.size() + 1, flat);
  recording.AppendSamples(0, channels);
  recording.CloseRecord(0);
  return {std::move(recording), ecg.beatTimes};
}

// How many true beats the fiducial channel holds, and how many other beats.
PendrelHost::Testing::BeatMatch Found(const PendrelHost::SyntheticEcg& ecg,
                                      const Detection& detection) {
  return PendrelHost::Testing::MatchBeats(ecg.beatTimes, BeatTimes(detection.beats, 1.0 / kRate),
                                          0.05);
}

using ChainNames = ModuleDetection;

TEST_F(ChainNames, StagesTheHostNamesOtherwiseAreAddedOnceAndNamedAsTheHostNamedThem) {
  // Recording channels named as the stages make the host give the stages other names.
  const PendrelHost::SyntheticEcg ecg =
      Sample("ECG", {"Rhyth_vLPF", "Rhyth_vDIF", "Rhyth_vHLB", "Rhyth_vENV", "Rhyth_vNRM",
                     "Rhyth_vDET", "Rhyth_vFID"});
  auto document = PendrelHost::OpenDocument(ecg.recording);
  Rhyth::RhythDetector detector(document.get());
  auto settings = WholeRecordSettings(document.get());
  for (int update = 0; update < 3; ++update) {
    SCOPED_TRACE(update);
    const PendrelHost::Testing::BeatMatch match =
        Found(ecg, DetectBeats(detector, *settings.Get()));
    EXPECT_EQ(match.matched, ecg.beatTimes.size());
    EXPECT_EQ(match.falseBeats, 0u);
    EXPECT_EQ(Tarn::CountCalls("ArithmeticChannels.AddChannel"), 7u);
  }
  EXPECT_EQ(DocumentTest::FormulasReceived().at(1), "differentiate(Rhyth_vLPF_2,3)");
  EXPECT_EQ(DocumentTest::FormulasReceived().at(6),
            "fiducial(Rhyth_vLPF_2,Rhyth_vDET_2,0.08,0,0.8,1.2,1,1.5,0,0,0,7500,1)");
}

TEST_F(ChainNames, ASourceNameTheFormulaCannotHoldIsReferredToByItsIndex) {
  const struct {
    std::string title, lowPass;
  } cases[] = {
      {"MLII", "lowpass(MLII,30)"},
      {"ECG, lead II", "lowpass(Ch1,30)"},
      {"II)", "lowpass(Ch1,30)"},
      {"ECG(II", "lowpass(Ch1,30)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    Tarn::ClearRecordedCalls();
    const PendrelHost::SyntheticEcg ecg = Sample(c.title);
    auto document = PendrelHost::OpenDocument(ecg.recording);
    Rhyth::RhythDetector detector(document.get());
    auto settings = WholeRecordSettings(document.get());
    settings->source.channelWord = Rhyth::kSourceChannelWord | 4;  // a channel by its name
    const PendrelHost::Testing::BeatMatch match =
        Found(ecg, DetectBeats(detector, *settings.Get()));
    EXPECT_EQ(DocumentTest::FormulasReceived().at(0), c.lowPass);
    EXPECT_EQ(match.matched, ecg.beatTimes.size());
    EXPECT_EQ(match.falseBeats, 0u);
  }
}

}  // namespace
}  // namespace DetectionTest
