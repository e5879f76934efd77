#include "tracedisplay/windows/trace_control_window.h"

#include "tracedisplay/windows/gadget_strip.h"
#include "tracedisplay/windows/trace_display_resources.h"

namespace PendrelDraw {

namespace {

constexpr int kStackImage = 209;
constexpr int kOverlayImage = 210;
constexpr int kSourceOnlyImage = 211;
constexpr int kSpacerId = 30000;
constexpr int kSpacerWidth = 6;

constexpr UINT kStackHint = 301;
constexpr UINT kOverlayHint = 302;
constexpr UINT kSourceOnlyHint = 303;

// The gap between the mode buttons and the source-only toggle.
class SpacerGadget : public OWL::TGadget {
 public:
  SpacerGadget() : OWL::TGadget(kSpacerId) {}
  void GetDesiredSize(OWL::TSize& size) override { size = OWL::TSize(kSpacerWidth, 0); }
};

}  // namespace

TraceControlWin::TraceControlWin(OWL::TWindow* parent, TraceModeTarget target, DWORD modes)
    : FixedGadgetWindow(parent, HFONT(GetStockObject(DEFAULT_GUI_FONT))),
      m_target(std::move(target)),
      m_stack(new UxSizableButtonGadget(kStackImage, kStack, OWL::TButtonGadget::Command)),
      m_overlay(new UxSizableButtonGadget(kOverlayImage, kOverlay, OWL::TButtonGadget::Command)),
      m_sourceOnly(new UxSizableButtonGadget(kSourceOnlyImage, kSourceOnly, OWL::TButtonGadget::NonExclusive)),
      m_modes(modes) {
  Attr.Style &= ~DWORD(WS_BORDER);
  Insert(*m_stack);
  Insert(*m_overlay);
  Insert(*new SpacerGadget);
  Insert(*m_sourceOnly);
}

void TraceControlWin::SetupWindow() {
  FixedGadgetWindow::SetupWindow();
  SetModes(m_modes);
}

bool TraceControlWin::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_COMMAND, kStack, OWL::Handler(&TraceControlWin::EvCommand)},
      {WM_COMMAND, kOverlay, OWL::Handler(&TraceControlWin::EvCommand)},
      {WM_COMMAND, kSourceOnly, OWL::Handler(&TraceControlWin::EvCommand)},
      {OWL::WM_COMMAND_ENABLE, 0, OWL::Handler(&TraceControlWin::EvCommandEnable)},
  };
  return SearchResponseTable(table, info) || FixedGadgetWindow::Find(info);
}

bool TraceControlWin::SourceOnlyPressed() const {
  return m_sourceOnly->GetButtonState() == OWL::TButtonGadget::Down;
}

void TraceControlWin::ChooseLastMode() { m_target(m_stacked ? kStack : kOverlay, 0); }

LRESULT TraceControlWin::EvCommand(WPARAM wParam, LPARAM) {
  if (!m_target) return 0;
  switch (LOWORD(wParam)) {
    case kStack:
      m_target(kStack, 0);
      m_stacked = true;
      break;
    case kOverlay:
      m_target(kOverlay, 0);
      m_stacked = false;
      break;
    case kSourceOnly:
      if (SourceOnlyPressed()) {
        m_target(kSourceOnly, 1);
      } else {
        m_target(kSourceOnly, 2);
        ChooseLastMode();
      }
      break;
    default: break;
  }
  // Stack and overlay follow the toggle at once.
  EnableGadgetCommands(*this);
  return 0;
}

LRESULT TraceControlWin::EvCommandEnable(WPARAM, LPARAM lParam) {
  auto* enabler = reinterpret_cast<OWL::TCommandEnabler*>(lParam);
  if (!enabler) return 0;
  switch (enabler->GetId()) {
    case kStack:
      enabler->SetText(TraceDisplayString(kStackHint).c_str());
      if (m_target) enabler->Enable(!SourceOnlyPressed() && (m_modes & kStack));
      break;
    case kOverlay:
      enabler->SetText(TraceDisplayString(kOverlayHint).c_str());
      if (m_target) enabler->Enable(!SourceOnlyPressed() && (m_modes & kOverlay));
      break;
    case kSourceOnly:
      enabler->SetText(TraceDisplayString(kSourceOnlyHint).c_str());
      if (m_target) enabler->Enable(m_modes & kSourceOnly);
      break;
    default: break;
  }
  return 0;
}

void TraceControlWin::SetRect(const RECT* rect) {
  if (rect && GetHandle())
    ::MoveWindow(GetHandle(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, FALSE);
}

bool TraceControlWin::IsEnabled() const { return GetHandle() && IsWindowEnabled(GetHandle()); }

void TraceControlWin::Enable(bool enabled) {
  if (GetHandle()) EnableWindow(GetHandle(), enabled);
}

void TraceControlWin::GetPreferredSize(SIZE* size) {
  if (size) *size = GetDesiredSize();
}

void TraceControlWin::SetModes(DWORD modes) {
  m_modes = modes;
  m_stack->SetEnabled(modes & kStack);
  m_overlay->SetEnabled(modes & kOverlay);
  m_sourceOnly->SetEnabled(modes & kSourceOnly);
}

}  // namespace PendrelDraw
