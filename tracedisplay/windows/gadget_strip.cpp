#include "tracedisplay/windows/gadget_strip.h"

#include <algorithm>

namespace PendrelDraw {

void EnableGadgetCommands(OWL::TGadgetWindow& window) {
  if (!window.GetHandle()) return;
  for (const auto& gadget : window.Gadgets()) gadget->CommandEnable();
}

std::u16string CommandHint(OWL::TWindow& window, UINT id) {
  HintEnabler hint(id, window.GetHandle());
  window.HandleMessage(OWL::WM_COMMAND_ENABLE, 0, reinterpret_cast<LPARAM>(&hint));
  return hint.Text();
}

SIZE StripExtent(const OWL::TGadgetWindow& window, bool horizontal) {
  SIZE extent = {0, 0};
  for (const auto& gadget : window.Gadgets()) {
    OWL::TSize size(0, 0);
    if (gadget->IsVisible()) gadget->GetDesiredSize(size);
    if (horizontal) {
      extent.cx += size.cx;
      extent.cy = std::max<LONG>(extent.cy, size.cy);
    } else {
      extent.cy += size.cy;
      extent.cx = std::max<LONG>(extent.cx, size.cx);
    }
  }
  return extent;
}

}  // namespace PendrelDraw
