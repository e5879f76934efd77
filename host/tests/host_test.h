// What the host's tests share: a fixture that starts every test from a host that knows nothing
// of earlier tests, and short ways to reach the host's objects and to make texts.
#pragma once

#include <gtest/gtest.h>

#include "core/quor_string.h"
#include "host/app/host_application.h"
#include "host/framework/call_log.h"
#include "host/framework/dll_get_class_object.h"
#include "host/framework/framework_reset.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/framework_ids.h"

namespace HostTest {

using Tarn::HeldReference;

class HostFixture : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  // Before the test's objects go: the host gives back what it held of them.
  void TearDown() override { Reset(); }

 private:
  static void Reset() {
    Tarn::ResetFramework();
    PendrelHost::HostApplication::Instance().Reset();
    Tarn::ClearRecordedCalls();
  }
};

// A face of the framework object, straight from the library's entry.
template <class I>
HeldReference<I> Framework() {
  void* face = nullptr;
  EXPECT_EQ(DllGetClassObject(CLSID_TarnFrameWork, I::iid, &face), S_OK);
  return HeldReference<I>(static_cast<I*>(face));
}

// A host object made by the class registry.
template <class I>
HeldReference<I> HostObject(DWORD type) {
  void* object = nullptr;
  EXPECT_EQ(Framework<ITarnClassRegistry>()->CreateObject(type, I::iid, &object), S_OK);
  return HeldReference<I>(static_cast<I*>(object));
}

inline HeldReference<IQuorString> Text(const char16_t* text) {
  return HeldReference<IQuorString>(Quor::String(text).GetInterface());
}

// The object's reference count, read without changing it.
inline ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

}  // namespace HostTest
