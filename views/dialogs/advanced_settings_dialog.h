// Rhyth::AdvancedSettingsDialog: the detection settings of the Custom preset (template 500,
// "Rhyth Detector Settings"), with a live preview of the beats they find. The settings dialog's
// "Advanced..." runs it modally over a clone of its copy and takes the clone's detection block
// when it ends with OK. The six values are typed into their fields; the levelling window and
// the minimum peak height also follow sliders (and the height an up-down). Every change reads
// the values into a scratch copy and, when all are valid, has the preview rebuild its private
// detection chain; a slider rebuilds only when its drag ends. The noise is shown in the source
// channel's unit with its prefix. The preview's host channels go with the dialog, however it
// ends. Help (509) opens "Rhyth_Signal_Preprocessing".
//
// Scripted, it takes the lines of an OK answer as a person acts: "type LABEL=TEXT" types into
// the field of that label, "click CAPTION" clicks a button, and "preview FILE" writes what the
// preview shows at that moment as a PNG picture.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/detection/detector.h"
#include "analysis/settings/settings.h"
#include "controls/buttons/bmp_txt_button.h"
#include "controls/dialogs/dialog_base.h"
#include "controls/dialogs/tj_slider.h"
#include "controls/edits/validating_edit.h"
#include "controls/errors/error_provider.h"
#include "core/com_ptr.h"
#include "views/dialogs/refusal_text.h"

namespace Rhyth {

class Document;
class RhythPreviewPane;

class AdvancedSettingsDialog : public RefusingDialog {
 public:
  static constexpr int kTemplateId = 500;
  static constexpr int kWindowEdit = 501;
  static constexpr int kNoiseEdit = 502;
  static constexpr int kWindowSlider = 503;
  static constexpr int kHeightUpDown = 504;
  static constexpr int kHeightEdit = 505;
  static constexpr int kQrsWidthEdit = 506;
  static constexpr int kHeightSlider = 507;
  static constexpr int kMinPeriodEdit = 508;
  static constexpr int kHelpButton = 509;
  static constexpr int kPreviewPlace = 511;
  static constexpr int kNoiseUnit = 516;
  static constexpr int kLowPassEdit = 517;

  // The dialog holds a reference on the document and on `clone`, whose analysis region it opens
  // to all data; `hostData` (the host's data document, may be null) is what the preview reads.
  AdvancedSettingsDialog(OWL::TWindow* parent, Document& document, Settings* clone,
                         IUnknown* hostData);
  ~AdvancedSettingsDialog() override;

  void SetupWindow() override;
  bool CanClose() override;
  bool Find(OWL::TEventInfo& info) override;

  DoubleEdit& Edit(int id) { return *m_edits.at(id); }
  QuorControls::ErrorProvider& MarkOf(int id) { return *m_marks.at(id); }
  TJSlider& WindowSlider() { return *m_windowSlider; }
  TJSlider& HeightSlider() { return *m_heightSlider; }
  OWL::TUpDown& HeightUpDown() { return *m_heightUpDown; }
  OWL::TStatic& NoiseUnit() { return *m_noiseUnit; }
  QuorControls::TBmpTxtButton& Help() { return *m_help; }
  PreviewDetector& Detector() { return m_detector; }
  // Null when there is no host data to preview.
  RhythPreviewPane* Preview() { return m_pane.get(); }
  // What a person does: empties the field key by key and types the text into it.
  void Type(int id, const std::u16string& text);
  // Writes what the preview shows now as a PNG file; false when there is no preview or the file
  // could not be written.
  bool SavePreviewPicture(const std::filesystem::path& file);

 protected:
  std::u16string ApplyAnswerLines(const std::vector<std::u16string>& lines) override;

 private:
  void ReadSourceUnit();
  void MakePreview();
  void MakeControls();
  void TransferToControls();
  // The field's value in the settings' unit, when its text is a number its validator takes.
  std::optional<double> ValidValue(int id);
  void Show(int id, double value);
  // What a field shows per unit of the settings' value.
  double ShownScale(int id) const;
  bool ReadLevellingGroup(Settings& into);
  bool ReadDetectionGroup(Settings& into);
  void RefreshPreview();
  // Puts the slider at the field's value in slider steps, when the value is valid.
  void FollowField(TJSlider& slider, int editId, double step);
  // Shows a slider position in its field without moving the slider back or rebuilding the
  // preview.
  void ShowSliderValue(int editId, double value);
  std::u16string RefusalText();
  std::u16string TypeLine(const std::u16string& line);
  std::u16string ClickLine(const std::u16string& caption);
  std::u16string PreviewLine(const std::u16string& file);

  LRESULT EvNotify(WPARAM, LPARAM);
  LRESULT EvWindowChange(WPARAM, LPARAM);
  LRESULT EvHeightChange(WPARAM, LPARAM);
  LRESULT EvValueChange(WPARAM, LPARAM);
  LRESULT EvHelp(WPARAM, LPARAM);
  void OnSliderTrack(int sliderId, bool ended);
  void OnUpDown(int delta);

  Document& m_document;
  Settings* m_clone;
  IUnknown* m_hostData;
  PreviewDetector m_detector;
  std::u16string m_unitText = u"V";
  double m_noiseScale = 1;  // shown noise per volt
  std::unique_ptr<RhythPreviewPane> m_pane;
  Quor::ComPtr<IUnknown> m_paneSource;
  bool m_setUp = false;
  // While a slider writes its field, the field's change neither moves it nor rebuilds.
  bool m_sliderWriting = false;

  std::map<int, std::unique_ptr<DoubleEdit>> m_edits;
  std::map<int, std::unique_ptr<QuorControls::ErrorProvider>> m_marks;  // by their field's id
  std::unique_ptr<TJSlider> m_windowSlider;
  std::unique_ptr<TJSlider> m_heightSlider;
  std::unique_ptr<OWL::TUpDown> m_heightUpDown;
  std::unique_ptr<OWL::TStatic> m_noiseUnit;
  std::unique_ptr<OWL::TStatic> m_previewPlace;
  std::unique_ptr<QuorControls::TBmpTxtButton> m_help;
};

}  // namespace Rhyth
