#include "host/module/unit_test_registry.h"

#include "core/quor_string.h"
#include "host/framework/call_log.h"
#include "platform/win32/com_runtime.h"

namespace PendrelHost {

UnitTestRegistry& UnitTestRegistry::Instance() {
  // Modules may still hold the registry while the process exits: it is never destroyed.
  static auto* registry = new UnitTestRegistry;
  return *registry;
}

HRESULT UnitTestRegistry::RegisterTest(ITarnUnitTest* test) {
  if (!test) {
    Tarn::RecordCall("UnitTestRegistry", "RegisterTest", "test=null");
    return E_POINTER;
  }
  BSTR name = nullptr;
  test->GetName(&name);
  const std::u16string text = name ? std::u16string(name, SysStringLen(name)) : u"";
  SysFreeString(name);
  Tarn::RecordCall("UnitTestRegistry", "RegisterTest",
                   "name=" + Quor::String(text.c_str()).ToUtf8String());
  std::lock_guard lock(m_mutex);
  m_tests.push_back(Tarn::Hold(test));
  return S_OK;
}

std::vector<std::u16string> UnitTestRegistry::TestNames() {
  std::lock_guard lock(m_mutex);
  std::vector<std::u16string> names;
  for (const auto& test : m_tests) {
    BSTR name = nullptr;
    test->GetName(&name);
    names.emplace_back(name ? std::u16string(name, SysStringLen(name)) : u"");
    SysFreeString(name);
  }
  return names;
}

HRESULT UnitTestRegistry::Publish() {
  std::lock_guard lock(m_mutex);
  if (m_cookie) return S_FALSE;
  return CoRegisterClassObject(CLSID_TarnUnitTestRegistry,
                               static_cast<ITarnUnitTestRegistry*>(this), CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &m_cookie);
}

}  // namespace PendrelHost
