#include "analysis/settings/settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "analysis/settings/change_flags.h"
#include "analysis/tests/held_settings.h"

namespace {

using Held = RhythTest::HeldSettings;
using Rhyth::Settings;

TEST(Settings, NewSettingsHaveTheDefaults) {
  Held s;
  EXPECT_EQ(s->IsDirty(), S_FALSE);
  EXPECT_FALSE(s->analysis.region.IsSet());
  EXPECT_EQ(s->analysis.region.startOffset, Rhyth::kRegionNotSet);
  EXPECT_EQ(s->source.channelIndex, 0u);
  EXPECT_EQ(s->source.channelWord, 0xC0000000u);
  EXPECT_EQ(s->source.markersShown, 1);
  EXPECT_EQ(s->analysis.sdarrSegmentLength, 300.0);
  EXPECT_EQ(s->detection.lowPassCutoff, 30.0);
  EXPECT_EQ(s->spectrum.frequencyCount, 500u);
  EXPECT_EQ(s->spectrum.window, 5u);
  CLSID id;
  s->GetClassID(&id);
  EXPECT_EQ(id, Rhyth::GUID_RhythDocumentObj);
}

TEST(Settings, InitNewResetsParametersButKeepsState) {
  Held s;
  s->dirty = 1;
  s->detection.qrsWidth = 0.2;
  s->InitNew();
  EXPECT_EQ(s->detection.qrsWidth, 0.08);
  EXPECT_EQ(s->IsDirty(), S_OK);
}

TEST(Settings, CloneCopiesParametersAndFlagsButNotTheStoredVersion) {
  Held s;
  s->storedVersion = 6;
  s->inUse = s->secondStored = s->dirty = 1;
  s->spectrum.hfHigh = 0.4;
  Held copy(s->Clone());
  EXPECT_EQ(copy->storedVersion, 0);
  EXPECT_EQ(copy->inUse, 1);
  EXPECT_EQ(copy->dirty, 1);
  EXPECT_EQ(copy->spectrum.hfHigh, 0.4);
  EXPECT_EQ(copy->Compare(s.settings), 0u);

  Held target;
  target->storedVersion = 3;
  target->CopyFrom(copy.settings);
  EXPECT_EQ(target->spectrum.hfHigh, 0.4);
  EXPECT_EQ(target->storedVersion, 3);
  EXPECT_EQ(target->dirty, 0);
  target->CopyFrom(nullptr);
  EXPECT_EQ(target->Compare(nullptr), 0u);
}

TEST(Settings, ComparisonYieldsTheChangeFlagsOfEachField) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* field;
    std::function<void(Settings&)> change;
    DWORD flags;
  } cases[] = {
      {"markers shown", [](Settings& s) { s.source.markersShown = 0; }, 0},
      {"online mode", [](Settings& s) { s.analysis.onlineMode = 1; }, 0},
      {"preset index", [](Settings& s) { s.detection.preset = 4; }, 0},
      {"channel", [](Settings& s) { s.source.channelIndex = 2; }, 0xFFFFFFFF},
      {"channel word", [](Settings& s) { s.source.channelWord = 0xC0000001; }, 0xFFFFFFFF},
      {"selection only", [](Settings& s) { s.source.selectionOnly = 1; }, 0xFFFFFFFF},
      {"region", [](Settings& s) { s.analysis.region.endOffset = 5; }, 0xFFFFFFFF},
      {"exclude ectopic", [](Settings& s) { s.analysis.excludeEctopic = 0; }, 0x4FFFFFF},
      {"bin width", [](Settings& s) { s.analysis.binWidth = 0.02; }, 0x20000},
      {"NaN bin width", [nan](Settings& s) { s.analysis.binWidth = nan; }, 0x20000},
      {"automatic bins", [](Settings& s) { s.analysis.automaticBinWidth = 1; }, 0x20000},
      {"pRRx", [](Settings& s) { s.analysis.prrxThreshold = 0.02; }, 0x40000},
      {"SDARR segment", [](Settings& s) { s.analysis.sdarrSegmentLength = 60; }, 0x100},
      {"RR low", [](Settings& s) { s.classifier.rrLow = 0.7; }, 0x4FFFFFF},
      {"complexity high", [](Settings& s) { s.classifier.complexityHigh = 2; }, 0x4FFFFFF},
      {"low-pass", [](Settings& s) { s.detection.lowPassCutoff = 40; }, 0xFFFFFFFF},
      {"levelling window", [](Settings& s) { s.detection.levellingWindow = 3; }, 0x6FFFFFF},
      {"noise", [](Settings& s) { s.detection.noiseLevel = 0.1; }, 0x6FFFFFF},
      {"peak height", [](Settings& s) { s.detection.minPeakHeight = 2; }, 0x6FFFFFF},
      {"min period", [](Settings& s) { s.detection.minPeriod = 0.2; }, 0x6FFFFFF},
      // The derivative's length follows the QRS width: the filter stages are rebuilt too.
      {"QRS width", [](Settings& s) { s.detection.qrsWidth = 0.1; }, 0x5FFFFFF},
      {"QRS width and window",
       [](Settings& s) {
         s.detection.qrsWidth = 0.1;
         s.detection.levellingWindow = 3;
       },
       0x7FFFFFF},
      {"max frequency", [](Settings& s) { s.spectrum.maxFrequency = 1; }, 3},
      {"frequencies", [](Settings& s) { s.spectrum.frequencyCount = 100; }, 3},
      {"HF high", [](Settings& s) { s.spectrum.hfHigh = 0.4; }, 2},
      {"VLF low", [](Settings& s) { s.spectrum.vlfLow = 0.001; }, 2},
      // The window changes the periodogram itself.
      {"window", [](Settings& s) { s.spectrum.window = 2; }, 3},
  };
  for (const Case& c : cases) {
    Held original, changed;
    c.change(*changed.settings);
    EXPECT_EQ(changed->Compare(original.settings), c.flags) << c.field;
  }
  Held a, b;
  a->analysis.binWidth = b->analysis.binWidth = nan;
  EXPECT_EQ(a->Compare(b.settings), 0x20000u);  // NaN never equals NaN
}

TEST(Settings, PresetsFillTheirGroups) {
  Held s;
  ASSERT_TRUE(s->ApplyDetectionPreset(4, 4));
  EXPECT_EQ(s->detection.preset, 4u);
  EXPECT_EQ(s->detection.lowPassCutoff, 150.0);
  EXPECT_EQ(s->detection.levellingWindow, 1.0);
  EXPECT_EQ(s->detection.qrsWidth, 0.01);
  EXPECT_EQ(s->detection.minPeriod, 0.06);
  ASSERT_TRUE(s->ApplyClassifierPreset(4));
  EXPECT_EQ(s->classifier.rrLow, 0.09);
  EXPECT_EQ(s->classifier.complexityHigh, 1.1);
  ASSERT_TRUE(s->ApplySpectrumPreset(4));
  EXPECT_EQ(s->spectrum.maxFrequency, 5.0);
  EXPECT_EQ(s->spectrum.vlfHigh, 0.15);
  EXPECT_EQ(s->spectrum.lfLow, 0.15);
  EXPECT_EQ(s->spectrum.lfHigh, 1.5);
  EXPECT_EQ(s->spectrum.hfLow, 1.5);
  EXPECT_EQ(s->spectrum.hfHigh, 5.0);

  struct Row {
    DWORD index;
    double cutoff, window, qrs, period, rrLow, maxFrequency, lfHigh;
  } rows[] = {{0, 30, 5.0, 0.08, 0.3, 0.8, 0.5, 0.15},    {1, 30, 4.0, 0.06, 0.18, 0.5, 0.5, 0.15},
              {2, 30, 3.5, 0.04, 0.15, 0.5, 0.5, 0.15},   {3, 60, 3.3, 0.035, 0.15, 0.35, 3.0, 0.75},
              {5, 30, 3.7, 0.04, 0.2, 0.5, 2.0, 0.09},    {6, 60, 3.4, 0.035, 0.1, 0.25, 2.0, 0.15},
              {7, 150, 1.5, 0.015, 0.1, 0.1, 3.0, 0.75}};
  for (const Row& r : rows) {
    Held p;
    p->ApplyDetectionPreset(r.index, r.index);
    p->ApplyClassifierPreset(r.index);
    p->ApplySpectrumPreset(r.index);
    EXPECT_EQ(p->detection.lowPassCutoff, r.cutoff) << r.index;
    EXPECT_EQ(p->detection.levellingWindow, r.window) << r.index;
    EXPECT_EQ(p->detection.qrsWidth, r.qrs) << r.index;
    EXPECT_EQ(p->detection.minPeriod, r.period) << r.index;
    EXPECT_EQ(p->classifier.rrLow, r.rrLow) << r.index;
    EXPECT_EQ(p->spectrum.maxFrequency, r.maxFrequency) << r.index;
    EXPECT_EQ(p->spectrum.lfHigh, r.lfHigh) << r.index;
    EXPECT_EQ(p->spectrum.vlfLow, 0.0) << r.index;
  }
}

TEST(Settings, CustomKeepsValuesAndOutOfRangeIndicesChangeNothing) {
  Held s;
  s->detection.noiseLevel = 0.5;
  s->detection.minPeakHeight = 5;
  s->detection.qrsWidth = 0.09;
  ASSERT_TRUE(s->ApplyDetectionPreset(8, 8));
  EXPECT_EQ(s->detection.preset, 8u);
  EXPECT_EQ(s->detection.noiseLevel, 0.5);
  EXPECT_EQ(s->detection.qrsWidth, 0.09);
  Held before(s->Clone());
  EXPECT_TRUE(s->ApplyClassifierPreset(8));
  EXPECT_TRUE(s->ApplySpectrumPreset(8));
  EXPECT_FALSE(s->ApplySpectrumPreset(9));
  EXPECT_FALSE(s->ApplyClassifierPreset(9));
  EXPECT_FALSE(s->ApplyDetectionPreset(9, 9));
  EXPECT_FALSE(s->ApplyDetectionPreset(0xFFFFFFFF, 0xFFFFFFFF));
  EXPECT_EQ(s->detection.preset, 8u);
  EXPECT_EQ(s->Compare(before.settings), 0u);
  EXPECT_FALSE(Rhyth::DetectionParams::IsDifferent(s->detection, before->detection));

  s->ApplyDetectionPreset(1, 1);
  EXPECT_EQ(s->detection.noiseLevel, 0.0);
  EXPECT_EQ(s->detection.minPeakHeight, 3.0);
  EXPECT_TRUE(Rhyth::DetectionParams::IsDifferent(s->detection, before->detection));
}

TEST(Settings, DetectionGroupComparisonAndFiniteQuads) {
  Rhyth::DetectionParams a, b;
  EXPECT_FALSE(Rhyth::DetectionParams::IsDifferent(a, b));
  b.preset = 3;
  EXPECT_TRUE(Rhyth::DetectionParams::IsDifferent(a, b));
  b = a;
  a.noiseLevel = b.noiseLevel = std::nan("");
  EXPECT_TRUE(Rhyth::DetectionParams::IsDifferent(a, b));
  const double fine[4] = {1, 2, 3, 4};
  const double infinite[4] = {1, 2, INFINITY, 4};
  const double nan[4] = {std::nan(""), 2, 3, 4};
  EXPECT_TRUE(Rhyth::IsFiniteQuad(fine));
  EXPECT_FALSE(Rhyth::IsFiniteQuad(infinite));
  EXPECT_FALSE(Rhyth::IsFiniteQuad(nan));
}

}  // namespace
