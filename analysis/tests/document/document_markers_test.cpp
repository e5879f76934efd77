// The user's corrections of the beats through the document, as the menu runs them: beats added
// and removed (within a record, across a record boundary, across two records), marks shown and
// hidden, every beat made normal; each edit followed by the analysis at once and kept with the
// document file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include <unistd.h>

#include "analysis/detection/fiducial_event.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/app/host_application.h"
#include "host/framework/menu_commands.h"
#include "hostframework/extlib/arithmetic_channel_manager.h"
#include "host/documentfile/document_file.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Rhyth::AnalyzeMsg;
using Rhyth::BeatPosition;
using Positions = Rhyth::UserEventData::Positions;

// What an analysis found: every beat read (record, tick), the RR series and statistics of the
// time and frequency domains.
struct Outcome {
  std::vector<std::tuple<LONG, LONG, double>> beats;
  std::vector<double> rr;
  DWORD normal = 0;
  double meanRR = 0, sdrr = 0, rmssd = 0, sd1 = 0, total = 0;

  static Outcome Of(const Rhyth::AnalysisEngine& engine) {
    Outcome outcome;
    for (const Rhyth::BeatPoint& point : engine.ClassifierPoints()) {
      outcome.beats.emplace_back(point.record, point.position, point.x);
    }
    outcome.rr.assign(engine.RRIntervals().begin(), engine.RRIntervals().end());
    outcome.normal = engine.NormalCount();
    const Rhyth::TimeDomainStatistics& t = engine.TimeDomain();
    std::tie(outcome.meanRR, outcome.sdrr, outcome.rmssd, outcome.sd1) =
        std::make_tuple(t.MeanRR(), t.SDRR(), t.RMSSD(), t.SD1());
    outcome.total = engine.SpectrumResults().total;
    return outcome;
  }
  bool operator==(const Outcome&) const = default;
};

class DocumentMarkers : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(TwoRecords());
    AcceptSyntheticBeats(Settings());
    Send(AnalyzeMsg::Id());
  }

 public:
  Rhyth::UserEventData& UserEvents() { return *Analysis().GetData().UserEvents(); }
  void Select(PendrelPosition start, PendrelPosition end) { Data().Selected().SelectRange(start, end); }
  HRESULT Fire(const char16_t* item) { return Tarn::FireMenuCommand(item); }
  // Whether the fiducial channel has a beat there (the analysis leaves out a record's first
  // beat, which has no RR).
  bool HasBeatAt(LONG record, LONG tick) {
    const auto beats = DocumentTest::ReadEvents<Rhyth::FiducialEvent>(
        hosted->DataObject(), Analysis().Detector().GetFiducialChannel(), record);
    return std::any_of(beats.begin(), beats.end(),
                       [tick](const Rhyth::FiducialEvent& beat) { return beat.position == tick; });
  }
  // The first beat detected in a record at or after a tick.
  LONG BeatAfter(LONG record, LONG tick) {
    for (const auto& beat : Outcome::Of(Analysis().Engine()).beats) {
      if (std::get<0>(beat) == record && std::get<1>(beat) >= tick) return std::get<1>(beat);
    }
    return -1;
  }

  // The same recording analysed from scratch in a document of its own, with the same settings
  // and the user's edits as they are now.
  Outcome AnalysedAfresh() {
    PendrelHost::HostedDocument fresh(PendrelHost::OpenDocument(TwoRecords()));
    fresh.StartNew();
    auto& document =
        *static_cast<Rhyth::Document*>(fresh.ModuleOfType(Rhyth::DocumentTypeId::Id()));
    document.GetSettings().CopyFrom(&Settings());
    Rhyth::Document::ResetRegion(document.GetSettings());
    document.GetData().UserEvents()->Assign(UserEvents().Added(), UserEvents().Removed());
    document.SendToHost(AnalyzeMsg::Id());
    Outcome outcome = Outcome::Of(document.Engine());
    fresh.Close();
    return outcome;
  }
};

}  // namespace

// Add, remove, add again what was removed and remove again, within a record, over the record
// boundary and over both records: after each step the document holds what a new analysis of
// the same beat list finds.
TEST_F(DocumentMarkers, EveryEditEqualsAFreshAnalysisOfTheSameBeats) {
  const LONG firstOfSecond = BeatAfter(1, 0);
  ASSERT_GT(firstOfSecond, 0);
  struct Step {
    const char* what;
    const char16_t* item;
    PendrelPosition start, end;
    // The first beat of record 1 after the step: which of the user's sets holds it.
    std::string firstOfSecondIn;
  } steps[] = {
      {"add a beat late in the first record", u"Add Beat Marker", {4870, 0}, {4870, 0}, "none"},
      {"remove over the record boundary", u"Delete Beat Marker", {4500, 0}, {600, 1},
       "removed"},
      {"add back a beat that was removed", u"Add Beat Marker", {firstOfSecond, 1},
       {firstOfSecond + 1, 1}, "added"},
      {"remove over both records", u"Delete Beat Marker", {2000, 0}, {3000, 1}, "removed"},
  };
  const Outcome before = Outcome::Of(Analysis().Engine());
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    Select(step.start, step.end);
    ClearLog();
    ASSERT_EQ(Fire(step.item), S_OK);
    EXPECT_EQ(Notices(), (Strings{"start 6", "end 6"}));
    EXPECT_EQ(Outcome::Of(Analysis().Engine()), AnalysedAfresh());
    const BeatPosition place{firstOfSecond, 1};
    EXPECT_EQ(UserEvents().Added().contains(place), step.firstOfSecondIn == "added");
    EXPECT_EQ(UserEvents().Removed().contains(place), step.firstOfSecondIn == "removed");
    EXPECT_EQ(HasBeatAt(1, firstOfSecond), step.firstOfSecondIn != "removed");
  }
  EXPECT_NE(Outcome::Of(Analysis().Engine()), before);
  EXPECT_FALSE(HasBeatAt(0, 4870));
  EXPECT_TRUE(UserEvents().Removed().contains(BeatPosition{4870, 0}));
  EXPECT_FALSE(UserEvents().Added().contains(BeatPosition{4870, 0}));
}

TEST_F(DocumentMarkers, AnAddedBeatIsABeatAndTheDocumentIsChanged) {
  ASSERT_FALSE(HasBeatAt(0, 4870));
  Select({4870, 0}, {4870, 0});
  Data().SetModified(false);
  ASSERT_EQ(Fire(u"Add Beat Marker"), S_OK);
  EXPECT_TRUE(HasBeatAt(0, 4870));
  EXPECT_EQ(UserEvents().Added(), (Positions{BeatPosition{4870, 0}}));
  EXPECT_TRUE(Data().IsModified());
  EXPECT_EQ(Analysis().GetData().dirty, 1);
}

TEST_F(DocumentMarkers, EditsSurviveSavingAndOpeningTheFile) {
  const fs::path folder = fs::temp_directory_path() /
                          ("rhyth-markers-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path file = folder / "edited.pdoc";
  Select({4870, 0}, {4870, 0});
  Fire(u"Add Beat Marker");
  Select({100, 1}, {1200, 1});
  Fire(u"Delete Beat Marker");
  const Outcome edited = Outcome::Of(Analysis().Engine());
  const Positions added = UserEvents().Added(), removed = UserEvents().Removed();
  ASSERT_FALSE(removed.empty());
  PendrelHost::SaveDocumentFile(*hosted, file);
  hosted.reset();
  PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
  hosted = std::move(opened.document);
  EXPECT_TRUE(opened.problems.empty());
  EXPECT_EQ(UserEvents().Added(), added);
  EXPECT_EQ(UserEvents().Removed(), removed);
  EXPECT_EQ(Outcome::Of(Analysis().Engine()), edited);
  hosted.reset();
  fs::remove_all(folder);
}

TEST_F(DocumentMarkers, RemovingWhereNoBeatIsStillReanalyses) {
  // Between two beats of a 60-a-minute heart.
  const LONG beat = BeatAfter(0, 1000);
  Select({beat + 50, 0}, {beat + 150, 0});
  ClearLog();
  Fire(u"Delete Beat Marker");
  EXPECT_EQ(Notices(), (Strings{"start 6", "end 6"}));
  EXPECT_TRUE(UserEvents().Removed().empty());
}

// The Part would add a beat at the "no position" words and keep it in the file.
TEST_F(DocumentMarkers, AddingWithNothingSelectedAddsNothingAndSaysSo) {
  ClearLog();
  EXPECT_FALSE(Analysis().AddMarker());
  EXPECT_TRUE(Notices().empty());
  EXPECT_TRUE(UserEvents().Added().empty());
  EXPECT_EQ(PendrelHost::HostApplication::Instance().StatusText(),
            u"Nothing is selected. Select the place of the beat to add.");
}

TEST_F(DocumentMarkers, ABusyHostEditsNothing) {
  Select({4870, 0}, {4870, 0});
  Data().Sampling().SetBusy(true);
  ClearLog();
  EXPECT_FALSE(Analysis().AddMarker());
  EXPECT_FALSE(Analysis().RemoveMarker());
  EXPECT_FALSE(Analysis().SetAllBeatsNormal());
  EXPECT_TRUE(Notices().empty());
  EXPECT_TRUE(UserEvents().Added().empty());
}

TEST_F(DocumentMarkers, ShowingMarksLinksTheBeatsToTheSourceAndKeepsThemLinkedThroughEdits) {
  const DWORD fiducial = Analysis().Detector().GetFiducialChannel().index;
  ASSERT_TRUE(ExtLib::HasMarkerLink(Data().Identity(), fiducial, 0));
  Select({4870, 0}, {4870, 0});
  Fire(u"Add Beat Marker");
  EXPECT_TRUE(ExtLib::HasMarkerLink(Data().Identity(), fiducial, 0));
  Fire(u"Show Beat Markers");
  EXPECT_FALSE(ExtLib::HasMarkerLink(Data().Identity(), fiducial, 0));
  EXPECT_EQ(Settings().source.markersShown, 0);
  Select({100, 1}, {1200, 1});
  Fire(u"Delete Beat Marker");
  EXPECT_FALSE(ExtLib::HasMarkerLink(Data().Identity(), fiducial, 0));
}

// ---- All beats normal -------------------------------------------------------------------------

TEST_F(DocumentMarkers, AllBeatsNormalWidensTheLimitsToEveryBeat) {
  // Limits that make most of the synthetic beats ectopic, which still enter the series.
  Settings().classifier = {0.95, 1.0, 0.2, 0.3};
  Settings().analysis.excludeEctopic = 0;
  Send(AnalyzeMsg::Id());
  ASSERT_LT(Analysis().Engine().NormalCount(), Analysis().Engine().RRIntervals().GetCount());
  const Rhyth::ClassifierRanges observed = Analysis().Engine().Ranges();
  Settings().dirty = 0;
  Settings().inUse = 0;
  ClearLog();
  ASSERT_EQ(Fire(u"Classify all Beats as Normal"), S_OK);
  EXPECT_EQ(Notices(), (Strings{"start 4", "end 4"}));
  const Rhyth::ClassifierLimits& limits = Settings().classifier;
  EXPECT_DOUBLE_EQ(limits.rrHigh, observed.rrHigh * 1.05);
  EXPECT_DOUBLE_EQ(limits.rrLow, observed.rrLow - 0.05 * observed.rrHigh);
  EXPECT_DOUBLE_EQ(limits.complexityHigh, observed.ffHigh * 1.05);
  EXPECT_EQ(Analysis().Engine().NormalCount(), Analysis().Engine().RRIntervals().GetCount());
  // Kept with the document: marked changed and announced (the Part does neither).
  EXPECT_EQ(Settings().dirty, 1);
  EXPECT_EQ(Settings().inUse, 1);
}

TEST_F(DocumentMarkers, AllBeatsNormalAfterAClearDoesNothing) {
  Send(Rhyth::ClearAnalysisMsg::Id());
  const Rhyth::ClassifierLimits before = Settings().classifier;
  ClearLog();
  EXPECT_FALSE(Analysis().SetAllBeatsNormal());
  EXPECT_TRUE(Notices().empty());
  EXPECT_EQ(Settings().classifier.rrHigh, before.rrHigh);
}

}  // namespace AnalysisDocumentTest
