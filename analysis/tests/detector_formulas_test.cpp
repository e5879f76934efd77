#include <gtest/gtest.h>

#include "analysis/detection/detector.h"
#include "core/tests/quor_string_printer.h"

namespace {

using Quor::String;
using Rhyth::DetectorBase;

struct Formulas : ::testing::Test {
  Formulas() : settings(new Rhyth::Settings) { settings->AddRef(); }
  ~Formulas() override { settings->Release(); }
  Rhyth::Settings* settings;
  Rhyth::RhythDetector detector{nullptr};
};

TEST_F(Formulas, DefaultChainTexts) {
  EXPECT_EQ(detector.LowPassFormula(*settings), String(u"lowpass(Ch1,30)"));
  EXPECT_EQ(DetectorBase::DerivativeFormula(u"Rhyth_vLPF"), String(u"differentiate(Rhyth_vLPF,3)"));
  EXPECT_EQ(DetectorBase::ResampleFormula(u"Rhyth_vDIF", 160),
            String(u"resample(Rhyth_vDIF,1,1,1,160,0,2)"));
  EXPECT_EQ(DetectorBase::EnvelopeFormula(u"Rhyth_vDIF", u"Rhyth_vHLB"),
            String(u"Rhyth_vDIF * Rhyth_vDIF + Rhyth_vHLB * Rhyth_vHLB"));
  EXPECT_EQ(DetectorBase::NormaliseFormula(u"Rhyth_vENV", *settings),
            String(u"normalizeSec(Rhyth_vENV,5,2.5,0)"));
  EXPECT_EQ(DetectorBase::PeakFormula(u"Rhyth_vNRM", *settings),
            String(u"cmpeakdet(Rhyth_vNRM,3,0.3,30)"));
}

TEST_F(Formulas, FiducialTextWritesRegionWordsWhole) {
  settings->analysis.region = {0, 0, 999, 2};
  EXPECT_EQ(DetectorBase::FiducialFormula(u"Rhyth_vLPF", u"Rhyth_vDET", *settings),
            String(u"fiducial(Rhyth_vLPF,Rhyth_vDET,0.08,0,0.8,1.2,1,1.5,0,0,2,999,1)"));
  // A region word is a tick count: rounding it to six significant digits would move the
  // region's end by dozens of samples.
  settings->analysis.region = {1234567, 3, 7654321, 5};
  settings->analysis.excludeEctopic = 0;
  EXPECT_EQ(DetectorBase::FiducialFormula(u"Rhyth_pLPF", u"Rhyth_pDET", *settings),
            String(u"fiducial(Rhyth_pLPF,Rhyth_pDET,0.08,0,0.8,1.2,1,1.5,3,1234567,5,7654321,0)"));
  settings->analysis.region = {};
  EXPECT_EQ(DetectorBase::FiducialFormula(u"a", u"b", *settings),
            String(u"fiducial(a,b,0.08,0,0.8,1.2,1,1.5,2147483647,2147483647,2147483647,"
                   u"2147483647,0)"));
}

TEST_F(Formulas, DoublesHaveSixSignificantDigitsInTheClassicLocale) {
  settings->detection.lowPassCutoff = 2147483647.0;
  settings->detection.levellingWindow = 1.0 / 3.0;
  settings->source.channelIndex = 4;
  settings->source.channelWord = 0xC0000001;  // a raw channel
  EXPECT_EQ(detector.LowPassFormula(*settings), String(u"lowpass(RCh5,2.14748e+09)"));
  EXPECT_EQ(DetectorBase::NormaliseFormula(u"e", *settings),
            String(u"normalizeSec(e,0.333333,0.166667,0)"));
}

TEST_F(Formulas, WithoutAHostDocumentNothingIsBuilt) {
  EXPECT_FALSE(detector.UpdateChannels(0xFFFFFFFF, settings));
  EXPECT_FALSE(detector.UpdateChannels(0xFFFFFFFF, nullptr));
  EXPECT_FALSE(detector.ResetChannels(0xFFFFFFFF, settings));
  EXPECT_EQ(detector.GetFiducialChannel(), kNoChannel);
  EXPECT_EQ(detector.ResamplingWidth(*settings), 21);
}

TEST(DetectorNames, PreviewChannelsNeverShareTheDocumentsNames) {
  Rhyth::PreviewDetector preview(nullptr);
  Rhyth::RhythDetector document(nullptr);
  const String previewNames[] = {preview.LowPassName(), preview.DerivativeName(),
                                 preview.ResampledName(), preview.EnvelopeName(),
                                 preview.NormalisedName(), preview.PeaksName(),
                                 preview.FiducialName()};
  for (const String& name : previewNames) EXPECT_EQ(name.Mid(0, 7), String(u"Rhyth_p"));
  EXPECT_EQ(document.FiducialName(), String(u"Rhyth_vFID"));
}

}  // namespace
