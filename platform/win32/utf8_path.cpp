#include "platform/win32/utf8_path.h"

#include "platform/win32/code_pages.h"

namespace win32 {

bool Utf8PathFromName(LPCWSTR name, std::string& path) {
  path.clear();
  if (!name) return false;
  if (!*name) return true;
  const int bytes =
      WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  path.resize(static_cast<std::size_t>(bytes));
  WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, name, -1, path.data(), bytes, nullptr,
                      nullptr);
  path.pop_back();  // the NUL
  return true;
}

std::u16string NameFromUtf8Path(const std::string& path) {
  if (path.empty()) return {};
  const int size = static_cast<int>(path.size());
  const int units = MultiByteToWideChar(CP_UTF8, 0, path.data(), size, nullptr, 0);
  std::u16string name(static_cast<std::size_t>(units > 0 ? units : 0), u'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, path.data(), size, name.data(), units);
  return name;
}

}  // namespace win32
