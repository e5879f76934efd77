// TraceControlWin: the preview's strip of three buttons that chooses how the preview shows its
// traces: auto-scaled and stacked (command 2), auto-scaled and overlaid (4), or the source trace
// only (8, a toggle). The commands are the mode bits the preview data pane takes; the strip only
// remembers whether stack or overlay was chosen last, so that leaving source-only returns to it
// (overlay before any choice). The preview window makes it and keeps it as its child.
#pragma once

#include <functional>

#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "tracedisplay/scrolling/view_controls.h"
#include "tracedisplay/windows/fixed_gadget_window.h"

namespace PendrelDraw {

class TraceControlWin : public FixedGadgetWindow, public PreviewControl {
 public:
  // The display modes, and the commands that choose them.
  static constexpr UINT kStack = 2;
  static constexpr UINT kOverlay = 4;
  static constexpr UINT kSourceOnly = 8;
  // The target's display-mode operation: (mode, argument); for source-only 1 turns it on and 2
  // off, 0 for the others.
  using TraceModeTarget = std::function<void(LONG mode, LONG argument)>;

  // A null target makes every command and enabler do nothing beyond the hint.
  TraceControlWin(OWL::TWindow* parent, TraceModeTarget target, DWORD modes);

  void SetupWindow() override;
  bool Find(OWL::TEventInfo& info) override;

  // PreviewControl
  void SetRect(const RECT* rect) override;
  bool IsEnabled() const override;
  // Only when the window exists.
  void Enable(bool enabled) override;
  void GetPreferredSize(SIZE* size) override;
  // Enables stack, overlay and source-only by mask bits 0x2, 0x4 and 0x8.
  void SetModes(DWORD modes) override;

  UxSizableButtonGadget& StackButton() const { return *m_stack; }
  UxSizableButtonGadget& OverlayButton() const { return *m_overlay; }
  UxSizableButtonGadget& SourceOnlyButton() const { return *m_sourceOnly; }

 private:
  LRESULT EvCommand(WPARAM wParam, LPARAM);
  LRESULT EvCommandEnable(WPARAM, LPARAM lParam);
  bool SourceOnlyPressed() const;
  void ChooseLastMode();

  TraceModeTarget m_target;
  UxSizableButtonGadget* m_stack;
  UxSizableButtonGadget* m_overlay;
  UxSizableButtonGadget* m_sourceOnly;
  bool m_stacked = false;
  DWORD m_modes;
};

}  // namespace PendrelDraw
