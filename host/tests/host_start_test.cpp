// How modules reach the framework object: through the host's registration at start, or by
// loading libTarn.so from the executable's folder themselves.
#include "host/tests/host_test.h"

#include <string>

#include "host/app/host_start.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/framework_services.h"
#include "platform/pendrel/host_app.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/libraries.h"

namespace HostTest {
namespace {

using GetClassObjectEntry = HRESULT (*)(REFCLSID, REFIID, void**);

HeldReference<IUnknown> Registered(REFCLSID clsid) {
  void* object = nullptr;
  CoGetClassObject(clsid, CLSCTX_ALL, nullptr, IUnknown::iid, &object);
  return HeldReference<IUnknown>(static_cast<IUnknown*>(object));
}

std::u16string FrameworkLibraryPath() {
  char16_t executable[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, executable, MAX_PATH);
  std::u16string path(executable, length);
  return path.substr(0, path.rfind(u'/') + 1) + kTarnFrameworkLibraryName;
}

using FrameworkObject = HostFixture;

TEST_F(FrameworkObject, AnswersEveryFrameworkServiceAsOneObject) {
  auto identity = Framework<IUnknown>();
  const IID services[] = {ITarnClassRegistry::iid, ITarnFrameworkService::iid,
                          ITarnMessageService::iid, ITarnMessageFactory::iid,
                          ITarnIdRegistry::iid,     ITarnEventManager::iid};
  for (const IID& iid : services) {
    void* face = nullptr;
    ASSERT_EQ(identity->QueryInterface(iid, &face), S_OK);
    auto* unknown = static_cast<IUnknown*>(face);
    void* back = nullptr;
    EXPECT_EQ(unknown->QueryInterface(IUnknown::iid, &back), S_OK);
    EXPECT_EQ(back, identity.get());
    static_cast<IUnknown*>(back)->Release();
    unknown->Release();
  }
  void* other = &other;
  EXPECT_EQ(identity->QueryInterface(ITarnHostApp::iid, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(DllGetClassObject(CLSID_TarnHostApp, IUnknown::iid, &other), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(other, nullptr);
}

TEST_F(FrameworkObject, StartHostRegistersTheFrameworkAndTheApplicationUntilStopped) {
  ASSERT_FALSE(Registered(CLSID_TarnFrameWork)) << "a test left the host started";
  ASSERT_EQ(PendrelHost::StartHost(), S_OK);
  EXPECT_EQ(PendrelHost::StartHost(), S_FALSE);
  EXPECT_EQ(Registered(CLSID_TarnFrameWork).get(), Framework<IUnknown>().get());
  EXPECT_EQ(Registered(CLSID_TarnHostApp).get(),
            static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance()));
  PendrelHost::StopHost();
  EXPECT_FALSE(Registered(CLSID_TarnFrameWork));
  EXPECT_FALSE(Registered(CLSID_TarnHostApp));
}

// What a module does when the host registered nothing: load the library from the executable's
// folder, take its entry by name and register the object itself. The library the host links
// is the one it loads, so there is still one framework object.
TEST_F(FrameworkObject, LoadingTheLibraryByPathReachesTheSameFramework) {
  ASSERT_FALSE(Registered(CLSID_TarnFrameWork)) << "a test left the host started";
  const std::u16string path = FrameworkLibraryPath();
  HMODULE first = LoadLibraryW(path.c_str());
  HMODULE second = LoadLibraryW(path.c_str());
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  auto entry = reinterpret_cast<GetClassObjectEntry>(GetProcAddress(first, "DllGetClassObject"));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(entry), GetProcAddress(second, "DllGetClassObject"));
  EXPECT_EQ(entry, &DllGetClassObject);

  IUnknown* framework = nullptr;
  ASSERT_EQ(entry(CLSID_TarnFrameWork, IUnknown::iid, reinterpret_cast<void**>(&framework)), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(CoRegisterClassObject(CLSID_TarnFrameWork, framework, CLSCTX_INPROC_SERVER,
                                  REGCLS_MULTIPLEUSE, &cookie),
            S_OK);
  framework->Release();
  void* idRegistry = nullptr;
  EXPECT_EQ(CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, ITarnIdRegistry::iid, &idRegistry),
            S_OK);
  ASSERT_NE(idRegistry, nullptr);
  static_cast<ITarnIdRegistry*>(idRegistry)->Release();
  EXPECT_EQ(Registered(CLSID_TarnFrameWork).get(), Framework<IUnknown>().get());

  EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
  EXPECT_TRUE(FreeLibrary(second));
  EXPECT_TRUE(FreeLibrary(first));
}

}  // namespace
}  // namespace HostTest
