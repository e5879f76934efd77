// Analysis runs through the document as the user starts them: the notices that bracket each
// change, what a run keeps and what it clears, and what the user is told when a run cannot
// find or read the beats.
#include <gtest/gtest.h>

#include "analysis/data/event_id_cache.h"
#include "analysis/dialogs/settings_dialog.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/app/host_application.h"
#include "platform/pendrel/host_events.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

using Strings = std::vector<std::string>;
using Rhyth::AnalyzeMsg;
using Rhyth::ClearAnalysisMsg;

class DocumentRuns : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Analysis().GetSettings());
  }

 public:
  const Rhyth::AnalysisRegion& Region() { return Settings().analysis.region; }
  DWORD Intervals() { return Analysis().Engine().RRIntervals().GetCount(); }
  void Select(LONG start, LONG end) {
    Settings().source.selectionOnly = 1;
    Data().Selected().SelectRange({start, 0}, {end, 0});
  }
  Rhyth::UserEventData& UserEvents() { return *Analysis().GetData().UserEvents(); }
  void AddUserBeat(LONG tick) {
    const Rhyth::BeatPosition position{tick, 0};
    UserEvents().Add(&position, FALSE);
  }
  // The settings command with an editor that makes `change` to the copy and answers OK.
  void EditSettings(std::function<void(Rhyth::Settings&)> change) {
    Rhyth::ScriptSettingsDialog(IDOK, [change](Rhyth::ScriptedSettingsDialog& dialog) {
      change(dialog.Copy());
    });
    Analysis().OnCommand(Rhyth::CommandWord(1));
  }
};

TEST_F(DocumentRuns, EveryChangeIsBracketedByItsNotices) {
  struct Case {
    const char* what;
    std::function<void(DocumentRuns&)> before;
    std::function<void(DocumentRuns&)> change;
    Strings notices;
  } cases[] = {
      {"a fresh analysis", nullptr, [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       {"start 4", "end 4"}},
      {"the same region again", [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); }, {"start 4", "end 4"}},
      {"an analysis over another region", [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) {
         t.Select(0, 2500);
         t.Send(AnalyzeMsg::Id());
       },
       {"start 5", "start 4", "end 4"}},
      {"clearing", [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) { t.Send(ClearAnalysisMsg::Id()); }, {"start 5", "end 5"}},
      {"clearing the detection chain only", [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) { t.Analysis().ClearAnalysis(0xFF000000, true); },
       {"start 5", "end 5"}},
      {"a settings change that needs the engine only",
       [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) {
         t.EditSettings([](Rhyth::Settings& s) { s.analysis.binWidth = 0.02; });
       },
       {"start 4", "end 4"}},
      {"a settings change of the detection chain",
       [](DocumentRuns& t) { t.Send(AnalyzeMsg::Id()); },
       [](DocumentRuns& t) {
         t.EditSettings([](Rhyth::Settings& s) { s.detection.lowPassCutoff = 25.0; });
       },
       {"start 5", "start 4", "end 4"}},
      {"a run that cannot read its beats", nullptr,
       [](DocumentRuns& t) {
         t.Settings().source.channelIndex = 99;  // no such channel
         t.Send(AnalyzeMsg::Id());
       },
       {"start 4", "end 4"}},
      {"clearing without an analysis", nullptr,
       [](DocumentRuns& t) { t.Send(ClearAnalysisMsg::Id()); }, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Settings());
    if (c.before) c.before(*this);
    ClearLog();
    c.change(*this);
    EXPECT_EQ(Notices(), c.notices);
  }
}

TEST_F(DocumentRuns, AnAnalysisTakesTheWholeDataOrTheSelection) {
  Send(AnalyzeMsg::Id());
  EXPECT_EQ(Region(), (Rhyth::AnalysisRegion{0, 0, 5000, 0}));
  const DWORD whole = Intervals();
  EXPECT_GE(whole, 17u);
  Select(0, 2500);
  Send(AnalyzeMsg::Id());
  EXPECT_EQ(Region(), (Rhyth::AnalysisRegion{0, 0, 2500, 0}));
  EXPECT_LT(Intervals(), whole * 2 / 3);
  // The region changed: the settings were announced to the host as modified, once.
  EXPECT_EQ(Data().Log().Announcements(), std::vector<DWORD>{0});
}

TEST_F(DocumentRuns, ClearingTheDetectionChainKeepsTheRegionAndTheResults) {
  Send(AnalyzeMsg::Id());
  AddUserBeat(300);
  const DWORD intervals = Intervals();
  Analysis().ClearAnalysis(0xFF000000, true);
  EXPECT_TRUE(Region().IsSet());
  EXPECT_EQ(Intervals(), intervals);
  EXPECT_EQ(UserEvents().IsEmpty(nullptr), S_OK);
}

// The same region again keeps what the user edited by hand and the beat numbers.
TEST_F(DocumentRuns, AnalysingTheSameRegionAgainKeepsTheUsersEdits) {
  Send(AnalyzeMsg::Id());
  AddUserBeat(300);
  EventIdCache()->SetId(999, 7);
  Send(AnalyzeMsg::Id());
  EXPECT_EQ(UserEvents().Added().size(), 1u);
  DWORD id = 0;
  ASSERT_TRUE(EventIdCache());
  EXPECT_EQ(EventIdCache()->GetId(999, &id), S_OK);
  EXPECT_EQ(id, 7u);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
}

// A new region discards the edits: the user is asked first, and Cancel keeps everything.
TEST_F(DocumentRuns, ANewRegionAsksBeforeDiscardingTheUsersEdits) {
  Send(AnalyzeMsg::Id());
  AddUserBeat(300);
  const Rhyth::AnalysisRegion whole = Region();
  const DWORD intervals = Intervals();
  Select(0, 2500);
  win32::QueueMessageBoxAnswer(IDCANCEL);
  ClearLog();
  Send(AnalyzeMsg::Id());
  ASSERT_EQ(win32::ShownMessageBoxes().size(), 1u);
  EXPECT_TRUE(Notices().empty());
  EXPECT_EQ(Region(), whole);
  EXPECT_EQ(Intervals(), intervals);
  EXPECT_EQ(UserEvents().Added().size(), 1u);

  win32::QueueMessageBoxAnswer(IDOK);
  Send(AnalyzeMsg::Id());
  EXPECT_EQ(Region().endOffset, 2500);
  EXPECT_EQ(UserEvents().IsEmpty(nullptr), S_OK);
}

TEST_F(DocumentRuns, ASelectionOnlyAnalysisWithoutASelectionTellsTheUser) {
  Settings().source.selectionOnly = 1;
  Send(AnalyzeMsg::Id());
  const auto boxes = win32::ShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find(u"Nothing is selected"), std::u16string::npos);
  EXPECT_EQ(PendrelHost::HostApplication::Instance().StatusText(), boxes[0].text);
  EXPECT_TRUE(Notices().empty());
  EXPECT_FALSE(Region().IsSet());
}

TEST_F(DocumentRuns, ARunThatCannotReadItsBeatsIsReportedOnce) {
  Settings().source.channelIndex = 99;
  Send(AnalyzeMsg::Id());
  ASSERT_EQ(win32::ShownMessageBoxes().size(), 1u);
  EXPECT_NE(PendrelHost::HostApplication::Instance().StatusText().find(u"Analysis failed"),
            std::u16string::npos);
  EXPECT_EQ(Intervals(), 0u);
}

TEST_F(DocumentRuns, ARecordingWithoutBeatsIsNoFailure) {
  PendrelHost::Recording flat(250.0);
  flat.AddChannel({"ECG", "mV"});
  flat.AddRecord(0.0);
  const std::vector<float> zeros(5000, 0.0f);
  flat.AppendSamples(0, std::vector<std::span<const float>>{zeros});
  flat.CloseRecord(0);
  Open(std::move(flat));
  Send(AnalyzeMsg::Id());
  EXPECT_EQ(Notices(), (Strings{"start 4", "end 4"}));
  EXPECT_EQ(Intervals(), 0u);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
}

// Closing lets go of the host's channels but not of what a later save keeps.
TEST_F(DocumentRuns, ClosingLeavesThePersistedStateAsItWas) {
  Send(AnalyzeMsg::Id());
  AddUserBeat(300);
  Settings().dirty = 0;  // as after a save
  Analysis().GetData().dirty = 0;
  const Rhyth::AnalysisRegion analysed = Region();
  Quor::ComPtr<Rhyth::Document> document(&Analysis());
  hosted->Close();
  EXPECT_EQ(document->GetSettings().analysis.region, analysed);
  EXPECT_EQ(document->GetData().UserEvents()->Added().size(), 1u);
  EXPECT_EQ(document->GetSettings().IsDirty(), S_FALSE);
  EXPECT_EQ(document->GetData().IsDirty(), S_FALSE);
}

// The module's own channels change with every run; only a change of the analysed channel
// clears the analysis.
TEST_F(DocumentRuns, OnlyAChangeOfTheSourceChannelClearsTheAnalysis) {
  Send(AnalyzeMsg::Id());
  EditSettings([](Rhyth::Settings& s) { s.detection.minPeakHeight = 2.5; });
  EXPECT_TRUE(Region().IsSet());
  EXPECT_GT(Intervals(), 0u);
  Data().RaiseDataEvent(kDataEventChannelChanged, {Settings().source.channelIndex + 1});
  EXPECT_TRUE(Region().IsSet());
  Data().RaiseDataEvent(kDataEventChannelChanged, {Settings().source.channelIndex});
  EXPECT_FALSE(Region().IsSet());
}

TEST_F(DocumentRuns, ASettingsDialogClosedWithoutAChangeDoesNothing) {
  Send(AnalyzeMsg::Id());
  ClearLog();
  EditSettings([](Rhyth::Settings&) {});
  EXPECT_TRUE(Notices().empty());
  Rhyth::ScriptSettingsDialog(IDCANCEL, [](Rhyth::ScriptedSettingsDialog& dialog) {
    dialog.Copy().analysis.binWidth = 0.5;
  });
  Analysis().OnCommand(Rhyth::CommandWord(1));
  EXPECT_EQ(Settings().analysis.binWidth, 0.01);
  EXPECT_TRUE(Notices().empty());
}

TEST_F(DocumentRuns, ReselectingShowsTheAnalysedDataOnTheSourceChannel) {
  Select(500, 2500);
  Send(AnalyzeMsg::Id());
  Data().Selected().SelectRange({0, 0}, {10, 0});
  Send(Rhyth::ReselectAnalyzedRegionMsg::Id());
  PendrelPosition start{}, end{};
  Data().Selected().GetRange(&start, &end);
  EXPECT_EQ(start, (PendrelPosition{500, 0}));
  EXPECT_EQ(end, (PendrelPosition{2500, 0}));
  ASSERT_TRUE(Data().Selected().Shown());
  EXPECT_EQ(Data().Selected().Shown()->index, 0u);
  EXPECT_EQ(Data().Selected().Shown()->low, -32000.0);
}

}  // namespace
}  // namespace AnalysisDocumentTest
