// A reference the host owns for a while: kept across a call into a module that may drop the
// last other reference to the object, or taken under a lock and given up after it.
#pragma once

#include <memory>

#include "platform/win32/unknown.h"

namespace Tarn {

struct ReleaseReference {
  template <class I>
  void operator()(I* object) const {
    object->Release();
  }
};

template <class I>
using HeldReference = std::unique_ptr<I, ReleaseReference>;

// Adds a reference that the holder gives up.
template <class I>
HeldReference<I> Hold(I* object) {
  if (object) object->AddRef();
  return HeldReference<I>(object);
}

}  // namespace Tarn
