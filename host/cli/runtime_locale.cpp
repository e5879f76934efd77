#include "host/cli/runtime_locale.h"

#include <locale>
#include <stdexcept>

#include "platform/win32/user_locale.h"

namespace PendrelHost {

namespace {

bool Installed(const char* name) {
  try {
    const std::locale probe(name);
    return true;
  } catch (const std::runtime_error&) {
    return false;
  }
}

}  // namespace

void UseInstalledRuntimeLocale() {
  win32::LocaleDescription locale = win32::UserLocale();
  for (const char* name : {"en_US.UTF-8", "C.UTF-8", "C"}) {
    if (Installed(name)) {
      locale.runtimeName = name;
      break;
    }
  }
  win32::SetUserLocale(locale);
}

}  // namespace PendrelHost
