// PreviewControlWin: the sampling control of a preview, a strip of three buttons (stop, start,
// pause) inside the preview's window. Every press goes to the preview pane, which keeps the
// sampling state; the strip only shows it and asks the pane whether start and pause may be
// pressed. The pane owns the strip (through PreviewControl); its window is a child of the
// preview's window.
#pragma once

#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "tracedisplay/scrolling/view_controls.h"
#include "tracedisplay/windows/fixed_gadget_window.h"

namespace PendrelDraw {

class PreviewDataPane;

// The buttons' commands.
inline constexpr UINT kSamplingStopCommand = 100;
inline constexpr UINT kSamplingStartCommand = 101;
inline constexpr UINT kSamplingPauseCommand = 102;

class PreviewControlWin final : public FixedGadgetWindow, public PreviewControl {
 public:
  // With bit 30 of the pane's channel flags set (a second axis) the strip has no stop button and
  // shows start pressed; otherwise stop comes first and shows pressed.
  PreviewControlWin(OWL::TWindow* parent, PreviewDataPane* pane, DWORD channelFlags);

  // PreviewControl
  void SetRect(const RECT* rect) override;
  bool IsEnabled() const override;
  void Enable(bool enabled) override;
  void GetPreferredSize(SIZE* size) override;
  void PressStop() override;

  bool Find(OWL::TEventInfo& info) override;
  // Null when the strip has no stop button.
  UxSizableButtonGadget* StopButton() const { return m_stop; }
  UxSizableButtonGadget& StartButton() const { return *m_start; }
  UxSizableButtonGadget& PauseButton() const { return *m_pause; }

 private:
  LRESULT EvStop(WPARAM, LPARAM);
  LRESULT EvStart(WPARAM, LPARAM);
  LRESULT EvPause(WPARAM, LPARAM);
  LRESULT EvCommandEnable(WPARAM, LPARAM enabler);
  // The one pressed-looking button of the three.
  void ShowPressed(UxSizableButtonGadget* pressed);

  PreviewDataPane* m_pane;
  UxSizableButtonGadget* m_stop;
  UxSizableButtonGadget* m_start;
  UxSizableButtonGadget* m_pause;
  bool m_enabled = true;
};

}  // namespace PendrelDraw
