#include "host/framework/host_text.h"

#include "platform/win32/bstr.h"
#include "platform/win32/code_pages.h"

namespace Tarn {

std::u16string TextOf(IAutoQuorString* text) {
  if (!text) return {};
  BSTR copy = nullptr;
  if (FAILED(text->GetBSTR(&copy)) || !copy) return {};
  std::u16string result(copy, SysStringLen(copy));
  SysFreeString(copy);
  return result;
}

std::string Utf8(std::u16string_view text) {
  if (text.empty()) return {};
  const int units = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), units, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), units, result.data(), bytes, nullptr, nullptr);
  }
  return result;
}

}  // namespace Tarn
