// The GUI framework's scroll bar control: a range, a page, a position and a track position kept
// by the object, and the line and page steps its scroll codes move by. A scroll code reaches the
// bar as WM_HSCROLL (or WM_VSCROLL) and goes to ScrollAction, which by default moves the
// position; derived bars may hand the code on instead.
#pragma once

#include "platform/owl/controls.h"

namespace OWL {

class TScrollBar : public TControl {
 public:
  TScrollBar(TWindow* parent, int id, int x, int y, int width, int height, bool horizontal);

  bool Find(TEventInfo& info) override;
  // A scroll code of the bar (SB_LINELEFT ...); the thumb position for the thumb codes.
  virtual void ScrollAction(UINT code, int thumb);

  // Only the fields fMask names are read or written; the position stays within the range. The
  // track position is the bar's own: the thumb position of the last thumb code.
  void GetScrollInfo(SCROLLINFO* info) const;
  void SetScrollInfo(const SCROLLINFO* info, bool redraw = true);
  int GetPosition() const { return m_info.nPos; }
  void SetPosition(int position, bool redraw = true);
  void GetRange(int& minimum, int& maximum) const;
  void SetRange(int minimum, int maximum, bool redraw = true);
  bool IsHorizontal() const { return m_horizontal; }

  int LineMagnitude = 1;
  int PageMagnitude = 10;

 private:
  // A scroll message: the thumb codes set the track position first.
  void Receive(UINT code, int thumb);
  void Clamp();

  SCROLLINFO m_info = {sizeof(SCROLLINFO), 0, 0, 100, 0, 0, 0};
  bool m_horizontal;
};

}  // namespace OWL
