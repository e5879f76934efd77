#include "hostframework/viewwindow/size_grip.h"

#include <algorithm>

#include "platform/win32/monitors.h"

RECT SizeGripSquare(HWND view) {
  RECT client{};
  GetClientRect(view, &client);
  const int side = std::max(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
  return {client.right - side, client.bottom - side, client.right, client.bottom};
}

bool IsViewFrameMaximised(HWND view) {
  const HWND parent = GetParent(view);
  const HWND frame = parent ? GetParent(parent) : nullptr;
  return frame && IsZoomed(frame);
}

void PaintSizeGrip(HWND view, HDC dc) {
  RECT square = SizeGripSquare(view);
  if (IsViewFrameMaximised(view)) {
    FillRect(dc, &square, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    DrawFrameControl(dc, &square, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
  }
}

bool IsOnSizeGrip(HWND view, POINT screenPoint) {
  if (IsViewFrameMaximised(view)) return false;
  POINT client = screenPoint;
  if (!ScreenToClient(view, &client)) return false;
  const RECT square = SizeGripSquare(view);
  return PtInRect(&square, client) != FALSE;
}
