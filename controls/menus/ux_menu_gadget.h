// Toolbar buttons that drop a popup menu below themselves; the chosen command goes to the owner
// window as a command message. A menu gadget owns a copy of the menu it was given for its whole
// life; its gadget window owns the gadget.
#pragma once

#include "controls/gadgets/ux_custom_button_gadget.h"
#include "platform/owl/menu.h"

namespace Quor {

class UxMenuGadget : public UxCustomButtonGadget {
 public:
  // The menu's first item's text, when it has one, becomes the button's text.
  UxMenuGadget(const OWL::TMenu& menu, HWND owner, std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind,
               TStyle style, TType type, bool enabled = true, TState state = Up, bool shared = false,
               UINT numChars = 0);

  const char16_t* GetClassName() const override { return u"UxMenuGadget"; }
  const OWL::TPopupMenu& GetPopupMenu() const { return m_popup; }
  // The window that hears the menu's messages and commands; a gadget made before its window
  // has a handle is given it here.
  void SetOwner(HWND owner) { m_owner = owner; }
  // Nonzero when the last drop showed the menu.
  int GetTrackResult() const { return m_trackResult; }

  void LButtonDown(UINT modifiers, const OWL::TPoint& point) override;
  void LButtonUp(UINT modifiers, const OWL::TPoint& point) override;
  void RButtonDown(UINT modifiers, const OWL::TPoint& point) override;
  void RButtonUp(UINT modifiers, const OWL::TPoint& point) override;

 private:
  void DropMenu(const OWL::TPoint& point, bool rightButton);

  OWL::TPopupMenu m_popup;
  HWND m_owner;
  int m_trackResult = 0;
  bool m_buttonMode = false;  // a plain button on the left, the menu on the right
};

class UxButtonMenuGadget : public UxMenuGadget {
 public:
  // A non-empty caption replaces the menu's text.
  UxButtonMenuGadget(const OWL::TMenu& menu, HWND owner, const std::u16string& caption,
                     std::unique_ptr<Gdiplus::Bitmap> glyph, int themeKind, TStyle style, TType type,
                     bool enabled = true, TState state = Up, bool shared = false, UINT numChars = 0);

  const char16_t* GetClassName() const override { return u"UxButtonMenuGadget"; }
};

}  // namespace Quor
