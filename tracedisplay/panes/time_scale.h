// The band below a data pane's channel panes that shows the time axis. Here it is only a band
// of a given height with no drawers of its own yet; its labels come with the time drawers.
#pragma once

#include "tracedisplay/panes/child_pane_base.h"

namespace PendrelDraw {

class TimeScale final : public ChildPaneBase {
 public:
  explicit TimeScale(ChildPaneOwner& owner) : ChildPaneBase(-1, owner) { stateChanged = true; }

  LONG ScaleHeight() const { return m_hidden ? 0 : m_height; }
  void SetScaleHeight(LONG height) { m_height = height; }
  // A hidden scale takes no height and an empty rectangle.
  void Hide() {
    m_hidden = true;
    rect.bottom = rect.top;
  }
  bool IsHidden() const { return m_hidden; }
  // Whether the view may scroll under it.
  bool AllowsScrolling() const { return true; }

  void LoadState(Quor::BinIStream&) override {}
  void SaveState(Quor::BinOStream&) override {}

 private:
  ~TimeScale() override = default;

  LONG m_height = 20;
  bool m_hidden = false;
};

}  // namespace PendrelDraw
