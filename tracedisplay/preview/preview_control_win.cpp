#include "tracedisplay/preview/preview_control_win.h"

#include <algorithm>

#include "core/quor_string.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "tracedisplay/preview/preview_data_pane.h"
#include "tracedisplay/preview/preview_strings.h"

namespace PendrelDraw {

namespace {

constexpr int kStopBitmap = 106;
constexpr int kStartBitmap = 107;
constexpr int kPauseBitmap = 108;
constexpr DWORD kStartsSampling = 0x40000000;

// The name of the sampling hardware in the tip of a preview without it.
const Quor::String& NoDeviceTip() {
  static const Quor::String tip = [] {
    std::u16string text = PreviewString(kNoDeviceTipText).c_str();
    const std::size_t at = text.find(u"%1");
    if (at != std::u16string::npos) text.replace(at, 2, u"Plexlo");
    return Quor::String(text);
  }();
  return tip;
}

}  // namespace

PreviewControlWin::PreviewControlWin(OWL::TWindow* parent, PreviewDataPane* pane, DWORD channelFlags)
    : OWL::TGadgetWindow(parent),
      m_pane(pane),
      m_stop(channelFlags & kStartsSampling
                 ? nullptr
                 : new UxSizableButtonGadget(kStopBitmap, kSamplingStopCommand, OWL::TButtonGadget::Exclusive)),
      m_start(new UxSizableButtonGadget(kStartBitmap, kSamplingStartCommand, OWL::TButtonGadget::Exclusive)),
      m_pause(new UxSizableButtonGadget(kPauseBitmap, kSamplingPauseCommand, OWL::TButtonGadget::Exclusive)) {
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
      {WM_LBUTTONDOWN, 0, OWL::Handler(&PreviewControlWin::EvLButtonDown)},
      {WM_LBUTTONUP, 0, OWL::Handler(&PreviewControlWin::EvLButtonUp)},
  };
  return SearchResponseTable(table, info) || OWL::TGadgetWindow::Find(info);
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
      enabler->SetText((hasDevice ? PreviewString(kStartTipText) : NoDeviceTip()).c_str());
      break;
    case kSamplingPauseCommand:
      enabler->Enable(hasDevice && !(m_stop && m_stop->GetButtonState() == OWL::TButtonGadget::Down));
      enabler->SetText(PreviewString(kPauseTipText).c_str());
      break;
    case kSamplingStopCommand:
      enabler->SetText(PreviewString(kStopTipText).c_str());
      break;
    default:
      return 0;
  }
  return 0;
}

void PreviewControlWin::TellOwner(WPARAM upOrDown) {
  if (const HWND owner = GetParentH()) SendMessageW(owner, kControlMouseMessage, upOrDown, 0);
}

LRESULT PreviewControlWin::EvLButtonDown(WPARAM modifiers, LPARAM point) {
  TellOwner(0);
  return OWL::TGadgetWindow::EvLButtonDown(modifiers, point);
}

LRESULT PreviewControlWin::EvLButtonUp(WPARAM modifiers, LPARAM point) {
  TellOwner(1);
  return OWL::TGadgetWindow::EvLButtonUp(modifiers, point);
}

void PreviewControlWin::ShowPressed(UxSizableButtonGadget* pressed) {
  for (UxSizableButtonGadget* button : {m_stop, m_start, m_pause}) {
    if (button) button->SetButtonState(button == pressed ? OWL::TButtonGadget::Down : OWL::TButtonGadget::Up);
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
  if (!size) return;
  *size = {0, 0};
  for (const auto& gadget : Gadgets()) {
    OWL::TSize desired;
    gadget->GetDesiredSize(desired);
    size->cx += desired.cx;
    size->cy = std::max(size->cy, desired.cy);
  }
}

void PreviewControlWin::PressStop() {
  ShowPressed(m_stop);
  if (m_pane) m_pane->Stop();
}

}  // namespace PendrelDraw
