// The module loaded as the host loads it (dlopen, then its registration entry), with the host's
// call log showing what reached the class registry and the test registry, in which order.
#include <dlfcn.h>
#include <unistd.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/rhyth_guids.h"
#include "host/app/host_application.h"
#include "host/app/host_start.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/framework/call_log.h"
#include "host/module/unit_test_registry.h"
#include "core/quor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/event_draw_class.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"
#include "platform/pendrel/tabulon.h"
#include "platform/win32/com_object.h"
#include "platform/win32/com_runtime.h"

namespace {

using Entry = HRESULT (*)(IUnknown*);

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    PendrelHost::StartHost();
    PendrelHost::AddArithmeticObjectMaker();
    PendrelHost::AddDocumentObjectMakers();
    PendrelHost::UnitTestRegistry::Instance().Publish();
    static void* library = dlopen(RHYTH_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    entry = reinterpret_cast<Entry>(dlsym(library, "DllRegisterClassObjects"));
    ASSERT_NE(entry, nullptr);
    Tarn::ClearRecordedCalls();
  }

  static std::vector<std::string> Calls(const std::string& serviceAndOperation) {
    std::vector<std::string> calls;
    for (const Tarn::CallRecord& call : Tarn::RecordedCalls()) {
      if (call.service + "." + call.operation == serviceAndOperation) calls.push_back(call.arguments);
    }
    return calls;
  }

  static std::string Type(const GUID& family, DWORD n) {
    ITarnIdRegistry* ids = nullptr;
    CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, ITarnIdRegistry::iid,
                     reinterpret_cast<void**>(&ids));
    WORD id = 0;
    ids->GetGuidId(family, &id);
    ids->Release();
    char text[32];
    std::snprintf(text, sizeof text, "type=0x%08X", (DWORD(id) << 16) | n);
    return text;
  }

  Entry entry = nullptr;
};

// Answers no interface at all: a host without its application object.
class BareHost final : public SimpleUnknownImpBase<IUnknown> {
 public:
  BareHost() : SimpleUnknownImpBase<IUnknown>(1) {}
  HRESULT QueryInterface(REFIID, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
};

// Holds a type word the module's fiducial enumerator class needs.
class SquattingClass final : public SimpleUnknownImp1<ITarnClassObject, 1> {
 public:
  explicit SquattingClass(DWORD type) : m_type(type) {}
  HRESULT GetTypeId(DWORD* type) override { return *type = m_type, S_OK; }
  HRESULT GetCategoryId(GUID* category) override { return *category = GUID{}, S_OK; }
  HRESULT GetClassName(IQuorString** name) override { return *name = nullptr, S_OK; }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }

 private:
  DWORD m_type;
};

TEST_F(Registration, AHostWithoutItsApplicationRegistersNothing) {
  EXPECT_EQ(entry(nullptr), E_FAIL);
  BareHost bare;
  EXPECT_EQ(entry(&bare), E_FAIL);
  EXPECT_EQ(Tarn::CountCalls("ClassRegistry.RegisterClassObject"), 0u);
  EXPECT_EQ(Tarn::CountCalls("UnitTestRegistry.RegisterTest"), 0u);
}

TEST_F(Registration, EveryClassReachesTheHostOnceInItsOrder) {
  IUnknown* host = static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance());
  ASSERT_EQ(entry(host), S_OK);
  const std::vector<std::string> registered = Calls("ClassRegistry.RegisterClassObject");
  // The test comes last, after every class.
  EXPECT_EQ(Tarn::RecordedCalls().back().service, "UnitTestRegistry");
  // After the class objects built at load (the static list): the document class, the two
  // enumerators, the beat marks, the seven views and the RR interval export.
  std::vector<std::string> expected{Type(Rhyth::GUID_RhythDocumentObj, 0),
                                    Type(Rhyth::GUID_RhythEnumObj, 0),
                                    Type(Rhyth::GUID_RhythEnumObj, 2),
                                    Type(Rhyth::GUID_RhythEnumObj, 1)};
  for (DWORD n = 0; n < 7; ++n) expected.push_back(Type(Rhyth::GUID_RhythViewObj, n));
  expected.push_back(Type(Rhyth::GUID_RhythDocumentObj, 4));
  ASSERT_GE(registered.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(registered.end() - long(expected.size()), registered.end()),
            expected);
  EXPECT_EQ(Calls("UnitTestRegistry.RegisterTest"),
            std::vector<std::string>{"owner=\"Rhyth self-tests\""});
  // The 27 measurements' class objects, linked in and made at load.
  for (DWORD subId = 0; subId < 27; ++subId) {
    const std::string type = Type(GUID_TabulonFunctionFamily, 2 * subId);
    EXPECT_EQ(std::count(registered.begin(), registered.end(), type), 1) << type;
  }

  // A second call makes and registers nothing: the enumerator classes linked onto the static
  // list since its walk must not reach the host twice.
  Tarn::ClearRecordedCalls();
  EXPECT_EQ(entry(host), S_FALSE);
  EXPECT_EQ(Tarn::CountCalls("ClassRegistry.RegisterClassObject"), 0u);
  EXPECT_EQ(Tarn::CountCalls("UnitTestRegistry.RegisterTest"), 0u);
}

// In a child process: registration happens once per process, and the other test registers.
TEST_F(Registration, ARefusedEnumeratorClassFailsTheRegistrationAfterTheRest) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::string type = Type(Rhyth::GUID_RhythEnumObj, 0);
        auto* squatter = new SquattingClass(std::stoul(type.substr(5), nullptr, 16));
        ITarnClassRegistry* registry = nullptr;
        CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, ITarnClassRegistry::iid,
                         reinterpret_cast<void**>(&registry));
        registry->RegisterClassObject(squatter);
        Tarn::ClearRecordedCalls();
        const HRESULT hr =
            entry(static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance()));
        // Every other class and the test still reached the host.
        const bool rest = Calls("ClassRegistry.RegisterClassObject").size() >= 12 &&
                          Tarn::CountCalls("UnitTestRegistry.RegisterTest") == 1;
        std::fflush(nullptr);
        _exit(hr == E_INVALIDARG && rest ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// The host finds the beat marks' draw class by the beat event type word.
TEST_F(Registration, TheBeatTypeWordFindsTheBeatMarkDrawClass) {
  const HRESULT hr = entry(static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance()));
  ASSERT_TRUE(hr == S_OK || hr == S_FALSE);
  ITarnClassRegistry* registry = nullptr;
  CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, ITarnClassRegistry::iid,
                   reinterpret_cast<void**>(&registry));
  ASSERT_NE(registry, nullptr);
  ITarnClassObject* classObject = nullptr;
  const DWORD beats = std::stoul(Type(Rhyth::GUID_RhythEnumObj, 1).substr(5), nullptr, 16);
  EXPECT_EQ(registry->FindClassObject(beats, &classObject), S_OK);
  registry->Release();
  ASSERT_NE(classObject, nullptr);
  IPODEventDrawClass* draw = nullptr;
  EXPECT_EQ(classObject->QueryInterface(IPODEventDrawClass::iid, reinterpret_cast<void**>(&draw)),
            S_OK);
  IQuorString* name = nullptr;
  EXPECT_EQ(classObject->GetClassName(&name), S_OK);
  Quor::String text;
  text.Adopt(static_cast<IAutoQuorString*>(name));
  EXPECT_EQ(text.ToUtf8String(), "PkStimEventDrawClass");
  if (draw) draw->Release();
  classObject->Release();
}

}  // namespace
