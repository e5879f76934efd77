#include "analysis/dialogs/settings_dialog.h"

#include <algorithm>
#include <set>

#include "analysis/dialogs/advanced_settings_dialog.h"
#include "analysis/dialogs/dialog_scripts.h"
#include "analysis/dialogs/settings_answer_lines.h"
#include "analysis/document/document.h"

namespace Rhyth {

namespace {

using Scripts = DialogScripts<SettingsDialog>;

constexpr DWORD kSourceWord = 0xC0000000;

// The channels the document computes from its source: the detection chain and the channels of
// its channel calculation.
std::set<DWORD> OwnComputedChannels(Document& document) {
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

}  // namespace

SettingsDialog::SettingsDialog(HWND parent, std::vector<Quor::String> channels,
                               Document& document, Settings& copy, DWORD)
    : m_parent(parent), m_document(document), m_copy(copy) {
  const std::set<DWORD> own = OwnComputedChannels(document);
  for (DWORD index = 0; index < channels.size(); ++index) {
    if (!own.contains(index)) m_choices.push_back({index, std::move(channels[index])});
  }
}

int SettingsDialog::Execute() {
  const win32::ModalDialogAnswer answer = Scripts::RunWithLines(*this, u"SettingsDialog");
  if (answer.answer != IDOK || answer.lines.empty()) return answer.answer;
  const std::u16string refusal = ApplySettingsAnswerLines(*this, answer.lines);
  if (refusal.empty()) return IDOK;
  // The copy is part changed: the answer becomes Cancel, so the command drops it.
  win32::RefuseModalDialogAnswer(refusal);
  return IDCANCEL;
}

bool SettingsDialog::ChooseSource(DWORD index) {
  const bool offered = std::any_of(m_choices.begin(), m_choices.end(),
                                   [index](const SourceChoice& c) { return c.index == index; });
  if (!offered) return false;
  m_copy.source.channelIndex = index;
  m_copy.source.channelWord = kSourceWord;
  return true;
}

void SettingsDialog::PickPreset(DWORD preset) {
  m_copy.ApplyDetectionPreset(preset, preset);
  m_copy.ApplyClassifierPreset(preset);
  m_copy.ApplySpectrumPreset(preset);
}

int SettingsDialog::PressAdvanced() {
  Quor::ComPtr<Settings> clone;
  clone.Attach(m_copy.Clone());
  int answer = IDCANCEL;
  {
    AdvancedSettingsDialog advanced(m_parent, m_document.Host(), *clone.Get());
    answer = advanced.Execute();
  }
  if (answer == IDOK && DetectionParams::IsDifferent(clone->detection, m_copy.detection)) {
    m_copy.detection = clone->detection;
  }
  return answer;
}

void ScriptSettingsDialog(int answer, SettingsDialogScript script) {
  Scripts::Queue(answer, std::move(script));
}

void ClearSettingsDialogScripts() {
  Scripts::Clear();
  DialogScripts<AdvancedSettingsDialog>::Clear();
}

}  // namespace Rhyth
