// The desktop: its monitors, their work areas and dots per inch, system metrics and the classic
// system colours. The display is headless; the monitors come from one configurable list (by
// default a single monitor the size of the screen description, its work area less a 40-pixel
// task bar at the bottom).
#pragma once

#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/geometry.h"

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
static_assert(sizeof(MONITORINFO) == 40);

HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);

// The per-monitor query of the display scaling library ("shcore.dll"): E_INVALIDARG for an
// unknown monitor or kind. Every kind answers the monitor's dots per inch.
constexpr int MDT_EFFECTIVE_DPI = 0;
HRESULT GetDpiForMonitor(HMONITOR monitor, int kind, UINT* dpiX, UINT* dpiY);

constexpr UINT SPI_GETWORKAREA = 48;
// SPI_GETWORKAREA: the primary monitor's work area.
BOOL SystemParametersInfoW(UINT action, UINT parameter, void* value, UINT winIni);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXCURSOR = 13;
constexpr int SM_CYCURSOR = 14;
constexpr int SM_CXDOUBLECLK = 36;
constexpr int SM_CYDOUBLECLK = 37;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;
constexpr int SM_CMONITORS = 80;
int GetSystemMetrics(int index);

constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_BACKGROUND = 1;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
// The classic scheme's colours; 0 for an index out of range.
DWORD GetSysColor(int index);

namespace win32 {

struct MonitorDescription {
  RECT rect;
  RECT work;
  int dotsPerInch = 96;
};

// The monitors, the primary one first. An empty list restores the default single monitor.
void SetMonitorsForTesting(std::vector<MonitorDescription> monitors);
std::vector<MonitorDescription> CurrentMonitors();
// The dots per inch of a monitor; 0 for an unknown handle.
int MonitorDotsPerInch(HMONITOR monitor);

}  // namespace win32
