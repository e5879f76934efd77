#include "controls/gadgets/ux_gadget_window.h"

#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "controls/theme/ux_theme_dll.h"
#include "platform/win32/input.h"

namespace QuorControls {

namespace {

const char16_t* ThemeClass(int kind) { return kind == 1 ? u"BUTTON" : u"TOOLBAR"; }

OWL::TPoint Relative(const OWL::TGadget& gadget, LPARAM point) {
  return OWL::TPoint(GET_X_LPARAM(point) - gadget.GetBounds().left, GET_Y_LPARAM(point) - gadget.GetBounds().top);
}

}  // namespace

UxGadgetWindow::UxGadgetWindow(OWL::TWindow* parent, HFONT font) : TGadgetWindow(parent, Horizontal, font) {
  // The window has no handle yet: the theme is opened for no window.
  m_theme = QuorLinkingUtils::OpenThemeData(nullptr, ThemeClass(m_themeKind));
}

UxGadgetWindow::~UxGadgetWindow() {
  if (m_theme) QuorLinkingUtils::CloseThemeData(m_theme);
}

bool UxGadgetWindow::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_THEMECHANGED, 0, OWL::Handler(&UxGadgetWindow::EvThemeChanged)},
      {WM_MOUSEMOVE, 0, OWL::Handler(&UxGadgetWindow::EvUxMouseMove)},
      {WM_MOUSELEAVE, 0, OWL::Handler(&UxGadgetWindow::EvMouseLeave)},
  };
  return SearchResponseTable(table, info) || TGadgetWindow::Find(info);
}

LRESULT UxGadgetWindow::EvThemeChanged(WPARAM, LPARAM) {
  if (m_theme) QuorLinkingUtils::CloseThemeData(m_theme);
  m_theme = QuorLinkingUtils::OpenThemeData(GetHandle(), ThemeClass(m_themeKind));
  LayoutSession();
  return m_theme != nullptr;
}

LRESULT UxGadgetWindow::EvUxMouseMove(WPARAM modifiers, LPARAM point) {
  if (!m_tracking) {
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetHandle(), 0};
    m_tracking = TrackMouseEvent(&track);
    OWL::TGadget* under = GadgetFromPoint(OWL::TPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point)));
    if (auto* button = dynamic_cast<UxSizableButtonGadget*>(under)) button->MouseEnter(UINT(modifiers), Relative(*button, point));
    Invalidate(false);
  }
  return EvMouseMove(modifiers, point);
}

LRESULT UxGadgetWindow::EvMouseLeave(WPARAM, LPARAM) {
  if (auto* button = dynamic_cast<UxSizableButtonGadget*>(GetGadgetUnderMouse()))
    button->MouseLeave(0, OWL::TPoint(0, 0));
  ForgetMouse();
  m_tracking = false;
  return 0;
}

UxBorderlessGadgetWindow::UxBorderlessGadgetWindow(OWL::TWindow* parent, HFONT font) : UxGadgetWindow(parent, font) {
  Attr.Style = (Attr.Style & ~DWORD(WS_BORDER)) | WS_CHILD;
}

bool UxNoEraseGadgetWindow::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{{WM_ERASEBKGND, 0, OWL::Handler(&UxNoEraseGadgetWindow::EvEraseBkgnd)}};
  return SearchResponseTable(table, info) || UxGadgetWindow::Find(info);
}

}  // namespace QuorControls
