// The host's unit-test registry: the self-test objects that modules hand it at registration,
// kept with a reference until the host shuts down, so that the host's test runner can list
// and run them. During a run it tells the tests the run's seed. One per process, reachable
// through CoGetClassObject once the host registered it.
#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/unit_tests.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class UnitTestRegistry final : public NoDeleteUnknownImpBase<ITarnUnitTestRegistry> {
 public:
  static UnitTestRegistry& Instance();

  HRESULT RegisterTest(IUnitTest* test) override;
  HRESULT GetRunSeed(LONG* seed) override;

  // The registered test objects, in the order they arrived.
  std::vector<Tarn::HeldReference<IUnitTest>> Tests();
  // The seed the tests draw from until it is cleared.
  void SetRunSeed(std::optional<LONG> seed);
  // Lets go of every test object: the host shutting down.
  void Clear();

  // Makes the registry reachable through CoGetClassObject; S_FALSE when it is already.
  HRESULT Publish();

 private:
  UnitTestRegistry() = default;

  std::mutex m_mutex;
  std::vector<Tarn::HeldReference<IUnitTest>> m_tests;
  std::optional<LONG> m_seed;
  DWORD m_cookie = 0;
};

}  // namespace PendrelHost
