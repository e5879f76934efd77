// What a band still has to draw when a paint begins: the dirty columns of each of its buffered
// layers. A paint draws a band one record segment at a time, and drawing a buffered layer cleans
// it; the record walk therefore hands each segment back the dirty part of its own columns. Where
// no record lies, the composite shows the background. Lives for one paint of one band.
#pragma once

#include <array>

#include "tracedisplay/panes/child_pane_base.h"

namespace PendrelDraw {

class DirtySpans {
 public:
  DirtySpans(ChildPaneBase& band, COLORREF background);

  // The client columns [From, To) that some buffered layer must draw; From >= To when none.
  LONG From() const { return m_from; }
  LONG To() const { return m_to; }
  bool Any() const { return m_from < m_to; }
  // Marks each layer that was dirty dirty again over its columns within [from, to), and clean
  // where it has none there. A composite without drawers of its own takes the background there.
  void Restore(LONG from, LONG to);
  // Fills the composite with the background over the dirty columns outside [drawnFrom,
  // drawnTo), where no record was drawn, and marks every layer clean.
  void Finish(LONG drawnFrom, LONG drawnTo);

 private:
  void FillComposite(LONG from, LONG to);

  ChildPaneBase& m_band;
  COLORREF m_background;
  std::array<RECT, kLayerCount> m_dirty = {};
  LONG m_from = 0;
  LONG m_to = 0;
};

// Fills the band's rows over the client columns [from, to) of `dc` with `colour`.
void FillBandColumns(HDC dc, const ChildPaneBase& band, LONG from, LONG to, COLORREF colour);

}  // namespace PendrelDraw
