// The id registry gives GUIDs 16-bit ids that modules build their type and message words from.
#include "host/tests/host_test.h"

#include "host/framework/host_text.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

constexpr GUID kFirst = win32::ParseGuid("6b1c3f9e-0001-4c1a-9a55-3d2f60a1b001");
constexpr GUID kSecond = win32::ParseGuid("6b1c3f9e-0002-4c1a-9a55-3d2f60a1b001");
constexpr GUID kThird = win32::ParseGuid("6b1c3f9e-0003-4c1a-9a55-3d2f60a1b001");

WORD IdOf(REFGUID guid) {
  WORD id = 0;
  EXPECT_EQ(Framework<ITarnIdRegistry>()->GetGuidId(guid, &id), S_OK);
  return id;
}

using IdRegistry = HostFixture;

TEST_F(IdRegistry, GivesNewGuidsTheNextIdAndKnownGuidsTheirOwn) {
  const WORD first = IdOf(kFirst);
  EXPECT_GE(first, 0x0100);
  EXPECT_EQ(IdOf(kSecond), first + 1);
  EXPECT_EQ(IdOf(kFirst), first);
  // A reset of the framework is no new process: ids stay.
  Tarn::ResetFramework();
  EXPECT_EQ(IdOf(kThird), first + 2);
  EXPECT_EQ(IdOf(kSecond), first + 1);
  EXPECT_EQ(Framework<ITarnIdRegistry>()->GetGuidId(kFirst, nullptr), E_POINTER);
}

TEST_F(IdRegistry, GivesTheGuidOfAnIdItGaveAndNoneOfAnother) {
  const WORD second = IdOf(kSecond);
  auto ids = Framework<ITarnIdRegistry>();
  GUID guid{};
  EXPECT_EQ(ids->GetGuidOfId(second, &guid), S_OK);
  EXPECT_EQ(guid, kSecond);
  for (WORD unknown : {WORD(0), WORD(0x00FF), WORD(0xFFFF)}) {
    guid = kThird;
    EXPECT_EQ(ids->GetGuidOfId(unknown, &guid), E_INVALIDARG);
    EXPECT_EQ(guid, GUID{});
  }
  EXPECT_EQ(ids->GetGuidOfId(second, nullptr), E_POINTER);
}

}  // namespace
}  // namespace HostTest

namespace HostTest {
namespace {

class NamedClass final : public SimpleUnknownImp1<ITarnClassObject, 1> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    *type = 0x7C010005;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = GUID{};
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    *name = Quor::String(u"Rhyth Tachogram").GetInterface();
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
};

// Automation names a view type by its class's name or by the number of its type word.
TEST_F(IdRegistry, NamesTypeWordsByTheirRegisteredClassesOrAsNumbers) {
  HeldReference<NamedClass> named(new NamedClass);
  Framework<ITarnClassRegistry>()->RegisterClassObject(named.get());
  auto ids = Framework<ITarnIdRegistry>();
  struct Case {
    const char16_t* name;
    HRESULT result;
    DWORD type;
  } cases[] = {
      {u"Rhyth Tachogram", S_OK, 0x7C010005}, {u"rhyth TACHOGRAM", S_OK, 0x7C010005},
      {u"5", S_OK, 5},                        {u"0x7C010006", S_OK, 0x7C010006},
      {u"Rhyth Report", S_FALSE, 0},          {u"12abc", S_FALSE, 0},
      {u"", S_FALSE, 0},                      {u"99999999999", S_FALSE, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Tarn::Utf8(c.name));
    DWORD type = 1;
    EXPECT_EQ(ids->GetTypeWordOfName(Text(c.name).get(), &type), c.result);
    EXPECT_EQ(type, c.type);
  }
  IQuorString* name = nullptr;
  EXPECT_EQ(ids->GetNameOfTypeWord(0x7C010005, &name), S_OK);
  EXPECT_EQ(Quor::String(name), Quor::String(u"Rhyth Tachogram"));
  name->Release();
  EXPECT_EQ(ids->GetNameOfTypeWord(0x7C010006, &name), S_FALSE);
  EXPECT_EQ(name, nullptr);
}

}  // namespace
}  // namespace HostTest
