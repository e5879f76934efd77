#include "host/module/unit_test_registry.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"
#include "platform/win32/com_runtime.h"

namespace PendrelHost {

UnitTestRegistry& UnitTestRegistry::Instance() {
  // Modules may still hold the registry while the process exits: it is never destroyed.
  static auto* registry = new UnitTestRegistry;
  return *registry;
}

HRESULT UnitTestRegistry::RegisterTest(IUnitTest* test) {
  if (!test) {
    Tarn::RecordCall("UnitTestRegistry", "RegisterTest", "test=null");
    return E_POINTER;
  }
  IQuorString* owner = nullptr;
  test->GetOwner(&owner);
  Tarn::RecordCall("UnitTestRegistry", "RegisterTest", "owner=" + Tarn::QuotedText(owner));
  if (owner) owner->Release();
  std::lock_guard lock(m_mutex);
  m_tests.push_back(Tarn::Hold(test));
  return S_OK;
}

HRESULT UnitTestRegistry::GetRunSeed(LONG* seed) {
  if (!seed) return E_POINTER;
  std::lock_guard lock(m_mutex);
  *seed = m_seed.value_or(0);
  return m_seed ? S_OK : S_FALSE;
}

std::vector<Tarn::HeldReference<IUnitTest>> UnitTestRegistry::Tests() {
  std::lock_guard lock(m_mutex);
  std::vector<Tarn::HeldReference<IUnitTest>> tests;
  for (const auto& test : m_tests) tests.push_back(Tarn::Hold(test.get()));
  return tests;
}

void UnitTestRegistry::SetRunSeed(std::optional<LONG> seed) {
  std::lock_guard lock(m_mutex);
  m_seed = seed;
}

void UnitTestRegistry::Clear() {
  std::vector<Tarn::HeldReference<IUnitTest>> tests;
  {
    std::lock_guard lock(m_mutex);
    tests.swap(m_tests);
  }
  // Released outside the lock: a test object may call the registry as it goes.
}

HRESULT UnitTestRegistry::Publish() {
  std::lock_guard lock(m_mutex);
  if (m_cookie) return S_FALSE;
  return CoRegisterClassObject(CLSID_TarnUnitTestRegistry,
                               static_cast<ITarnUnitTestRegistry*>(this), CLSCTX_INPROC_SERVER,
                               REGCLS_MULTIPLEUSE, &m_cookie);
}

}  // namespace PendrelHost
