#include "platform/win32/drawing_library.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace win32 {

namespace {

// Pango's Cairo binding depends on Pango, Cairo, GObject and GLib, so every function the
// platform calls is found through this one library.
constexpr const char* kLibraryName = "libpangocairo-1.0.so.0";

void* OpenLibrary() {
  void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* reason = dlerror();
    throw std::runtime_error(std::string("the drawing libraries cannot be loaded: ") +
                             (reason ? reason : kLibraryName));
  }
  // Kept open for the life of the process: GLib's type system cannot be unloaded.
  return library;
}

}  // namespace

void* DrawingFunction(const char* name) {
  static void* const library = OpenLibrary();
  void* function = dlsym(library, name);
  if (!function) throw std::runtime_error(std::string("the drawing libraries lack ") + name);
  return function;
}

}  // namespace win32
