// Online analysis of the built-in sample cut into records, replayed by the host's simulated
// device: at every block size the analysis ends with the results of an offline analysis of the
// same region; the notices of a session pair up step by step; and the engine leaves its online
// state however the session ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/document/online_session.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

using PendrelHost::SamplingPhase;
using PendrelHost::SamplingStep;
using Strings = std::vector<std::string>;

constexpr double kRate = 250.0;

class DocumentOnline : public OnlineSession {
 protected:
  void OpenSample(std::size_t records, double seconds) {
    OpenForSampling(MultiRecordSample(records, seconds, kRate));
    AcceptSyntheticBeats(Settings());
    // Offline the histograms take the automatic width, so that the fixed width online differs.
    Settings().analysis.automaticBinWidth = 1;
    // Segments of two seconds: several in every record, for SDARR to compare.
    Settings().analysis.sdarrSegmentLength = 2.0;
  }
  Rhyth::AnalysisRegion& Region() { return Settings().analysis.region; }
  // The region that ends at the end of the document's data.
  Rhyth::AnalysisRegion ToDataEnd(LONG startRecord = 0) const {
    const LONG last = LONG(target->RecordCount()) - 1;
    return {0, startRecord, LONG(target->TickCount(std::size_t(last))), last};
  }
};

std::string PhaseName(SamplingPhase phase) {
  switch (phase) {
    case SamplingPhase::kStarted: return "started";
    case SamplingPhase::kRecordStart: return "record start";
    case SamplingPhase::kBlock: return "block";
    case SamplingPhase::kRecordClosed: return "record closed";
    case SamplingPhase::kStopped: return "stopped";
  }
  return "?";
}

TEST_F(DocumentOnline, AtEveryBlockSizeTheResultsAreThoseOfTheOfflineAnalysis) {
  // From one sample to the whole record; 0 takes the sink's 200 ms.
  for (const int64_t block : {int64_t(1), int64_t(7), int64_t(0), int64_t(999), int64_t(1) << 30}) {
    SCOPED_TRACE("block of " + std::to_string(block) + " ticks");
    OpenSample(3, 8.0);
    const PendrelHost::ReplayResult result = Replay({0.0, block, 0});
    ASSERT_EQ(result.firstFailure, S_OK);
    ASSERT_TRUE(result.finished);
    // Once sampling stops the region ends where the data does.
    EXPECT_EQ(Region(), ToDataEnd());
    const auto offline = Offline();
    EXPECT_NE(offline->TimeDomain().rrHistogram.binWidth, Settings().analysis.binWidth);
    ExpectOfflineResults(*offline, 3);
  }
}

TEST_F(DocumentOnline, AStopInARecordAndASecondSessionEachEndWithTheOfflineResults) {
  OpenSample(2, 20.0);
  ASSERT_FALSE(Replay({0.0, 0, LONG(12 * kRate)}).finished);
  EXPECT_EQ(Region(), ToDataEnd());
  ExpectOfflineResults(*Offline(), 1);
  // The new data continues the region: no question, and the analysis goes on from there.
  const PendrelHost::ReplayResult rest = Replay({});
  EXPECT_TRUE(rest.finished);
  EXPECT_FALSE(rest.vetoed);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
  EXPECT_EQ(target->RecordCount(), 3u);
  EXPECT_EQ(Region(), ToDataEnd());
  ExpectOfflineResults(*Offline(), 3);
}

// The notices log of a session, one row per step of the device: every start notice is paired
// with its end notice, also in a step that finds no new beat.
TEST_F(DocumentOnline, TheNoticesOfASessionPairUpStepByStep) {
  OpenSample(2, 6.0);
  ClearLog();
  Strings table;
  int stepsWithoutABeat = 0;
  DWORD intervals = 0;
  Replay({0.0, LONG(2 * kRate), 0}, [&](const SamplingStep& step) {
    std::string row = PhaseName(step.phase) + " " + std::to_string(step.record) + ":";
    for (const std::string& notice : Notices()) row += " " + notice;
    table.push_back(row);
    ClearLog();
    const DWORD now = Analysis().Engine().RRIntervals().GetCount();
    stepsWithoutABeat += step.phase == SamplingPhase::kBlock && now == intervals;
    intervals = now;
    return true;
  });
  EXPECT_EQ(table, (Strings{"started 0:",
                            "record start 0: start 0 end 0",
                            "block 0: start 1 end 1",
                            "block 0: start 1 end 1",
                            "block 0: start 1 end 1",
                            "record closed 0: start 1 end 1",
                            // the open region already takes in the next record
                            "record start 1:",
                            "block 1: start 1 end 1",
                            "block 1: start 1 end 1",
                            "block 1: start 1 end 1",
                            "stopped 1: start 2 end 2"}));
  EXPECT_GT(stepsWithoutABeat, 0);
  EXPECT_GT(intervals, 0u);
}

TEST_F(DocumentOnline, SwitchedOffWhileSamplingTheAnalysisStopsThere) {
  OpenSample(1, 6.0);
  int blocks = 0;
  Strings notices;
  Replay({0.0, LONG(kRate), 0}, [&](const SamplingStep& step) {
    if (step.phase == SamplingPhase::kBlock && ++blocks == 3) {
      ClearLog();
      Send(Rhyth::ToggleOnlineModeMsg::Id());
      notices = Notices();
    }
    return true;
  });
  EXPECT_EQ(Settings().analysis.onlineMode, 0);
  EXPECT_FALSE(Analysis().Engine().IsOnline());
  EXPECT_EQ(notices, (Strings{"start 2", "end 2"}));
  // The region ends at the data there was when the analysis stopped.
  EXPECT_EQ(Region(), (Rhyth::AnalysisRegion{0, 0, LONG(3 * kRate), 0}));
  // A later analysis reads the whole record at once.
  const DWORD online = Analysis().Engine().RRIntervals().GetCount();
  Send(Rhyth::AnalyzeMsg::Id());
  EXPECT_EQ(Region(), ToDataEnd());
  EXPECT_GT(Analysis().Engine().RRIntervals().GetCount(), online);
  EXPECT_EQ(Analysis().Engine().RRIntervals().GetCount(), Offline()->RRIntervals().GetCount());
}

TEST_F(DocumentOnline, ADocumentClosedWhileSamplingLeavesNothingOnline) {
  OpenSample(1, 6.0);
  Quor::ComPtr<Rhyth::Document> closed(&Analysis());
  int blocks = 0;
  const PendrelHost::ReplayResult result =
      Replay({0.0, LONG(kRate), 0}, [&](const SamplingStep& step) {
        if (step.phase == SamplingPhase::kBlock && ++blocks == 2) {
          EXPECT_TRUE(closed->Engine().IsOnline());
          hosted->Close();
        }
        return true;
      });
  EXPECT_EQ(result.firstFailure, S_OK);
  EXPECT_TRUE(result.finished);
  EXPECT_FALSE(closed->Engine().IsOnline());
  EXPECT_EQ(closed->Engine().RRIntervals().GetCount(), 0u);
}

}  // namespace
}  // namespace AnalysisDocumentTest
