// The controls a data pane drives around its traces: the scroll bar and the zoom control below
// them, and the preview's sampling and trace controls. They keep no state of their own that the
// pane relies on; the window that owns the pane makes them, and the pane owns what it asked for.
// Every control can be placed, enabled and shown alike through ControlBase.
#pragma once

#include <string>

#include "core/quor_rational.h"
#include "platform/win32/geometry.h"
#include "platform/win32/window_messages.h"

namespace Quor {

// Anything a window places among its controls.
class UIElement {
 public:
  virtual ~UIElement() = default;
};

}  // namespace Quor

namespace PendrelDraw {

class ControlBase : public Quor::UIElement {
 public:
  // Places the control (in its parent's client co-ordinates) without repainting.
  virtual void SetRect(const RECT* rect) = 0;
  virtual bool IsEnabled() const = 0;
  virtual void Enable(bool enabled) = 0;
  virtual bool IsShown() const { return IsEnabled(); }
  virtual void Show(bool shown) { Enable(shown); }
};

class ScrollBar : public ControlBase {
 public:
  virtual void SetScrollInfo(const SCROLLINFO& info, bool redraw) = 0;
  virtual void GetScrollInfo(SCROLLINFO& info) = 0;
  // Repaints without erasing.
  virtual void Refresh() = 0;
  virtual void Place(int x, int y, int width, int height) = 0;

  void SetRect(const RECT* rect) override {
    if (rect) Place(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  }
  virtual int GetPosition() {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(info);
    return info.nPos;
  }
  virtual void SetPosition(int position, bool redraw) {
    SCROLLINFO info = {sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, position, 0};
    SetScrollInfo(info, redraw);
  }
  // The steps of the line and page scroll codes.
  virtual int GetLineMagnitude() const { return 1; }
  virtual void SetLineMagnitude(int) {}
  virtual int GetPageMagnitude() const { return 1; }
  virtual void SetPageMagnitude(int) {}
};

class ZoomControl : public ControlBase {
 public:
  // Shows the compression (ticks per pixel) as the ratio text.
  virtual void SetCompression(const QuorRational& ratio) = 0;
  // Tells the control whether the pane follows new data.
  virtual void SetFollowState(bool following) = 0;
  virtual int PreferredHeight() const = 0;
  virtual int Width() const = 0;
  virtual void Refresh() = 0;
  virtual void Place(int x, int y, int width, int height) = 0;

  void SetRect(const RECT* rect) override {
    if (rect) Place(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
  }
  bool IsEnabled() const override { return true; }
  void Enable(bool) override {}
  // The text of a compression ratio and the ratio of a compression menu id (see
  // compression_menu.h); a control may show them otherwise.
  virtual std::u16string FormatRatio(LONGLONG numerator, LONGLONG denominator) const;
  virtual QuorRational GetMenuRatio(int id) const;
  virtual void SetRatioText(const std::u16string&) {}
  virtual void SetAutoScaleHint(const std::u16string&) {}
};

// The preview's sampling control and trace control.
class PreviewControl : public ControlBase {
 public:
  virtual void GetPreferredSize(SIZE* size) = 0;
  // Which of the trace modes the control offers (the sampling control offers none).
  virtual void SetModes(DWORD) {}
  // Shows sampling stopped and stops it.
  virtual void PressStop() {}
};

}  // namespace PendrelDraw
