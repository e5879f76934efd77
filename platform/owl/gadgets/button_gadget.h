// The GUI framework's button gadget: a gadget that is pressed by the left button and, released
// over itself, sends its id to its window as a command. It shows a glyph resource of its
// window's module (drawn by derived gadgets) and has a state: up, down or indeterminate.
#pragma once

#include "platform/owl/gadgets/gadget.h"

namespace OWL {

class TButtonGadget : public TGadget {
 public:
  enum TType { Command, Exclusive, NonExclusive, RepeatCmd };
  enum TState { Up, Down, Indeterminate };

  TButtonGadget(LPCWSTR glyphResource, int id, TType type = Command, bool enabled = true, TState state = Up,
                bool sharedGlyph = false);

  LPCWSTR GetResId() const { return m_glyphResource; }
  TType GetButtonType() const { return m_type; }
  TState GetButtonState() const { return m_state; }
  // Repaints when the state changes.
  void SetButtonState(TState state);
  bool IsPressed() const { return m_pressed; }

  void LButtonDown(UINT modifiers, const TPoint& point) override;
  void LButtonUp(UINT modifiers, const TPoint& point) override;

 protected:
  void BeginPressed(const TPoint& point);
  void CancelPressed(const TPoint& point);

 private:
  LPCWSTR m_glyphResource;
  TType m_type;
  TState m_state;
  bool m_pressed = false;
};

}  // namespace OWL
