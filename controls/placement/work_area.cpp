#include "controls/placement/work_area.h"

#include "platform/win32/monitors.h"

namespace {

RECT PrimaryWorkArea() {
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

void MoveInto(RECT& rect, const RECT& work) {
  if (rect.bottom > work.bottom) OffsetRect(&rect, 0, work.bottom - rect.bottom);
  if (rect.right > work.right) OffsetRect(&rect, work.right - rect.right, 0);
  if (rect.top < work.top) OffsetRect(&rect, 0, work.top - rect.top);
  if (rect.left < work.left) OffsetRect(&rect, work.left - rect.left, 0);
}

LONG Width(const RECT& rect) { return rect.right - rect.left; }
LONG Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

RECT GetNearestWorkArea(const RECT& rect) {
  MONITORINFO info{sizeof info, {}, {}, 0};
  GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}

void KeepRectInWorkArea(RECT& rect) { MoveInto(rect, GetNearestWorkArea(rect)); }

void KeepRectInWorkAreaEx(RECT& rect, bool primary) {
  MoveInto(rect, primary ? PrimaryWorkArea() : GetNearestWorkArea(rect));
}

void RestoreOrCentreWindow(WindowPlacementRecord& record, HWND window) {
  record.reserved = 0;
  RECT current{};
  GetWindowRect(window, &current);
  bool restore = false;
  if (record.hasRect) {
    RECT remembered = record.rect;
    KeepRectInWorkArea(remembered);
    restore = Width(remembered) == Width(current) && Height(remembered) == Height(current);
  }
  if (!restore) {
    const RECT work = GetNearestWorkArea(current);
    RECT centred = current;
    OffsetRect(&centred, (work.left + work.right) / 2 - current.left, (work.top + work.bottom) / 2 - current.top);
    OffsetRect(&centred, -(Width(current) / 2), -(Height(current) / 2));
    KeepRectInWorkArea(centred);
    record.rect = centred;
    record.hasRect = TRUE;
  }
  RECT target = record.rect;
  KeepRectInWorkArea(target);
  MoveWindow(window, target.left, target.top, Width(target), Height(target), TRUE);
}
