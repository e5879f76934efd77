// The module's beat detection chain built through the document: the texts the host receives,
// the held fiducial channel, the marks of the fiducial channel on the source, and the peak
// detector's events on every beat of the built-in sample recording.
#include <gtest/gtest.h>

#include "analysis/settings/change_flags.h"
#include "analysis/detection/detector.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/document/document_test_support.h"
#include "host/tests/signal/beat_matching.h"

namespace DocumentTest {
namespace {

constexpr DWORD kStagesOneToSix = Rhyth::kChangeFilterStages | Rhyth::kChangeNormalisationStages;

PendrelHost::SyntheticEcg SampleRecording() {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = 250.0;
  settings.duration = 30.0;
  return PendrelHost::MakeSyntheticEcg(settings);
}

class DetectionChain : public HostTest {
 protected:
  DetectionChain() : settings(new Rhyth::Settings) { settings->AddRef(); }
  ~DetectionChain() override { settings->Release(); }

  PendrelChannelRef Channel(const char16_t* name) {
    PendrelChannelRef channel = kNoChannel;
    EXPECT_TRUE(detector.LookupChannel(name, &channel)) << Tarn::Utf8(name);
    return channel;
  }

  PendrelHost::SyntheticEcg ecg = SampleRecording();
  HeldReference<IUnknown> document = PendrelHost::OpenDocument(ecg.recording);
  HeldReference<IPendrelArithmeticChannels> service =
      Face<IPendrelArithmeticChannels>(document.get());
  Rhyth::Settings* settings;
  Rhyth::RhythDetector detector{document.get()};
};

TEST_F(DetectionChain, TheHostReceivesTheChainsFormulasAndItsPeaksFallOnEveryBeat) {
  ASSERT_TRUE(detector.UpdateChannels(kStagesOneToSix, settings));
  // Twice the QRS width in samples at 250 Hz: 0.08 s / 4 ms * 2.
  EXPECT_EQ(FormulasReceived(), (std::vector<std::string>{
                                    "lowpass(Ch1,30)",
                                    "differentiate(Rhyth_vLPF,3)",
                                    "resample(Rhyth_vDIF,1,1,1,40,0,2)",
                                    "Rhyth_vDIF * Rhyth_vDIF + Rhyth_vHLB * Rhyth_vHLB",
                                    "normalizeSec(Rhyth_vENV,5,2.5,0)",
                                    "cmpeakdet(Rhyth_vNRM,3,0.3,30)",
                                }));
  EXPECT_EQ(CallsOf("ArithmeticSettings", "SetTexts").front(),
            R"x(SetTexts(formula="lowpass(Ch1,30)", unit="", reserved=0x00000000))x");
  EXPECT_EQ(Tarn::CountCalls("ArithmeticChannels.AddChannel"), 6u);

  std::vector<double> peaks;
  for (LONG tick : EventTicks(document.get(), Channel(u"Rhyth_vDET")))
    peaks.push_back(tick / 250.0);
  const PendrelHost::Testing::BeatMatch match =
      PendrelHost::Testing::MatchBeats(ecg.beatTimes, peaks, 0.05);
  EXPECT_EQ(match.matched, ecg.beatTimes.size());
  EXPECT_EQ(match.falseBeats, 0u);

  // Updating again changes the formulas and adds no channel.
  settings->detection.minPeakHeight = 4;
  ASSERT_TRUE(detector.UpdateChannels(Rhyth::kChangeNormalisationStages, settings));
  EXPECT_EQ(Tarn::CountCalls("ArithmeticChannels.AddChannel"), 6u);
  EXPECT_EQ(FormulasReceived().back(), "cmpeakdet(Rhyth_vNRM,4,0.3,30)");
}

TEST_F(DetectionChain, TheFiducialStageWaitsForTheModulesEnumerator) {
  settings->analysis.region = {0, 0, 7500, 0};
  ASSERT_TRUE(detector.UpdateChannels(Rhyth::kChangeEverything, settings));
  EXPECT_EQ(FormulasReceived().back(),
            "fiducial(Rhyth_vLPF,Rhyth_vDET,0.08,0,0.8,1.2,1,1.5,0,0,0,7500,1)");
  auto* data = PendrelHost::AsDataDocument(document.get());
  EXPECT_EQ(data->Channels().Failure(*data->Channels().Find("Rhyth_vFID")),
            "unknown function 'fiducial'");
}

TEST_F(DetectionChain, TheFiducialChannelIsHeldAndItsMarksShownOnTheSource) {
  ASSERT_TRUE(detector.UpdateChannels(Rhyth::kChangeEverything, settings));
  ASSERT_TRUE(detector.RegisterChannels(u"Rhyth"));
  VARIANT_BOOL held = VARIANT_FALSE;
  EXPECT_EQ(service->GetHeldFlag(0, Text(u"Rhyth_vFID").get(), &held), S_OK);
  EXPECT_EQ(held, VARIANT_TRUE);
  EXPECT_EQ(service->GetHeldFlag(0, Text(u"Rhyth_vLPF").get(), &held), S_OK);
  EXPECT_EQ(held, VARIANT_FALSE);
  EXPECT_EQ(PendrelHost::AsDataDocument(document.get())->OwnerOf("Rhyth_vFID"), u"Rhyth");
  EXPECT_EQ(service->DeleteChannel(0, Text(u"Rhyth_vFID").get()), E_ACCESSDENIED);

  const DWORD fiducial = detector.GetFiducialChannel().index;
  ASSERT_TRUE(detector.RefreshMarkerLink(settings));
  EXPECT_TRUE(ExtLib::HasMarkerLink(document.get(), fiducial, 0));
  PendrelEventLink link{};
  DWORD count = 0;
  EXPECT_EQ(service->EnumerateEventLinks(0, 0, 0xC0000000, 0, &link, &count), S_OK);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(link.markerChannel, fiducial);
  EXPECT_EQ(link.kind, 4u);
  EXPECT_EQ(link.linkType, kMarkerLinkType);
  ASSERT_TRUE(detector.ResetChannels(0xFF000000, settings));
  EXPECT_FALSE(ExtLib::HasMarkerLink(document.get(), fiducial, 0));

  // Deleting lets go of the held channel first; the channels are gone from the host.
  EXPECT_TRUE(detector.DeleteChannels());
  DWORD channels = 99;
  EXPECT_EQ(service->GetChannelCount(0, &channels), S_OK);
  EXPECT_EQ(channels, 0u);
}

TEST_F(DetectionChain, ResettingMakesTheHostRecomputeTheSelectedStages) {
  ASSERT_TRUE(detector.UpdateChannels(kStagesOneToSix, settings));
  Tarn::ClearRecordedCalls();
  ASSERT_TRUE(detector.ResetChannels(Rhyth::kChangeNormalisationStages, settings));
  EXPECT_EQ(CallsOf("Calculation"), (std::vector<std::string>{"Reset()", "Reset()"}));
  EXPECT_EQ(Tarn::CountCalls("ChannelData.GetCalculation"), 2u);
}

}  // namespace
}  // namespace DocumentTest
