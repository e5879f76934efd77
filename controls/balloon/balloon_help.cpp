#include "controls/balloon/balloon_help.h"

#include <algorithm>
#include <cmath>

#include "controls/dpi/window_dpi.h"
#include "controls/theme/ux_theme_dll.h"
#include "core/system_info_cache.h"
#include "core/xquor.h"
#include "platform/win32/cursor.h"
#include "platform/win32/icons.h"
#include "platform/win32/input.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/monitors.h"

namespace WTL {

namespace {

constexpr UINT_PTR kTimeoutTimer = 1;
constexpr UINT_PTR kCloseHotTimer = 2;
constexpr UINT kCloseHotMs = 100;
constexpr UINT kClosePushed = 0x200;
constexpr UINT kCloseHot = 0x1000;
constexpr COLORREF kClassicLinkColour = RGB(0, 0, 132);

// "TOOLTIP" and "TEXTSTYLE" parts and states.
constexpr int kBalloonPart = 3, kBalloonTitlePart = 4, kClosePart = 5, kStemPart = 6;
constexpr int kHyperlinkPart = 6, kHyperlinkState = 2;

constexpr DWORD kInfoText = 0x80000017;
constexpr DWORD kInfoBackground = 0x80000018;

constexpr COLORREF kNoIcon = CLR_INVALID;

COLORREF FromOleColour(DWORD colour) {
  return (colour & 0x80000000) ? GetSysColor(int(colour & 0xFF)) : COLORREF(colour);
}

int Scaled(int pixels) {
  const WindowDpi dpi = GetWindowDpi(nullptr);
  const float scale = float(std::max(dpi.x, dpi.y)) / 96.0f;
  return int(std::ceil(float(pixels) * scale));
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// A themed step, and its classic twin when the themed one reports failure.
template <class Themed, class Classic>
void WithClassicFallback(bool themed, Themed themedStep, Classic classicStep) {
  if (themed) {
    try {
      themedStep();
      return;
    } catch (const XQuor&) {
    }
  }
  classicStep();
}

COLORREF SystemIconColour(int iconId) {
  return win32::StockIconColour(LoadIconW(nullptr, MAKEINTRESOURCEW(ULONG_PTR(iconId))));
}

}  // namespace

CBalloonHelp::CBalloonHelp()
    : m_margin(Scaled(8)),
      m_tailHeight(Scaled(20)),
      m_textColour(FromOleColour(kInfoText)),
      m_backgroundColour(FromOleColour(kInfoBackground)) {}

CBalloonHelp::~CBalloonHelp() {
  // The window goes while this object can still answer its last messages.
  if (m_hWnd && IsWindow(m_hWnd)) {
    m_options &= ~kBalloonDeleteThisOnClose;
    ::DestroyWindow(m_hWnd);
  }
  if (m_icon) DeleteObject(m_icon);
  if (m_titleFont) DeleteObject(m_titleFont);
}

bool CBalloonHelp::Themed() const { return QuorLinkingUtils::IsThemingActive(); }

bool CBalloonHelp::ThemedFrame() const { return Themed() && Quor::IsWindowsVistaOrLater(); }

Quor::String CBalloonHelp::Title() const {
  WCHAR title[255] = {};
  if (m_hWnd) GetWindowTextW(m_hWnd, title, 255);
  return Quor::String(title);
}

BOOL CBalloonHelp::Create(HWND parent, LPCWSTR title, LPCWSTR message, const POINT* anchor, DWORD options,
                          LPCWSTR url, UINT timeoutMs, DWORD layout) {
  m_message = Quor::String(message ? message : u"");
  m_options = options;
  m_layoutBits = layout;
  m_url = Quor::String(url ? url : u"");
  m_timeout = timeoutMs;
  if (anchor) {
    m_anchor = *anchor;
    m_anchorOffset = {};
    m_anchorWindow = nullptr;
  }
  if (!m_messageFont) m_messageFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!m_titleFont) {
    LOGFONTW font{};
    GetObjectW(m_messageFont, sizeof font, &font);
    font.lfWeight = FW_BOLD;
    m_titleFont = CreateFontIndirectW(&font);
  }
  if (!m_hWnd) {
    const DWORD exStyle = WS_EX_TOOLWINDOW | ((options & kBalloonTopmost) ? WS_EX_TOPMOST : 0);
    if (!CWindowImpl::Create(parent, RECT{}, title ? title : u"", WS_POPUP, exStyle)) return FALSE;
  } else {
    SetWindowTextW(m_hWnd, title ? title : u"");
  }
  m_tooltipTheme = std::make_unique<UxThemeData>(m_hWnd, Quor::String(u"TOOLTIP"));
  m_textStyleTheme = std::make_unique<UxThemeData>(m_hWnd, Quor::String(u"TEXTSTYLE"));
  PositionWindow();
  GetCursorPos(&m_cursorAtShow);
  SetCapture(m_hWnd);
  if (m_timeout) SetTimer(m_hWnd, kTimeoutTimer, m_timeout, nullptr);
  if (!(m_options & kBalloonStartHidden)) {
    ShowBalloon();
    ::UpdateWindow(m_hWnd);
  }
  return TRUE;
}

void CBalloonHelp::SetAnchorToWindowCentre(HWND window) {
  RECT rect{};
  if (!IsWindow(window) || !GetWindowRect(window, &rect)) return;
  m_anchor = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  m_anchorOffset = {};
  m_anchorWindow = nullptr;
}

POINT CBalloonHelp::GetAnchorPoint() {
  RECT rect{};
  if (IsWindow(m_anchorWindow) && GetWindowRect(m_anchorWindow, &rect))
    m_anchor = {rect.left + m_anchorOffset.x, rect.top + m_anchorOffset.y};
  return m_anchor;
}

void CBalloonHelp::SetIconFromSystem(int iconId) {
  const COLORREF colour = SystemIconColour(iconId);
  if (colour == kNoIcon) {
    PositionWindow();
    return;
  }
  const WindowDpi dpi = GetWindowDpi(m_hWnd);
  const int width = 16 * dpi.x / 96, height = 16 * dpi.y / 96;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previousBitmap = SelectObject(memory, bitmap);
  const HBRUSH background = CreateSolidBrush(m_backgroundColour);
  const RECT all{0, 0, width, height};
  FillRect(memory, &all, background);
  const HBRUSH mark = CreateSolidBrush(colour);
  const HGDIOBJ previousBrush = SelectObject(memory, mark);
  const HGDIOBJ previousPen = SelectObject(memory, GetStockObject(NULL_PEN));
  Ellipse(memory, 0, 0, width, height);
  SelectObject(memory, previousPen);
  SelectObject(memory, previousBrush);
  SelectObject(memory, previousBitmap);
  DeleteObject(mark);
  DeleteObject(background);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  SetIconFromBitmap(bitmap, m_backgroundColour);
}

void CBalloonHelp::SetIconFromBitmap(HBITMAP bitmap, COLORREF mask) {
  if (m_icon) DeleteObject(m_icon);
  m_icon = bitmap;
  m_iconMask = mask;
  BITMAP info{};
  m_iconSize = bitmap && GetObjectW(bitmap, sizeof info, &info) ? SIZE{info.bmWidth, info.bmHeight} : SIZE{};
  PositionWindow();
}

void CBalloonHelp::SetLink(const Quor::String& text, std::function<void()> callback) {
  m_linkText = text;
  m_linkCallback = std::move(callback);
  PositionWindow();
}

SIZE CBalloonHelp::CalcClientSize() {
  const HDC dc = GetDC(m_hWnd);
  const SIZE header = DrawHeader(dc, false);
  const SIZE message = DrawMessage(dc, 0, false);
  ReleaseDC(m_hWnd, dc);
  return {std::max(header.cx, message.cx), header.cy + m_margin + message.cy};
}

bool CBalloonHelp::IsInKeepOpenArea(POINT point) {
  if (m_options & kBalloonKeepOpenOverRect) return !IsRectEmpty(&m_keepOpen) && PtInRect(&m_keepOpen, point);
  if (m_options & kBalloonKeepOpenOverWindow) {
    RECT area{};
    GetWindowRect(m_hWnd, &area);
    InflateRect(&area, m_awayTolerance, m_awayTolerance);
    area.top = std::min(area.top, m_cursorAtShow.y);
    area.bottom = std::max(area.bottom, m_cursorAtShow.y + 1);
    if (PtInRect(&area, point)) return true;
  }
  return std::abs(point.x - m_cursorAtShow.x) <= m_awayTolerance &&
         std::abs(point.y - m_cursorAtShow.y) <= m_awayTolerance;
}

void CBalloonHelp::PositionWindow() {
  if (!m_hWnd) return;
  const POINT anchor = GetAnchorPoint();
  MONITORINFO monitor{sizeof monitor, {}, {}, 0};
  GetMonitorInfoW(MonitorFromPoint(anchor, MONITOR_DEFAULTTONEAREST), &monitor);
  m_workArea = monitor.rcWork;
  m_layout = LayOutBalloon(CalcClientSize(), m_margin, m_tailHeight, anchor, m_workArea, m_options);
  const RECT& w = m_layout.window;
  MoveWindow(m_hWnd, w.left, w.top, Width(w), Height(w), TRUE);
  if (IsRectEmpty(&m_keepOpen)) m_keepOpen = w;
  ::UpdateWindow(m_hWnd);
}

RECT CBalloonHelp::ClientArea() const {
  const RECT window{0, 0, Width(m_layout.window), Height(m_layout.window)};
  return BalloonClientArea(window, m_layout.quadrant, m_margin, m_tailHeight);
}

RECT CBalloonHelp::CloseRect() const {
  const LONG width = Width(ClientArea());
  return {width - m_closeSize.cx, 0, width, m_closeSize.cy};
}

SIZE CBalloonHelp::MeasureText(HDC dc, UxThemeData* theme, int part, int state, const Quor::String& text,
                               UINT format, RECT bounds) {
  RECT measured = bounds;
  WithClassicFallback(
      Themed() && theme,
      [&] { QuorLinkingUtils::UxThemeDLL::GetThemeTextExtent(*theme, dc, part, state, text.c_str(), format, measured); },
      [&] {
        measured = bounds;
        DrawTextW(dc, text.c_str(), int(text.Length()), &measured, format | DT_CALCRECT);
      });
  return {Width(measured), Height(measured)};
}

void CBalloonHelp::DrawTextIn(HDC dc, UxThemeData* theme, int part, int state, const Quor::String& text,
                              UINT format, const RECT& rect) {
  WithClassicFallback(
      Themed() && theme,
      [&] { QuorLinkingUtils::UxThemeDLL::DrawThemeText(*theme, dc, part, state, text.c_str(), format, rect); },
      [&] {
        RECT area = rect;
        const int mode = SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text.c_str(), int(text.Length()), &area, format);
        SetBkMode(dc, mode);
      });
}

void CBalloonHelp::DrawCloseButton(HDC dc, const RECT& rect, UINT state, bool themed) {
  WithClassicFallback(
      themed,
      [&] { QuorLinkingUtils::UxThemeDLL::DrawThemeBackground(*m_tooltipTheme, dc, kClosePart, 1, rect); },
      [&] {
        // The classic caption close control, flat: a cross, framed while hot or pushed.
        const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
        const HGDIOBJ previous = SelectObject(dc, pen);
        MoveToEx(dc, rect.left + 3, rect.top + 3, nullptr);
        LineTo(dc, rect.right - 3, rect.bottom - 3);
        MoveToEx(dc, rect.right - 4, rect.top + 3, nullptr);
        LineTo(dc, rect.left + 2, rect.bottom - 3);
        SelectObject(dc, previous);
        DeleteObject(pen);
        if (state & (kCloseHot | kClosePushed)) {
          const HBRUSH frame = CreateSolidBrush(GetSysColor((state & kClosePushed) ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT));
          FrameRect(dc, &rect, frame);
          DeleteObject(frame);
        }
      });
}

SIZE CBalloonHelp::DrawHeader(HDC dc, bool draw) {
  RECT area = ClientArea();
  OffsetRect(&area, -area.left, -area.top);
  SIZE size{0, 0};
  if (m_icon) {
    size.cx += m_iconSize.cx;
    size.cy = std::max(size.cy, m_iconSize.cy);
    LONG x = 0;
    if (m_layoutBits & kBalloonIconRight) {
      x = area.right - m_iconSize.cx;
      area.right -= m_margin + m_iconSize.cx;
    } else if (m_layoutBits & kBalloonIconLeft) {
      area.left += m_margin + m_iconSize.cx;
    }
    if (draw) {
      const int y = 2 * GetWindowDpi(m_hWnd).y / 96;
      const HDC memory = CreateCompatibleDC(dc);
      const HGDIOBJ previous = SelectObject(memory, m_icon);
      TransparentBlt(dc, x, y, m_iconSize.cx, m_iconSize.cy, memory, 0, 0, m_iconSize.cx, m_iconSize.cy, m_iconMask);
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
  }
  if (m_options & kBalloonShowCloseButton) {
    // A theme that cannot answer the close part's size leaves the classic size.
    if (Themed() && m_tooltipTheme) {
      SIZE themedSize = m_closeSize;
      try {
        QuorLinkingUtils::UxThemeDLL::GetThemePartSize(*m_tooltipTheme, dc, kClosePart, 1, TS_DRAW, themedSize);
        m_closeSize = themedSize;
      } catch (const XQuor&) {
        m_closeSize = {14, 14};
      }
    }
    size.cx += m_closeSize.cx;
    size.cy = std::max(size.cy, m_closeSize.cy);
    LONG left = 0;
    if (m_layoutBits & kBalloonCloseLeft) {
      left = area.left;
      area.left += m_margin + m_closeSize.cx;
    } else if (m_layoutBits & kBalloonCloseRight) {
      left = area.right - m_closeSize.cx;
      area.right = left - m_margin;
    }
    if (draw) DrawCloseButton(dc, {left, 0, left + m_closeSize.cx, m_closeSize.cy}, 0, Themed() && m_tooltipTheme);
  }
  const Quor::String title = Title();
  if (title.Length()) {
    const HGDIOBJ previous = SelectObject(dc, m_titleFont);
    if (size.cx > 0) size.cx += m_margin;
    UINT format = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX;
    if (m_layoutBits & kBalloonTitleCentred) format |= DT_CENTER;
    else if (m_layoutBits & kBalloonTitleRight) format |= DT_RIGHT;
    const SIZE text = MeasureText(dc, m_tooltipTheme.get(), kBalloonTitlePart, 0, title, format, area);
    size.cx += text.cx;
    size.cy = std::max(size.cy, text.cy);
    if (draw) DrawTextIn(dc, m_tooltipTheme.get(), kBalloonTitlePart, 0, title, format, area);
    SelectObject(dc, previous);
  }
  return size;
}

SIZE CBalloonHelp::DrawMessage(HDC dc, int top, bool draw) {
  const LONG w = Width(m_workArea);
  RECT rect{0, top, w - w / 2, Height(m_workArea)};
  if (!m_message.Length() && !m_linkText.Length()) return {0, 0};
  const HGDIOBJ previous = SelectObject(dc, m_messageFont);
  UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
  if (m_layoutBits & kBalloonMessageCentred) format |= DT_CENTER;
  else if (m_layoutBits & kBalloonMessageRight) format |= DT_RIGHT;

  auto measureLink = [&](const RECT& bounds) {
    SIZE link{};
    if (!m_linkText.Length()) return link;
    WithClassicFallback(
        Themed() && m_textStyleTheme,
        [&] {
          RECT r = bounds;
          QuorLinkingUtils::UxThemeDLL::GetThemeTextExtent(*m_textStyleTheme, dc, kHyperlinkPart, kHyperlinkState,
                                                           m_linkText.c_str(), format, r);
          link = {Width(r), Height(r)};
        },
        [&] {
          RECT r = bounds;
          DrawTextW(dc, m_linkText.c_str(), int(m_linkText.Length()), &r, format | DT_CALCRECT);
          link = {Width(r), Height(r) + 1};
        });
    return link;
  };

  const SIZE message = MeasureText(dc, m_tooltipTheme.get(), kBalloonPart, 1, m_message, format, rect);
  const RECT linkBounds{rect.left, rect.top + message.cy, rect.right, rect.bottom};
  const SIZE link = measureLink(linkBounds);
  const SIZE size{std::max(message.cx, link.cx), message.cy + link.cy};
  if (draw) {
    m_linkRect = {};
    DrawTextIn(dc, m_tooltipTheme.get(), kBalloonPart, 1, m_message, format, rect);
    if (m_linkText.Length()) {
      m_linkRect = {linkBounds.left, linkBounds.top, linkBounds.left + link.cx, linkBounds.top + link.cy};
      WithClassicFallback(
          Themed() && m_textStyleTheme,
          [&] {
            QuorLinkingUtils::UxThemeDLL::DrawThemeText(*m_textStyleTheme, dc, kHyperlinkPart, kHyperlinkState,
                                                        m_linkText.c_str(), format, m_linkRect);
          },
          [&] {
            const COLORREF colour = SetTextColor(dc, kClassicLinkColour);
            const int mode = SetBkMode(dc, TRANSPARENT);
            RECT area = m_linkRect;
            DrawTextW(dc, m_linkText.c_str(), int(m_linkText.Length()), &area, format);
            const HPEN pen = CreatePen(PS_SOLID, 1, kClassicLinkColour);
            const HGDIOBJ previousPen = SelectObject(dc, pen);
            MoveToEx(dc, m_linkRect.left, m_linkRect.bottom - 1, nullptr);
            LineTo(dc, m_linkRect.right + 1, m_linkRect.bottom - 1);
            SelectObject(dc, previousPen);
            DeleteObject(pen);
            SetBkMode(dc, mode);
            SetTextColor(dc, colour);
          });
    }
  }
  SelectObject(dc, previous);
  return size;
}

void CBalloonHelp::PaintFrame(HDC dc) {
  const RECT& body = m_layout.body;
  WithClassicFallback(
      ThemedFrame() && m_tooltipTheme,
      [&] {
        QuorLinkingUtils::UxThemeDLL::DrawThemeBackground(*m_tooltipTheme, dc, kBalloonPart, 1, body);
        static constexpr int kStemStates[] = {3, 1, 6, 4};
        const POINT tip = m_layout.tail[1];
        const int q = m_layout.quadrant;
        const RECT stem{tip.x - ((q == 0 || q == 3) ? m_tailHeight : 0), tip.y - ((q >= 2) ? m_tailHeight : 0),
                        tip.x + ((q == 0 || q == 3) ? 0 : m_tailHeight), tip.y + ((q >= 2) ? 0 : m_tailHeight)};
        QuorLinkingUtils::UxThemeDLL::DrawThemeBackground(*m_tooltipTheme, dc, kStemPart, kStemStates[q], stem);
      },
      [&] {
        const RECT window{0, 0, Width(m_layout.window), Height(m_layout.window)};
        const HBRUSH background = CreateSolidBrush(m_backgroundColour);
        FillRect(dc, &window, background);
        const HPEN pen = CreatePen(PS_SOLID, 1, m_textColour);
        const HGDIOBJ previousPen = SelectObject(dc, pen);
        const HGDIOBJ previousBrush = SelectObject(dc, background);
        Rectangle(dc, body.left, body.top, body.right, body.bottom);
        Polygon(dc, m_layout.tail, 3);
        if (m_options & kBalloonInnerEdges) {
          auto channel = [](COLORREF c, int shift) { return int((c >> shift) & 0xFF); };
          auto mix = [&](auto f) { return RGB(f(0), f(8), f(16)); };
          const COLORREF light = mix([&](int s) { return channel(m_backgroundColour, s) / 3 + 170; });
          const COLORREF dark = mix([&](int s) {
            return channel(m_textColour, s) / 3 + 2 * (channel(m_backgroundColour, s) / 3);
          });
          RECT inner = body;
          InflateRect(&inner, -1, -1);
          const HBRUSH lightBrush = CreateSolidBrush(light), darkBrush = CreateSolidBrush(dark);
          FrameRect(dc, &inner, lightBrush);
          InflateRect(&inner, -1, -1);
          FrameRect(dc, &inner, darkBrush);
          DeleteObject(lightBrush);
          DeleteObject(darkBrush);
        }
        SelectObject(dc, previousBrush);
        SelectObject(dc, previousPen);
        DeleteObject(pen);
        DeleteObject(background);
      });
}

void CBalloonHelp::PaintClient(HDC dc) {
  const RECT client = ClientArea();
  POINT previousOrigin{};
  SetViewportOrgEx(dc, client.left, client.top, &previousOrigin);
  if (!ThemedFrame()) {
    const RECT area{0, 0, Width(client), Height(client)};
    const HBRUSH background = CreateSolidBrush(m_backgroundColour);
    FillRect(dc, &area, background);
    DeleteObject(background);
  }
  const SIZE header = DrawHeader(dc, true);
  DrawMessage(dc, m_margin + header.cy, true);
  SetViewportOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

void CBalloonHelp::Paint() {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(m_hWnd, &paint);
  PaintFrame(dc);
  PaintClient(dc);
  EndPaint(m_hWnd, &paint);
}

void CBalloonHelp::ShowBalloon() {
  // The desktop has no tooltip animation, so the balloon shows at once without taking the focus.
  ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
}

void CBalloonHelp::HideBalloon() {
  if (!m_hWnd || !IsWindow(m_hWnd)) return;
  ShowWindow(m_hWnd, SW_HIDE);
  PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CBalloonHelp::OnMouseMove(POINT client) {
  if (m_options & kBalloonCloseOnMouseAway) {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!IsInKeepOpenArea(cursor)) HideBalloon();
  }
  if (m_options & kBalloonShowCloseButton) {
    const RECT close = CloseRect();
    UINT state = m_closeState & kClosePushed;
    if (PtInRect(&close, client)) {
      state |= kCloseHot;
      SetTimer(m_hWnd, kCloseHotTimer, kCloseHotMs, nullptr);
    }
    if (state != m_closeState) {
      m_closeState = state;
      const RECT origin = ClientArea();
      RECT drawn = close;
      OffsetRect(&drawn, origin.left, origin.top);
      const HDC dc = GetDC(m_hWnd);
      DrawCloseButton(dc, drawn, m_closeState, false);
      ReleaseDC(m_hWnd, dc);
    }
  }
  if (m_options & kBalloonLiveLink) {
    const bool overLink = !IsRectEmpty(&m_linkRect) && PtInRect(&m_linkRect, client);
    SetCursor(LoadCursorW(nullptr, overLink ? IDC_HAND : IDC_ARROW));
  }
}

void CBalloonHelp::OnLeftButtonDown(POINT client) {
  if (m_options & kBalloonCloseOnAnyClick) {
    HideBalloon();
    return;
  }
  const RECT close = CloseRect();
  if ((m_options & kBalloonShowCloseButton) && PtInRect(&close, client)) {
    m_closeState |= kClosePushed;
    SetCapture(m_hWnd);
    OnMouseMove(client);
  }
  if ((m_options & kBalloonLiveLink) && !IsRectEmpty(&m_linkRect) && PtInRect(&m_linkRect, client)) {
    SetCapture(m_hWnd);
    OnMouseMove(client);
  }
}

void CBalloonHelp::OnLeftButtonUp(POINT client) {
  if ((m_options & kBalloonShowCloseButton) && (m_closeState & kClosePushed)) {
    ReleaseCapture();
    m_closeState &= ~kClosePushed;
    const RECT close = CloseRect();
    if (PtInRect(&close, client)) HideBalloon();
    return;
  }
  if ((m_options & kBalloonLiveLink) && !IsRectEmpty(&m_linkRect)) {
    ReleaseCapture();
    if (PtInRect(&m_linkRect, client)) {
      HideBalloon();
      if (m_linkCallback) m_linkCallback();
    }
    return;
  }
  // Opening an address needs the shell, which this desktop does not have: the balloon only closes.
  if (m_url.Length()) HideBalloon();
}

void CBalloonHelp::OnTimer(UINT_PTR id) {
  KillTimer(m_hWnd, id);
  if (id == kCloseHotTimer) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(m_hWnd, &cursor);
    const RECT origin = ClientArea();
    OnMouseMove({cursor.x - origin.left, cursor.y - origin.top});
  } else {
    HideBalloon();
  }
}

// Closing or opening a theme that fails must not leave the window procedure: the balloon then
// draws classically.
void CBalloonHelp::ReopenThemes() {
  for (UxThemeData* theme : {m_tooltipTheme.get(), m_textStyleTheme.get()}) {
    if (!theme) continue;
    try {
      theme->Close();
      if (ThemedFrame()) theme->Get();
    } catch (const XQuor&) {
    }
  }
}

BOOL CBalloonHelp::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD) {
  const RECT origin = m_hWnd ? ClientArea() : RECT{};
  const POINT at = PointOf(lParam);
  const POINT client{at.x - origin.left, at.y - origin.top};
  result = 0;
  switch (message) {
    case WM_PAINT: Paint(); return TRUE;
    case WM_ERASEBKGND: result = 1; return TRUE;
    case WM_MOUSEMOVE: OnMouseMove(client); return TRUE;
    case WM_LBUTTONDOWN: OnLeftButtonDown(client); return TRUE;
    case WM_LBUTTONUP: OnLeftButtonUp(client); return TRUE;
    case WM_TIMER:
      if (wParam != kTimeoutTimer && wParam != kCloseHotTimer) return FALSE;
      OnTimer(wParam);
      return TRUE;
    case WM_CAPTURECHANGED:
      if (!(m_options & kBalloonShowCloseButton)) return FALSE;
      m_closeState = 0;
      return TRUE;
    case WM_MOUSEACTIVATE: result = MA_NOACTIVATE; return TRUE;
    case WM_ACTIVATEAPP:
      if ((m_options & kBalloonCloseOnDeactivate) && !wParam) HideBalloon();
      return TRUE;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE: ReopenThemes(); return TRUE;
    case WM_DESTROY: ReleaseCapture(); return TRUE;
    default: return FALSE;
  }
}

void CBalloonHelp::OnFinalMessage(HWND) {
  if (m_options & kBalloonDeleteThisOnClose) delete this;
}

}  // namespace WTL
