#include "controls/dialogs/settings_warning_dialog.h"

#include "controls/placement/work_area.h"
#include "hostframework/this_module.h"
#include "platform/win32/icons.h"

namespace QuorControls {

namespace {

// The icon placeholder: a static control that shows the icon it is given.
class IconStatic final : public OWL::TStatic {
 public:
  using OWL::TStatic::TStatic;

  bool Find(OWL::TEventInfo& info) override {
    static const OWL::TResponseTable table{
        {STM_SETICON, 0, OWL::Handler(&IconStatic::StmSetIcon)},
        {STM_GETICON, 0, OWL::Handler(&IconStatic::StmGetIcon)},
    };
    return OWL::SearchResponseTable(table, info) || OWL::TStatic::Find(info);
  }
  void Paint(OWL::TDC& dc, bool, OWL::TRect&) override { DrawIcon(dc, 0, 0, m_icon); }

 private:
  // The earlier icon comes back.
  LRESULT StmSetIcon(WPARAM icon, LPARAM) {
    const HICON earlier = m_icon;
    m_icon = reinterpret_cast<HICON>(icon);
    Invalidate();
    return reinterpret_cast<LRESULT>(earlier);
  }
  LRESULT StmGetIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_icon); }

  HICON m_icon = nullptr;
};

}  // namespace

DialogSettingsWarningDlg::DialogSettingsWarningDlg(OWL::TWindow* parent)
    : Quor::DialogBase(parent, u"INVALIDSETTINGSDLG", nullptr),
      m_icon(new IconStatic(this, kIconControl)),
      m_sample(new BitmapWindow(this,
                                new OWL::TBitmap(ExtLib::OwnResourceModule(), kRedMarkBitmap))) {
  SetCaption(u"Pendrel");
}

DialogSettingsWarningDlg::~DialogSettingsWarningDlg() {
  delete m_sample;
  delete m_icon;
}

// The system's error icon; a fresh placement record: always centred on the monitor holding most
// of the dialog.
void DialogSettingsWarningDlg::SetupWindow() {
  Quor::DialogBase::SetupWindow();
  m_icon->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(IDI_HAND))));
  WindowPlacementRecord fresh;
  RestoreOrCentreWindow(fresh, GetHandle());
}

}  // namespace QuorControls
