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

std::string Utf8Of(IAutoQuorString* text) {
  if (!text) return {};
  IQuorStringText* faces = nullptr;
  if (SUCCEEDED(text->QueryInterface(IQuorStringText::iid, reinterpret_cast<void**>(&faces))) && faces) {
    const char* narrow = nullptr;
    DWORD length = 0;
    const bool got = SUCCEEDED(faces->GetNarrow(&narrow, &length)) && narrow;
    std::string result = got ? std::string(narrow, length) : std::string();
    faces->Release();
    if (got) return result;
  }
  return Utf8(TextOf(text));
}

}  // namespace Tarn
