// The visual-styles library, bound at run time one entry point at a time: "uxtheme.dll" is loaded
// on the first call that needs it and kept until the module unloads, and each entry point is
// resolved once and shared by every caller. The forwarders check nothing; the strict wrappers of
// UxThemeDLL turn a failing call into XQuor (0xA0048210, the message is the whole report).
#pragma once

#include "controls/theme/ux_theme_data.h"
#include "platform/owl/module.h"
#include "platform/win32/visual_styles.h"

namespace QuorLinkingUtils {

class UxThemeDLL : public OWL::TModule {
 public:
  UxThemeDLL();
  ~UxThemeDLL() override;

  // The resolved entry point, or null when the library has none of that name.
  void* Resolve(const char* name) const;

  static HRESULT DrawThemeBackground(UxThemeData& theme, HDC dc, int part, int state, const RECT& rect);
  static HRESULT GetThemePartSize(UxThemeData& theme, HDC dc, int part, int state, THEMESIZE kind, SIZE& size);
  // `rect` is both the bounds and the measured extent.
  static HRESULT GetThemeTextExtent(UxThemeData& theme, HDC dc, int part, int state, LPCWSTR text,
                                    DWORD flags, RECT& rect);
  static HRESULT DrawThemeText(UxThemeData& theme, HDC dc, int part, int state, LPCWSTR text,
                               DWORD flags, const RECT& rect);
  static HRESULT GetThemeBackgroundRegion(UxThemeData& theme, HDC dc, int part, int state,
                                          const RECT& rect, HRGN& region);
};

// The process's one library object, made on first call.
UxThemeDLL& GetUxThemeDLL();

HTHEME OpenThemeData(HWND window, LPCWSTR classList);
HRESULT CloseThemeData(HTHEME theme);
// The clip rectangle is always null.
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect);
HRESULT DrawThemeParentBackground(HWND window, HDC dc, const RECT* rect);
BOOL IsAppThemed();
BOOL IsThemeActive();

// True on Windows XP or later when the application is themed; the library is not touched on an
// older system.
bool IsThemingActive();

}  // namespace QuorLinkingUtils
