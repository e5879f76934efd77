#include "controls/placement/dialog_placement.h"

#include "controls/placement/work_area.h"
#include "platform/owl/application.h"
#include "platform/win32/cursor.h"
#include "platform/win32/monitors.h"

namespace {

HWND MainWindow() {
  const OWL::TApplication* application = OWL::GetApplicationObject();
  return application ? application->GetMainWindowHandle() : nullptr;
}

RECT ReferenceForCentring() {
  RECT reference{};
  if (IsWindow(MainWindow()))
    GetWindowRect(MainWindow(), &reference);
  else
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0);
  return reference;
}

}  // namespace

void PlaceDialogNearAnchor(HWND window, int mode, const POINT* point, bool primary) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  POINT topLeft{rect.left, rect.top};
  if (mode == kPlaceOverMainWindow) {
    const RECT reference = ReferenceForCentring();
    // Integer division toward zero, on negative coordinates too.
    topLeft = {(reference.left + reference.right) / 2 - width / 2,
               (reference.top + reference.bottom) / 2 - height / 2};
  } else if (mode == kPlaceAtCursor) {
    GetCursorPos(&topLeft);
  } else if (mode == kPlaceAtPoint && point) {
    topLeft = *point;
  }
  rect = {topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
  KeepRectInWorkAreaEx(rect, primary);
  MoveWindow(window, rect.left, rect.top, width, height, TRUE);
}

PlaceholderRect::PlaceholderRect(HWND dialogWindow) : dialog(dialogWindow) {
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
  ScreenToClient(dialog, &corners[0]);
  ScreenToClient(dialog, &corners[1]);
  rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}
