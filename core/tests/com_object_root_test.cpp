#include "core/com_object_root.h"

#include <gtest/gtest.h>

#include "core/com_ptr.h"

namespace {

struct IAlpha : IUnknown {
  PLATFORM_INTERFACE_ID("bbbbbbbb-0000-0000-0000-000000000001");
  virtual int Alpha() = 0;
};
struct IBeta : IUnknown {
  PLATFORM_INTERFACE_ID("bbbbbbbb-0000-0000-0000-000000000002");
  virtual int Beta() = 0;
};
struct IDelegated : IUnknown {
  PLATFORM_INTERFACE_ID("bbbbbbbb-0000-0000-0000-000000000003");
};
struct IRefused : IUnknown {
  PLATFORM_INTERFACE_ID("bbbbbbbb-0000-0000-0000-000000000004");
};

// A map-based object with two faces of its own, one delegated and one refused interface.
class Mapped : public Quor::CComObjectRoot, public IAlpha, public IBeta {
 public:
  static int delegations;
  HRESULT QueryInterface(REFIID iid, void** out) override {
    return InternalQueryInterface(this, Map(), iid, out);
  }
  ULONG AddRef() override { return ++m_refCount; }
  ULONG Release() override {
    const ULONG count = --m_refCount;
    if (count == 0) delete this;
    return count;
  }
  int Alpha() override { return 1; }
  int Beta() override { return 2; }

 private:
  static HRESULT Delegate(void* object, std::uintptr_t, REFIID, void** out) {
    ++delegations;
    *out = static_cast<IBeta*>(static_cast<Mapped*>(object));
    static_cast<Mapped*>(object)->AddRef();
    return S_OK;
  }
  static const Quor::InterfaceMapEntry* Map() {
    static const Quor::InterfaceMapEntry map[] = {
        {&IAlpha::iid, Quor::InterfaceOffset<Mapped, IAlpha>(), &Quor::SimpleMapEntry},
        {&IBeta::iid, Quor::InterfaceOffset<Mapped, IBeta>(), &Quor::SimpleMapEntry},
        {&IDelegated::iid, 0, &Delegate},
        {&IRefused::iid, 0, &Quor::RefuseMapEntry},
        {nullptr, 0, nullptr},
    };
    return map;
  }
};
int Mapped::delegations = 0;

TEST(CComObjectRoot, InterfaceMapAnswersFacesDelegatesAndRefuses) {
  auto* object = new Mapped;
  IAlpha* alpha = object;
  alpha->AddRef();
  Quor::ComPtr<IBeta> beta;
  ASSERT_EQ(alpha->QueryInterface(IBeta::iid, Quor::ComPtrOut<IBeta>::Bind(beta)), S_OK);
  EXPECT_EQ(beta->Beta(), 2);
  Quor::ComPtr<IUnknown> unknown;
  ASSERT_EQ(alpha->QueryInterface(IID_IUnknown, Quor::ComPtrOut<IUnknown>::Bind(unknown)), S_OK);
  EXPECT_EQ(unknown.Get(), static_cast<IUnknown*>(alpha));
  void* out = reinterpret_cast<void*>(1);
  ASSERT_EQ(alpha->QueryInterface(IDelegated::iid, &out), S_OK);
  EXPECT_EQ(Mapped::delegations, 1);
  static_cast<IBeta*>(out)->Release();
  EXPECT_EQ(alpha->QueryInterface(IRefused::iid, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(alpha->QueryInterface(win32::ParseGuid("bbbbbbbb-0000-0000-0000-000000000009"), &out),
            E_NOINTERFACE);
  beta.Clear();
  unknown.Clear();
  EXPECT_EQ(alpha->Release(), 0u);  // the last reference deletes the object (ASan checks)
}

TEST(CComObjectRoot, LockIsOptionalAndRecursive) {
  Mapped* object = new Mapped;
  object->AddRef();
  object->InitializeLock();
  object->Lock();
  object->Lock();
  object->Unlock();
  object->Unlock();
  static_cast<IAlpha*>(object)->Release();
}

}  // namespace
