// ScrollBarWin: the horizontal scroll bar under a data pane. Every scroll code it receives (from
// the bar itself or from the data window's keys) goes to the pane, which reads the position back
// from the bar; the bar keeps nothing the pane relies on. The data window makes it when the pane
// asks (DataWinBase::CreateScrollBar) and the pane owns it.
#pragma once

#include "platform/owl/scroll_bar.h"
#include "tracedisplay/scrolling/view_controls.h"

namespace PendrelDraw {

class DataPane;

inline constexpr int kScrollBarId = 100;

class ScrollBarWin : public OWL::TScrollBar, public ScrollBar {
 public:
  ScrollBarWin(OWL::TWindow* parent, DataPane* target);

  void ScrollAction(UINT code, int thumb) override;

  // ScrollBar
  void SetRect(const RECT* rect) override;
  void Place(int x, int y, int width, int height) override;
  bool IsEnabled() const override;
  void Enable(bool enabled) override;
  int GetPosition() override { return OWL::TScrollBar::GetPosition(); }
  void SetPosition(int position, bool redraw) override { OWL::TScrollBar::SetPosition(position, redraw); }
  void GetScrollInfo(SCROLLINFO& info) override { OWL::TScrollBar::GetScrollInfo(&info); }
  // Only once the window exists.
  void SetScrollInfo(const SCROLLINFO& info, bool redraw) override;
  int GetLineMagnitude() const override { return LineMagnitude; }
  void SetLineMagnitude(int magnitude) override { LineMagnitude = magnitude; }
  int GetPageMagnitude() const override { return PageMagnitude; }
  void SetPageMagnitude(int magnitude) override;
  void Refresh() override;

 private:
  DataPane* m_target;
};

}  // namespace PendrelDraw
