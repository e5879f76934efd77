#include "controls/theme/ux_theme_dll.h"

#include "core/system_info_cache.h"
#include "core/xquor.h"
#include "platform/win32/libraries.h"

namespace QuorLinkingUtils {

namespace {

// One slot per entry name, shared by every caller: resolved on the first call, kept for the
// process.
#define UX_THEME_SLOT(name)                                                                  \
  decltype(&::name) Bound##name() {                                                          \
    static const auto function = reinterpret_cast<decltype(&::name)>(GetUxThemeDLL().Resolve(#name)); \
    return function;                                                                         \
  }
UX_THEME_SLOT(OpenThemeData)
UX_THEME_SLOT(CloseThemeData)
UX_THEME_SLOT(DrawThemeBackground)
UX_THEME_SLOT(DrawThemeParentBackground)
UX_THEME_SLOT(IsAppThemed)
UX_THEME_SLOT(IsThemeActive)
UX_THEME_SLOT(GetThemePartSize)
UX_THEME_SLOT(GetThemeBackgroundRegion)
UX_THEME_SLOT(GetThemeTextExtent)
UX_THEME_SLOT(DrawThemeText)
#undef UX_THEME_SLOT

[[noreturn]] void Fail(const char16_t* message) { throw XQuor(Quor::String(message), kXQuorMessageIsReport); }

HRESULT Checked(HRESULT result, const char16_t* message) {
  if (result < 0) Fail(message);
  return result;
}

}  // namespace

UxThemeDLL::UxThemeDLL() : OWL::TModule(u"uxtheme.dll", LoadLibraryW(u"uxtheme.dll")) {}

UxThemeDLL::~UxThemeDLL() {
  if (GetHandle()) FreeLibrary(GetHandle());
}

void* UxThemeDLL::Resolve(const char* name) const { return GetHandle() ? GetProcAddress(GetHandle(), name) : nullptr; }

UxThemeDLL& GetUxThemeDLL() {
  static UxThemeDLL library;
  return library;
}

HTHEME OpenThemeData(HWND window, LPCWSTR classList) { return BoundOpenThemeData()(window, classList); }
HRESULT CloseThemeData(HTHEME theme) { return BoundCloseThemeData()(theme); }
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect) {
  return BoundDrawThemeBackground()(theme, dc, part, state, rect, nullptr);
}
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
  return BoundDrawThemeParentBackground()(window, dc, rect);
}
BOOL IsAppThemed() { return BoundIsAppThemed()(); }
BOOL IsThemeActive() { return BoundIsThemeActive()(); }

bool IsThemingActive() { return Quor::IsWindowsXPOrLater() && IsAppThemed(); }

HRESULT UxThemeDLL::DrawThemeBackground(UxThemeData& theme, HDC dc, int part, int state, const RECT& rect) {
  return Checked(BoundDrawThemeBackground()(theme.Get(), dc, part, state, &rect, nullptr),
                 u"Error calling UxThemeDLL::DrawThemeBackground().");
}

HRESULT UxThemeDLL::GetThemePartSize(UxThemeData& theme, HDC dc, int part, int state, THEMESIZE kind, SIZE& size) {
  return Checked(BoundGetThemePartSize()(theme.Get(), dc, part, state, nullptr, kind, &size),
                 u"Error calling UxThemeDLL::GetThemePartSize().");
}

HRESULT UxThemeDLL::GetThemeTextExtent(UxThemeData& theme, HDC dc, int part, int state, LPCWSTR text,
                                       DWORD flags, RECT& rect) {
  return Checked(BoundGetThemeTextExtent()(theme.Get(), dc, part, state, text, -1, flags, &rect, &rect),
                 u"Error calling UxThemeDLL::GetThemeTextExtent().");
}

HRESULT UxThemeDLL::DrawThemeText(UxThemeData& theme, HDC dc, int part, int state, LPCWSTR text, DWORD flags,
                                  const RECT& rect) {
  return Checked(BoundDrawThemeText()(theme.Get(), dc, part, state, text, -1, flags, 0, &rect),
                 u"Error calling UxThemeDLL::DrawThemeText().");
}

HRESULT UxThemeDLL::GetThemeBackgroundRegion(UxThemeData& theme, HDC dc, int part, int state, const RECT& rect,
                                             HRGN& region) {
  return Checked(BoundGetThemeBackgroundRegion()(theme.Get(), dc, part, state, &rect, &region),
                 u"Error calling UxThemeDLL::GetThemeBackgroundRegion().");
}

}  // namespace QuorLinkingUtils
