#include "controls/popups/popup.h"

#include <algorithm>

#include "hostframework/host_preferences.h"
#include "platform/win32/monitors.h"

namespace Quor {

namespace {

constexpr DWORD kPopupStyle = WS_POPUP | WS_DISABLED | WS_BORDER;  // 0x88800000
constexpr int kWrapWidth = 300;
constexpr int kRightMargin = 10;
constexpr int kFlipGap = 3;

std::unique_ptr<OWL::TFont> InterfaceFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return std::make_unique<OWL::TFont>(font);
}

OWL::TSize MeasureText(const String& text, const OWL::TFont& font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(screen, font.GetHandle());
  RECT rect{0, 0, kWrapWidth, 0};
  DrawTextW(screen, text.c_str(), int(text.Length()), &rect, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Popup::Popup(OWL::TWindow* parent, const OWL::TPoint& position, const String& text)
    : OWL::TWindow(parent), m_text(text), m_font(InterfaceFont()), m_anchor(position.x + 2, position.y + 2) {
  const OWL::TSize size = MeasureText(m_text, *m_font);
  Attr.Style = kPopupStyle;
  Attr.X = m_anchor.x;
  Attr.Y = m_anchor.y;
  Attr.W = size.cx + 5;
  Attr.H = size.cy + 2;
  Create();
}

Popup::~Popup() { Destroy(); }

bool Popup::Create() {
  if (!OWL::TWindow::Create()) return false;
  if (GetTarnHostBoolPreference()) ShowWindow(SW_SHOWNOACTIVATE);
  return true;
}

// Left of the work area's right edge by a margin, flipped above the point near the bottom, and
// never past the work area's left or top, even when the work area is smaller than the popup.
void Popup::SetupWindow() {
  OWL::TWindow::SetupWindow();
  MONITORINFO monitor{sizeof monitor, {}, {}, 0};
  GetMonitorInfoW(MonitorFromPoint(m_anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = Attr.W, height = Attr.H;
  int x = std::min<int>(m_anchor.x, work.right - kRightMargin - width);
  int y = m_anchor.y + height > work.bottom ? m_anchor.y - height - kFlipGap : m_anchor.y;
  x = std::max<int>(x, work.left);
  y = std::max<int>(y, work.top);
  MoveWindow(OWL::TRect(x, y, x + width, y + height), true);
}

void Popup::Paint(OWL::TDC& dc, bool, OWL::TRect&) {
  OWL::TRect client = GetClientRect();
  const OWL::TBrush background{OWL::TColor(kBackground)};
  dc.FillRect(client, background);
  dc.SelectObject(*m_font);
  dc.SetBkColor(OWL::TColor(kBackground));
  dc.SetTextColor(OWL::TColor::Black);
  dc.SetTextAlign(0);
  client.left += 1;
  client.right += 1;
  dc.DrawText(std::u16string(m_text.c_str()), client, DT_WORDBREAK);
  dc.RestoreObjects();
}

}  // namespace Quor
