// The settings command as a person uses it: the dialog opened over a copy of the settings,
// edited (a field, a preset, the source, the advanced dialog) and closed with OK or Cancel, and
// what the document clears and analyses again for each kind of change.
#include <gtest/gtest.h>

#include "analysis/dialogs/scripted_advanced_dialog.h"
#include "analysis/dialogs/settings_dialog.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {
namespace {

using Strings = std::vector<std::string>;
using Rhyth::ScriptedSettingsDialog;

class DocumentSettings : public AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Prepare();
  }

 public:
  void Prepare() {
    Open(SyntheticRecording(20.0));
    AcceptSyntheticBeats(Settings());
    // Analysed over a selection, with a beat the user added.
    Settings().source.selectionOnly = 1;
    Data().Selected().SelectRange({500, 0}, {4500, 0});
    Send(Rhyth::AnalyzeMsg::Id());
    const Rhyth::BeatPosition added{1100, 0};
    Analysis().GetData().UserEvents()->Add(&added, FALSE);
  }
  void RunSettings(int answer, Rhyth::SettingsDialogScript script) {
    Rhyth::ScriptSettingsDialog(answer, std::move(script));
    ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  }
  bool EditsKept() { return Analysis().GetData().UserEvents()->IsEmpty(nullptr) != S_OK; }
};

}  // namespace

TEST_F(DocumentSettings, WhatEachKindOfChangeClearsAndAnalyses) {
  struct Case {
    const char* what;
    int answer;
    Rhyth::SettingsDialogScript change;
    Strings notices;
    bool editsKept;
    LONG regionEnd;
  } cases[] = {
      // The selection moved since the analysis: an unchanged dialog keeps the analysed region
      // and the user's edits (the Part takes the region again and clears them).
      {"unchanged", IDOK, [](ScriptedSettingsDialog&) {}, {}, true, 4500},
      {"cancelled", IDCANCEL,
       [](ScriptedSettingsDialog& d) { d.Copy().detection.lowPassCutoff = 20.0; }, {}, true, 4500},
      {"engine only", IDOK, [](ScriptedSettingsDialog& d) { d.Copy().analysis.binWidth = 0.02; },
       {"start 4", "end 4"}, true, 4500},
      {"detection stages", IDOK,
       [](ScriptedSettingsDialog& d) { d.Copy().detection.lowPassCutoff = 20.0; },
       {"start 5", "start 4", "end 4"}, false, 4500},
      {"region mode", IDOK, [](ScriptedSettingsDialog& d) { d.Copy().source.selectionOnly = 0; },
       {"start 5", "start 4", "end 4"}, false, 5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Prepare();
    Data().Selected().SelectRange({100, 0}, {200, 0});
    ClearLog();
    RunSettings(c.answer, c.change);
    EXPECT_EQ(Notices(), c.notices);
    EXPECT_EQ(EditsKept(), c.editsKept);
    EXPECT_TRUE(Settings().analysis.region.IsSet());
    EXPECT_EQ(Settings().analysis.region.endOffset, c.regionEnd);
    EXPECT_EQ(win32::ShownDialogs().back().answer, c.answer);
  }
}

TEST_F(DocumentSettings, ADialogNobodyAnswersIsCancelled) {
  ClearLog();
  ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  ASSERT_EQ(win32::ShownDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownDialogs()[0].name, u"SettingsDialog");
  EXPECT_EQ(win32::ShownDialogs()[0].answer, IDCANCEL);
  EXPECT_TRUE(Notices().empty());
}

// The Part leaves the clearing's start notice without its end when the host turns busy before
// the analysis that would end it.
TEST_F(DocumentSettings, AClearingNoAnalysisFollowsStillEnds) {
  ClearLog();
  // Idle for the clearing's question, busy for the analysis.
  Data().Sampling().BecomeBusyAfter(1);
  RunSettings(IDOK, [](ScriptedSettingsDialog& d) { d.Copy().detection.lowPassCutoff = 20.0; });
  EXPECT_EQ(Notices(), (Strings{"start 5", "end 5"}));
  Data().Sampling().SetBusy(false);
}

TEST_F(DocumentSettings, AnAnalysisOfANewRegionThatTheBusyHostStopsEndsItsClearing) {
  Data().Selected().SelectRange({100, 0}, {3000, 0});
  win32::QueueMessageBoxAnswer(IDOK);  // discard the edits
  ClearLog();
  Data().Sampling().BecomeBusyAfter(2);
  Send(Rhyth::AnalyzeMsg::Id());
  EXPECT_EQ(Notices(), (Strings{"start 5", "end 5"}));
  Data().Sampling().SetBusy(false);
}

// A source computed from the source itself would make the detection chain a cycle.
TEST_F(DocumentSettings, TheSourceListOffersNoChannelTheModuleComputes) {
  const DWORD fiducial = Analysis().Detector().GetFiducialChannel().index;
  RunSettings(IDCANCEL, [fiducial](ScriptedSettingsDialog& d) {
    ASSERT_FALSE(d.SourceChoices().empty());
    EXPECT_EQ(d.SourceChoices()[0].title, u"ECG");
    for (const Rhyth::SourceChoice& choice : d.SourceChoices()) {
      EXPECT_FALSE(choice.title.ToUtf8String().starts_with("Rhyth_"))
          << choice.title.ToUtf8String();
    }
    EXPECT_FALSE(d.ChooseSource(fiducial));
    EXPECT_EQ(d.Copy().source.channelIndex, 0u);
    EXPECT_TRUE(d.ChooseSource(0));
  });
}

TEST_F(DocumentSettings, PresetsAndTheAdvancedDialogEditTheCopy) {
  Rhyth::ScriptAdvancedDialog(IDOK, [](Rhyth::ScriptedAdvancedDialog& d) {
    d.Clone().detection.minPeakHeight = 2.5;
    EXPECT_TRUE(d.UpdatePreview());
  });
  Rhyth::ScriptAdvancedDialog(IDCANCEL, [](Rhyth::ScriptedAdvancedDialog& d) {
    d.Clone().detection.minPeakHeight = 4.0;
  });
  RunSettings(IDOK, [](ScriptedSettingsDialog& d) {
    d.PickPreset(3);
    EXPECT_EQ(d.Copy().detection.preset, 3u);
    EXPECT_EQ(d.PressAdvanced(), IDOK);
    EXPECT_EQ(d.Copy().detection.minPeakHeight, 2.5);
    EXPECT_EQ(d.PressAdvanced(), IDCANCEL);
    EXPECT_EQ(d.Copy().detection.minPeakHeight, 2.5);
  });
  EXPECT_EQ(Settings().detection.preset, 3u);
  EXPECT_EQ(Settings().detection.minPeakHeight, 2.5);
  // The preview chain went with its dialog.
  PendrelChannelRef preview{};
  IQuorString* name = Quor::String(u"Rhyth_pFID").GetInterface();
  Quor::ComPtr<IPendrelArithmeticChannels> channels;
  Data().Identity()->QueryInterface(IPendrelArithmeticChannels::iid,
                                    Quor::ComPtrOut<IPendrelArithmeticChannels>::Bind(channels));
  EXPECT_EQ(channels->FindChannel(0, name, &preview), S_FALSE);
  name->Release();
}

}  // namespace AnalysisDocumentTest

// Answers given as lines of text, as a host that knows nothing of the dialog's code gives them.
namespace AnalysisDocumentTest {

TEST_F(DocumentSettings, AnswerLinesApplyInOrderOrAreRefusedWhole) {
  win32::QueueModalDialogAnswer(IDOK, {u"preset=guinea pig", u"Low Pass Filter = 45",
                                       u"channel=ECG", u"selectionOnly=0"});
  ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  EXPECT_EQ(Settings().detection.preset, 3u);
  EXPECT_EQ(Settings().detection.lowPassCutoff, 45.0);  // after the preset's 60
  EXPECT_EQ(Settings().classifier.rrLow, 0.35);
  EXPECT_EQ(Settings().source.selectionOnly, 0);

  // The good first line is dropped with the bad second one.
  win32::ClearShownMessageBoxes();
  win32::QueueModalDialogAnswer(IDOK, {u"Minimum period=0.2", u"Minimum period=-1"});
  ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  EXPECT_EQ(Settings().detection.minPeriod, 0.15);
  ASSERT_EQ(win32::ShownDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownDialogs()[0].answer, IDCANCEL);
  EXPECT_EQ(win32::ShownDialogs()[0].refusal, u"Minimum period must be above 0, not -1");

  // The dialog's own labels, a pair of edits under one label, and the names first used.
  win32::ClearShownMessageBoxes();
  win32::QueueModalDialogAnswer(IDOK, {u"pRR threshold=0.02", u"SDARR segment=120",
                                       u"RR Interval = 0.25 - 1.75", u"Complexity=5e-1-2",
                                       u"Exclude ectopics from analysis=0"});
  ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  EXPECT_EQ(win32::ShownDialogs()[0].refusal, u"");
  EXPECT_EQ(Settings().analysis.prrxThreshold, 0.02);
  EXPECT_EQ(Settings().analysis.sdarrSegmentLength, 120.0);
  EXPECT_EQ(Settings().classifier.rrLow, 0.25);
  EXPECT_EQ(Settings().classifier.rrHigh, 1.75);
  EXPECT_EQ(Settings().classifier.complexityLow, 0.5);
  EXPECT_EQ(Settings().classifier.complexityHigh, 2.0);
  EXPECT_EQ(Settings().analysis.excludeEctopic, 0);
  for (const char16_t* pair : {u"HF=0.15", u"HF=-0.4", u"HF=0.15-"}) {
    win32::ClearShownMessageBoxes();
    win32::QueueModalDialogAnswer(IDOK, {pair});
    ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
    EXPECT_EQ(win32::ShownDialogs()[0].answer, IDCANCEL) << Quor::String(pair).ToUtf8String();
  }

  // Lines that come with Cancel are not looked at.
  win32::ClearShownMessageBoxes();
  win32::QueueModalDialogAnswer(IDCANCEL, {u"nonsense"});
  ASSERT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  EXPECT_EQ(win32::ShownDialogs()[0].refusal, u"");
}

}  // namespace AnalysisDocumentTest
