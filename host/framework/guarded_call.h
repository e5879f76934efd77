// No exception leaves an interface method: a failure while answering becomes its HRESULT.
#pragma once

#include <new>

#include "platform/win32/hresult.h"

namespace Tarn {

template <class Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace Tarn
