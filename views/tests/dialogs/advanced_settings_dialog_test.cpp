// The advanced (detection) settings dialog over the built-in sample (a milli-volt source): its
// sliders, up-down and fields following each other, the preview rebuilt when a value settles,
// the noise in the source's unit, what it refuses, its help; and run from the settings dialog,
// what OK and Cancel hand the document and that the preview's channels go with it.
#include "views/dialogs/advanced_settings_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "analysis/dialogs/settings_dialog.h"
#include "analysis/document/document_ids.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/app/host_application.h"
#include "host/framework/call_log.h"
#include "platform/win32/message_box.h"
#include "views/dialogs/advanced_dialog_runner.h"
#include "views/dialogs/rhyth_preview_pane.h"
#include "views/dialogs/settings_dialog.h"

namespace AdvancedDialogTest {
namespace {

using Rhyth::AdvancedSettingsDialog;

constexpr const char16_t* kPreviewChannels[] = {u"Rhyth_pLPF", u"Rhyth_pDIF", u"Rhyth_pHLB",
                                                u"Rhyth_pENV", u"Rhyth_pNRM", u"Rhyth_pDET",
                                                u"Rhyth_pFID"};

// The formulas of the levelling stage the host received: one per rebuild of the preview's
// chain for a new window or noise.
std::size_t LevellingRebuilds() {
  const std::vector<std::string> formulas = DocumentTest::FormulasReceived();
  return std::size_t(std::count_if(formulas.begin(), formulas.end(), [](const std::string& f) {
    return f.rfind("normalizeSec(", 0) == 0;
  }));
}

void Drag(TJSlider& slider, int from, int to, const std::function<void(int)>& during = {}) {
  for (int position = from; position != to;) {
    position += to > from ? 1 : -1;
    SendMessageW(slider, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
    if (during) during(position);
  }
  SendMessageW(slider, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

class AdvancedDialogSessions : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(AnalysisDocumentTest::SyntheticRecording(20.0));
    AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
    win32::ClearShownMessageBoxes();
  }
  void TearDown() override {
    dialog.reset();
    Rhyth::SetSettingsDialogRunner(&Rhyth::RunSettingsDialogWindow);
    AnalysisHost::TearDown();
  }

  // The dialog over a clone of the document's settings, with its window made, as it stands while
  // it runs.
  AdvancedSettingsDialog& Shown(const std::function<void(Rhyth::Settings&)>& change = {}) {
    dialog.reset();
    clone.Attach(Settings().Clone());
    if (change) change(*clone.Get());
    dialog = std::make_unique<AdvancedSettingsDialog>(nullptr, Analysis(), clone.Get(),
                                                      hosted->DataObject());
    EXPECT_TRUE(dialog->HasTemplate());
    EXPECT_TRUE(dialog->Create());
    return *dialog;
  }

  bool HasChannel(const char16_t* name) {
    auto channels = DocumentTest::Face<IPendrelArithmeticChannels>(hosted->DataObject());
    PendrelChannelRef channel{};
    IQuorString* text = Quor::String(name).GetInterface();
    const bool found = channels->FindChannel(0, text, &channel) == S_OK;
    text->Release();
    return found;
  }
  bool HasPreviewChannels() {
    return std::any_of(std::begin(kPreviewChannels), std::end(kPreviewChannels),
                       [this](const char16_t* name) { return HasChannel(name); });
  }

  Quor::ComPtr<Rhyth::Settings> clone;
  std::unique_ptr<AdvancedSettingsDialog> dialog;
};

TEST_F(AdvancedDialogSessions, TheWindowSliderShowsItsValueWhileDraggedAndRebuildsOnceAtTheEnd) {
  AdvancedSettingsDialog& d = Shown();
  ASSERT_NE(d.Preview(), nullptr);
  ASSERT_EQ(d.WindowSlider().GetPosition(), 50) << "5 s";
  Tarn::ClearRecordedCalls();
  Drag(d.WindowSlider(), 50, 37, [&](int position) {
    if (position == 37) {
      EXPECT_EQ(d.Edit(AdvancedSettingsDialog::kWindowEdit).GetText(), u"3.7");
    }
    EXPECT_EQ(LevellingRebuilds(), 0u) << "nothing rebuilt while dragging, at " << position;
  });
  EXPECT_EQ(d.Edit(AdvancedSettingsDialog::kWindowEdit).GetText(), u"3.7");
  EXPECT_EQ(d.WindowSlider().GetPosition(), 37);
  ASSERT_EQ(LevellingRebuilds(), 1u);
  EXPECT_NE(DocumentTest::FormulasReceived().front().find(",3.7,"), std::string::npos)
      << DocumentTest::FormulasReceived().front();
  EXPECT_DOUBLE_EQ(clone->detection.levellingWindow, Settings().detection.levellingWindow)
      << "the clone waits for OK";
}

// Positions were value / step truncated (0.3 s at 2, 1.15 S.D. at 22), and text that is no valid
// value became a position through an undefined conversion.
TEST_F(AdvancedDialogSessions, TypedValuesPutTheSlidersAtTheNearestStepAndOnlyWhenValid) {
  const struct {
    int edit;
    const char16_t* typed;
    int position;  // 0: the slider stays where it was
  } cases[] = {
      {AdvancedSettingsDialog::kHeightEdit, u"2.5", 50},
      {AdvancedSettingsDialog::kHeightEdit, u"1.15", 23},
      {AdvancedSettingsDialog::kHeightEdit, u"0.05", 1},
      {AdvancedSettingsDialog::kHeightEdit, u"9", 180},
      {AdvancedSettingsDialog::kHeightEdit, u"9.5", 0},
      {AdvancedSettingsDialog::kHeightEdit, u"abc", 0},
      {AdvancedSettingsDialog::kWindowEdit, u"0.3", 3},
      {AdvancedSettingsDialog::kWindowEdit, u"0.7", 7},
      {AdvancedSettingsDialog::kWindowEdit, u"20", 200},
      {AdvancedSettingsDialog::kWindowEdit, u"1e9", 0},
      {AdvancedSettingsDialog::kWindowEdit, u"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Quor::String(c.typed).ToUtf8String());
    AdvancedSettingsDialog& d = Shown();
    TJSlider& slider = c.edit == AdvancedSettingsDialog::kHeightEdit ? d.HeightSlider() : d.WindowSlider();
    const int before = slider.GetPosition();
    d.Edit(c.edit).SetText(c.typed);  // pasted: one change
    EXPECT_EQ(slider.GetPosition(), c.position ? c.position : before);
  }
}

TEST_F(AdvancedDialogSessions, TheUpDownStepsTheHeightWithinItsLimits) {
  const struct {
    const char16_t* height;
    int arrow;
    const char16_t* shows;
  } cases[] = {
      {u"8.98", +1, u"9"}, {u"0.07", -1, u"0.05"}, {u"3", +1, u"3.05"}, {u"3", -1, u"2.95"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(Quor::String(c.height).ToUtf8String());
    AdvancedSettingsDialog& d = Shown();
    d.Type(AdvancedSettingsDialog::kHeightEdit, c.height);
    d.HeightUpDown().PressArrow(c.arrow);
    EXPECT_EQ(d.Edit(AdvancedSettingsDialog::kHeightEdit).GetText(), c.shows);
  }
}

TEST_F(AdvancedDialogSessions, TheNoiseIsShownAndTakenInTheSourceUnit) {
  AdvancedSettingsDialog& d = Shown([](Rhyth::Settings& s) { s.detection.noiseLevel = 0.002; });
  EXPECT_EQ(d.Edit(AdvancedSettingsDialog::kNoiseEdit).GetText(), u"2");
  EXPECT_EQ(d.NoiseUnit().GetText(), u"mV");
  d.Type(AdvancedSettingsDialog::kNoiseEdit, u"3");
  ASSERT_TRUE(d.CanClose());
  EXPECT_DOUBLE_EQ(clone->detection.noiseLevel, 0.003);
}

TEST_F(AdvancedDialogSessions, AnInvalidValueIsMarkedTheOkRefusedAndThePreviewKept) {
  AdvancedSettingsDialog& d = Shown();
  ASSERT_NE(d.Preview(), nullptr);
  const IPendrelRecordDrawer* beats = d.Preview()->Drawers().at(2).drawer.Get();
  Tarn::ClearRecordedCalls();
  d.Type(AdvancedSettingsDialog::kQrsWidthEdit, u"5");
  EXPECT_FALSE(d.MarkOf(AdvancedSettingsDialog::kQrsWidthEdit).GetText().IsEmpty());
  EXPECT_TRUE(DocumentTest::FormulasReceived().empty());
  EXPECT_EQ(d.Preview()->Drawers().at(2).drawer.Get(), beats) << "the preview stays as it was";

  EXPECT_FALSE(d.CanClose());
  const auto runs = win32::ShownDialogs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].name, u"INVALIDSETTINGSDLG");
  EXPECT_DOUBLE_EQ(clone->detection.qrsWidth, Settings().detection.qrsWidth);
}

TEST_F(AdvancedDialogSessions, HelpAsksForTheSignalPreprocessingTopic) {
  PendrelHost::HostApplication::Instance().Reset();
  Shown().Help().Click();
  using Request = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(PendrelHost::HostApplication::Instance().HelpRequests(),
            (std::vector<Request>{{u"Rhyth_Signal_Preprocessing", u"RhythHelp"}}));
}

TEST_F(AdvancedDialogSessions, ThePreviewChannelsGoWithTheDialogHoweverItEnds) {
  for (const int answer : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(answer);
    clone.Attach(Settings().Clone());
    {
      AdvancedSettingsDialog advanced(nullptr, Analysis(), clone.Get(), hosted->DataObject());
      EXPECT_TRUE(HasChannel(u"Rhyth_pFID"));
      win32::QueueModalDialogAnswer(answer, {u"type Minimum peak height=4"});
      EXPECT_EQ(advanced.Execute(), answer);
    }
    EXPECT_FALSE(HasPreviewChannels());
    EXPECT_DOUBLE_EQ(clone->detection.minPeakHeight, answer == IDOK ? 4.0 : 3.0);
  }
}

// ---- Run from the settings dialog ------------------------------------------------------------

// A person chooses Custom, accepts Advanced... (answered by the queue) and presses Cancel.
int CancelAfterAdvanced(HWND, std::vector<Quor::String> channels, Rhyth::Document& document,
                        Rhyth::Settings& copy, IUnknown* hostData) {
  Rhyth::SettingsDialog settings(nullptr, std::move(channels), document, &copy, hostData);
  EXPECT_TRUE(settings.Create());
  settings.Preset().Choose(int(Rhyth::kCustomPreset));
  settings.Advanced().Click();
  EXPECT_DOUBLE_EQ(copy.detection.minPeakHeight, 4.0) << "the copy took the advanced values";
  settings.Destroy(IDCANCEL);
  return IDCANCEL;
}

TEST_F(AdvancedDialogSessions, OkAfterAdvancedTakesTheDetectionBlockAndCancelNothing) {
  Quor::ComPtr<Rhyth::Settings> opened;
  opened.Attach(Settings().Clone());
  const std::vector<std::u16string> advancedLines = {u"type Minimum peak height=4",
                                                     u"type Low pass filter=40"};

  Rhyth::SetSettingsDialogRunner(&CancelAfterAdvanced);
  win32::QueueModalDialogAnswer(IDOK, advancedLines);
  EXPECT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  EXPECT_EQ(Settings().Compare(opened.Get()), 0u);
  EXPECT_FALSE(HasPreviewChannels());

  Rhyth::SetSettingsDialogRunner(&Rhyth::RunSettingsDialogWindow);
  win32::ClearShownMessageBoxes();
  win32::QueueModalDialogAnswer(IDOK, {u"choose Preset=Custom", u"click Advanced..."});
  win32::QueueModalDialogAnswer(IDOK, advancedLines);
  EXPECT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
  const auto runs = win32::ShownDialogs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].name, u"Rhyth Detector Settings");
  EXPECT_EQ(runs[0].refusal + runs[1].refusal, u"");
  Quor::ComPtr<Rhyth::Settings> expected;
  expected.Attach(opened->Clone());
  expected->detection.preset = Rhyth::kCustomPreset;
  expected->detection.minPeakHeight = 4.0;
  expected->detection.lowPassCutoff = 40.0;
  EXPECT_FALSE(Rhyth::DetectionParams::IsDifferent(Settings().detection, expected->detection));
  EXPECT_EQ(Settings().Compare(expected.Get()), 0u) << "nothing but the detection block";
  EXPECT_FALSE(HasPreviewChannels());
}

}  // namespace
}  // namespace AdvancedDialogTest
