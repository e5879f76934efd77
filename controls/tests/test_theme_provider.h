// Visual styles for the control tests: themes open for the classes the controls use, backgrounds
// are filled with one colour per part, text is drawn plainly, and any call named in `failing`
// fails, to drive the strict wrappers and the classic fallbacks. Installed for the life of the
// object.
#pragma once

#include <set>
#include <string>

#include "platform/win32/visual_styles.h"

namespace controls_testing {

class TestThemeProvider : public win32::ThemeProvider {
 public:
  TestThemeProvider();
  ~TestThemeProvider() override;

  // The colour a themed background of `part` is filled with.
  static COLORREF PartColour(int part) { return RGB(0, 100 + part, 50); }

  std::set<std::string> failing;  // "Open", "Close", "DrawBackground", "PartSize", "Region", "TextExtent", "DrawText"
  SIZE partSize{20, 20};
  int opened = 0;
  int closed = 0;

  BOOL IsAppThemed() override { return TRUE; }
  BOOL IsThemeActive() override { return TRUE; }
  HTHEME Open(HWND window, LPCWSTR classList) override;
  HRESULT Close(HTHEME theme) override;
  HRESULT DrawBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect) override;
  HRESULT DrawParentBackground(HWND window, HDC dc, const RECT* rect) override;
  HRESULT PartSize(HTHEME theme, HDC dc, int part, int state, THEMESIZE kind, SIZE* size) override;
  HRESULT BackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT* rect, HRGN* region) override;
  HRESULT TextExtent(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                     const RECT* bounds, RECT* extent) override;
  HRESULT DrawText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text, int length, DWORD flags,
                   const RECT* rect) override;

 private:
  bool Fails(const char* call) const { return failing.count(call) != 0; }
};

}  // namespace controls_testing
