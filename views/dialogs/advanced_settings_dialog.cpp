#include "views/dialogs/advanced_settings_dialog.h"

#include <algorithm>
#include <cmath>

#include "analysis/document/document.h"
#include "analysis/module_strings.h"
#include "controls/dialogs/settings_warning_dialog.h"
#include "core/unit_prefix.h"
#include "hostframework/extlib/host_queries.h"
#include "views/dialogs/dialog_help.h"
#include "views/dialogs/dialog_module.h"
#include "views/dialogs/refusal_text.h"
#include "views/dialogs/rhyth_preview_pane.h"

namespace Rhyth {

namespace {

constexpr UINT kHelpTipId = 3;
constexpr int kHelpGlyph = 1002;
// Slider steps: the window in tenths of a second, the height in twentieths of an S.D.
constexpr double kWindowStep = 0.1;
constexpr double kHeightStep = 0.05;
constexpr int kWindowPositions[2] = {1, 200};
constexpr int kHeightPositions[2] = {1, 180};
constexpr int kUpDownRange[2] = {0, 9};
constexpr double kHeightLimits[2] = {0.05, 9};

// A field: its mark, the label it goes by in scripts, what it shows per unit of the settings'
// value (0: the source unit's, known when the dialog is made), and its range as shown.
struct AdvancedField {
  int id;
  int markId;
  const char* label;
  double scale;
  double minimum;
  double maximum;
};

constexpr AdvancedField kFields[] = {
    {AdvancedSettingsDialog::kWindowEdit, 510, "Window", 1, 0.1, 20},
    {AdvancedSettingsDialog::kNoiseEdit, 512, "Noise", 0, 0, 10},
    {AdvancedSettingsDialog::kHeightEdit, 513, "Minimum peak height", 1, 0.05, 9},
    {AdvancedSettingsDialog::kQrsWidthEdit, 514, "Typical QRS width", 1000, 10, 10000},
    {AdvancedSettingsDialog::kMinPeriodEdit, 515, "Minimum period", 1000, 10, 100000},
    {AdvancedSettingsDialog::kLowPassEdit, 518, "Low pass filter", 1, 10, 200},
};

const AdvancedField& FieldOf(int id) {
  return *std::find_if(std::begin(kFields), std::end(kFields),
                       [id](const AdvancedField& field) { return field.id == id; });
}

}  // namespace

AdvancedSettingsDialog::AdvancedSettingsDialog(OWL::TWindow* parent, Document& document,
                                               Settings* clone, IUnknown* hostData)
    : RefusingDialog(parent, kTemplateId, &DialogResourceModule()),
      m_document(document),
      m_clone(clone),
      m_hostData(hostData),
      m_detector(hostData) {
  m_document.AddRef();
  m_clone->AddRef();
  if (m_hostData) m_hostData->AddRef();
  // The preview covers all data, whatever region the analysis has.
  m_clone->analysis.region = {0, 0, kRegionNotSet, kRegionNotSet};
  ReadSourceUnit();
  MakePreview();
  MakeControls();
}

AdvancedSettingsDialog::~AdvancedSettingsDialog() {
  m_pane.reset();
  m_paneSource.Clear();
  // The preview chain is the dialog's own: it leaves no channel behind in the user's file.
  m_detector.DeleteChannels();
  if (m_hostData) m_hostData->Release();
  m_clone->Release();
  m_document.Release();
}

void AdvancedSettingsDialog::ReadSourceUnit() {
  ExtLib::ChannelDataText source;
  if (!ExtLib::GetChannelDataText(m_hostData, 0, m_clone->source.channelIndex, &source)) return;
  const WCHAR letter = UnitPrefixLetter(DWORD(source.prefix));
  const bool prefixed = letter != 0 && letter != u'?';
  m_unitText = (prefixed ? std::u16string(1, letter) : u"") + source.unit.ToStdWString();
  m_noiseScale = prefixed ? std::pow(10.0, -UnitPrefixExponent(letter)) : 1.0;
}

// Without host data there is nothing to preview.
void AdvancedSettingsDialog::MakePreview() {
  if (!m_hostData) return;
  m_pane = std::make_unique<RhythPreviewPane>(this, m_detector, m_clone->source, m_hostData);
  m_paneSource.Attach(m_pane->GetSourceInterface());
  m_pane->RefreshWithSettings(*m_clone);
}

void AdvancedSettingsDialog::MakeControls() {
  for (const AdvancedField& field : kFields) {
    auto edit = std::make_unique<DoubleEdit>(this, field.id, field.minimum, field.maximum);
    auto mark = std::make_unique<QuorControls::ErrorProvider>(this, field.markId);
    edit->SetErrorProvider(mark.get());
    m_marks[field.id] = std::move(mark);
    m_edits[field.id] = std::move(edit);
  }
  m_windowSlider = std::make_unique<TJSlider>(this, kWindowSlider);
  m_heightSlider = std::make_unique<TJSlider>(this, kHeightSlider);
  m_heightUpDown = std::make_unique<OWL::TUpDown>(this, kHeightUpDown);
  m_noiseUnit = std::make_unique<OWL::TStatic>(this, kNoiseUnit);
  // The preview is laid over the placeholder's place.
  m_previewPlace = std::make_unique<OWL::TStatic>(this, kPreviewPlace);
  m_help = std::make_unique<QuorControls::TBmpTxtButton>(this, kHelpButton, ModuleString(kHelpTipId),
                                                         &DialogResourceModule());
}

void AdvancedSettingsDialog::SetupWindow() {
  Quor::DialogBase::SetupWindow();
  if (m_pane) m_pane->Attach();
  m_windowSlider->SetRange(kWindowPositions[0], kWindowPositions[1]);
  m_windowSlider->SetPosition(kWindowPositions[0]);
  m_heightUpDown->SetRange(kUpDownRange[0], kUpDownRange[1]);
  m_heightSlider->SetRange(kHeightPositions[0], kHeightPositions[1]);
  m_heightSlider->SetPosition(kHeightPositions[0]);
  m_help->SetBitmap(kHelpGlyph);
  m_help->Invalidate();
  TransferToControls();
  m_setUp = true;
}

bool AdvancedSettingsDialog::CanClose() {
  // Both groups are read, so that each problem carries its mark.
  const bool edits = Quor::DialogBase::CanClose();
  const bool levelling = m_setUp && ReadLevellingGroup(*m_clone);
  const bool detection = m_setUp && ReadDetectionGroup(*m_clone);
  if (edits && levelling && detection) return true;
  QuorControls::DialogSettingsWarningDlg(this).Execute();
  SetRefusal(RefusalText());
  return false;
}

std::u16string AdvancedSettingsDialog::RefusalText() {
  std::vector<MarkedField> fields;
  for (const AdvancedField& field : kFields) {
    fields.emplace_back(Quor::String::FromUtf8(field.label).ToStdWString(), m_marks[field.id].get());
  }
  return Rhyth::RefusalText(fields);
}

// ---- Controls and the clone ----------------------------------------------------------------

double AdvancedSettingsDialog::ShownScale(int id) const {
  const double scale = FieldOf(id).scale;
  return scale == 0 ? m_noiseScale : scale;
}

void AdvancedSettingsDialog::Show(int id, double value) {
  m_edits[id]->SetText(m_edits[id]->FormatValue(value * ShownScale(id)));
}

void AdvancedSettingsDialog::TransferToControls() {
  const DetectionParams& detection = m_clone->detection;
  Show(kWindowEdit, detection.levellingWindow);
  FollowField(*m_windowSlider, kWindowEdit, kWindowStep);
  Show(kNoiseEdit, detection.noiseLevel);
  m_noiseUnit->SetText(m_unitText);
  Show(kHeightEdit, detection.minPeakHeight);
  FollowField(*m_heightSlider, kHeightEdit, kHeightStep);
  Show(kQrsWidthEdit, detection.qrsWidth);
  Show(kMinPeriodEdit, detection.minPeriod);
  Show(kLowPassEdit, detection.lowPassCutoff);
}

std::optional<double> AdvancedSettingsDialog::ValidValue(int id) {
  DoubleEdit& edit = *m_edits[id];
  if (!edit.IsNumber() || !edit.IsValid(false)) return std::nullopt;
  return edit.GetValue() / ShownScale(id);
}

bool AdvancedSettingsDialog::ReadLevellingGroup(Settings& into) {
  const std::optional<double> window = ValidValue(kWindowEdit);
  const std::optional<double> noise = ValidValue(kNoiseEdit);
  if (window) into.detection.levellingWindow = *window;
  if (noise) into.detection.noiseLevel = *noise;
  return window && noise;
}

bool AdvancedSettingsDialog::ReadDetectionGroup(Settings& into) {
  DetectionParams& detection = into.detection;
  const std::optional<double> height = ValidValue(kHeightEdit);
  const std::optional<double> width = ValidValue(kQrsWidthEdit);
  const std::optional<double> period = ValidValue(kMinPeriodEdit);
  const std::optional<double> lowPass = ValidValue(kLowPassEdit);
  if (height) detection.minPeakHeight = *height;
  if (width) detection.qrsWidth = *width;
  if (period) detection.minPeriod = *period;
  if (lowPass) detection.lowPassCutoff = *lowPass;
  return height && width && period && lowPass;
}

// The clone stays as it is until OK; the preview keeps its last picture while a value is
// invalid.
void AdvancedSettingsDialog::RefreshPreview() {
  if (!m_setUp || !m_pane) return;
  Quor::ComPtr<Settings> scratch;
  scratch.Attach(m_clone->Clone());
  const bool levelling = ReadLevellingGroup(*scratch.Get());
  const bool detection = ReadDetectionGroup(*scratch.Get());
  if (levelling && detection) m_pane->RefreshWithSettings(*scratch.Get());
}

// Rounded to the nearest step: truncated, 0.3 s would land on the step below. Text that is no
// valid value leaves the slider where it is.
void AdvancedSettingsDialog::FollowField(TJSlider& slider, int editId, double step) {
  const std::optional<double> value = ValidValue(editId);
  if (!value) return;
  int minimum = 0, maximum = 0;
  slider.GetRange(minimum, maximum);
  slider.SetPosition(int(std::clamp(std::round(*value / step), double(minimum), double(maximum))));
}

void AdvancedSettingsDialog::ShowSliderValue(int editId, double value) {
  m_sliderWriting = true;
  Show(editId, value);
  m_sliderWriting = false;
}

// ---- Response table ------------------------------------------------------------------------

bool AdvancedSettingsDialog::Find(OWL::TEventInfo& info) {
  using Self = AdvancedSettingsDialog;
  static const OWL::TResponseTable table{
      {WM_NOTIFY, 0, OWL::Handler(&Self::EvNotify)},
      {WM_COMMAND, kWindowEdit, OWL::Handler(&Self::EvWindowChange)},
      {WM_COMMAND, kHeightEdit, OWL::Handler(&Self::EvHeightChange)},
      {WM_COMMAND, kNoiseEdit, OWL::Handler(&Self::EvValueChange)},
      {WM_COMMAND, kQrsWidthEdit, OWL::Handler(&Self::EvValueChange)},
      {WM_COMMAND, kMinPeriodEdit, OWL::Handler(&Self::EvValueChange)},
      {WM_COMMAND, kLowPassEdit, OWL::Handler(&Self::EvValueChange)},
      {WM_COMMAND, kHelpButton, OWL::Handler(&Self::EvHelp)},
  };
  return OWL::SearchResponseTable(table, info) || Quor::DialogBase::Find(info);
}

LRESULT AdvancedSettingsDialog::EvNotify(WPARAM, LPARAM lParam) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header) return 0;
  const int id = int(header->idFrom);
  if (id == kHeightUpDown && header->code == OWL::UDN_DELTAPOS) {
    OnUpDown(reinterpret_cast<const OWL::NMUPDOWN*>(lParam)->iDelta);
  } else if (id == kWindowSlider || id == kHeightSlider) {
    if (header->code == TJSlider::kThumbTrackNotification) OnSliderTrack(id, false);
    if (header->code == TJSlider::kEndTrackNotification) OnSliderTrack(id, true);
  }
  return 0;
}

// While the thumb moves only the field follows; the preview is rebuilt once, when it is let go.
void AdvancedSettingsDialog::OnSliderTrack(int sliderId, bool ended) {
  const bool window = sliderId == kWindowSlider;
  TJSlider& slider = window ? *m_windowSlider : *m_heightSlider;
  const int position = ended ? slider.GetPosition() : slider.GetTrackedPosition();
  ShowSliderValue(window ? kWindowEdit : kHeightEdit,
                  position * (window ? kWindowStep : kHeightStep));
  if (ended) RefreshPreview();
}

// The field's change then moves the slider and rebuilds the preview.
void AdvancedSettingsDialog::OnUpDown(int delta) {
  const double height = m_edits[kHeightEdit]->GetValue() + delta * kHeightStep;
  Show(kHeightEdit, std::clamp(height, kHeightLimits[0], kHeightLimits[1]));
}

LRESULT AdvancedSettingsDialog::EvWindowChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::EN_CHANGE || m_sliderWriting) return 0;
  FollowField(*m_windowSlider, kWindowEdit, kWindowStep);
  RefreshPreview();
  return 0;
}

LRESULT AdvancedSettingsDialog::EvHeightChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) != OWL::EN_CHANGE || m_sliderWriting) return 0;
  FollowField(*m_heightSlider, kHeightEdit, kHeightStep);
  RefreshPreview();
  return 0;
}

LRESULT AdvancedSettingsDialog::EvValueChange(WPARAM wParam, LPARAM) {
  if (HIWORD(wParam) == OWL::EN_CHANGE) RefreshPreview();
  return 0;
}

LRESULT AdvancedSettingsDialog::EvHelp(WPARAM, LPARAM) {
  static const Quor::String topic(u"Rhyth_Signal_Preprocessing");
  ShowDialogHelp(topic);
  return 0;
}

}  // namespace Rhyth
