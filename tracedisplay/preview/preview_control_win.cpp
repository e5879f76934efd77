#include "tracedisplay/preview/preview_control_win.h"

#include <string>

#include "platform/owl/gadgets/command_enabler.h"
#include "tracedisplay/preview/preview_data_pane.h"
#include "tracedisplay/windows/trace_display_resources.h"

namespace PendrelDraw {

namespace {

constexpr int kStopBitmap = 106;
constexpr int kStartBitmap = 107;
constexpr int kPauseBitmap = 108;
constexpr DWORD kNoStopButton = 0x40000000;

constexpr UINT kStopTip = 304;
constexpr UINT kStartTip = 305;
constexpr UINT kPauseTip = 306;
// "No %1 available - sampling is disabled", %1 the sampling hardware's name.
constexpr UINT kNoDeviceTip = 311;

// The tip of start in a preview without sampling hardware.
const std::u16string& NoDeviceTip() {
  static const std::u16string tip = [] {
    std::u16string text = TraceDisplayString(kNoDeviceTip);
    const std::size_t at = text.find(u"%1");
    if (at != std::u16string::npos) text.replace(at, 2, u"Plexlo");
    return text;
  }();
  return tip;
}

}  // namespace

PreviewControlWin::PreviewControlWin(OWL::TWindow* parent, PreviewDataPane* pane,
                                     DWORD channelFlags)
    : FixedGadgetWindow(parent, HFONT(GetStockObject(DEFAULT_GUI_FONT))),
      m_pane(pane),
      m_stop(channelFlags & kNoStopButton
                 ? nullptr
                 : new UxSizableButtonGadget(kStopBitmap, kSamplingStopCommand,
                                             OWL::TButtonGadget::Exclusive)),
      m_start(new UxSizableButtonGadget(kStartBitmap, kSamplingStartCommand,
                                        OWL::TButtonGadget::Exclusive)),
      m_pause(new UxSizableButtonGadget(kPauseBitmap, kSamplingPauseCommand,
                                        OWL::TButtonGadget::Exclusive)) {
  Attr.Style &= ~WS_BORDER;
  if (m_stop) Insert(*m_stop);
  Insert(*m_start);
  Insert(*m_pause);
  ShowPressed(m_stop ? m_stop : m_start);
}

bool PreviewControlWin::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_COMMAND, kSamplingStopCommand, OWL::Handler(&PreviewControlWin::EvStop)},
      {WM_COMMAND, kSamplingStartCommand, OWL::Handler(&PreviewControlWin::EvStart)},
      {WM_COMMAND, kSamplingPauseCommand, OWL::Handler(&PreviewControlWin::EvPause)},
      {OWL::WM_COMMAND_ENABLE, 0, OWL::Handler(&PreviewControlWin::EvCommandEnable)},
  };
  return SearchResponseTable(table, info) || FixedGadgetWindow::Find(info);
}

LRESULT PreviewControlWin::EvStop(WPARAM, LPARAM) {
  ShowPressed(m_stop);
  if (m_pane) m_pane->Stop();
  return 0;
}

LRESULT PreviewControlWin::EvStart(WPARAM, LPARAM) {
  ShowPressed(m_start);
  if (m_pane) m_pane->Start();
  // A start that failed leaves the preview stopped.
  if (m_pane && m_pane->SamplingState() == kPreviewStopped) ShowPressed(m_stop);
  return 0;
}

LRESULT PreviewControlWin::EvPause(WPARAM, LPARAM) {
  ShowPressed(m_pause);
  if (m_pane) m_pane->Pause();
  return 0;
}

LRESULT PreviewControlWin::EvCommandEnable(WPARAM, LPARAM parameter) {
  auto* enabler = reinterpret_cast<OWL::TCommandEnabler*>(parameter);
  const bool hasDevice = m_pane && m_pane->SamplingController();
  switch (enabler->GetId()) {
    case kSamplingStartCommand:
      enabler->Enable(hasDevice);
      enabler->SetText((hasDevice ? TraceDisplayString(kStartTip) : NoDeviceTip()).c_str());
      break;
    case kSamplingPauseCommand:
      enabler->Enable(hasDevice &&
                      !(m_stop && m_stop->GetButtonState() == OWL::TButtonGadget::Down));
      enabler->SetText(TraceDisplayString(kPauseTip).c_str());
      break;
    case kSamplingStopCommand:
      enabler->SetText(TraceDisplayString(kStopTip).c_str());
      break;
    default:
      return 0;
  }
  return 0;
}

void PreviewControlWin::ShowPressed(UxSizableButtonGadget* pressed) {
  for (UxSizableButtonGadget* button : {m_stop, m_start, m_pause}) {
    if (!button) continue;
    button->SetButtonState(button == pressed ? OWL::TButtonGadget::Down : OWL::TButtonGadget::Up);
  }
}

void PreviewControlWin::SetRect(const RECT* rect) {
  if (rect && GetHandle()) MoveWindow(OWL::TRect(*rect), false);
}

bool PreviewControlWin::IsEnabled() const { return m_enabled; }

void PreviewControlWin::Enable(bool enabled) {
  m_enabled = enabled;
  for (UxSizableButtonGadget* button : {m_stop, m_start, m_pause}) {
    if (button) button->SetEnabled(enabled);
  }
  if (GetHandle()) EnableWindow(GetHandle(), enabled);
}

void PreviewControlWin::GetPreferredSize(SIZE* size) {
  if (size) *size = GetDesiredSize();
}

void PreviewControlWin::PressStop() {
  ShowPressed(m_stop);
  if (m_pane) m_pane->Stop();
}

}  // namespace PendrelDraw
