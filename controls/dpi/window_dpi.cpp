#include "controls/dpi/window_dpi.h"

#include "core/system_info_cache.h"
#include "platform/win32/libraries.h"
#include "platform/win32/monitors.h"
#include "platform/win32/screen.h"

namespace {

using GetDpiForMonitorProc = HRESULT (*)(HMONITOR, int, UINT*, UINT*);

// "shcore.dll", loaded on first use and kept until the module unloads.
struct ShcoreDLL {
  ShcoreDLL() : module(LoadLibraryW(u"shcore.dll")) {}
  ~ShcoreDLL() {
    if (module) FreeLibrary(module);
  }
  HMODULE module;
};

GetDpiForMonitorProc BoundGetDpiForMonitor() {
  static const ShcoreDLL shcore;
  static const GetDpiForMonitorProc proc =
      shcore.module ? reinterpret_cast<GetDpiForMonitorProc>(GetProcAddress(shcore.module, "GetDpiForMonitor"))
                    : nullptr;
  return proc;
}

WindowDpi SystemDpi() {
  // Only the system's resolution is cached: a monitor's answer belongs to that monitor alone.
  static const WindowDpi dpi = [] {
    const HDC screen = GetDC(nullptr);
    const WindowDpi read{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    return read;
  }();
  return dpi;
}

}  // namespace

WindowDpi GetWindowDpi(HWND window) {
  if (window && Quor::IsWindows8Point1OrLater()) {
    const GetDpiForMonitorProc query = BoundGetDpiForMonitor();
    UINT x = 0, y = 0;
    if (query && query(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), MDT_EFFECTIVE_DPI, &x, &y) >= 0)
      return {int(x), int(y)};
  }
  return SystemDpi();
}
