#include "controls/gadgets/ux_sizable_button_gadget_enabler.h"

#include "controls/gadgets/ux_sizable_button_gadget.h"

UxSizableButtonGadgetEnabler::UxSizableButtonGadgetEnabler(UxSizableButtonGadget& gadget, HWND receiver)
    : OWL::TCommandEnabler(UINT(gadget.GetId()), receiver), m_gadget(gadget) {}

void UxSizableButtonGadgetEnabler::Enable(bool enabled) {
  OWL::TCommandEnabler::Enable(enabled);
  m_gadget.SetEnabled(enabled);
}

void UxSizableButtonGadgetEnabler::SetText(LPCWSTR text) {
  if (m_gadget.Flags() & OWL::TGadget::kIgnoreEnablerText) return;
  if (!(m_gadget.GetStyle() & OWL::TButtonTextGadget::sText)) return;
  const std::u16string wanted = text ? text : u"";
  if (wanted == m_gadget.GetText()) return;
  m_gadget.SetText(wanted);
  m_gadget.Invalidate();
}

void UxSizableButtonGadgetEnabler::SetCheck(int state) {
  if (m_gadget.Flags() & OWL::TGadget::kIgnoreEnablerCheck) return;
  m_gadget.SetButtonState(OWL::TButtonGadget::TState(state));
}
