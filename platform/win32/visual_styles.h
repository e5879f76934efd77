// The visual-styles library's entry points. This desktop has no visual styles: by default the
// application is not themed, no theme opens and every drawing call fails, so controls take
// their classic paths. A test may install a provider that opens themes and draws, and fails
// chosen calls, to drive the themed paths and their fallbacks. The provider installed is used by
// every call until another is installed; the caller keeps it alive.
#pragma once

#include "platform/win32/gdi.h"

DECLARE_PLATFORM_HANDLE(HTHEME);

enum THEMESIZE { TS_MIN = 0, TS_TRUE = 1, TS_DRAW = 2 };

HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                            const RECT* clip);
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
BOOL IsAppThemed();
BOOL IsThemeActive();
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                         THEMESIZE kind, SIZE* size);
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region);
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                           DWORD flags, const RECT* bounds, RECT* extent);
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                      DWORD flags, DWORD flags2, const RECT* rect);

namespace win32 {

// What the entry points above forward to.
class ThemeProvider {
 public:
  virtual ~ThemeProvider() = default;
  virtual BOOL IsAppThemed() = 0;
  virtual BOOL IsThemeActive() = 0;
  virtual HTHEME Open(HWND window, LPCWSTR classList) = 0;
  virtual HRESULT Close(HTHEME theme) = 0;
  virtual HRESULT DrawBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect) = 0;
  virtual HRESULT DrawParentBackground(HWND window, HDC dc, const RECT* rect) = 0;
  virtual HRESULT PartSize(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size) = 0;
  virtual HRESULT BackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                   HRGN* region) = 0;
  virtual HRESULT TextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                             DWORD flags, const RECT* bounds, RECT* extent) = 0;
  virtual HRESULT DrawText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                           DWORD flags, const RECT* rect) = 0;
};

// Null restores the desktop's own answer: no visual styles.
void SetThemeProviderForTesting(ThemeProvider* provider);

}  // namespace win32
