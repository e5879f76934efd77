// How the module hands its self-test object to the host: once, and only to a host that has a
// test registry.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "analysis/module/module_registration.h"
#include "host/app/host_application.h"
#include "host/app/host_start.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/module/unit_test_registry.h"
#include "TestSuite/UnitTestHelperLib/tests/self_test_host.h"

namespace {

IUnknown* Host() { return static_cast<ITarnHostApp*>(&PendrelHost::HostApplication::Instance()); }

TEST(SelfTestRegistration, OneObjectIsRegisteredOnce) {
  SelfTestHost::Start();
  EXPECT_EQ(Rhyth::RegisterModule(Host()), S_FALSE);
  const auto tests = PendrelHost::UnitTestRegistry::Instance().Tests();
  ASSERT_EQ(tests.size(), 1u);
  DWORD count = 0;
  ASSERT_EQ(tests[0]->Prepare(), S_OK);
  EXPECT_EQ(tests[0]->GetTestCount(&count), S_OK);
  EXPECT_EQ(count, 7u);
}

// In a child process of its own: registration runs once per process, and the other tests
// publish the registry. The child exits normally, so the leak check at exit runs too.
TEST(SelfTestRegistration, AHostWithoutATestRegistryGetsNoTestAndNothingBreaks) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        PendrelHost::StartHost();
        PendrelHost::AddArithmeticObjectMaker();
        PendrelHost::AddDocumentObjectMakers();
        const HRESULT hr = Rhyth::RegisterModule(Host());
        const std::size_t registered = PendrelHost::UnitTestRegistry::Instance().Tests().size();
        std::fprintf(stderr, "hr=0x%08lX registered=%zu\n", static_cast<unsigned long>(hr),
                     registered);
        std::fflush(nullptr);
        std::exit(hr == S_OK && registered == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "hr=0x00000000 registered=0");
}

}  // namespace
