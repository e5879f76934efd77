#include "controls/dialogs/settings_warning_dialog.h"

#include "controls/placement/work_area.h"

namespace QuorControls {

DialogSettingsWarningDlg::DialogSettingsWarningDlg(OWL::TWindow* parent)
    : Quor::DialogBase(parent, u"INVALIDSETTINGSDLG", nullptr),
      m_icon(new OWL::TStatic(this, kIconControl)),
      m_sample(new BitmapWindow(this, new OWL::TBitmap(GetModuleHandleW(nullptr), kRedMarkBitmap))) {
  SetCaption(u"Pendrel");
}

DialogSettingsWarningDlg::~DialogSettingsWarningDlg() {
  delete m_sample;
  delete m_icon;
}

// A fresh placement record: always centred on the monitor holding most of the dialog.
void DialogSettingsWarningDlg::SetupWindow() {
  Quor::DialogBase::SetupWindow();
  WindowPlacementRecord fresh;
  RestoreOrCentreWindow(fresh, GetHandle());
}

}  // namespace QuorControls
