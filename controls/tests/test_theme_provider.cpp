#include "controls/tests/test_theme_provider.h"

#include <string_view>

#include "platform/win32/hresult.h"

namespace controls_testing {

namespace {
constexpr std::u16string_view kClasses[] = {u"TOOLTIP", u"TEXTSTYLE", u"BUTTON", u"TOOLBAR"};
}

TestThemeProvider::TestThemeProvider() { win32::SetThemeProviderForTesting(this); }

TestThemeProvider::~TestThemeProvider() { win32::SetThemeProviderForTesting(nullptr); }

HTHEME TestThemeProvider::Open(HWND, LPCWSTR classList) {
  if (Fails("Open") || !classList) return nullptr;
  for (std::size_t i = 0; i < std::size(kClasses); ++i) {
    if (kClasses[i] == classList) {
      ++opened;
      return reinterpret_cast<HTHEME>(i + 1);
    }
  }
  return nullptr;
}

HRESULT TestThemeProvider::Close(HTHEME) {
  ++closed;
  return Fails("Close") ? E_FAIL : S_OK;
}

HRESULT TestThemeProvider::DrawBackground(HTHEME, HDC dc, int part, int, const RECT* rect) {
  if (Fails("DrawBackground")) return E_FAIL;
  const HBRUSH brush = CreateSolidBrush(PartColour(part));
  FillRect(dc, rect, brush);
  DeleteObject(brush);
  return S_OK;
}

HRESULT TestThemeProvider::DrawParentBackground(HWND, HDC, const RECT*) {
  return Fails("DrawParentBackground") ? E_FAIL : S_OK;
}

HRESULT TestThemeProvider::PartSize(HTHEME, HDC, int, int, THEMESIZE, SIZE* size) {
  if (Fails("PartSize")) return E_FAIL;
  *size = partSize;
  return S_OK;
}

HRESULT TestThemeProvider::BackgroundRegion(HTHEME, HDC, int, int, const RECT* rect, HRGN* region) {
  if (Fails("Region")) return E_FAIL;
  *region = CreateRectRgnIndirect(rect);
  return S_OK;
}

HRESULT TestThemeProvider::TextExtent(HTHEME, HDC dc, int, int, LPCWSTR text, int length, DWORD flags,
                                      const RECT* bounds, RECT* extent) {
  if (Fails("TextExtent")) return E_FAIL;
  RECT measured = *bounds;
  DrawTextW(dc, text, length, &measured, flags | DT_CALCRECT);
  *extent = measured;
  return S_OK;
}

HRESULT TestThemeProvider::DrawText(HTHEME, HDC dc, int, int, LPCWSTR text, int length, DWORD flags,
                                    const RECT* rect) {
  if (Fails("DrawText")) return E_FAIL;
  RECT area = *rect;
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text, length, &area, flags);
  return S_OK;
}

}  // namespace controls_testing
