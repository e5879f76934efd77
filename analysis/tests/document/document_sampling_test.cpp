// The analysis document as the host's online data sink: what each sampling call does, and that
// the engine always leaves its online state when sampling ends.
#include <gtest/gtest.h>

#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/document/analysis_host.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

using Strings = std::vector<std::string>;

class DocumentSampling : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Analysis().GetSettings());
  }
  Rhyth::AnalysisRegion& Region() { return Analysis().GetSettings().analysis.region; }
  void SetOnline(bool on) { Analysis().GetSettings().analysis.onlineMode = on ? 1 : 0; }
  // Analyses ticks [0, end) of record 0 through the host's selection.
  void AnalyseFirstTicks(LONG end) {
    Analysis().GetSettings().source.selectionOnly = 1;
    Data().Selected().SelectRange({0, 0}, {end, 0});
    Send(Rhyth::AnalyzeMsg::Id());
  }
};

TEST_F(DocumentSampling, TheStartOfSamplingAsksOnlyWhenTheRegionWouldBreak) {
  VARIANT_BOOL proceed = VARIANT_FALSE;
  // Off line: nothing to ask.
  EXPECT_EQ(Analysis().OnSamplingStarting(0, &proceed), S_OK);
  EXPECT_EQ(proceed, VARIANT_TRUE);
  SetOnline(true);
  // No region yet: the new data starts one.
  EXPECT_EQ(Analysis().OnSamplingStarting(0, &proceed), S_OK);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());

  AnalyseFirstTicks(2500);
  const Rhyth::AnalysisRegion analysed = Region();
  const DWORD intervals = Analysis().Engine().RRIntervals().GetCount();
  win32::QueueMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(Analysis().OnSamplingStarting(0, &proceed), S_FALSE);
  EXPECT_EQ(proceed, VARIANT_FALSE);
  ASSERT_EQ(win32::ShownMessageBoxes().size(), 1u);
  EXPECT_EQ(win32::ShownMessageBoxes()[0].style, 0x2031u);
  EXPECT_EQ(Region(), analysed);
  EXPECT_EQ(Analysis().Engine().RRIntervals().GetCount(), intervals);

  win32::QueueMessageBoxAnswer(IDOK);
  EXPECT_EQ(Analysis().OnSamplingStarting(0, &proceed), S_OK);
  EXPECT_EQ(proceed, VARIANT_TRUE);
  EXPECT_FALSE(Region().IsSet());
  EXPECT_EQ(Analysis().Engine().RRIntervals().GetCount(), 0u);
}

TEST_F(DocumentSampling, ARecordStartOpensTheRegionOnce) {
  SetOnline(true);
  ClearLog();
  ASSERT_EQ(Analysis().OnRecordStart(0), S_OK);
  EXPECT_EQ(Region(), (Rhyth::AnalysisRegion{0, 0, Rhyth::kRegionNotSet,
                                             Rhyth::kRegionOpenEndRecord}));
  EXPECT_EQ(Notices(), (Strings{"start 0", "end 0"}));
  ClearLog();
  Analysis().OnRecordStart(0);
  EXPECT_TRUE(Notices().empty());
}

TEST_F(DocumentSampling, ADataChangeThatMovesNothingStillSendsItsNotices) {
  SetOnline(true);
  Analysis().OnRecordStart(0);
  Analysis().OnDataChanged(0);  // the open end becomes the end of the data
  ClearLog();
  Analysis().OnDataChanged(0);
  EXPECT_EQ(Notices(), (Strings{"start 3", "end 3"}));
}

// The last block says no more data follows; the engine still leaves its online state when
// sampling stops, or every later analysis would give the online results again.
TEST_F(DocumentSampling, TheEngineLeavesItsOnlineStateWhenSamplingStops) {
  SetOnline(true);
  Rhyth::Document& document = Analysis();
  document.OnRecordStart(0);
  ASSERT_EQ(document.OnDataAdded(0, 0, 5000, VARIANT_TRUE), S_OK);
  ClearLog();
  document.OnRecordEnd(0);
  EXPECT_EQ(Notices(), (Strings{"start 1", "end 1"}));
  const DWORD online = document.Engine().RRIntervals().GetCount();
  EXPECT_GT(online, 10u);
  // A step that finds no new beat still ends the change it began.
  ClearLog();
  EXPECT_EQ(document.OnRecordEnd(0), S_FALSE);
  EXPECT_EQ(Notices(), (Strings{"start 1", "end 1"}));
  document.OnDataAdded(0, 5000, 0, VARIANT_FALSE);
  EXPECT_FALSE(document.MoreDataPending());
  ClearLog();
  document.OnRecordEnd(0);
  EXPECT_TRUE(Notices().empty());
  document.OnSamplingStopped(0, 0);
  EXPECT_EQ(Notices(), (Strings{"start 2", "end 2"}));
  EXPECT_FALSE(document.Engine().IsOnline());

  SetOnline(false);
  AnalyseFirstTicks(2500);  // ten seconds of the twenty
  const DWORD analysed = document.Engine().RRIntervals().GetCount();
  EXPECT_GT(analysed, 4u);
  EXPECT_LT(analysed, online * 2 / 3);
}

TEST_F(DocumentSampling, AResetEngineIsNoLongerOnline) {
  SetOnline(true);
  Analysis().OnRecordStart(0);
  Analysis().OnDataAdded(0, 0, 5000, VARIANT_TRUE);
  ASSERT_TRUE(Analysis().Engine().IsOnline());
  Send(Rhyth::ClearAnalysisMsg::Id());
  EXPECT_FALSE(Analysis().Engine().IsOnline());
}

TEST_F(DocumentSampling, TheSinkTellsTheHostItsIntervalAndInterest) {
  DWORD interval = 0, interest = 0;
  EXPECT_EQ(Analysis().GetUpdateInterval(&interval), S_OK);
  EXPECT_EQ(Analysis().GetDataInterest(&interest), S_OK);
  EXPECT_EQ(interval, 200u);
  EXPECT_EQ(interest, 0x80000000u);
  EXPECT_EQ(Analysis().Reserved10(), E_NOTIMPL);
  EXPECT_EQ(Analysis().Reserved11(), E_NOTIMPL);
}

}  // namespace
}  // namespace AnalysisDocumentTest
