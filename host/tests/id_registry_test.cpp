// The id registry gives GUIDs 16-bit ids that modules build their type and message words from.
#include "host/tests/host_test.h"

#include "platform/pendrel/framework_services.h"

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

}  // namespace
}  // namespace HostTest
