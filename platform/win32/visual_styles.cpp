#include "platform/win32/visual_styles.h"

#include <atomic>

#include "platform/win32/hresult.h"

namespace {

// Visual styles switched off: nothing opens, so nothing is drawn through a theme.
class ClassicOnly : public win32::ThemeProvider {
 public:
  BOOL IsAppThemed() override { return FALSE; }
  BOOL IsThemeActive() override { return FALSE; }
  HTHEME Open(HWND, LPCWSTR) override { return nullptr; }
  HRESULT Close(HTHEME) override { return E_HANDLE; }
  HRESULT DrawBackground(HTHEME, HDC, int, int, const RECT*) override { return E_HANDLE; }
  HRESULT DrawParentBackground(HWND, HDC, const RECT*) override { return E_HANDLE; }
  HRESULT PartSize(HTHEME, HDC, int, int, THEMESIZE, SIZE*) override { return E_HANDLE; }
  HRESULT BackgroundRegion(HTHEME, HDC, int, int, const RECT*, HRGN*) override { return E_HANDLE; }
  HRESULT TextExtent(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*, RECT*) override {
    return E_HANDLE;
  }
  HRESULT DrawText(HTHEME, HDC, int, int, LPCWSTR, int, DWORD, const RECT*) override { return E_HANDLE; }
};

std::atomic<win32::ThemeProvider*>& Installed() {
  static std::atomic<win32::ThemeProvider*> provider = nullptr;
  return provider;
}

win32::ThemeProvider& Provider() {
  static ClassicOnly classic;
  win32::ThemeProvider* installed = Installed().load();
  return installed ? *installed : classic;
}

}  // namespace

HTHEME OpenThemeData(HWND window, LPCWSTR classList) { return Provider().Open(window, classList); }
HRESULT CloseThemeData(HTHEME theme) { return Provider().Close(theme); }
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT*) {
  return Provider().DrawBackground(theme, dc, part, state, rect);
}
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
  return Provider().DrawParentBackground(window, dc, rect);
}
BOOL IsAppThemed() { return Provider().IsAppThemed(); }
BOOL IsThemeActive() { return Provider().IsThemeActive(); }
HRESULT GetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT*, THEMESIZE kind,
                         SIZE* size) {
  return Provider().PartSize(theme, dc, part, state, kind, size);
}
HRESULT GetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect,
                                 HRGN* region) {
  return Provider().BackgroundRegion(theme, dc, part, state, rect, region);
}
HRESULT GetThemeTextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                           DWORD flags, const RECT* bounds, RECT* extent) {
  return Provider().TextExtent(theme, dc, part, state, text, length, flags, bounds, extent);
}
HRESULT DrawThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length,
                      DWORD flags, DWORD, const RECT* rect) {
  return Provider().DrawText(theme, dc, part, state, text, length, flags, rect);
}

void win32::SetThemeProviderForTesting(ThemeProvider* provider) { Installed() = provider; }
