// The module's self-test object as the stand-in host's runner calls it: the seven tests in
// their order, each allowed 60 s, pass against the module's fiducial enumerator.
#include <gtest/gtest.h>

#include "TestSuite/UnitTestHelperLib/tests/self_test_host.h"
#include "host/module/unit_test_registry.h"
#include "host/module/unit_test_runner.h"

namespace {

TEST(SelfTestRunner, TheSevenTestsPassAgainstTheFiducialEnumerator) {
  SelfTestHost::Start();
  ASSERT_EQ(PendrelHost::UnitTestRegistry::Instance().Tests().size(), 1u);
  const auto outcomes = PendrelHost::RunRegisteredTests({.filter = {}, .seed = 12345});
  const char* const names[] = {"EventEnumBounceTest",
                               "EventEnumBounceTest2",
                               "EventEnumTestNextOffline",
                               "EventEnumTestNextOnline",
                               "EventEnumOnlineOfflineComparison",
                               "EventEnumTestFind",
                               "EventEnumTestSetSources"};
  ASSERT_EQ(outcomes.size(), std::size(names));
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    EXPECT_EQ(outcomes[i].name, std::string("Rhyth_TestFiducialEnum::") + names[i]);
    EXPECT_EQ(outcomes[i].allowedSeconds, 60.0);
    EXPECT_TRUE(outcomes[i].ran);
    EXPECT_TRUE(outcomes[i].passed) << outcomes[i].name << ": " << outcomes[i].message;
    EXPECT_EQ(outcomes[i].seed, 12345);
  }
}

}  // namespace
