#include "host/framework/plain_window_class.h"

#include "platform/win32/window.h"

namespace Tarn {

void RegisterPlainWindowClass(const char16_t* name) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = name;
  // A second registration fails with ERROR_CLASS_ALREADY_EXISTS and changes nothing.
  RegisterClassExW(&windowClass);
}

}  // namespace Tarn
