#include "platform/owl/gadgets/button_gadget.h"

#include "platform/owl/gadgets/gadget_window.h"

namespace OWL {

TButtonGadget::TButtonGadget(LPCWSTR glyphResource, int id, TType type, bool enabled, TState state, bool)
    : TGadget(id), m_glyphResource(glyphResource), m_type(type), m_state(state) {
  SetBorderWidth(2);
  if (!enabled) Flags() &= ~UINT(kEnabled);
}

void TButtonGadget::SetButtonState(TState state) {
  if (state == m_state) return;
  m_state = state;
  Invalidate();
}

void TButtonGadget::BeginPressed(const TPoint&) {
  m_pressed = true;
  Invalidate();
}

void TButtonGadget::CancelPressed(const TPoint&) {
  m_pressed = false;
  Invalidate();
}

void TButtonGadget::LButtonDown(UINT modifiers, const TPoint& point) {
  TGadget::LButtonDown(modifiers, point);
  if (IsEnabled()) BeginPressed(point);
}

void TButtonGadget::LButtonUp(UINT modifiers, const TPoint& point) {
  TGadget::LButtonUp(modifiers, point);
  if (!m_pressed) return;
  m_pressed = false;
  Invalidate();
  const TRect area(0, 0, GetBounds().Width(), GetBounds().Height());
  const bool over = point.x >= 0 && point.y >= 0 && point.x < area.right && point.y < area.bottom;
  if (!over || !GetGadgetWindow()) return;
  if (m_type == NonExclusive) SetButtonState(m_state == Down ? Up : Down);
  if (m_type == Exclusive) SetButtonState(Down);
  GetGadgetWindow()->SendMessage(WM_COMMAND, MAKEWPARAM(GetId(), 0), 0);
}

}  // namespace OWL
