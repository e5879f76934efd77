// The body of a COM interface method, run so that no exception leaves the interface: a failure
// becomes the HRESULT the caller receives.
#pragma once

#include <new>

#include "core/xquor.h"

template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
  try {
    return body();
  } catch (const XQuor& error) {
    return error.Code();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}
