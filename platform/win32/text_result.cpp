#include "platform/win32/text_result.h"

#include <algorithm>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

template <class Char>
int CopyResult(const std::basic_string<Char>& text, Char* buffer, int size) {
  const int needed = int(text.size()) + 1;
  if (size < 0 || (size > 0 && !buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (size == 0) return needed;
  if (size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = 0;
  return needed;
}

}  // namespace

namespace win32 {

int CopyTextResult(const std::u16string& text, LPWSTR buffer, int bufferUnits) {
  return CopyResult(text, buffer, bufferUnits);
}

int CopyTextResult(const std::string& text, LPSTR buffer, int bufferBytes) {
  return CopyResult(text, buffer, bufferBytes);
}

}  // namespace win32
