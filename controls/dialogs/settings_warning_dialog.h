// The small modal notice shown when the user tries to leave a settings dialog while entries are
// invalid: the invalid settings carry the red mark it shows, and must be corrected first. Made
// by the settings dialog for one Execute, centred on its monitor's work area.
#pragma once

#include "controls/dialogs/dialog_base.h"
#include "controls/popups/bitmap_window.h"

namespace QuorControls {

class DialogSettingsWarningDlg : public Quor::DialogBase {
 public:
  static constexpr int kIconControl = 1001;
  static constexpr int kRedMarkBitmap = 201;

  explicit DialogSettingsWarningDlg(OWL::TWindow* parent);
  ~DialogSettingsWarningDlg() override;

  void SetupWindow() override;
  BitmapWindow& RedMark() { return *m_sample; }

 private:
  OWL::TStatic* m_icon;
  BitmapWindow* m_sample;
};

}  // namespace QuorControls
