// The call log is what tests of the module read: every call of a host object, in order.
#include "host/tests/host_test.h"

#include <gmock/gmock.h>

#include "platform/pendrel/commands.h"
#include "platform/pendrel/framework_services.h"

namespace HostTest {
namespace {

using ::testing::ElementsAre;

using CallLog = HostFixture;

TEST_F(CallLog, RecordsEachCallWithItsArgumentsInOrder) {
  auto registry = Framework<ITarnClassRegistry>();
  auto ids = Framework<ITarnIdRegistry>();
  EXPECT_EQ(Tarn::RecordedCallTexts().back(),
            "Library.DllGetClassObject(clsid={ede9883f-9a52-4544-9655-7a2bcf613be8})");
  Tarn::ClearRecordedCalls();
  void* object = nullptr;
  registry->CreateObject(kTarnTypeMenuService, ITarnMenuService::iid, &object);
  auto menus = HeldReference<ITarnMenuService>(static_cast<ITarnMenuService*>(object));
  ITarnMenuItem* item = nullptr;
  menus->CreateMenuItem(0, Text(u"Tachogram Plot").get(), nullptr, 0, 0, 0, nullptr, 0, 0, 2, 0, 0, 7, 0, &item);
  item->Release();
  WORD id = 0;
  ids->GetGuidId(GUID_TarnCore, &id);

  EXPECT_THAT(Tarn::RecordedCallTexts(),
              ElementsAre("ClassRegistry.CreateObject(type=0x80000013)",
                          "MenuService.CreateMenuItem(itemText=\"Tachogram Plot\", name=null, "
                          "path=null, kind=0x00000002, order=0x00000000, w9=0x00000007)",
                          "IdRegistry.GetGuidId(guid={e206b815-1df1-4b80-851a-0f5fcaa3d79a})"));
  const auto records = Tarn::RecordedCalls();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].service, "MenuService");
  EXPECT_EQ(records[1].operation, "CreateMenuItem");
}

TEST_F(CallLog, CountsByServiceAndOperationAndForgetsWhenCleared) {
  auto registry = Framework<ITarnClassRegistry>();
  ITarnClassObject* found = nullptr;
  registry->FindClassObject(1, &found);
  registry->FindClassObject(2, &found);
  EXPECT_EQ(Tarn::CountCalls("ClassRegistry.FindClassObject"), 2u);
  EXPECT_EQ(Tarn::CountCalls("ClassRegistry.Find"), 0u);
  EXPECT_EQ(Tarn::CountCalls("FindClassObject"), 0u);
  Tarn::ClearRecordedCalls();
  EXPECT_TRUE(Tarn::RecordedCalls().empty());
}

TEST_F(CallLog, KeepsOnlyTheMostRecentCalls) {
  Tarn::ClearRecordedCalls();
  for (std::size_t i = 0; i < Tarn::kCallLogCapacity + 2; ++i)
    Tarn::RecordCall("Probe", "Call", std::to_string(i));
  const auto records = Tarn::RecordedCalls();
  ASSERT_EQ(records.size(), Tarn::kCallLogCapacity);
  EXPECT_EQ(records.front().arguments, "2");
  EXPECT_EQ(records.back().arguments, std::to_string(Tarn::kCallLogCapacity + 1));
  EXPECT_EQ(Tarn::CountCalls("Probe.Call"), Tarn::kCallLogCapacity);
}

}  // namespace
}  // namespace HostTest
