#include "analysis/dialogs/settings_dialog.h"

#include <algorithm>

#include "analysis/dialogs/scripted_advanced_dialog.h"
#include "analysis/dialogs/dialog_scripts.h"
#include "analysis/document/document.h"

namespace Rhyth {

namespace {

using Scripts = DialogScripts<ScriptedSettingsDialog>;

// Constant-initialised: a runner set by static construction in another unit is never lost.
SettingsDialogRunner g_runner = nullptr;

}  // namespace

std::set<DWORD> ChannelsComputedFromSource(Document& document) {
  std::set<DWORD> own(document.CalcChannels().begin(), document.CalcChannels().end());
  RhythDetector& detector = document.Detector();
  for (const Quor::String& name :
       {detector.LowPassName(), detector.DerivativeName(), detector.ResampledName(),
        detector.EnvelopeName(), detector.NormalisedName(), detector.PeaksName(),
        detector.FiducialName()}) {
    const auto entry = detector.Find(name);
    if (entry != detector.End() && !entry->second.channel.IsNone()) {
      own.insert(entry->second.channel.index);
    }
  }
  return own;
}

bool SetSettingsDialogRunner(SettingsDialogRunner run) {
  g_runner = run;
  return true;
}

int RunSettingsDialog(HWND parent, std::vector<Quor::String> channels, Document& document,
                      Settings& copy, IUnknown* hostData) {
  if (g_runner) return g_runner(parent, std::move(channels), document, copy, hostData);
  ScriptedSettingsDialog dialog(parent, std::move(channels), document, copy);
  return dialog.Execute();
}

ScriptedSettingsDialog::ScriptedSettingsDialog(HWND parent, std::vector<Quor::String> channels,
                                               Document& document, Settings& copy)
    : m_parent(parent), m_document(document), m_copy(copy) {
  const std::set<DWORD> own = ChannelsComputedFromSource(document);
  for (DWORD index = 0; index < channels.size(); ++index) {
    if (!own.contains(index)) m_choices.push_back({index, std::move(channels[index])});
  }
}

int ScriptedSettingsDialog::Execute() {
  const win32::ModalDialogAnswer answer = Scripts::RunWithLines(*this, u"SettingsDialog");
  if (answer.answer != IDOK || answer.lines.empty()) return answer.answer;
  const std::u16string refusal = ApplySettingsAnswerLines(*this, answer.lines);
  if (refusal.empty()) return IDOK;
  // The copy is part changed: the answer becomes Cancel, so the command drops it.
  win32::RefuseModalDialogAnswer(refusal);
  return IDCANCEL;
}

bool ScriptedSettingsDialog::ChooseSource(DWORD index) {
  const bool offered = std::any_of(m_choices.begin(), m_choices.end(),
                                   [index](const SourceChoice& c) { return c.index == index; });
  if (!offered) return false;
  m_copy.source.channelIndex = index;
  m_copy.source.channelWord = kSourceChannelWord;
  return true;
}

void ScriptedSettingsDialog::PickPreset(DWORD preset) {
  m_copy.ApplyDetectionPreset(preset, preset);
  m_copy.ApplyClassifierPreset(preset);
  m_copy.ApplySpectrumPreset(preset);
}

int ScriptedSettingsDialog::PressAdvanced() {
  Quor::ComPtr<Settings> clone;
  clone.Attach(m_copy.Clone());
  int answer = IDCANCEL;
  {
    ScriptedAdvancedDialog advanced(m_parent, m_document.Host(), *clone.Get());
    answer = advanced.Execute();
  }
  if (answer == IDOK && DetectionParams::IsDifferent(clone->detection, m_copy.detection)) {
    m_copy.detection = clone->detection;
  }
  return answer;
}

SettingsAnswerTarget::TogetherProblem ScriptedSettingsDialog::CheckTogether() {
  if (m_copy.classifier.rrLow >= m_copy.classifier.rrHigh) return TogetherProblem::kRROrder;
  if (m_copy.classifier.complexityLow >= m_copy.classifier.complexityHigh) {
    return TogetherProblem::kComplexityOrder;
  }
  if (!AreUsableValues(m_copy.analysis, m_copy.spectrum)) return TogetherProblem::kSpectrum;
  return TogetherProblem::kNone;
}

void ScriptSettingsDialog(int answer, SettingsDialogScript script) {
  Scripts::Queue(answer, std::move(script));
}

void ClearSettingsDialogScripts() {
  Scripts::Clear();
  DialogScripts<ScriptedAdvancedDialog>::Clear();
}

}  // namespace Rhyth
