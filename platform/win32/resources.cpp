#include "platform/win32/resources.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

struct HINSTANCE__ {
  std::u16string name;
  const win32::ResourceEntry* entries;
  std::size_t count;
};

namespace {

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<std::unique_ptr<HINSTANCE__>>& Registry() {
  static std::vector<std::unique_ptr<HINSTANCE__>> modules;
  return modules;
}

HMODULE& ExecutableModule() {
  static HMODULE module = nullptr;
  return module;
}

char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; }

bool NamesEqual(const char16_t* a, const char16_t* b) {
  for (; *a && *b; ++a, ++b) {
    if (FoldAscii(*a) != FoldAscii(*b)) return false;
  }
  return *a == *b;
}

// A text of the form "#123" names the number 123.
bool NumberFromText(LPCWSTR text, WORD& number) {
  if (text[0] != u'#' || !text[1]) return false;
  unsigned value = 0;
  for (const char16_t* p = text + 1; *p; ++p) {
    if (*p < u'0' || *p > u'9' || value > 0xFFFF) return false;
    value = value * 10 + (*p - u'0');
  }
  if (value > 0xFFFF) return false;
  number = static_cast<WORD>(value);
  return true;
}

bool Matches(const win32::ResourceId& id, LPCWSTR wanted) {
  WORD number = 0;
  if (IS_INTRESOURCE(wanted)) {
    number = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(wanted));
  } else if (!NumberFromText(wanted, number)) {
    return id.name && NamesEqual(id.name, wanted);
  }
  return !id.name && id.number == number;
}

const win32::ResourceEntry* Find(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language,
                                 bool anyLanguage) {
  for (std::size_t i = 0; i < module->count; ++i) {
    const win32::ResourceEntry& e = module->entries[i];
    if (e.data && Matches(e.type, type) && Matches(e.name, name) &&
        (anyLanguage || e.language == language)) {
      return &e;
    }
  }
  return nullptr;
}

constexpr WORD kUserDefaultLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

}  // namespace

namespace win32 {

HMODULE RegisterResourceModule(const char16_t* moduleName, const ResourceEntry* entries,
                               std::size_t count) {
  std::lock_guard lock(RegistryMutex());
  for (const auto& module : Registry()) {
    if (module->name == moduleName) return module.get();
  }
  Registry().push_back(std::make_unique<HINSTANCE__>(HINSTANCE__{moduleName, entries, count}));
  return Registry().back().get();
}

void SetExecutableModule(HMODULE module) {
  std::lock_guard lock(RegistryMutex());
  ExecutableModule() = module;
}

}  // namespace win32

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
  std::lock_guard lock(RegistryMutex());
  if (!moduleName) {
    if (!ExecutableModule()) SetLastError(ERROR_MOD_NOT_FOUND);
    return ExecutableModule();
  }
  for (const auto& module : Registry()) {
    if (moduleName && NamesEqual(module->name.c_str(), moduleName)) return module.get();
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
  if (!module || !type || !name) {
    SetLastError(module ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const win32::ResourceEntry* found = Find(module, type, name, language, false);
  // A neutral request falls back to the user's language, then to any language.
  if (!found && (language & 0x3FF) == LANG_NEUTRAL) {
    found = Find(module, type, name, kUserDefaultLanguage, false);
    if (!found) found = Find(module, type, name, 0, true);
  }
  if (!found) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return reinterpret_cast<HRSRC>(const_cast<win32::ResourceEntry*>(found));
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
  return FindResourceExW(module, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  if (!module || !resource) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const auto* entry = reinterpret_cast<const win32::ResourceEntry*>(resource);
  return const_cast<unsigned char*>(entry->data);
}

LPVOID LockResource(HGLOBAL resource) { return resource; }

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  if (!module || !resource) return 0;
  return reinterpret_cast<const win32::ResourceEntry*>(resource)->size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer) return 0;
  HRSRC block = FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), RT_STRING);
  const auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(module, block)));
  const DWORD size = SizeofResource(module, block);
  if (!p) {
    if (bufferMax > 0) buffer[0] = 0;
    return 0;
  }
  std::size_t offset = 0;
  WORD length = 0;
  for (UINT slot = 0; slot <= (id & 15); ++slot) {
    if (offset + 2 > size) return 0;
    std::memcpy(&length, p + offset, 2);
    if (slot < (id & 15)) offset += 2 + 2 * std::size_t(length);
  }
  const unsigned char* text = p + offset + 2;
  if (offset + 2 + 2 * std::size_t(length) > size) return 0;
  if (bufferMax == 0) {
    *reinterpret_cast<const unsigned char**>(buffer) = text;
    return length;
  }
  const int n = length < bufferMax ? length : bufferMax - 1;
  std::memcpy(buffer, text, 2 * std::size_t(n));
  buffer[n] = 0;
  return n;
}
