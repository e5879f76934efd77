#include "platform/owl/gadgets/gadget.h"

#include "platform/owl/gadgets/gadget_window.h"
#include "platform/win32/monitors.h"

namespace OWL {

TGadget::TGadget(int id) : m_id(id) {}

TRect TGadget::GetInnerRect() const {
  return TRect(m_bounds.left + m_border, m_bounds.top + m_border, m_bounds.right - m_border,
               m_bounds.bottom - m_border);
}

void TGadget::SetEnabled(bool enabled) {
  if (IsEnabled() == enabled) return;
  m_flags = enabled ? (m_flags | kEnabled) : (m_flags & ~UINT(kEnabled));
  Invalidate();
}

void TGadget::GetDesiredSize(TSize& size) { size = TSize(2 * m_border, 2 * m_border); }

void TGadget::Paint(TDC& dc) { PaintBorder(dc); }

void TGadget::PaintBorder(TDC& dc) {
  if (m_border <= 0) return;
  RECT frame = m_bounds;
  for (int i = 0; i < m_border; ++i) {
    FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(&frame, -1, -1);
  }
}

void TGadget::MouseEnter(UINT, const TPoint&) { m_mouseIn = true; }
void TGadget::MouseLeave(UINT, const TPoint&) { m_mouseIn = false; }
void TGadget::LButtonDown(UINT, const TPoint&) {}
void TGadget::LButtonUp(UINT, const TPoint&) {}

void TGadget::Invalidate(bool erase) {
  if (m_window && m_window->GetHandle()) InvalidateRect(m_window->GetHandle(), &m_bounds, erase);
}

void TGadget::Update() {
  if (m_window && m_window->GetHandle()) m_window->UpdateWindow();
}

}  // namespace OWL
