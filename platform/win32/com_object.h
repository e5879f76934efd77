// Reference-counting bases of the COM objects.
//
// SimpleUnknownImpN<I1..IN, Initial>: an interlocked count that starts at Initial; the object
// deletes itself through its virtual destructor when the count reaches 0; QueryInterface answers
// IUnknown (with the first face) and each listed interface, with the interfaces they derive from.
// NoDeleteUnknownImpN<I1..IN>: counting does nothing; the owner controls the lifetime.
#pragma once

#include <tuple>

#include "platform/win32/interlocked.h"
#include "platform/win32/unknown.h"

namespace win32 {

template <class Self, class... Faces>
HRESULT QueryFaces(Self* self, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid) {
    using First = std::tuple_element_t<0, std::tuple<Faces...>>;
    *object = static_cast<IUnknown*>(static_cast<First*>(self));
  } else {
    // The first face in the list that answers iid wins.
    ((!*object && InterfaceAnswers<Faces>(iid) ? (*object = static_cast<Faces*>(self), 0) : 0),
     ...);
  }
  if (!*object) return E_NOINTERFACE;
  self->AddRef();
  return S_OK;
}

}  // namespace win32

template <class... Faces>
class SimpleUnknownImpBase : public Faces... {
 public:
  SimpleUnknownImpBase(const SimpleUnknownImpBase&) = delete;
  SimpleUnknownImpBase& operator=(const SimpleUnknownImpBase&) = delete;

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return win32::QueryFaces<SimpleUnknownImpBase, Faces...>(this, iid, object);
  }
  ULONG AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refCount)); }
  ULONG Release() override {
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
  }

 protected:
  explicit SimpleUnknownImpBase(LONG initial) : m_refCount(initial) {}
  virtual ~SimpleUnknownImpBase() = default;

  volatile LONG m_refCount;
};

template <class I1, LONG Initial = 0>
class SimpleUnknownImp1 : public SimpleUnknownImpBase<I1> {
 protected:
  SimpleUnknownImp1() : SimpleUnknownImpBase<I1>(Initial) {}
};

template <class I1, class I2, LONG Initial = 0>
class SimpleUnknownImp2 : public SimpleUnknownImpBase<I1, I2> {
 protected:
  SimpleUnknownImp2() : SimpleUnknownImpBase<I1, I2>(Initial) {}
};

template <class I1, class I2, class I3, LONG Initial = 0>
class SimpleUnknownImp3 : public SimpleUnknownImpBase<I1, I2, I3> {
 protected:
  SimpleUnknownImp3() : SimpleUnknownImpBase<I1, I2, I3>(Initial) {}
};

template <class... Faces>
class NoDeleteUnknownImpBase : public Faces... {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    return win32::QueryFaces<NoDeleteUnknownImpBase, Faces...>(this, iid, object);
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

 protected:
  NoDeleteUnknownImpBase() = default;
  ~NoDeleteUnknownImpBase() = default;
};

template <class I1>
class NoDeleteUnknownImp1 : public NoDeleteUnknownImpBase<I1> {};

template <class I1, class I2>
class NoDeleteUnknownImp2 : public NoDeleteUnknownImpBase<I1, I2> {};
