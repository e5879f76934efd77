// The module's menu helpers, against the host's menu tree and command service.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/framework/menu_tree_text.h"
#include "hostframework/host_services.h"
#include "hostframework/menu_service.h"
#include "hostframework/tests/host_fixture.h"

namespace {

using ::testing::ElementsAre;

using HostMenus = HostFrameworkTest;

TEST_F(HostMenus, TopMenusItemsAndSeparatorsLandInTheTree) {
  Quor::ComPtr<ITarnMenuItem> item;
  ASSERT_EQ(TarnMenuService::CreateTopMenu(item, u"Rhyth", u"Analysis"), S_OK);
  const DWORD settings = 0x01000001, analyse = 0x01000012;
  ASSERT_EQ(TarnMenuService::InsertMenuItem(item, 30, &settings, u"Rhyth|Settings", 2, 0,
                                            u"Change the settings", u"", u"settings", 10, 1003),
            S_OK);
  ASSERT_EQ(TarnMenuService::AddCommand(item, 0, 0, nullptr, u"Rhyth|-"), S_OK);
  ASSERT_EQ(TarnMenuService::AddCommand(item, 42, 0, &analyse, u"Rhyth|Analyse"), S_OK);
  EXPECT_THAT(Tarn::MenuTreeLines(),
              ElementsAre("menu \"Rhyth\" parent=\"Analysis\" order=0:10000",
                          "item \"Rhyth|Settings\" command=0x01000001 p1=0x0000001E "
                          "anchor=\"settings\" help=\"Change the settings\" order=1003:10",
                          "separator \"Rhyth|-\" order=0:3",
                          "item \"Rhyth|Analyse\" command=0x01000012 p1=0x0000002A order=0:4"));
}

TEST_F(HostMenus, ADashAlwaysMakesASeparator) {
  Quor::ComPtr<ITarnMenuItem> item;
  ASSERT_EQ(TarnMenuService::CreateMenuItem(item, u"-"), S_OK);
  EXPECT_EQ(TarnMenuService::SetItemOrder(item.Get(), 4, 1006), S_OK);
  EXPECT_EQ(TarnMenuService::SetItemOrder(nullptr, 4, 1006), E_FAIL);
}

TEST_F(HostMenus, ServicesAreMadeOnceAndTheCommandServiceAnswersQueries) {
  ITarnMenuService* menus = GetTarnMenuService();
  ASSERT_NE(menus, nullptr);
  EXPECT_EQ(GetTarnMenuService(), menus);
  ASSERT_NE(GetTarnCommandService(), nullptr);
  static const GUID named = win32::ParseGuid("5d0c9a7e-31b4-4f6a-8e2d-7c1b0a9f3e61");
  static const GUID unnamed = win32::ParseGuid("5d0c9a7e-31b4-4f6a-8e2d-7c1b0a9f3e62");
  GetTarnGuidId(named);
  Quor::ComPtr<IUnknown> answer;
  EXPECT_EQ(QueryCommandService(answer, named, 7, nullptr), S_OK);
  EXPECT_TRUE(answer);
  // A GUID the module never named to the host has no command service.
  EXPECT_EQ(QueryCommandService(answer, unnamed, 7, nullptr), E_INVALIDARG);
  EXPECT_FALSE(answer);
  EXPECT_EQ(Tarn::CountCalls("CommandService.QueryCommandService"), 2u);
}

TEST_F(HostMenus, TheDebugTrackerLearnsOfNewViewObjects) {
  Quor::ComPtr<IUnknown> someObject(GetTarnCommandService());
  COMDebugClass tracked(someObject.Get());
  EXPECT_EQ(Tarn::CountCalls("FrameworkService.TrackObject"), 1u);
  const auto calls = Tarn::RecordedCallTexts();
  EXPECT_THAT(calls, ::testing::Contains("FrameworkService.TrackObject(object=set, code=0x80030003)"));
}

}  // namespace
