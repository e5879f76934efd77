#include "views/dialogs/settings_dialog.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "analysis/dialogs/settings_dialog.h"
#include "analysis/module_strings.h"
#include "controls/dialogs/settings_warning_dialog.h"
#include "controls/edits/number_text.h"
#include "core/com_ptr.h"
#include "platform/owl/dialog.h"
#include "views/dialogs/advanced_dialog_runner.h"
#include "views/dialogs/dialog_help.h"
#include "views/dialogs/dialog_module.h"
#include "views/dialogs/refusal_text.h"
#include "views/dialogs/settings_fields.h"

namespace Rhyth {

using namespace SettingsFields;

namespace {

constexpr UINT kHelpTipId = 3;
constexpr int kHelpGlyph = 1002;
constexpr UINT kFirstPresetNameId = 18;
constexpr UINT kInvalidValueTitleId = 22022;
constexpr UINT kNoChannelTextId = 1009;
constexpr UINT kComputedChannelTextId = 1010;
// The longest number text the number of frequencies is read from.
constexpr std::size_t kCountTextLimit = 30;

}  // namespace

SettingsDialog::SettingsDialog(OWL::TWindow* parent, std::vector<Quor::String> channels,
                               Document& document, Settings* copy, IUnknown* hostData)
    : RefusingDialog(parent, kTemplateId, &DialogResourceModule()),
      m_channelNames(std::move(channels)),
      m_computedChannels(ChannelsComputedFromSource(document)),
      m_document(document),
      m_copy(copy),
      m_hostData(hostData),
      m_channel(std::make_unique<OWL::TComboBox>(this, kChannelCombo)),
      m_channelMark(std::make_unique<QuorControls::ErrorProvider>(this, kChannelMark)),
      m_wholeChannel(std::make_unique<OWL::TRadioButton>(this, kWholeChannelRadio)),
      m_selection(std::make_unique<OWL::TRadioButton>(this, kSelectionRadio)),
      m_preset(std::make_unique<OWL::TComboBox>(this, kPresetCombo)),
      m_advanced(std::make_unique<OWL::TButton>(this, kAdvancedButton)),
      m_auto(std::make_unique<OWL::TCheckBox>(this, kAutoCheck)),
      m_excludeEctopics(std::make_unique<OWL::TCheckBox>(this, kExcludeEctopicsCheck)) {
  m_copy->AddRef();
  if (m_hostData) m_hostData->AddRef();
  for (DWORD index = 0; index < m_channelNames.size(); ++index) {
    if (!m_computedChannels.contains(index)) m_choices.push_back({index, m_channelNames[index]});
  }
  for (const FieldEntry& field : kFields) {
    std::unique_ptr<ValidatingEdit> edit;
    if (field.id == kFrequencyCountEdit) {
      edit = std::make_unique<IntEdit>(this);
    } else {
      edit = std::make_unique<DoubleEdit>(this, field.id, field.minimum, field.maximum);
    }
    auto mark = std::make_unique<QuorControls::ErrorProvider>(this, field.markId);
    edit->SetErrorProvider(mark.get());
    m_marks[field.id] = std::move(mark);
    m_edits[field.id] = std::move(edit);
  }
  m_help = std::make_unique<QuorControls::TBmpTxtButton>(this, kHelpButton, ModuleString(kHelpTipId),
                                                         &DialogResourceModule());
}

SettingsDialog::~SettingsDialog() {
  if (m_hostData) m_hostData->Release();
  m_copy->Release();
}

ValidatingEdit* SettingsDialog::Edit(int id) {
  const auto found = m_edits.find(id);
  return found == m_edits.end() ? nullptr : found->second.get();
}

QuorControls::ErrorProvider* SettingsDialog::MarkOf(int id) {
  const auto found = m_marks.find(id);
  return found == m_marks.end() ? nullptr : found->second.get();
}

bool SettingsDialog::AdvancedEnabled() const {
  return ::IsWindowEnabled(m_advanced->GetHandle()) != FALSE;
}

void SettingsDialog::EnableAdvanced(bool enable) { ::EnableWindow(m_advanced->GetHandle(), enable); }

void SettingsDialog::SetupWindow() {
  Quor::DialogBase::SetupWindow();
  for (const Quor::String& name : m_channelNames) m_channel->AddString(name.ToStdWString());
  for (DWORD preset = 0; preset < kPresetCount; ++preset) {
    m_preset->AddString(ModuleString(kFirstPresetNameId + preset).ToStdWString());
  }
  m_help->SetBitmap(kHelpGlyph);
  m_help->Invalidate();
  TransferToControls();
  m_setUp = true;
}

bool SettingsDialog::CanClose() {
  // Every check runs, so that each problem carries its mark.
  const bool edits = Quor::DialogBase::CanClose();
  const bool channel = CheckChannel();
  if (m_setUp && edits && channel && TransferFromControls(*m_copy)) return true;
  QuorControls::DialogSettingsWarningDlg(this).Execute();
  SetRefusal(RefusalText());
  return false;
}

std::u16string SettingsDialog::RefusalText() {
  std::vector<MarkedField> fields{{u"Data source", m_channelMark.get()}};
  for (const FieldEntry& field : kFields) {
    fields.emplace_back(Quor::String::FromUtf8(field.label).ToStdWString(), m_marks[field.id].get());
  }
  return Rhyth::RefusalText(fields);
}

// ---- Controls and the copy -----------------------------------------------------------------

std::u16string SettingsDialog::ShownText(int id, double value) {
  if (id == kFrequencyCountEdit) {
    return Quor::String::FromUtf8(std::to_string(std::llround(value))).ToStdWString();
  }
  return static_cast<DoubleEdit&>(*m_edits[id]).FormatValue(value * FieldOf(id)->factor);
}

void SettingsDialog::Show(int id, double value) { m_edits[id]->SetText(ShownText(id, value)); }

void SettingsDialog::TransferToControls() {
  const Settings& copy = *m_copy;
  // An index past the list (a channel gone since) selects none.
  m_channel->SetSelIndex(copy.source.channelIndex < DWORD(m_channel->GetCount())
                             ? int(copy.source.channelIndex)
                             : OWL::CB_ERR);
  m_wholeChannel->SetCheck(copy.source.selectionOnly ? OWL::BF_UNCHECKED : OWL::BF_CHECKED);
  m_selection->SetCheck(copy.source.selectionOnly ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
  m_auto->SetCheck(copy.analysis.automaticBinWidth ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
  Show(kBinWidthEdit, copy.analysis.binWidth);
  Show(kPrrEdit, copy.analysis.prrxThreshold);
  Show(kSdarrEdit, copy.analysis.sdarrSegmentLength);
  m_excludeEctopics->SetCheck(copy.analysis.excludeEctopic ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
  Show(kRrLowEdit, copy.classifier.rrLow);
  Show(kRrHighEdit, copy.classifier.rrHigh);
  Show(kComplexityLowEdit, copy.classifier.complexityLow);
  Show(kComplexityHighEdit, copy.classifier.complexityHigh);
  m_preset->SetSelIndex(copy.detection.preset < kPresetCount ? int(copy.detection.preset)
                                                             : OWL::CB_ERR);
  Show(kMaxFrequencyEdit, copy.spectrum.maxFrequency);
  Show(kFrequencyCountEdit, copy.spectrum.frequencyCount);
  Show(kVlfLowEdit, copy.spectrum.vlfLow);
  Show(kVlfHighEdit, copy.spectrum.vlfHigh);
  Show(kLfLowEdit, copy.spectrum.lfLow);
  Show(kLfHighEdit, copy.spectrum.lfHigh);
  Show(kHfLowEdit, copy.spectrum.hfLow);
  Show(kHfHighEdit, copy.spectrum.hfHigh);
  EnableAdvanced(copy.detection.preset == kCustomPreset);
  // A refill replaces what was typed: the marks follow the new values.
  if (m_setUp) {
    for (const FieldEntry& field : kFields) ShowValidity(field.id);
    UpdateBandRanges();
  }
}

std::optional<double> SettingsDialog::ValidValue(int id) {
  ValidatingEdit& edit = *m_edits[id];
  if (!edit.IsNumber() || !edit.IsValid(false)) return std::nullopt;
  if (id == kFrequencyCountEdit) {
    const std::optional<long> count = ParseWholeLong(edit.GetText().substr(0, kCountTextLimit));
    if (!count) return std::nullopt;
    return double(*count);
  }
  return static_cast<DoubleEdit&>(edit).GetValue() / FieldOf(id)->factor;
}

bool SettingsDialog::ReadPair(int lowId, int highId, double& low, double& high) {
  const std::optional<double> a = ValidValue(lowId), b = ValidValue(highId);
  if (!a || !b) return false;
  low = std::min(*a, *b);
  high = std::max(*a, *b);
  return true;
}

bool SettingsDialog::ReadPreset(Settings& into) {
  const int preset = m_preset->GetSelIndex();
  if (preset < 0 || DWORD(preset) >= kPresetCount) return false;
  return into.ApplyDetectionPreset(DWORD(preset), DWORD(preset)) &&
         into.ApplyClassifierPreset(DWORD(preset)) && into.ApplySpectrumPreset(DWORD(preset));
}

bool SettingsDialog::ReadChannel(Settings& into) {
  if (!CheckChannel()) return false;
  into.source.channelIndex = DWORD(m_channel->GetSelIndex());
  into.source.channelWord = kSourceChannelWord;
  return true;
}

bool SettingsDialog::ReadAnalysisGroup(Settings& into) {
  into.analysis.automaticBinWidth = m_auto->GetCheck() == OWL::BF_CHECKED;
  const std::optional<double> binWidth = ValidValue(kBinWidthEdit);
  const std::optional<double> threshold = ValidValue(kPrrEdit);
  if (binWidth) into.analysis.binWidth = *binWidth;
  if (threshold) into.analysis.prrxThreshold = *threshold;
  if (const std::optional<double> segment = ValidValue(kSdarrEdit)) {
    into.analysis.sdarrSegmentLength = *segment;
  }
  into.analysis.excludeEctopic = m_excludeEctopics->GetCheck() == OWL::BF_CHECKED;
  return binWidth && threshold;
}

bool SettingsDialog::ReadClassificationGroup(Settings& into) {
  ClassifierLimits& limits = into.classifier;
  const bool rr = ReadPair(kRrLowEdit, kRrHighEdit, limits.rrLow, limits.rrHigh);
  const bool complexity =
      ReadPair(kComplexityLowEdit, kComplexityHighEdit, limits.complexityLow, limits.complexityHigh);
  return rr && complexity;
}

bool SettingsDialog::ReadSpectrumGroup(Settings& into) {
  SpectrumParams& spectrum = into.spectrum;
  const std::optional<double> maximum = ValidValue(kMaxFrequencyEdit);
  const std::optional<double> count = ValidValue(kFrequencyCountEdit);
  if (maximum) spectrum.maxFrequency = *maximum;
  if (count) spectrum.frequencyCount = DWORD(*count);
  const bool vlf = ReadPair(kVlfLowEdit, kVlfHighEdit, spectrum.vlfLow, spectrum.vlfHigh);
  const bool lf = ReadPair(kLfLowEdit, kLfHighEdit, spectrum.lfLow, spectrum.lfHigh);
  const bool hf = ReadPair(kHfLowEdit, kHfHighEdit, spectrum.hfLow, spectrum.hfHigh);
  return maximum && count && vlf && lf && hf;
}

bool SettingsDialog::TransferFromControls(Settings& into) {
  // The preset first: the edits read after it win over its classification and spectrum values.
  const bool preset = ReadPreset(into);
  const bool channel = ReadChannel(into);
  into.source.selectionOnly = m_selection->GetCheck() == OWL::BF_CHECKED;
  const bool analysis = ReadAnalysisGroup(into);
  const bool classification = ReadClassificationGroup(into);
  const bool spectrum = ReadSpectrumGroup(into);
  return preset && channel && analysis && classification && spectrum;
}

// With no channel chosen the index would be stored as -1; a channel computed from the source
// would make the detection read its own output.
bool SettingsDialog::CheckChannel() {
  const int chosen = m_channel->GetSelIndex();
  UINT problem = 0;
  if (chosen == OWL::CB_ERR) {
    problem = kNoChannelTextId;
  } else if (m_computedChannels.contains(DWORD(chosen))) {
    problem = kComputedChannelTextId;
  }
  if (problem) {
    m_channelMark->SetError(true, ModuleString(kInvalidValueTitleId), ModuleString(problem));
  } else {
    m_channelMark->SetError(false, Quor::String(), Quor::String());
  }
  return problem == 0;
}

// ---- Live band ranges ----------------------------------------------------------------------

std::optional<double> SettingsDialog::TypedNumber(int id) {
  const std::optional<double> value = ParseWholeDouble(m_edits[id]->GetText());
  if (value && std::isfinite(*value)) return value;
  return std::nullopt;
}

void SettingsDialog::ShowValidity(int id) {
  ValidatingEdit& edit = *m_edits[id];
  if (edit.IsNumber() && edit.IsValid(false)) {
    m_marks[id]->SetError(false, Quor::String(), Quor::String());
  } else if (edit.GetValidator()) {
    edit.GetValidator()->Error(&edit);
  }
}

void SettingsDialog::UpdateBandRanges() {
  const auto number = [this](int id) { return TypedNumber(id); };
  const double top = std::clamp(number(kMaxFrequencyEdit).value_or(10.0), 0.0, 10.0);
  const auto edge = [&](int id, double fallback) {
    return std::clamp(number(id).value_or(fallback), 0.0, top);
  };
  const double vlfLow = edge(kVlfLowEdit, 0);
  const double lfLow = edge(kLfLowEdit, vlfLow);
  const double vlfHigh = edge(kVlfHighEdit, vlfLow);
  const double hfLow = edge(kHfLowEdit, lfLow);
  const double lfHigh = edge(kLfHighEdit, vlfHigh);
  const double hfHigh = edge(kHfHighEdit, hfLow);
  // Low edges rise VLF to LF to HF, high edges likewise; no low edge passes its own high edge,
  // and the HF high edge does not pass the maximum frequency. Neighbouring bands may overlap.
  const std::pair<int, double> bounds[] = {
      {kVlfLowEdit, std::min(lfLow, vlfHigh)}, {kLfLowEdit, std::min(hfLow, lfHigh)},
      {kVlfHighEdit, lfHigh},                  {kHfLowEdit, hfHigh},
      {kLfHighEdit, hfHigh},                   {kHfHighEdit, top},
  };
  for (const auto& [id, upper] : bounds) {
    ValidatingEdit& edit = *m_edits[id];
    if (auto* range = dynamic_cast<FltRangeValidator*>(edit.GetValidator())) {
      range->SetRange(0, upper);
    } else {
      edit.SetValidator(new QuorControls::FltRangeValidatorErrProv(0, upper, m_marks[id].get()));
    }
    ShowValidity(id);
  }
}

// ---- Response table ------------------------------------------------------------------------

bool SettingsDialog::Find(OWL::TEventInfo& info) {
  using Self = SettingsDialog;
  static const OWL::TResponseTable table{
      {WM_COMMAND, kChannelCombo, OWL::Handler(&Self::EvChannelChange)},
      {WM_COMMAND, kWholeChannelRadio, OWL::Handler(&Self::EvRegionClick)},
      {WM_COMMAND, kSelectionRadio, OWL::Handler(&Self::EvRegionClick)},
      {WM_COMMAND, kPresetCombo, OWL::Handler(&Self::EvPresetChange)},
      {WM_COMMAND, kAdvancedButton, OWL::Handler(&Self::EvAdvanced)},
      {WM_COMMAND, kAutoCheck, OWL::Handler(&Self::EvAuto)},
      {WM_COMMAND, kMaxFrequencyEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kVlfLowEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kVlfHighEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kLfLowEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kLfHighEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kHfLowEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kHfHighEdit, OWL::Handler(&Self::EvBandChange)},
      {WM_COMMAND, kHelpButton, OWL::Handler(&Self::EvHelp)},
  };
  return OWL::SearchResponseTable(table, info) || Quor::DialogBase::Find(info);
}

LRESULT SettingsDialog::EvChannelChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::CBN_SELCHANGE || m_channel->GetSelIndex() == OWL::CB_ERR) return 0;
  m_copy->source.channelIndex = DWORD(m_channel->GetSelIndex());
  m_copy->source.channelWord = kSourceChannelWord;
  CheckChannel();
  return 0;
}

// The two options are one group; the choice goes into the copy at once, so that a preset's
// refill of the controls keeps it.
LRESULT SettingsDialog::EvRegionClick(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::BN_CLICKED) return 0;
  const bool selection = LOWORD(wParam) == kSelectionRadio;
  m_wholeChannel->SetCheck(selection ? OWL::BF_UNCHECKED : OWL::BF_CHECKED);
  m_selection->SetCheck(selection ? OWL::BF_CHECKED : OWL::BF_UNCHECKED);
  m_copy->source.selectionOnly = selection;
  return 0;
}

LRESULT SettingsDialog::EvPresetChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::CBN_SELCHANGE) return 0;
  const int preset = m_preset->GetSelIndex();
  if (preset < 0 || DWORD(preset) >= kPresetCount) return 0;
  m_copy->ApplyDetectionPreset(DWORD(preset), DWORD(preset));
  m_copy->ApplyClassifierPreset(DWORD(preset));
  m_copy->ApplySpectrumPreset(DWORD(preset));
  if (m_copy->detection.preset == kCustomPreset) {
    EnableAdvanced(true);
    return 0;
  }
  // The refill shows the copy: the analysis options typed so far go into it first, or the
  // refill would put back what they were when the dialog opened.
  ReadAnalysisGroup(*m_copy);
  TransferToControls();
  return 0;
}

LRESULT SettingsDialog::EvAdvanced(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::BN_CLICKED) return 0;
  Quor::ComPtr<Settings> clone;
  clone.Attach(m_copy->Clone());
  if (RunAdvancedDialog(*this, m_document, *clone.Get(), m_hostData) &&
      DetectionParams::IsDifferent(clone->detection, m_copy->detection)) {
    m_copy->detection = clone->detection;
  }
  return 0;
}

LRESULT SettingsDialog::EvAuto(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::BN_CLICKED) return 0;
  ReadAnalysisGroup(*m_copy);
  EnableAdvanced(m_copy->detection.preset == kCustomPreset);
  return 0;
}

LRESULT SettingsDialog::EvBandChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) == OWL::EN_CHANGE && m_setUp) UpdateBandRanges();
  return 0;
}

LRESULT SettingsDialog::EvHelp(WPARAM, LPARAM) {
  static const Quor::String topic(u"Rhyth_Settings2");
  ShowDialogHelp(topic);
  return 0;
}

// ---- Running ---------------------------------------------------------------------------------

int RunSettingsDialogWindow(HWND parent, std::vector<Quor::String> channels, Document& document,
                            Settings& copy, IUnknown* hostData) {
  std::unique_ptr<OWL::TWindow> attached;
  OWL::TWindow* owner = OWL::TWindow::FromHandle(parent);
  if (!owner && parent) {
    attached = std::make_unique<OWL::TWindow>(parent);
    owner = attached.get();
  }
  SettingsDialog dialog(owner, std::move(channels), document, &copy, hostData);
  return dialog.Execute() == IDOK ? IDOK : IDCANCEL;
}

namespace {
const bool kRunnerSet = SetSettingsDialogRunner(&RunSettingsDialogWindow);
}  // namespace

}  // namespace Rhyth

extern "C" {
int RhythSettingsDialogAnchor = 0;
}
