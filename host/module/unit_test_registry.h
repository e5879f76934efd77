// The host's unit-test registry: the self-test objects that modules hand it at registration,
// kept with a reference for the life of the process so that the host's test runner can list
// and run them. One per process, reachable through CoGetClassObject once the host registered it.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/unit_tests.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class UnitTestRegistry final : public NoDeleteUnknownImpBase<ITarnUnitTestRegistry> {
 public:
  static UnitTestRegistry& Instance();

  HRESULT RegisterTest(ITarnUnitTest* test) override;

  // The names of the registered tests, in the order they arrived.
  std::vector<std::u16string> TestNames();

  // Makes the registry reachable through CoGetClassObject; S_FALSE when it is already.
  HRESULT Publish();

 private:
  UnitTestRegistry() = default;

  std::mutex m_mutex;
  std::vector<Tarn::HeldReference<ITarnUnitTest>> m_tests;
  DWORD m_cookie = 0;
};

}  // namespace PendrelHost
