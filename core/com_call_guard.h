// Keeps exceptions inside COM interface methods: the body runs, and whatever it throws comes
// back as an HRESULT.
#pragma once

#include <new>

#include "core/xquor.h"

namespace Quor {

template <class Body>
HRESULT GuardedCall(Body&& body) noexcept {
  try {
    return body();
  } catch (const XQuor& e) {
    return e.Code();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace Quor
