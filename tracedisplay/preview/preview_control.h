// The controls a preview data pane places inside itself: the sampling control (start, pause and
// stop) and the trace control (stack, overlay, source only). Both are small button bars that
// keep no state of their own: every button press goes to the pane, which answers their enable
// queries. The pane owns its controls; their windows are children of the pane's window.
#pragma once

#include "platform/win32/geometry.h"

namespace Quor {

// Anything a window places and enables among its own controls.
class UIElement {
 public:
  virtual ~UIElement() = default;
};

}  // namespace Quor

namespace PendrelDraw {

class ControlBase : public Quor::UIElement {
 public:
  // Moves the control without repainting it.
  virtual void SetRect(const RECT* rect) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsShown() const { return IsEnabled(); }
  virtual void Show(bool shown) { Enable(shown); }
};

class PreviewControl : public ControlBase {
 public:
  virtual void GetPreferredSize(SIZE* size) = 0;
  // Which of its buttons the control offers (the trace control's mode bits); the sampling
  // control has no choice and ignores it.
  virtual void SetModes(DWORD) {}
  // Shows the stop button pressed and stops sampling (the sampling control only).
  virtual void PressStop() {}
};

// What the trace control drives: the preview pane's display modes (2 stack, 4 overlay, 8 the
// source trace only or all traces again).
class TraceModeTarget {
 public:
  virtual void SetTraceMode(DWORD mode, DWORD argument) = 0;

 protected:
  ~TraceModeTarget() = default;
};

}  // namespace PendrelDraw
