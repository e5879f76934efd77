// A counted interface pointer, and the adaptor that lets a call fill one through an
// out parameter: `source->GetThing(Quor::ComPtrOut<IThing>::Bind(thing));`
#pragma once

#include <utility>

#include "platform/win32/unknown.h"

namespace Quor {

template <class I>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(I* p) : m_p(p) {
    if (m_p) m_p->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
  ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ~ComPtr() { Clear(); }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }

  // Takes over a reference the caller owns.
  void Attach(I* p) {
    Clear();
    m_p = p;
  }
  I* Detach() { return std::exchange(m_p, nullptr); }
  void Clear() {
    if (I* p = std::exchange(m_p, nullptr)) p->Release();
  }

  I* Get() const { return m_p; }
  I* operator->() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }

 private:
  I* m_p = nullptr;
};

template <class I>
class ComPtrOut {
 public:
  explicit ComPtrOut(ComPtr<I>& target) : m_target(&target) {}
  ComPtrOut(const ComPtrOut&) = delete;
  ComPtrOut& operator=(const ComPtrOut&) = delete;
  // The interface the call returned moves into the smart pointer, which owns its reference.
  ~ComPtrOut() { m_target->Attach(m_raw); }

  // Clears the target first, releasing what it held.
  static ComPtrOut Bind(ComPtr<I>& target) {
    target.Clear();
    return ComPtrOut(target);
  }

  operator I**() { return &m_raw; }
  operator void**() { return reinterpret_cast<void**>(&m_raw); }

 private:
  ComPtr<I>* m_target;
  I* m_raw = nullptr;
};

// The object's face I, or an empty pointer when it has none (or there is no object).
template <class I>
ComPtr<I> QueryFace(IUnknown* object) {
  ComPtr<I> face;
  if (object) object->QueryInterface(I::iid, ComPtrOut<I>::Bind(face));
  return face;
}

}  // namespace Quor
