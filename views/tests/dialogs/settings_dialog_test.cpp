// The analysis settings dialog in scripted sessions over the built-in sample: what OK hands the
// document (field by field) and what it refuses, the preset and Advanced... buttons, the band
// edges' ranges as they are typed, and its help.
#include "views/dialogs/settings_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "analysis/document/document_ids.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/app/host_application.h"
#include "platform/win32/message_box.h"
#include "views/dialogs/advanced_dialog_runner.h"

namespace SettingsDialogTest {
namespace {

using Rhyth::SettingsDialog;
using Change = std::function<void(Rhyth::Settings&)>;

constexpr DWORD kRat = 7;

// Every parameter of the settings, by name, so that a difference says which field it is.
void ExpectSameSettings(const Rhyth::Settings& actual, const Rhyth::Settings& expected) {
  using Get = double (*)(const Rhyth::Settings&);
  const std::pair<const char*, Get> fields[] = {
      {"channel index", [](const Rhyth::Settings& s) { return double(s.source.channelIndex); }},
      {"channel word", [](const Rhyth::Settings& s) { return double(s.source.channelWord); }},
      {"selection only", [](const Rhyth::Settings& s) { return double(s.source.selectionOnly); }},
      {"region start", [](const Rhyth::Settings& s) { return double(s.analysis.region.startOffset); }},
      {"region end", [](const Rhyth::Settings& s) { return double(s.analysis.region.endOffset); }},
      {"bin width", [](const Rhyth::Settings& s) { return s.analysis.binWidth; }},
      {"auto bin width", [](const Rhyth::Settings& s) { return double(s.analysis.automaticBinWidth); }},
      {"pRR threshold", [](const Rhyth::Settings& s) { return s.analysis.prrxThreshold; }},
      {"SDARR segment", [](const Rhyth::Settings& s) { return s.analysis.sdarrSegmentLength; }},
      {"exclude ectopics", [](const Rhyth::Settings& s) { return double(s.analysis.excludeEctopic); }},
      {"RR low", [](const Rhyth::Settings& s) { return s.classifier.rrLow; }},
      {"RR high", [](const Rhyth::Settings& s) { return s.classifier.rrHigh; }},
      {"complexity low", [](const Rhyth::Settings& s) { return s.classifier.complexityLow; }},
      {"complexity high", [](const Rhyth::Settings& s) { return s.classifier.complexityHigh; }},
      {"preset", [](const Rhyth::Settings& s) { return double(s.detection.preset); }},
      {"low pass", [](const Rhyth::Settings& s) { return s.detection.lowPassCutoff; }},
      {"levelling window", [](const Rhyth::Settings& s) { return s.detection.levellingWindow; }},
      {"noise", [](const Rhyth::Settings& s) { return s.detection.noiseLevel; }},
      {"peak height", [](const Rhyth::Settings& s) { return s.detection.minPeakHeight; }},
      {"QRS width", [](const Rhyth::Settings& s) { return s.detection.qrsWidth; }},
      {"minimum period", [](const Rhyth::Settings& s) { return s.detection.minPeriod; }},
      {"maximum frequency", [](const Rhyth::Settings& s) { return s.spectrum.maxFrequency; }},
      {"VLF low", [](const Rhyth::Settings& s) { return s.spectrum.vlfLow; }},
      {"VLF high", [](const Rhyth::Settings& s) { return s.spectrum.vlfHigh; }},
      {"LF low", [](const Rhyth::Settings& s) { return s.spectrum.lfLow; }},
      {"LF high", [](const Rhyth::Settings& s) { return s.spectrum.lfHigh; }},
      {"HF low", [](const Rhyth::Settings& s) { return s.spectrum.hfLow; }},
      {"HF high", [](const Rhyth::Settings& s) { return s.spectrum.hfHigh; }},
      {"frequencies", [](const Rhyth::Settings& s) { return double(s.spectrum.frequencyCount); }},
      {"spectral window", [](const Rhyth::Settings& s) { return double(s.spectrum.window); }},
  };
  for (const auto& [name, get] : fields) EXPECT_DOUBLE_EQ(get(actual), get(expected)) << name;
}

void ApplyRat(Rhyth::Settings& s) {
  s.ApplyDetectionPreset(kRat, kRat);
  s.ApplyClassifierPreset(kRat);
  s.ApplySpectrumPreset(kRat);
}

// The detection values an accepted advanced session hands back.
void TunedDetection(Rhyth::Settings& s) {
  s.detection.minPeakHeight = 4.0;
  s.detection.lowPassCutoff = 40.0;
  s.detection.qrsWidth = 0.05;
}

class SettingsDialogSessions : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override {
    AnalysisHost::SetUp();
    Open(AnalysisDocumentTest::SyntheticRecording(20.0));
  }
  void TearDown() override {
    Rhyth::SetAdvancedDialogRunner({});
    AnalysisHost::TearDown();
  }

  // The advanced dialog answers with TunedDetection (accepted) or changes nothing (cancelled).
  void AdvancedAnswers(bool accept) {
    Rhyth::SetAdvancedDialogRunner(
        [accept](OWL::TWindow&, Rhyth::Document&, Rhyth::Settings& clone, IUnknown* hostData) {
          EXPECT_NE(hostData, nullptr) << "the advanced dialog reads the host's data";
          if (accept) TunedDetection(clone);
          return accept;
        });
  }

  // The dialog over a copy of the document's settings, with its window made, as it stands while
  // it runs.
  std::unique_ptr<SettingsDialog> Shown() {
    copy.Attach(Settings().Clone());
    auto dialog = std::make_unique<SettingsDialog>(nullptr, std::vector<Quor::String>{u"ECG"},
                                                   Analysis(), copy.Get(), hosted->DataObject());
    EXPECT_TRUE(dialog->HasTemplate());
    EXPECT_TRUE(dialog->Create());
    return dialog;
  }

  // The settings command, its dialog answered OK with `lines`: the refusal recorded for it.
  std::u16string RunCommand(const std::vector<std::u16string>& lines) {
    win32::ClearShownMessageBoxes();
    win32::QueueModalDialogAnswer(IDOK, lines);
    EXPECT_EQ(Analysis().OnCommand(Rhyth::CommandWord(1)), 0);
    const auto runs = win32::ShownDialogs();
    EXPECT_FALSE(runs.empty());
    if (runs.empty()) return u"no dialog";
    EXPECT_EQ(runs[0].name, u"Rhyth Settings");
    return runs[0].refusal;
  }

  // The marks shown among these fields' marks.
  static std::set<int> Marked(SettingsDialog& dialog, std::initializer_list<int> fields) {
    std::set<int> marked;
    for (const int id : fields)
      if (!dialog.MarkOf(id)->GetText().IsEmpty()) marked.insert(id);
    return marked;
  }

  Quor::ComPtr<Rhyth::Settings> copy;
};

TEST_F(SettingsDialogSessions, WhatOkHandsTheDocument) {
  struct Session {
    const char* what;
    Change before;  // the document's settings before the session
    bool advancedAccepts;
    std::vector<std::u16string> lines;
    Change change;  // null: refused, the document keeps its settings
    const char16_t* refusal = nullptr;
  } sessions[] = {
      {"RR limits typed high first", [](auto& s) { s.classifier.rrLow = 0.5; }, false,
       {u"type RR Interval=1200-800"},
       [](auto& s) {
         s.classifier.rrLow = 0.8;
         s.classifier.rrHigh = 1.2;
       }},
      {"Custom keeps every value", nullptr, false, {u"choose Preset=Custom"},
       [](auto& s) { s.detection.preset = Rhyth::kCustomPreset; }},
      {"Rat takes the rat preset", nullptr, false, {u"choose Preset=Rat"}, ApplyRat},
      {"an accepted Advanced... gives its detection values", nullptr, true,
       {u"choose Preset=Custom", u"click Advanced..."},
       [](auto& s) {
         s.detection.preset = Rhyth::kCustomPreset;
         TunedDetection(s);
       }},
      {"a cancelled Advanced... gives nothing", nullptr, false,
       {u"choose Preset=Custom", u"click Advanced..."},
       [](auto& s) { s.detection.preset = Rhyth::kCustomPreset; }},
      {"an accepted Advanced... then a refused OK", nullptr, true,
       {u"choose Preset=Custom", u"click Advanced...", u"type Number of frequencies=9"}, nullptr,
       u"Number of frequencies (Value must be in range 10 to 10000.)"},
      {"9 frequencies", nullptr, false, {u"type Number of frequencies=9"}, nullptr,
       u"One or more settings are invalid and need correcting."},
      {"10001 frequencies", nullptr, false, {u"type Number of frequencies=10001"}, nullptr,
       u"Number of frequencies (Value must be in range 10 to 10000.)"},
      {"the Selection option", nullptr, false, {u"click Selection"},
       [](auto& s) { s.source.selectionOnly = 1; }},
      {"a channel chosen", [](auto& s) { s.source.channelWord = 0x00010002; }, false,
       {u"choose Data source=ECG"}, [](auto& s) { s.source.channelWord = 0xC0000000; }},
      {"a decimal comma", nullptr, false, {u"type SDARR averaging=1,5"}, nullptr,
       u"SDARR averaging (Value must be in range 1 to 3600.)"},
      // Stored as it stood, the index of no channel went into the settings as -1.
      {"no channel chosen", [](auto& s) { s.source.channelIndex = 7; }, false, {}, nullptr,
       u"Data source (Choose the channel to analyze.)"},
      {"a disabled Advanced...", nullptr, true, {u"click Advanced..."}, nullptr,
       u"'Advanced...' is disabled"},
      // Lines in the settings' own units go into the fields that show them.
      {"a preset and a field in seconds", nullptr, false,
       {u"preset=Rat", u"pRR threshold=0.02", u"RR Interval=0.1-0.2"},
       [](auto& s) {
         ApplyRat(s);
         s.analysis.prrxThreshold = 0.02;
         s.classifier.rrLow = 0.1;
         s.classifier.rrHigh = 0.2;
       }},
      {"a detection value takes the Custom preset", nullptr, false, {u"Low pass filter=40"},
       [](auto& s) {
         s.detection.preset = Rhyth::kCustomPreset;
         s.detection.lowPassCutoff = 40;
       }},
      {"limits named out of order", nullptr, false, {u"RR low limit=1.5"}, nullptr,
       u"RR low limit must be below RR high limit"},
  };
  Quor::ComPtr<Rhyth::Settings> opened;
  opened.Attach(Settings().Clone());
  for (const Session& session : sessions) {
    SCOPED_TRACE(session.what);
    Settings().CopyFrom(opened.Get());
    if (session.before) session.before(Settings());
    Quor::ComPtr<Rhyth::Settings> expected;
    expected.Attach(Settings().Clone());
    if (session.change) session.change(*expected.Get());
    AdvancedAnswers(session.advancedAccepts);

    const std::u16string refusal = RunCommand(session.lines);
    if (session.refusal) {
      EXPECT_NE(refusal.find(session.refusal), std::u16string::npos) << Quor::String(refusal.c_str()).ToUtf8String();
    } else {
      EXPECT_EQ(refusal, u"");
    }
    ExpectSameSettings(Settings(), *expected.Get());
  }
}

TEST_F(SettingsDialogSessions, RefusedOkShowsTheWarningAndMarksAndTheDialogStays) {
  const struct {
    const char* what;
    std::function<void(SettingsDialog&)> act;
    int mark;  // 0: the channel list's
  } cases[] = {
      {"9 frequencies", [](SettingsDialog& d) { d.Type(SettingsDialog::kFrequencyCountEdit, u"9"); },
       SettingsDialog::kFrequencyCountEdit},
      {"10001 frequencies",
       [](SettingsDialog& d) { d.Type(SettingsDialog::kFrequencyCountEdit, u"10001"); },
       SettingsDialog::kFrequencyCountEdit},
      {"1,5", [](SettingsDialog& d) { d.Type(SettingsDialog::kMaxFrequencyEdit, u"1,5"); },
       SettingsDialog::kMaxFrequencyEdit},
      {"no channel", [](SettingsDialog& d) { d.Channel().SetSelIndex(OWL::CB_ERR); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    win32::ClearShownMessageBoxes();
    auto dialog = Shown();
    c.act(*dialog);
    EXPECT_FALSE(dialog->CanClose());
    const auto runs = win32::ShownDialogs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].name, u"INVALIDSETTINGSDLG");
    EXPECT_TRUE(dialog->IsWindow());
    QuorControls::ErrorProvider& mark = c.mark ? *dialog->MarkOf(c.mark) : dialog->ChannelMark();
    EXPECT_FALSE(mark.GetText().IsEmpty());
    EXPECT_EQ(copy->source.channelIndex, Settings().source.channelIndex)
        << "no channel index of -1";
  }
}

TEST_F(SettingsDialogSessions, CustomEnablesAdvancedAndRatRefillsEveryField) {
  auto dialog = Shown();
  EXPECT_FALSE(dialog->AdvancedEnabled());
  dialog->Type(SettingsDialog::kRrLowEdit, u"700");
  dialog->Type(SettingsDialog::kBinWidthEdit, u"20");
  std::map<int, std::u16string> shown;
  for (const int id : {120, 121, 126, 130, 132, 134, 135, 138, 139, 142, 143, 150, 151, 154, 155}) {
    shown[id] = dialog->Edit(id)->GetText();
  }

  dialog->Preset().Choose(int(Rhyth::kCustomPreset));
  EXPECT_TRUE(dialog->AdvancedEnabled());
  for (const auto& [id, text] : shown) EXPECT_EQ(dialog->Edit(id)->GetText(), text) << id;

  dialog->Preset().Choose(int(kRat));
  EXPECT_FALSE(dialog->AdvancedEnabled());
  Quor::ComPtr<Rhyth::Settings> rat;
  rat.Attach(Settings().Clone());
  ApplyRat(*rat.Get());
  const auto shows = [&](int id, double value) {
    EXPECT_EQ(dialog->Edit(id)->GetText(),
              static_cast<DoubleEdit*>(dialog->Edit(id))->FormatValue(value))
        << id;
  };
  shows(SettingsDialog::kRrLowEdit, rat->classifier.rrLow * 1000);
  shows(SettingsDialog::kRrHighEdit, rat->classifier.rrHigh * 1000);
  shows(SettingsDialog::kComplexityLowEdit, rat->classifier.complexityLow);
  shows(SettingsDialog::kComplexityHighEdit, rat->classifier.complexityHigh);
  shows(SettingsDialog::kMaxFrequencyEdit, rat->spectrum.maxFrequency);
  shows(SettingsDialog::kVlfLowEdit, rat->spectrum.vlfLow);
  shows(SettingsDialog::kVlfHighEdit, rat->spectrum.vlfHigh);
  shows(SettingsDialog::kLfLowEdit, rat->spectrum.lfLow);
  shows(SettingsDialog::kLfHighEdit, rat->spectrum.lfHigh);
  shows(SettingsDialog::kHfLowEdit, rat->spectrum.hfLow);
  shows(SettingsDialog::kHfHighEdit, rat->spectrum.hfHigh);
  // What no preset sets stays as typed.
  EXPECT_EQ(dialog->Edit(SettingsDialog::kBinWidthEdit)->GetText(), u"20");
}

TEST_F(SettingsDialogSessions, BandEdgeRangesFollowWhatIsTyped) {
  using Steps = std::vector<std::pair<int, std::u16string>>;
  constexpr int kMax = SettingsDialog::kMaxFrequencyEdit;
  constexpr int kLfLow = SettingsDialog::kLfLowEdit;
  constexpr int kHfHigh = SettingsDialog::kHfHighEdit;
  const struct {
    const char* what;
    Steps typed;
    std::set<int> marked;
  } cases[] = {
      {"an empty maximum frequency ends the ranges at 10", {{kMax, u""}, {kHfHigh, u"9.5"}}, {kMax}},
      {"past 10 with an empty maximum frequency", {{kMax, u""}, {kHfHigh, u"10.5"}},
       {kMax, kHfHigh}},
      {"a maximum frequency of 0.4 marks an HF high of 0.45 at once", {{kMax, u"0.4"}}, {kHfHigh}},
      {"the mark clears when corrected", {{kMax, u"0.4"}, {kMax, u"0.5"}}, {}},
      {"an LF low above the HF low", {{kLfLow, u"0.2"}}, {kLfLow}},
      {"an LF low below the VLF high", {{kLfLow, u"0.03"}}, {}},
      {"an LF low corrected", {{kLfLow, u"0.2"}, {kLfLow, u"0.1"}}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto dialog = Shown();
    for (const auto& [id, text] : c.typed) dialog->Type(id, text);
    EXPECT_EQ(Marked(*dialog, {kMax, 134, 135, kLfLow, 139, 142, kHfHigh}), c.marked);
  }
  auto dialog = Shown();
  dialog->Type(kMax, u"");
  EXPECT_EQ(static_cast<FltRangeValidator*>(dialog->Edit(kHfHigh)->GetValidator())->GetMax(), 10);
}

TEST_F(SettingsDialogSessions, HelpAsksForTheSettingsTopic) {
  PendrelHost::HostApplication::Instance().Reset();
  auto dialog = Shown();
  dialog->Help().Click();
  using Request = std::pair<std::u16string, std::u16string>;
  EXPECT_EQ(PendrelHost::HostApplication::Instance().HelpRequests(),
            (std::vector<Request>{{u"Rhyth_Settings2", u"RhythHelp"}}));
}

}  // namespace
}  // namespace SettingsDialogTest
