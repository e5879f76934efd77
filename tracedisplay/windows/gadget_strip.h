// What the trace display's control strips ask of their gadgets: each gadget's enabled state
// settled by the window's command enablers (as the framework does when it is idle), the hint a
// window gives a command (its tooltip text, asked through a command enabler), and the size the
// tiled gadgets take.
#pragma once

#include <string>

#include "platform/owl/gadgets/command_enabler.h"
#include "platform/owl/gadgets/gadget_window.h"

namespace PendrelDraw {

// Asks the window about every gadget's command.
void EnableGadgetCommands(OWL::TGadgetWindow& window);

// The hint the window's enabler of the command sets; empty when it sets none.
std::u16string CommandHint(OWL::TWindow& window, UINT id);

// The strip's size: the gadgets' desired widths (or heights) added along the tiling direction,
// the largest across it.
SIZE StripExtent(const OWL::TGadgetWindow& window, bool horizontal = true);

// The enabler the hint question uses: it keeps the text and ignores the rest.
class HintEnabler : public OWL::TCommandEnabler {
 public:
  HintEnabler(UINT id, HWND receiver) : OWL::TCommandEnabler(id, receiver) {}
  void Enable(bool) override {}
  void SetText(LPCWSTR text) override { m_text = text ? text : u""; }
  void SetCheck(int) override {}
  const std::u16string& Text() const { return m_text; }

 private:
  std::u16string m_text;
};

}  // namespace PendrelDraw
