// The id registry's names of type words: the class names of the registered class objects, or
// numbers.
#include <charconv>
#include <string>

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/framework_object.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "host/framework/name_folding.h"

namespace Tarn {

namespace {

constexpr const char* kService = "IdRegistry";

// A type word written as a number: decimal, or hexadecimal after "0x".
bool ReadNumber(const std::u16string& text, DWORD* value) {
  std::string narrow;
  for (char16_t c : text) {
    if (c > 0x7F) return false;
    narrow.push_back(char(c));
  }
  int base = 10;
  std::size_t start = 0;
  if (narrow.size() > 2 && narrow[0] == '0' && (narrow[1] == 'x' || narrow[1] == 'X')) {
    base = 16;
    start = 2;
  }
  const char* first = narrow.data() + start;
  const char* last = narrow.data() + narrow.size();
  DWORD parsed = 0;
  const auto result = std::from_chars(first, last, parsed, base);
  if (first == last || result.ec != std::errc() || result.ptr != last) return false;
  *value = parsed;
  return true;
}

std::u16string ClassName(ITarnClassObject* classObject) {
  IQuorString* name = nullptr;
  if (FAILED(classObject->GetClassName(&name))) return {};
  HeldReference<IQuorString> held(name);
  return TextOf(name);
}

}  // namespace

HRESULT GuidIdRegistry::GetTypeWordOfName(IQuorString* name, DWORD* type) {
  return Guarded([&] {
    RecordCall(kService, "GetTypeWordOfName", "name=" + QuotedText(name));
    if (!type) return E_POINTER;
    *type = 0;
    const std::u16string wanted = TextOf(name);
    for (const auto& classObject : FrameworkObject::Instance().ClassObjects()) {
      if (FoldedName(ClassName(classObject.get())) != FoldedName(wanted)) continue;
      return classObject->GetTypeId(type);
    }
    return ReadNumber(wanted, type) ? S_OK : S_FALSE;
  });
}

HRESULT GuidIdRegistry::GetNameOfTypeWord(DWORD type, IQuorString** name) {
  return Guarded([&] {
    RecordCall(kService, "GetNameOfTypeWord", "type=" + HexWord(type));
    if (!name) return E_POINTER;
    *name = nullptr;
    for (const auto& classObject : FrameworkObject::Instance().ClassObjects()) {
      DWORD classType = 0;
      if (FAILED(classObject->GetTypeId(&classType)) || classType != type) continue;
      return classObject->GetClassName(name);
    }
    return S_FALSE;
  });
}

}  // namespace Tarn
