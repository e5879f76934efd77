// A hover text: a pale yellow, bordered popup that shows one text near the mouse pointer without
// taking the focus, kept on the work area of the pointer's monitor. Its owner (the error mark, the
// glyph button) makes it when the text is due and deletes it to close it.
#pragma once

#include <memory>

#include "core/quor_string.h"
#include "platform/owl/gdi_objects.h"
#include "platform/owl/window.h"

namespace Quor {

class Popup : public OWL::TWindow {
 public:
  // Made and shown (unless the host application's window is hidden) near `position`, in screen
  // pixels; lines wrap at 300 pixels.
  Popup(OWL::TWindow* parent, const OWL::TPoint& position, const String& text);
  ~Popup() override;

  // Makes the window and shows it without activating it while the host is visible.
  bool Create() override;
  void SetupWindow() override;
  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  std::u16string GetClassName() const override { return u"QuorPopup"; }

  static constexpr COLORREF kBackground = RGB(255, 255, 225);

 private:
  String m_text;
  std::unique_ptr<OWL::TFont> m_font;
  OWL::TPoint m_anchor;
};

}  // namespace Quor
