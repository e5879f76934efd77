// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s) analysed as a user does it:
// the recording opened in the host, the Analyse item of the analysis menu, and the document's
// engine holding what an engine gives on the same beats.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "analysis/detection/fiducial_event.h"
#include "analysis/document/document_ids.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/document/mitbih_document.h"
#include "host/framework/menu_commands.h"
#include "host/recording/recording_file.h"
#include "host/tests/signal/beat_matching.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

constexpr double kRate = 360.0;

TEST_F(MitBihDocument, TheAnalyseCommandFindsEveryBeatAndGivesTheEnginesStatistics) {
  ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
  Rhyth::Document& document = Analysis();
  const PendrelChannelRef fiducial = document.Detector().GetFiducialChannel();
  const auto beats = DocumentTest::ReadEvents<Rhyth::FiducialEvent>(hosted->DataObject(), fiducial);
  EXPECT_EQ(beats.size(), 74u);
  const Rhyth::AnalysisEngine& engine = document.Engine();
  EXPECT_EQ(engine.RRIntervals().GetCount(), 72u);
  EXPECT_EQ(engine.NormalCount(), 71u);
  EXPECT_EQ(engine.EctopicCount(), 1u);

  Rhyth::AnalysisEngine alone;
  alone.AnalyseRange(Rhyth::kChangeEverything, document.DataSource(), document.GetSettings(),
                     fiducial);
  const auto& ours = engine.TimeDomain();
  const auto& theirs = alone.TimeDomain();
  EXPECT_EQ(ours.MeanRR(), theirs.MeanRR());
  EXPECT_EQ(ours.SDRR(), theirs.SDRR());
  EXPECT_EQ(ours.RMSSD(), theirs.RMSSD());
  EXPECT_EQ(ours.PRRx(), theirs.PRRx());
  EXPECT_EQ(engine.SpectrumResults().total, alone.SpectrumResults().total);
  EXPECT_EQ(engine.SpectrumResults().hf, alone.SpectrumResults().hf);
  EXPECT_NEAR(ours.MeanRR(), 0.81, 0.01);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
}

TEST_F(MitBihDocument, AllBeatsNormalTakesTheObservedRangesWidenedByFivePercent) {
  ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Channel"), S_OK);
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  ASSERT_EQ(engine.EctopicCount(), 1u);
  const Rhyth::ClassifierRanges observed = engine.Ranges();
  ASSERT_EQ(Tarn::FireMenuCommand(u"Classify all Beats as Normal"), S_OK);
  const Rhyth::ClassifierLimits& limits = Analysis().GetSettings().classifier;
  EXPECT_DOUBLE_EQ(limits.rrLow, std::max(0.0, observed.rrLow - 0.05 * observed.rrHigh));
  EXPECT_DOUBLE_EQ(limits.rrHigh, observed.rrHigh * 1.05);
  EXPECT_DOUBLE_EQ(limits.complexityLow, std::max(0.0, observed.ffLow - 0.05 * observed.ffHigh));
  EXPECT_DOUBLE_EQ(limits.complexityHigh, observed.ffHigh * 1.05);
  EXPECT_EQ(engine.EctopicCount(), 0u);
  EXPECT_EQ(engine.NormalCount(), engine.RRIntervals().GetCount());
  EXPECT_EQ(engine.RRIntervals().GetCount(), 72u);
}

TEST_F(MitBihDocument, ASelectionOfPartOfTheRecordAnalysesJustThatPart) {
  Analysis().GetSettings().source.selectionOnly = 1;
  const LONG thirtySeconds = LONG(30 * kRate);
  Data().Selected().SelectRange({0, 0}, {thirtySeconds, 0});
  ASSERT_EQ(Tarn::FireMenuCommand(u"Analyze Selection"), S_OK);
  const Rhyth::AnalysisEngine& engine = Analysis().Engine();
  const DWORD intervals = engine.RRIntervals().GetCount();
  EXPECT_GE(intervals, 33u);
  EXPECT_LE(intervals, 37u);
  for (DWORD i = 0; i < intervals; ++i) EXPECT_LT(engine.BeatTimes()[i], 30.0);
}

}  // namespace
}  // namespace AnalysisDocumentTest
