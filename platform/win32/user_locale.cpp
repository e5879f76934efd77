#include "platform/win32/user_locale.h"

#include <mutex>

namespace {

std::mutex& LocaleMutex() {
  static std::mutex mutex;
  return mutex;
}

win32::LocaleDescription& Description() {
  static win32::LocaleDescription description;
  return description;
}

}  // namespace

namespace win32 {

LocaleDescription UserLocale() {
  std::lock_guard lock(LocaleMutex());
  return Description();
}

void SetUserLocale(const LocaleDescription& description) {
  std::lock_guard lock(LocaleMutex());
  Description() = description;
}

}  // namespace win32
