#include "platform/win32/monitors.h"

#include <climits>
#include <mutex>

#include "platform/win32/hresult.h"
#include "platform/win32/screen.h"
#include "platform/win32/window.h"

namespace {

constexpr int kTaskBarHeight = 40;
constexpr std::uintptr_t kFirstMonitorHandle = 0x10000;

std::mutex& MonitorMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<win32::MonitorDescription>& ConfiguredMonitors() {
  static std::vector<win32::MonitorDescription> monitors;
  return monitors;
}

HMONITOR HandleOf(std::size_t index) {
  return reinterpret_cast<HMONITOR>(kFirstMonitorHandle + index);
}

long long DistanceSquared(const RECT& rect, POINT point) {
  const long long dx = point.x < rect.left ? rect.left - point.x
                       : point.x >= rect.right ? point.x - (rect.right - 1)
                                               : 0;
  const long long dy = point.y < rect.top ? rect.top - point.y
                       : point.y >= rect.bottom ? point.y - (rect.bottom - 1)
                                                : 0;
  return dx * dx + dy * dy;
}

HMONITOR Fallback(DWORD flags, std::size_t nearest) {
  if (flags == MONITOR_DEFAULTTOPRIMARY) return HandleOf(0);
  if (flags == MONITOR_DEFAULTTONEAREST) return HandleOf(nearest);
  return nullptr;
}

}  // namespace

namespace win32 {

void SetMonitorsForTesting(std::vector<MonitorDescription> monitors) {
  std::lock_guard lock(MonitorMutex());
  ConfiguredMonitors() = std::move(monitors);
}

std::vector<MonitorDescription> CurrentMonitors() {
  {
    std::lock_guard lock(MonitorMutex());
    if (!ConfiguredMonitors().empty()) return ConfiguredMonitors();
  }
  const ScreenDescription screen = CurrentScreen();
  return {{{0, 0, screen.width, screen.height},
           {0, 0, screen.width, screen.height - kTaskBarHeight},
           screen.dotsPerInch}};
}

int MonitorDotsPerInch(HMONITOR monitor) {
  const auto monitors = CurrentMonitors();
  const std::uintptr_t index = reinterpret_cast<std::uintptr_t>(monitor) - kFirstMonitorHandle;
  return index < monitors.size() ? monitors[index].dotsPerInch : 0;
}

}  // namespace win32

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
  const auto monitors = win32::CurrentMonitors();
  std::size_t nearest = 0;
  long long best = LLONG_MAX;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (PtInRect(&monitors[i].rect, point)) return HandleOf(i);
    const long long distance = DistanceSquared(monitors[i].rect, point);
    if (distance < best) best = distance, nearest = i;
  }
  return Fallback(flags, nearest);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  if (!rect) return Fallback(flags, 0);
  const auto monitors = win32::CurrentMonitors();
  // The monitor that shares the largest area with the rectangle; without any, the nearest to it.
  long long bestArea = 0;
  std::size_t best = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    RECT common;
    if (!IntersectRect(&common, rect, &monitors[i].rect)) continue;
    const long long area = (long long)(common.right - common.left) * (common.bottom - common.top);
    if (area > bestArea) bestArea = area, best = i;
  }
  if (bestArea > 0) return HandleOf(best);
  const POINT centre{rect->left + (rect->right - rect->left) / 2,
                     rect->top + (rect->bottom - rect->top) / 2};
  return MonitorFromPoint(centre, flags);
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return Fallback(flags, 0);
  return MonitorFromRect(&rect, flags);
}

BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info) {
  if (!info || info->cbSize < sizeof(MONITORINFO)) return FALSE;
  const auto monitors = win32::CurrentMonitors();
  const std::uintptr_t index = reinterpret_cast<std::uintptr_t>(monitor) - kFirstMonitorHandle;
  if (index >= monitors.size()) return FALSE;
  info->rcMonitor = monitors[index].rect;
  info->rcWork = monitors[index].work;
  info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
  return TRUE;
}

BOOL SystemParametersInfoW(UINT action, UINT, void* value, UINT) {
  if (action != SPI_GETWORKAREA || !value) return FALSE;
  *static_cast<RECT*>(value) = win32::CurrentMonitors().front().work;
  return TRUE;
}

int GetSystemMetrics(int index) {
  const auto primary = win32::CurrentMonitors().front();
  switch (index) {
    case SM_CXSCREEN: return primary.rect.right - primary.rect.left;
    case SM_CYSCREEN: return primary.rect.bottom - primary.rect.top;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CYCAPTION: return 23;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CMONITORS: return int(win32::CurrentMonitors().size());
    default: return 0;
  }
}

DWORD GetSysColor(int index) {
  // The classic Windows scheme, so that drawings compare with what people know.
  static const COLORREF colours[] = {
      RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
      RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
      RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
      RGB(255, 255, 225)};
  if (index < 0 || index >= int(std::size(colours))) return 0;
  return colours[index];
}

HRESULT GetDpiForMonitor(HMONITOR monitor, int kind, UINT* dpiX, UINT* dpiY) {
  const int dpi = win32::MonitorDotsPerInch(monitor);
  if (dpi == 0 || kind < 0 || kind > 2 || !dpiX || !dpiY) return E_INVALIDARG;
  *dpiX = *dpiY = UINT(dpi);
  return S_OK;
}
