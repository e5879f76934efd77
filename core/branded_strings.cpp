#include "core/branded_strings.h"

#include <algorithm>
#include <cstring>

#include "core/resource_string_entry.h"
#include "platform/owl/application.h"
#include "platform/win32/resources.h"

namespace Quor {

namespace {

struct BrandingEntry {
  const char16_t* key;
  const char16_t* token;
  const char16_t* value;
};

// Values are the built-in defaults; no other source of names is consulted.
constexpr BrandingEntry kBranding[] = {
    {u"AppTitle", u"PENDRELFORWINDOWS", u"Pendrel"},
    {u"AppName", u"PENDREL", u"Pendrel"},
    {u"HardwareName", u"PLEXLO", u"Plexlo"},
    {u"OEMName", u"OEM", u"Halvern"},
};

HRSRC FindStringBlock(HMODULE module, UINT id) {
  const LPCWSTR block = MAKEINTRESOURCEW((id >> 4) + 1);
  if (const OWL::TApplication* application = OWL::GetApplicationObject()) {
    if (HRSRC found = FindResourceExW(module, RT_STRING, block, application->GetLangId())) {
      return found;
    }
  }
  return FindResourceW(module, block, RT_STRING);
}

// Position of `token` in `text` at or after `from`, or -1.
int FindToken(const String& text, const String& token, DWORD from) {
  const WCHAR* begin = text.c_str();
  const WCHAR* end = begin + text.Length();
  const WCHAR* found = std::search(begin + from, end, token.c_str(), token.c_str() + token.Length());
  return found == end ? -1 : static_cast<int>(found - begin);
}

}  // namespace

const BrandingTokenTable& GetBrandingTokenTable() {
  static const BrandingTokenTable table = [] {
    BrandingTokenTable built;
    for (const BrandingEntry& entry : kBranding) built.emplace_back(entry.token, entry.value);
    return built;
  }();
  return table;
}

void ReplaceBrandingTokens(String& text) {
  for (const auto& [token, value] : GetBrandingTokenTable()) {
    int at = FindToken(text, token, 0);
    while (at >= 0) {
      text.Replace(DWORD(at), token.Length(), value);
      // Continue after the value, so that a value is never searched again.
      at = FindToken(text, token, DWORD(at) + value.Length());
    }
  }
}

void LoadResourceStringInto(String& out, HMODULE module, UINT id, bool replaceBranding) {
  out = String();
  if (id == 0) return;
  if (!module) module = GetModuleHandleW(nullptr);
  if (!module) return;
  const WORD* entry = FindResourceStringEntry(module, FindStringBlock(module, id), id);
  if (!entry) return;
  String text;
  WCHAR* buffer = text.PrepareBuffer(*entry);
  std::memcpy(buffer, entry + 1, sizeof(WCHAR) * *entry);
  text.UpdateLength();
  if (replaceBranding) ReplaceBrandingTokens(text);
  out = text;
}

String LoadResourceString(HMODULE module, UINT id, bool replaceBranding) {
  String text;
  LoadResourceStringInto(text, module, id, replaceBranding);
  return text;
}

}  // namespace Quor
