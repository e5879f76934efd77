// Kernel objects behind handles. A handle names a live object until CloseHandle; closing a
// handle twice, or a handle that never was one, fails with ERROR_INVALID_HANDLE instead of
// freeing something twice.
#pragma once

#include <memory>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/types.h"

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

BOOL CloseHandle(HANDLE handle);

namespace win32 {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

// The returned handle owns the object.
HANDLE RegisterHandle(std::unique_ptr<KernelObject> object);
// The object behind a live handle, or null.
KernelObject* ObjectFromHandle(HANDLE handle);

// The object behind a live handle when it is a T; else null, with ERROR_INVALID_HANDLE.
template <class T>
T* ObjectFromHandleAs(HANDLE handle) {
  T* object = dynamic_cast<T*>(ObjectFromHandle(handle));
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace win32
