// The boundary of every storage-engine interface method: no exception leaves it. Failures
// inside travel as XQuor and come out as its code; a failed allocation comes out as
// STG_E_INSUFFICIENTMEMORY.
#pragma once

#include <new>

#include "core/xquor.h"
#include "platform/win32/storage_errors.h"

namespace QuorCompoundFile {

template <class Body>
HRESULT StorageCall(Body&& body) noexcept {
  try {
    return body();
  } catch (const XQuor& error) {
    return FAILED(error.Code()) ? error.Code() : E_FAIL;
  } catch (const std::bad_alloc&) {
    return STG_E_INSUFFICIENTMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace QuorCompoundFile
