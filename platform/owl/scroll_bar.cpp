#include "platform/owl/scroll_bar.h"

#include <algorithm>

namespace OWL {

namespace {

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

}  // namespace

TScrollBar::TScrollBar(TWindow* parent, int id, int x, int y, int width, int height, bool horizontal)
    : TControl(parent, id, u"ScrollBar", u"", TRect(x, y, x + width, y + height)), m_horizontal(horizontal) {
  Attr.Style |= horizontal ? SBS_HORZ : SBS_VERT;
}

bool TScrollBar::Find(TEventInfo& info) {
  static const TResponseTable table{
      {WM_HSCROLL, 0,
       [](TWindow& window, WPARAM wParam, LPARAM) -> LRESULT {
         static_cast<TScrollBar&>(window).Receive(LOWORD(wParam), short(HIWORD(wParam)));
         return 0;
       }},
      {WM_VSCROLL, 0,
       [](TWindow& window, WPARAM wParam, LPARAM) -> LRESULT {
         static_cast<TScrollBar&>(window).Receive(LOWORD(wParam), short(HIWORD(wParam)));
         return 0;
       }},
  };
  return SearchResponseTable(table, info) || TControl::Find(info);
}

void TScrollBar::Receive(UINT code, int thumb) {
  if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) m_info.nTrackPos = thumb;
  ScrollAction(code, thumb);
}

void TScrollBar::ScrollAction(UINT code, int thumb) {
  int position = m_info.nPos;
  switch (code) {
    case SB_LINELEFT: position -= LineMagnitude; break;
    case SB_LINERIGHT: position += LineMagnitude; break;
    case SB_PAGELEFT: position -= PageMagnitude; break;
    case SB_PAGERIGHT: position += PageMagnitude; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: position = thumb; break;
    case SB_TOP: position = m_info.nMin; break;
    case SB_BOTTOM: position = m_info.nMax; break;
    default: return;
  }
  SetPosition(position);
}

void TScrollBar::GetScrollInfo(SCROLLINFO* info) const {
  if (!info) return;
  if (info->fMask & SIF_RANGE) info->nMin = m_info.nMin, info->nMax = m_info.nMax;
  if (info->fMask & SIF_PAGE) info->nPage = m_info.nPage;
  if (info->fMask & SIF_POS) info->nPos = m_info.nPos;
  if (info->fMask & SIF_TRACKPOS) info->nTrackPos = m_info.nTrackPos;
}

void TScrollBar::SetScrollInfo(const SCROLLINFO* info, bool redraw) {
  if (!info) return;
  if (info->fMask & SIF_RANGE) m_info.nMin = info->nMin, m_info.nMax = info->nMax;
  if (info->fMask & SIF_PAGE) m_info.nPage = info->nPage;
  if (info->fMask & SIF_POS) m_info.nPos = info->nPos;
  Clamp();
  if (redraw && GetHandle()) Invalidate(false);
}

void TScrollBar::SetPosition(int position, bool redraw) {
  m_info.nPos = position;
  m_info.nTrackPos = position;
  Clamp();
  if (redraw && GetHandle()) Invalidate(false);
}

void TScrollBar::GetRange(int& minimum, int& maximum) const {
  minimum = m_info.nMin;
  maximum = m_info.nMax;
}

void TScrollBar::SetRange(int minimum, int maximum, bool redraw) {
  m_info.nMin = std::min(minimum, maximum);
  m_info.nMax = std::max(minimum, maximum);
  Clamp();
  if (redraw && GetHandle()) Invalidate(false);
}

void TScrollBar::Clamp() {
  // As on Windows, the position goes no further than the last full page.
  const int page = std::max(int(m_info.nPage) - 1, 0);
  const int last = std::max(m_info.nMax - page, m_info.nMin);
  m_info.nPos = std::clamp(m_info.nPos, m_info.nMin, last);
}

}  // namespace OWL
