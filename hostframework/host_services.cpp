#include "hostframework/host_services.h"

#include <atomic>
#include <filesystem>
#include <memory>

#include "core/core_type_ids.h"
#include "core/quor_string.h"
#include "core/xquor.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/critical_section.h"
#include "platform/win32/libraries.h"
#include "platform/win32/message_box.h"

namespace {

// One cached host object: fetched under its own lock, read without one afterwards.
template <class I>
class HostServiceAccessor {
 public:
  using Fetch = HRESULT (*)(I** object);

  explicit HostServiceAccessor(Fetch fetch) : m_fetch(fetch) {
    InitializeCriticalSectionAndSpinCount(&m_section, 4000);
  }
  ~HostServiceAccessor() { DeleteCriticalSection(&m_section); }

  I* Get() {
    if (I* cached = m_cached.load(std::memory_order_acquire)) return cached;
    win32::CriticalSectionLock lock(m_section);
    if (!m_cached.load(std::memory_order_relaxed)) {
      I* object = nullptr;
      if (FAILED(m_fetch(&object))) {
        LoadTarnFramework();
        object = nullptr;
        m_fetch(&object);
      }
      if (object) {
        object->Release();  // the host keeps its services alive
        m_cached.store(object, std::memory_order_release);
      }
    }
    return m_cached.load(std::memory_order_relaxed);
  }

 private:
  Fetch m_fetch;
  CRITICAL_SECTION m_section;
  std::atomic<I*> m_cached{nullptr};
};

template <class I>
HRESULT FromFramework(I** object) {
  return CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, I::iid,
                          reinterpret_cast<void**>(object));
}

template <class I>
HRESULT FromHostApp(I** object) {
  return CoGetClassObject(CLSID_TarnHostApp, CLSCTX_ALL, nullptr, I::iid,
                          reinterpret_cast<void**>(object));
}

template <class I, DWORD Type>
HRESULT FromRegistry(I** object) {
  ITarnClassRegistry* registry = GetTarnClassRegistry();
  if (!registry) return E_FAIL;
  return registry->CreateObject(Type, I::iid, reinterpret_cast<void**>(object));
}

// The framework library loaded by the module, released at unload.
struct FrameworkLibrary {
  bool oleInitialized = false;
  bool loadAttempted = false;
  HMODULE library = nullptr;
  DWORD cookie = 0;

  ~FrameworkLibrary() {
    if (cookie) CoRevokeClassObject(cookie);
    // The library stays mapped: objects it made may still be held by the host until the
    // process ends.
    if (oleInitialized) OleUninitialize();
  }
};

FrameworkLibrary& Framework() {
  static FrameworkLibrary framework;
  return framework;
}

std::u16string FrameworkLibraryPath() {
  WCHAR executable[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, executable, MAX_PATH);
  const std::string utf8 = Quor::String(executable, int(n)).ToUtf8String();
  std::filesystem::path path = std::filesystem::path(utf8).parent_path() /
                               Quor::String(kTarnFrameworkLibraryName).ToUtf8String();
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return Quor::String(error ? path.string() : canonical.string()).ToStdWString();
}

using DllGetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, void**);

// Core's objects take their type words from the host's id of the core type GUID; core cannot
// ask the host itself.
WORD CoreTypeIdBase() { return GetTarnGuidId(Quor::GUID_QuorCoreTypes); }

[[maybe_unused]] const bool coreTypeIdsInstalled =
    (Quor::SetCoreTypeIdBaseProvider(&CoreTypeIdBase), true);

}  // namespace

ITarnClassRegistry* GetTarnClassRegistry() {
  static HostServiceAccessor<ITarnClassRegistry> accessor(&FromFramework<ITarnClassRegistry>);
  return accessor.Get();
}

ITarnFrameworkService* GetTarnFrameworkService() {
  static HostServiceAccessor<ITarnFrameworkService> accessor(&FromFramework<ITarnFrameworkService>);
  return accessor.Get();
}

ITarnMessageService* GetTarnMessageService() {
  static HostServiceAccessor<ITarnMessageService> accessor(&FromFramework<ITarnMessageService>);
  return accessor.Get();
}

ITarnMessageFactory* GetTarnMessageFactory() {
  static HostServiceAccessor<ITarnMessageFactory> accessor(&FromFramework<ITarnMessageFactory>);
  return accessor.Get();
}

ITarnIdRegistry* GetTarnIdRegistry() {
  static HostServiceAccessor<ITarnIdRegistry> accessor(&FromFramework<ITarnIdRegistry>);
  return accessor.Get();
}

ITarnEventManager* GetTarnEventManager() {
  static HostServiceAccessor<ITarnEventManager> accessor(&FromFramework<ITarnEventManager>);
  return accessor.Get();
}

ITarnHostApp* GetTarnHostApp() {
  static HostServiceAccessor<ITarnHostApp> accessor(&FromHostApp<ITarnHostApp>);
  return accessor.Get();
}

ITarnMessageValueService* GetTarnMessageValueService() {
  static HostServiceAccessor<ITarnMessageValueService> accessor(
      &FromRegistry<ITarnMessageValueService, kTarnTypeMessageValueService>);
  return accessor.Get();
}

ITarnSharedService* GetTarnSharedService() {
  static HostServiceAccessor<ITarnSharedService> accessor(
      &FromRegistry<ITarnSharedService, kTarnTypeSharedService>);
  return accessor.Get();
}

ITarnUnitTestRegistry* GetUnitTestRegistry() {
  static HostServiceAccessor<ITarnUnitTestRegistry> accessor([](ITarnUnitTestRegistry** object) {
    return CoGetClassObject(CLSID_TarnUnitTestRegistry, CLSCTX_ALL, nullptr,
                            ITarnUnitTestRegistry::iid, reinterpret_cast<void**>(object));
  });
  return accessor.Get();
}

void LoadTarnFramework() {
  IUnknown* framework = nullptr;
  if (SUCCEEDED(CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, IID_IUnknown,
                                 reinterpret_cast<void**>(&framework)))) {
    framework->Release();
    return;
  }
  FrameworkLibrary& state = Framework();
  if (!state.oleInitialized) {
    const HRESULT hr = OleInitialize(nullptr);
    // S_FALSE only says that this thread had initialised OLE already.
    if (FAILED(hr)) throw XQuor(hr);
    if (hr == S_OK) state.oleInitialized = true;
  }
  if (!state.loadAttempted) {
    state.loadAttempted = true;
    LoadTarnFrameworkLibrary();
  }
}

void LoadTarnFrameworkLibrary() { LoadTarnFrameworkLibraryFrom(FrameworkLibraryPath()); }

void LoadTarnFrameworkLibraryFrom(const std::u16string& path) {
  FrameworkLibrary& state = Framework();
  if (state.library) FreeLibrary(state.library);
  state.library = LoadLibraryW(path.c_str());
  auto entry = reinterpret_cast<DllGetClassObjectFunction>(
      state.library ? GetProcAddress(state.library, "DllGetClassObject") : nullptr);
  if (!entry) {
    // Tell the user, but leave the host running: every accessor then answers null.
    std::u16string text = u"Pendrel failed to load " + path;
    if (text.size() > 511) text.resize(511);
    MessageBoxExW(nullptr, text.c_str(), u"Pendrel load failed", MB_OK, 0);
    return;
  }
  IUnknown* framework = nullptr;
  HRESULT hr = entry(CLSID_TarnFrameWork, IID_IUnknown, reinterpret_cast<void**>(&framework));
  if (SUCCEEDED(hr)) {
    hr = CoRegisterClassObject(CLSID_TarnFrameWork, framework, CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &state.cookie);
    framework->Release();
  }
  if (FAILED(hr)) throw XHResult(hr);
}

WORD GetTarnGuidId(REFGUID guid) {
  ITarnIdRegistry* registry = GetTarnIdRegistry();
  WORD id = 0;
  if (registry) registry->GetGuidId(guid, &id);
  return id;
}
