#include "controls/popups/bitmap_window.h"

#include <cstdlib>

#include "platform/win32/monitors.h"

namespace QuorControls {

namespace {

constexpr DWORD SS_NOTIFY = 0x100;

}  // namespace

BitmapWindow::BitmapWindow(OWL::TWindow* parent, OWL::TBitmap* bitmap)
    : OWL::TStatic(parent, kControlId), m_bitmap(bitmap) {}

BitmapWindow::~BitmapWindow() = default;

void BitmapWindow::SetupWindow() {
  OWL::TStatic::SetupWindow();
  SetWindowLongW(GetHandle(), GWL_STYLE, GetWindowLongW(GetHandle(), GWL_STYLE) | SS_NOTIFY);
  if (m_layout == kSizedToBitmap && m_bitmap) {
    const OWL::TRect place(Attr.X, Attr.Y, Attr.X + m_bitmap->Width(), Attr.Y + m_bitmap->Height());
    SetWindowPos(nullptr, place, SWP_NOZORDER);
  }
  const OWL::TRect window = GetWindowRect();
  m_source = m_frame = OWL::TRect(0, 0, window.Width(), window.Height());
}

void BitmapWindow::LayOutSource() {
  if (!m_bitmap) return;
  const int bitmapWidth = m_bitmap->Width(), bitmapHeight = m_bitmap->Height();
  if (m_layout == kStretched) {
    m_source = OWL::TRect(0, 0, bitmapWidth, bitmapHeight);
  } else if (m_layout == kBottomAligned || m_layout == kCentred) {
    const bool halve = m_layout == kCentred;
    auto place = [halve](int bitmap, int frame, LONG& frameStart, LONG& frameEnd, LONG& sourceStart) {
      const int d = std::abs(bitmap - frame) / (halve ? 2 : 1);
      if (bitmap <= frame) {
        frameStart += d;
        frameEnd += d;
      } else {
        sourceStart += d;
      }
    };
    place(bitmapHeight, m_frame.Height(), m_frame.top, m_frame.bottom, m_source.top);
    if (halve) place(bitmapWidth, m_frame.Width(), m_frame.left, m_frame.right, m_source.left);
  }
}

void BitmapWindow::Paint(OWL::TDC& dc, bool, OWL::TRect& rect) {
  const OWL::TBrush face{OWL::TColor(GetSysColor(COLOR_BTNFACE))};
  dc.FillRect(rect, face);
  if (m_bitmap && m_bitmap->IsValid()) {
    LayOutSource();
    OWL::TMemoryDC memory(dc);
    memory.SelectObject(*m_bitmap);
    const COLORREF transparent = GetPixel(memory, 0, 0);
    if (!TransparentBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), memory, m_source.left,
                        m_source.top, m_frame.right, m_frame.bottom, transparent))
      BitBlt(dc, 0, 0, m_bitmap->Width(), m_bitmap->Height(), memory, 0, 0, SRCCOPY);
    memory.RestoreObjects();
  }
  if (m_overlay) m_overlay->Paint(dc, rect);
}

}  // namespace QuorControls
