// A balloon tip: a borderless popup with a body and a pointed tail whose tip touches an anchor
// point on the screen, holding an optional icon, a bold title, an optional close button, a
// wrapped message and an optional link line. It draws with visual styles when they are on and
// classically otherwise (each themed step falls back to its classic twin when it fails), follows
// the screen's resolution, and closes itself on the user actions its options word selects.
//
// The error mark makes one per explanation with option 0x1000, so the balloon deletes itself
// after its window's final message; otherwise its maker deletes it.
#pragma once

#include <functional>
#include <memory>

#include "controls/balloon/balloon_geometry.h"
#include "controls/theme/ux_theme_data.h"
#include "core/quor_string.h"
#include "platform/owl/atl_window.h"
#include "platform/win32/gdi.h"

namespace WTL {

// Options.
constexpr DWORD kBalloonShowCloseButton = 0x00001;
constexpr DWORD kBalloonInnerEdges = 0x00002;
constexpr DWORD kBalloonTopmost = 0x00004;
constexpr DWORD kBalloonCloseOnAnyClick = 0x00008 | 0x00010 | 0x00020;
constexpr DWORD kBalloonCloseOnMouseAway = 0x00200;
constexpr DWORD kBalloonCloseOnDeactivate = 0x00800;
constexpr DWORD kBalloonDeleteThisOnClose = 0x01000;
constexpr DWORD kBalloonNoFadeIn = 0x02000;
constexpr DWORD kBalloonNoFadeOut = 0x04000;
constexpr DWORD kBalloonStartHidden = 0x08000;
constexpr DWORD kBalloonKeepOpenOverWindow = 0x20000;
constexpr DWORD kBalloonLiveLink = 0x40000;
constexpr DWORD kBalloonKeepOpenOverRect = 0x80000;

// Layout bits.
constexpr DWORD kBalloonIconLeft = 0x0001;
constexpr DWORD kBalloonIconRight = 0x0002;
constexpr DWORD kBalloonMessageCentred = 0x0020;
constexpr DWORD kBalloonMessageRight = 0x0040;
constexpr DWORD kBalloonTitleCentred = 0x0200;
constexpr DWORD kBalloonTitleRight = 0x0400;
constexpr DWORD kBalloonCloseLeft = 0x1000;
constexpr DWORD kBalloonCloseRight = 0x2000;

class CBalloonHelp : public ATL::CWindowImpl<CBalloonHelp> {
 public:
  static std::u16string GetWndClassNameOf() { return u"XPBalloonHelp"; }

  CBalloonHelp();
  ~CBalloonHelp() override;

  BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                            DWORD mapId) override;
  void OnFinalMessage(HWND window) override;

  // Nonzero when the window exists. Null texts count as empty; a null anchor keeps the one set.
  virtual BOOL Create(HWND parent, LPCWSTR title, LPCWSTR message, const POINT* anchor, DWORD options,
                      LPCWSTR url, UINT timeoutMs, DWORD layout);
  // Header and message measured without drawing.
  virtual SIZE CalcClientSize();
  virtual bool IsInKeepOpenArea(POINT screenPoint);

  void SetAnchorToWindowCentre(HWND window);
  POINT GetAnchorPoint();
  void SetAwayTolerance(int pixels) { m_awayTolerance = pixels; }
  // One of the system's icons (32513 hand, 32515 exclamation, 32516 information).
  void SetIconFromSystem(int iconId);
  // The icon is the bitmap (the balloon takes it), `mask` its transparent colour.
  void SetIconFromBitmap(HBITMAP bitmap, COLORREF mask);
  void SetLink(const Quor::String& text, std::function<void()> callback);
  void SetKeepOpenRect(const RECT& rect) { m_keepOpen = rect; }
  const RECT& GetKeepOpenRect() const { return m_keepOpen; }

  void PositionWindow();
  void ShowBalloon();
  void HideBalloon();

  int Margin() const { return m_margin; }
  int TailHeight() const { return m_tailHeight; }
  const BalloonLayout& Layout() const { return m_layout; }
  SIZE CloseButtonSize() const { return m_closeSize; }
  // In client coordinates: where the close button is hit, where the link was drawn.
  RECT CloseRect() const;
  RECT LinkRect() const { return m_linkRect; }
  // The client area in window coordinates.
  RECT ClientArea() const;

 private:
  SIZE DrawHeader(HDC dc, bool draw);
  SIZE DrawMessage(HDC dc, int top, bool draw);
  SIZE MeasureText(HDC dc, UxThemeData* theme, int part, int state, const Quor::String& text, UINT format,
                   RECT bounds);
  void DrawTextIn(HDC dc, UxThemeData* theme, int part, int state, const Quor::String& text, UINT format,
                  const RECT& rect);
  void DrawCloseButton(HDC dc, const RECT& rect, UINT state, bool themed);
  void PaintFrame(HDC dc);
  void PaintClient(HDC dc);
  void Paint();
  void OnMouseMove(POINT client);
  void OnLeftButtonDown(POINT client);
  void OnLeftButtonUp(POINT client);
  void OnTimer(UINT_PTR id);
  void ReopenThemes();
  bool Themed() const;
  bool ThemedFrame() const;
  Quor::String Title() const;

  int m_margin;
  int m_tailHeight;
  int m_fadeTime = 200;
  DWORD m_options = 3;
  UINT m_timeout = 0;
  int m_awayTolerance = 3;
  HFONT m_titleFont = nullptr;
  HFONT m_messageFont = nullptr;
  COLORREF m_textColour;
  COLORREF m_backgroundColour;
  Quor::String m_message;
  Quor::String m_linkText;
  Quor::String m_url;
  POINT m_anchor{};
  POINT m_anchorOffset{};
  HWND m_anchorWindow = nullptr;
  RECT m_workArea{};
  HBITMAP m_icon = nullptr;
  COLORREF m_iconMask = 0;
  SIZE m_iconSize{};
  POINT m_cursorAtShow{};
  UINT m_closeState = 0;
  DWORD m_layoutBits = 0x2111;
  RECT m_linkRect{};
  std::function<void()> m_linkCallback;
  std::unique_ptr<UxThemeData> m_tooltipTheme;
  std::unique_ptr<UxThemeData> m_textStyleTheme;
  BalloonLayout m_layout{};
  SIZE m_closeSize{14, 14};
  RECT m_keepOpen{};
};

}  // namespace WTL
