#include "platform/win32/kernel_object.h"

#include <mutex>
#include <unordered_map>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

struct HandleTable {
  std::mutex mutex;
  std::unordered_map<HANDLE, std::unique_ptr<win32::KernelObject>> objects;
};

HandleTable& Handles() {
  static HandleTable* table = new HandleTable;  // outlives every static object that closes one
  return *table;
}

}  // namespace

namespace win32 {

HANDLE RegisterHandle(std::unique_ptr<KernelObject> object) {
  HandleTable& table = Handles();
  std::lock_guard lock(table.mutex);
  HANDLE handle = object.get();
  table.objects.emplace(handle, std::move(object));
  return handle;
}

KernelObject* ObjectFromHandle(HANDLE handle) {
  HandleTable& table = Handles();
  std::lock_guard lock(table.mutex);
  auto found = table.objects.find(handle);
  return found == table.objects.end() ? nullptr : found->second.get();
}

}  // namespace win32

BOOL CloseHandle(HANDLE handle) {
  std::unique_ptr<win32::KernelObject> object;
  {
    HandleTable& table = Handles();
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found == table.objects.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    object = std::move(found->second);
    table.objects.erase(found);
  }
  return TRUE;  // the object is destroyed outside the table's lock
}
