// The class registry keeps module class objects by their type words and makes the host's own
// objects by their type codes.
#include "host/tests/host_test.h"

#include "host/framework/call_arguments.h"
#include "platform/pendrel/commands.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

class FakeClass final : public SimpleUnknownImp1<ITarnClassObject, 1> {
 public:
  explicit FakeClass(DWORD type) : m_type(type) {}
  HRESULT GetTypeId(DWORD* type) override {
    *type = m_type;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = GUID_NULL;
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    *name = nullptr;
    return E_NOTIMPL;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }

 private:
  DWORD m_type;
};

using ClassRegistry = HostFixture;

TEST_F(ClassRegistry, FindsRegisteredClassesByTypeAndHoldsOneReferenceUntilRevoked) {
  auto registry = Framework<ITarnClassRegistry>();
  HeldReference<FakeClass> first(new FakeClass(0x01000005));
  HeldReference<FakeClass> second(new FakeClass(0x01000006));
  EXPECT_EQ(registry->RegisterClassObject(first.get()), S_OK);
  EXPECT_EQ(registry->RegisterClassObject(second.get()), S_OK);
  EXPECT_EQ(References(first.get()), 2u);

  ITarnClassObject* found = nullptr;
  EXPECT_EQ(registry->FindClassObject(0x01000006, &found), S_OK);
  EXPECT_EQ(found, second.get());
  found->Release();
  EXPECT_EQ(registry->FindClassObject(0x01000007, &found), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(found, nullptr);

  EXPECT_EQ(registry->RevokeClassObject(first.get()), S_OK);
  EXPECT_EQ(References(first.get()), 1u);
  EXPECT_EQ(registry->FindClassObject(0x01000005, &found), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(registry->RevokeClassObject(first.get()), E_INVALIDARG);
}

TEST_F(ClassRegistry, OneClassPerTypeWord) {
  auto registry = Framework<ITarnClassRegistry>();
  HeldReference<FakeClass> first(new FakeClass(0x01000005));
  HeldReference<FakeClass> sameType(new FakeClass(0x01000005));
  ASSERT_EQ(registry->RegisterClassObject(first.get()), S_OK);
  // Registering again takes no second reference; another class under the type is refused.
  EXPECT_EQ(registry->RegisterClassObject(first.get()), S_FALSE);
  EXPECT_EQ(References(first.get()), 2u);
  EXPECT_EQ(registry->RegisterClassObject(sameType.get()), E_INVALIDARG);
  EXPECT_EQ(References(sameType.get()), 1u);
  EXPECT_EQ(registry->RegisterClassObject(nullptr), E_POINTER);
}

TEST_F(ClassRegistry, ResetGivesBackEveryClassObject) {
  HeldReference<FakeClass> registered(new FakeClass(0x01000005));
  Framework<ITarnClassRegistry>()->RegisterClassObject(registered.get());
  Tarn::ResetFramework();
  EXPECT_EQ(References(registered.get()), 1u);
}

TEST_F(ClassRegistry, CreatesEachHostServiceAsOneProcessWideObject) {
  struct Case {
    DWORD type;
    IID iid;
  };
  const Case cases[] = {{kTarnTypeMessageValueService, ITarnMessageValueService::iid},
                        {kTarnTypeSharedService, ITarnSharedService::iid},
                        {kTarnTypeMenuService, ITarnMenuService::iid},
                        {kTarnTypeCommandService, ITarnCommandService::iid}};
  auto registry = Framework<ITarnClassRegistry>();
  for (const Case& c : cases) {
    SCOPED_TRACE(Tarn::HexWord(c.type));
    IUnknown* first = nullptr;
    IUnknown* second = nullptr;
    ASSERT_EQ(registry->CreateObject(c.type, c.iid, reinterpret_cast<void**>(&first)), S_OK);
    ASSERT_EQ(registry->CreateObject(c.type, c.iid, reinterpret_cast<void**>(&second)), S_OK);
    EXPECT_EQ(first, second);
    // Each call hands out a reference of its own.
    EXPECT_EQ(first->Release() + 1, second->Release());
  }
}

TEST_F(ClassRegistry, RefusesTypesItCannotMake) {
  auto registry = Framework<ITarnClassRegistry>();
  void* object = &object;
  EXPECT_EQ(registry->CreateObject(0x80000099, IUnknown::iid, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  // Module classes are found, not made, by the registry.
  HeldReference<FakeClass> registered(new FakeClass(0x01000005));
  registry->RegisterClassObject(registered.get());
  EXPECT_EQ(registry->CreateObject(0x01000005, IUnknown::iid, &object), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(registry->CreateObject(kTarnTypeMenuService, ITarnIdRegistry::iid, &object),
            E_NOINTERFACE);

  HeldReference<FakeClass> outer(new FakeClass(0));
  EXPECT_EQ(registry->CreateAggregatedObject(outer.get(), kTarnTypeMenuService, IUnknown::iid, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(registry->CreateAggregatedObject(outer.get(), 0x80000099, IUnknown::iid, &object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(registry->CreateAggregatedObject(nullptr, kTarnTypeMenuService, ITarnMenuService::iid, &object),
            S_OK);
  static_cast<ITarnMenuService*>(object)->Release();
}

}  // namespace
}  // namespace HostTest
