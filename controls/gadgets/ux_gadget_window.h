// The trace display's control strips: gadget windows that keep a "BUTTON" theme handle and pass
// the mouse's hover on to their toolbar buttons at once, so a button shows its hot look as soon
// as the pointer is over it and loses it when the pointer leaves the window. The borderless
// kind is a child without a border; the no-erase kind leaves the background to its buttons.
// Each window owns its theme handle from construction to destruction.
#pragma once

#include "platform/owl/gadgets/gadget_window.h"
#include "platform/win32/visual_styles.h"

namespace QuorControls {

class UxGadgetWindow : public OWL::TGadgetWindow {
 public:
  UxGadgetWindow(OWL::TWindow* parent, HFONT font);
  ~UxGadgetWindow() override;

  std::u16string GetClassName() const override { return u"UxGadgetWindow"; }
  bool Find(OWL::TEventInfo& info) override;
  HTHEME GetThemeHandle() const { return m_theme; }

 protected:
  LRESULT EvThemeChanged(WPARAM, LPARAM);
  LRESULT EvUxMouseMove(WPARAM modifiers, LPARAM point);
  LRESULT EvMouseLeave(WPARAM, LPARAM);

 private:
  bool m_tracking = false;
  HTHEME m_theme = nullptr;
  int m_themeKind = 1;
};

class UxBorderlessGadgetWindow : public UxGadgetWindow {
 public:
  UxBorderlessGadgetWindow(OWL::TWindow* parent, HFONT font);
};

class UxNoEraseGadgetWindow : public UxBorderlessGadgetWindow {
 public:
  UxNoEraseGadgetWindow(OWL::TWindow* parent, HFONT font) : UxBorderlessGadgetWindow(parent, font) {}
  bool Find(OWL::TEventInfo& info) override;

 private:
  LRESULT EvEraseBkgnd(WPARAM, LPARAM) { return TRUE; }
};

}  // namespace QuorControls
