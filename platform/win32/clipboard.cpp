#include "platform/win32/clipboard.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/metafile.h"

namespace {

constexpr UINT kFirstRegisteredFormat = 0xC000;

struct Store {
  std::mutex mutex;
  bool busy = false;
  DWORD openThread = 0;  // 0: closed
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::map<UINT, HANDLE> data;
  UINT refused = 0;  // a format SetClipboardData refuses, for tests
  std::vector<std::u16string> registered;  // index + 0xC000 is the format
};

Store& TheStore() {
  static Store* store = new Store;
  return *store;
}

std::u16string Folded(std::u16string name) {
  for (auto& c : name)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return name;
}

// An enhanced metafile is held by its handle; every other format by a global memory block.
void FreeData(UINT format, HANDLE data) {
  if (format == CF_ENHMETAFILE)
    DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(data));
  else
    GlobalFree(data);
}

void FreeAll(Store& store) {
  for (auto& [format, block] : store.data) FreeData(format, block);
  store.data.clear();
}

bool OpenedByCaller(const Store& store) {
  return store.openThread != 0 && store.openThread == GetCurrentThreadId();
}

}  // namespace

BOOL OpenClipboard(HWND owner) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (store.busy || (store.openThread && store.openThread != GetCurrentThreadId())) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  store.openThread = GetCurrentThreadId();
  store.openWindow = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (!OpenedByCaller(store)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  store.openThread = 0;
  store.openWindow = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (!OpenedByCaller(store)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  FreeAll(store);
  store.owner = store.openWindow;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (store.busy || !OpenedByCaller(store)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (format != 0 && format == store.refused) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (!data || format == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HANDLE& slot = store.data[format];
  if (slot && slot != data) FreeData(format, slot);
  slot = data;
  return data;
}

HANDLE GetClipboardData(UINT format) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (!OpenedByCaller(store)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  auto it = store.data.find(format);
  return it == store.data.end() ? nullptr : it->second;
}

BOOL IsClipboardFormatAvailable(UINT format) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  return store.data.count(format) ? TRUE : FALSE;
}

UINT RegisterClipboardFormatW(LPCWSTR name) {
  if (!name || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  const std::u16string key = Folded(name);
  for (std::size_t i = 0; i < store.registered.size(); ++i)
    if (Folded(store.registered[i]) == key) return kFirstRegisteredFormat + UINT(i);
  store.registered.push_back(name);
  return kFirstRegisteredFormat + UINT(store.registered.size() - 1);
}

int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int capacity) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  if (format < kFirstRegisteredFormat || format - kFirstRegisteredFormat >= store.registered.size() ||
      !buffer || capacity <= 0)
    return 0;
  const std::u16string& name = store.registered[format - kFirstRegisteredFormat];
  const int count = std::min<int>(int(name.size()), capacity - 1);
  std::copy_n(name.data(), count, buffer);
  buffer[count] = 0;
  return count;
}

HWND GetClipboardOwner() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  return store.owner;
}

int CountClipboardFormats() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  return int(store.data.size());
}

namespace win32 {

void SetClipboardBusyForTesting(bool busy) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  store.busy = busy;
}

void RefuseClipboardFormatForTesting(UINT format) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  store.refused = format;
}

void ResetClipboardForTesting() {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  FreeAll(store);
  store.busy = false;
  store.refused = 0;
  store.openThread = 0;
  store.openWindow = store.owner = nullptr;
}

}  // namespace win32
