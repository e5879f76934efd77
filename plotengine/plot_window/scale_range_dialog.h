// Quor::ScaleRange: the modal dialog in which the user types the two ends of one plot scale.
// The plot window makes one for the scale whose menu was shown last, hands it the scale's
// IScaleProxy (which outlives the dialog), runs it, and refreshes the plot when it ends with OK.
// The template ("SCALERANGE" for a vertical scale, "SCALERANGE_HORIZ" for a horizontal one)
// places the high end in control 101 and the low end in 102, with their labels (104, 103) and
// units (106, 105).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/dialogs/dialog_base.h"
#include "controls/edits/validating_edit.h"
#include "plotengine/plot_window/iscale_proxy.h"

namespace Quor {

class ScaleRange : public DialogBase {
 public:
  static constexpr int kHighEdit = 101;
  static constexpr int kLowEdit = 102;
  static constexpr int kLowLabel = 103;
  static constexpr int kHighLabel = 104;
  static constexpr int kLowUnit = 105;
  static constexpr int kHighUnit = 106;

  // `module`: where the template is; null: the program's own.
  ScaleRange(OWL::TWindow* parent, OWL::TResId templateName, OWL::TModule* module = nullptr);
  ~ScaleRange() override;

  // The scale to edit; binds the controls. Call once, before the dialog runs.
  void SetScale(IScaleProxy* scale);

  void SetupWindow() override;
  // Checks the typed ends and, when the scale accepts them, sets its range.
  bool CanClose() override;

 protected:
  // "Top=8", "Bottom=2" (or Right and Left): the ends a person would type, named by their labels.
  std::u16string ApplyAnswerLines(const std::vector<std::u16string>& lines) override;

 private:
  // A message box over the application, captioned with its name.
  void ShowMessage(const String& text);

  IScaleProxy* m_scale = nullptr;  // not owned
  std::unique_ptr<OWL::TStatic> m_highUnit;
  std::unique_ptr<OWL::TStatic> m_lowUnit;
  std::unique_ptr<OWL::TStatic> m_highLabel;
  std::unique_ptr<OWL::TStatic> m_lowLabel;
  std::unique_ptr<DoubleEdit> m_highEdit;
  std::unique_ptr<DoubleEdit> m_lowEdit;
};

}  // namespace Quor
