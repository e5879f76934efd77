#include "platform/win32/user_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <mutex>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/utf8_path.h"

namespace {

struct NameOverride {
  std::mutex mutex;
  bool active = false;
  std::optional<std::u16string> name;
};

NameOverride& Override() {
  static auto* state = new NameOverride;
  return *state;
}

std::optional<std::u16string> ProcessUserName() {
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
    return win32::NameFromUtf8Path(entry->pw_name);
  if (const char* variable = std::getenv("USER"); variable && *variable)
    return win32::NameFromUtf8Path(variable);
  return std::nullopt;
}

}  // namespace

BOOL GetUserNameW(LPWSTR buffer, LPDWORD size) {
  if (!size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::optional<std::u16string> name;
  {
    NameOverride& state = Override();
    std::lock_guard lock(state.mutex);
    name = state.active ? state.name : ProcessUserName();
  }
  if (!name) {
    SetLastError(ERROR_NOT_FOUND);
    return FALSE;
  }
  const DWORD needed = DWORD(name->size() + 1);
  if (!buffer || *size < needed) {
    *size = needed;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::copy(name->begin(), name->end(), buffer);
  buffer[name->size()] = 0;
  *size = needed;
  return TRUE;
}

namespace win32 {

void SetUserNameForTesting(std::optional<std::u16string> name) {
  NameOverride& state = Override();
  std::lock_guard lock(state.mutex);
  state.active = true;
  state.name = std::move(name);
}

void ResetUserNameForTesting() {
  NameOverride& state = Override();
  std::lock_guard lock(state.mutex);
  state.active = false;
  state.name.reset();
}

}  // namespace win32
