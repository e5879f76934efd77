#include "platform/owl/gadgets/gadget_window.h"

#include <algorithm>

namespace OWL {

namespace {

TPoint PointOf(LPARAM point) { return TPoint(GET_X_LPARAM(point), GET_Y_LPARAM(point)); }

// The point relative to the gadget's top-left, as gadgets take it.
TPoint Relative(const TGadget& gadget, const TPoint& point) {
  return TPoint(point.x - gadget.GetBounds().left, point.y - gadget.GetBounds().top);
}

}  // namespace

TGadgetWindow::TGadgetWindow(TWindow* parent, TTileDirection direction, HFONT font, TModule* module)
    : TWindow(parent, nullptr, module), m_direction(direction), m_font(font) {}

TGadgetWindow::~TGadgetWindow() {
  // The gadgets may still reach for their window while going.
  for (auto& gadget : m_gadgets) gadget->m_window = nullptr;
  m_gadgets.clear();
}

void TGadgetWindow::Insert(TGadget& gadget) {
  gadget.m_window = this;
  m_gadgets.emplace_back(&gadget);
  if (!GetHandle()) return;
  gadget.Created();
  LayoutSession();
}

TGadget* TGadgetWindow::Remove(TGadget& gadget) {
  const auto found = std::find_if(m_gadgets.begin(), m_gadgets.end(), [&](auto& g) { return g.get() == &gadget; });
  if (found == m_gadgets.end()) return nullptr;
  found->release();
  m_gadgets.erase(found);
  if (m_underMouse == &gadget) m_underMouse = nullptr;
  if (m_capture == &gadget) m_capture = nullptr;
  gadget.m_window = nullptr;
  if (GetHandle()) LayoutSession();
  return &gadget;
}

TGadget* TGadgetWindow::GadgetFromPoint(const TPoint& point) const {
  for (const auto& gadget : m_gadgets)
    if (gadget->IsVisible() && PtInRect(&gadget->GetBounds(), point)) return gadget.get();
  return nullptr;
}

void TGadgetWindow::LayoutSession() {
  int at = 0;
  for (const auto& gadget : m_gadgets) {
    TSize size;
    if (gadget->IsVisible()) gadget->GetDesiredSize(size);
    const TRect bounds = m_direction == Horizontal ? TRect(at, 0, at + size.cx, size.cy)
                                                   : TRect(0, at, size.cx, at + size.cy);
    gadget->SetBounds(bounds);
    at += m_direction == Horizontal ? size.cx : size.cy;
  }
  if (GetHandle()) Invalidate();
}

void TGadgetWindow::SetupWindow() {
  TWindow::SetupWindow();
  for (const auto& gadget : m_gadgets) gadget->Created();
  LayoutSession();
}

void TGadgetWindow::Paint(TDC& dc, bool, TRect& rect) {
  for (const auto& gadget : m_gadgets) {
    RECT overlap;
    if (gadget->IsVisible() && IntersectRect(&overlap, &gadget->GetBounds(), &rect)) gadget->Paint(dc);
  }
}

bool TGadgetWindow::Find(TEventInfo& info) {
  static const TResponseTable table{
      {WM_MOUSEMOVE, 0, Handler(&TGadgetWindow::EvMouseMove)},
      {WM_LBUTTONDOWN, 0, Handler(&TGadgetWindow::EvLButtonDown)},
      {WM_LBUTTONUP, 0, Handler(&TGadgetWindow::EvLButtonUp)},
      {WM_RBUTTONDOWN, 0, Handler(&TGadgetWindow::EvRButtonDown)},
      {WM_RBUTTONUP, 0, Handler(&TGadgetWindow::EvRButtonUp)},
      {WM_SYSCOLORCHANGE, 0, Handler(&TGadgetWindow::EvSysColorChange)},
  };
  return SearchResponseTable(table, info) || TWindow::Find(info);
}

TGadget* TGadgetWindow::MouseTarget(const TPoint& point) const {
  return m_capture ? m_capture : GadgetFromPoint(point);
}

LRESULT TGadgetWindow::EvMouseMove(WPARAM modifiers, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  TGadget* under = GadgetFromPoint(point);
  if (under != m_underMouse && !m_capture) {
    if (m_underMouse) m_underMouse->MouseLeave(UINT(modifiers), Relative(*m_underMouse, point));
    m_underMouse = under;
    if (under && under->IsEnabled()) under->MouseEnter(UINT(modifiers), Relative(*under, point));
  }
  if (TGadget* target = MouseTarget(point)) target->MouseMove(UINT(modifiers), Relative(*target, point));
  return 0;
}

LRESULT TGadgetWindow::EvLButtonDown(WPARAM modifiers, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  TGadget* gadget = GadgetFromPoint(point);
  if (!gadget || !gadget->IsEnabled()) return 0;
  m_capture = gadget;
  SetCapture(GetHandle());
  gadget->LButtonDown(UINT(modifiers), Relative(*gadget, point));
  return 0;
}

LRESULT TGadgetWindow::EvLButtonUp(WPARAM modifiers, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  TGadget* gadget = MouseTarget(point);
  if (m_capture) {
    m_capture = nullptr;
    ReleaseCapture();
  }
  if (gadget) gadget->LButtonUp(UINT(modifiers), Relative(*gadget, point));
  return 0;
}

LRESULT TGadgetWindow::EvRButtonDown(WPARAM modifiers, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  if (TGadget* gadget = GadgetFromPoint(point); gadget && gadget->IsEnabled())
    gadget->RButtonDown(UINT(modifiers), Relative(*gadget, point));
  return 0;
}

LRESULT TGadgetWindow::EvRButtonUp(WPARAM modifiers, LPARAM lParam) {
  const TPoint point = PointOf(lParam);
  if (TGadget* gadget = GadgetFromPoint(point)) gadget->RButtonUp(UINT(modifiers), Relative(*gadget, point));
  return 0;
}

LRESULT TGadgetWindow::EvSysColorChange(WPARAM, LPARAM) {
  for (const auto& gadget : m_gadgets) gadget->SysColorChange();
  return 0;
}

}  // namespace OWL
