// PreviewControlWin: the sampling control of a preview, a strip of three buttons (stop, start,
// pause) inside the preview's window. Every press goes to the preview pane, which keeps the
// sampling state; the strip only shows it and asks the pane whether start and pause may be
// pressed. The pane owns the strip (through PreviewControl); its window is a child of the
// preview's window.
#pragma once

#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "platform/owl/gadgets/gadget_window.h"
#include "tracedisplay/preview/preview_control.h"

namespace PendrelDraw {

class PreviewDataPane;

// The buttons' commands.
inline constexpr UINT kSamplingStopCommand = 100;
inline constexpr UINT kSamplingStartCommand = 101;
inline constexpr UINT kSamplingPauseCommand = 102;
// Sent to the strip's owner when the left button goes down (wParam 0) or up (1) on the strip.
inline constexpr UINT kControlMouseMessage = WM_USER + 1;

class PreviewControlWin final : public OWL::TGadgetWindow, public PreviewControl {
 public:
  // Bit 30 of the pane's channel flags: the preview shows live data only, so it has no stop
  // button and starts out sampling.
  PreviewControlWin(OWL::TWindow* parent, PreviewDataPane* pane, DWORD channelFlags);

  // PreviewControl
  void SetRect(const RECT* rect) override;
  bool IsEnabled() const override;
  void Enable(bool enabled) override;
  void GetPreferredSize(SIZE* size) override;
  void PressStop() override;

  bool Find(OWL::TEventInfo& info) override;
  UxSizableButtonGadget& StopButton() const { return *m_stop; }
  UxSizableButtonGadget& StartButton() const { return *m_start; }
  UxSizableButtonGadget& PauseButton() const { return *m_pause; }

 private:
  LRESULT EvStop(WPARAM, LPARAM);
  LRESULT EvStart(WPARAM, LPARAM);
  LRESULT EvPause(WPARAM, LPARAM);
  LRESULT EvCommandEnable(WPARAM, LPARAM enabler);
  LRESULT EvLButtonDown(WPARAM modifiers, LPARAM point);
  LRESULT EvLButtonUp(WPARAM modifiers, LPARAM point);
  // The one pressed-looking button of the three.
  void ShowPressed(UxSizableButtonGadget* pressed);
  void TellOwner(WPARAM upOrDown);

  PreviewDataPane* m_pane;
  UxSizableButtonGadget* m_stop;
  UxSizableButtonGadget* m_start;
  UxSizableButtonGadget* m_pause;
  bool m_enabled = true;
};

}  // namespace PendrelDraw
