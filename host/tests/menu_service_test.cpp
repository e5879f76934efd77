// The menu service keeps the tree that a module's menus build, and shows it as text.
#include "host/tests/host_test.h"

#include <gmock/gmock.h>

#include "host/framework/menu_tree_text.h"
#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

using ::testing::ElementsAre;

constexpr DWORD kInsertFlags = 0x10000000;
constexpr DWORD Order(DWORD placement, DWORD low) { return (placement << 16) | low; }

class MenuFixture : public HostFixture {
 protected:
  HeldReference<ITarnMenuService> menus = HostObject<ITarnMenuService>(kTarnTypeMenuService);

  HeldReference<ITarnMenuItem> Create(const char16_t* itemText, const char16_t* name,
                                      const char16_t* path, DWORD kind, DWORD order) {
    ITarnMenuItem* item = nullptr;
    EXPECT_EQ(menus->CreateMenuItem(0, Maybe(itemText), Maybe(name), 0, 0, 0, Maybe(path), 0, 0,
                                    kind, 0, 0, 0, order, &item),
              S_OK);
    return HeldReference<ITarnMenuItem>(item);
  }

  HRESULT Insert(ITarnMenuItem* item, DWORD textId, DWORD command, const char16_t* path,
                 const char16_t* anchor = u"") {
    return menus->InsertMenuItem(textId, kInsertFlags, command, Maybe(path), 0, Maybe(u""), 2,
                                 Maybe(anchor), 0, 0, item);
  }

  // As a module settles the order of an item it inserted: a caller's order of 0 keeps the
  // one the host gave.
  void SettleOrder(ITarnMenuItem* item, DWORD order) {
    if (order == 0) item->GetOrder(&order);
    item->SetOrderWord(order);
    ITarnMenuItemOrder* orderFace = nullptr;
    ASSERT_EQ(item->QueryInterface(ITarnMenuItemOrder::iid, reinterpret_cast<void**>(&orderFace)), S_OK);
    orderFace->SetOrder(order);
    orderFace->Release();
  }

  void AddCommand(DWORD textId, DWORD command, const char16_t* path) {
    auto item = Create(u"", nullptr, nullptr, 2, 0);
    EXPECT_EQ(Insert(item.get(), textId, command, path), S_OK);
    SettleOrder(item.get(), 0);
  }

  void InsertItem(DWORD textId, DWORD command, const char16_t* path, const char16_t* anchor,
                  DWORD placement, DWORD low, const char16_t* help = u"") {
    auto item = Create(u"", nullptr, nullptr, 2, 0);
    EXPECT_EQ(Insert(item.get(), textId, command, path, anchor), S_OK);
    SettleOrder(item.get(), Order(placement, low));
    ITarnMenuItemHelp* helpFace = nullptr;
    ASSERT_EQ(item->QueryInterface(ITarnMenuItemHelp::iid, reinterpret_cast<void**>(&helpFace)), S_OK);
    helpFace->SetHelpText(Maybe(help));
    helpFace->Release();
  }

 private:
  // The texts live until the fixture goes.
  IQuorString* Maybe(const char16_t* text) {
    if (!text) return nullptr;
    m_texts.push_back(Text(text));
    return m_texts.back().get();
  }

  std::vector<HeldReference<IQuorString>> m_texts;
};

using MenuService = MenuFixture;

TEST_F(MenuService, KeepsAnAnalysisStyleMenuTree) {
  Create(nullptr, u"Rhyth", u"Rhyth", 0x38, 10000);
  AddCommand(27, 0x01000000, u"Rhyth^EXTENSION|");
  InsertItem(30, 0x01000001, u"Rhyth|Settings", u"settings", 1003, 10, u"Change the settings");
  AddCommand(0, 0, u"Rhyth|-");
  InsertItem(39, 0x01000004, u"Rhyth|AnalysisPlots|", u"windows_graphsmenu", 1005, 522);
  AddCommand(45, 0x01000005, u"Rhyth|AnalysisPlots|Tachogram");
  AddCommand(0, 0, u"Rhyth|-");
  InsertItem(42, 0x01000012, u"Rhyth|Analyse", u"analyse", 1004, 10);

  EXPECT_THAT(
      Tarn::MenuTreeLines(),
      ElementsAre(
          "menu \"Rhyth\" parent=\"Rhyth\" order=0:10000",
          "item \"Rhyth^EXTENSION|\" command=0x01000000 p1=0x0000001B order=0:2",
          "item \"Rhyth|Settings\" command=0x01000001 p1=0x0000001E anchor=\"settings\" "
          "help=\"Change the settings\" order=1003:10",
          "separator \"Rhyth|-\" order=0:4",
          "item \"Rhyth|AnalysisPlots|\" command=0x01000004 p1=0x00000027 "
          "anchor=\"windows_graphsmenu\" order=1005:522",
          "item \"Rhyth|AnalysisPlots|Tachogram\" command=0x01000005 p1=0x0000002D order=0:6",
          "separator \"Rhyth|-\" order=0:7",
          "item \"Rhyth|Analyse\" command=0x01000012 p1=0x0000002A anchor=\"analyse\" order=1004:10"));
}

TEST_F(MenuService, MakesSeparatorsOfADashNameWithoutTextAndOfADashPath) {
  struct Case {
    const char16_t* itemText;
    const char16_t* name;
    const char16_t* path;
    const char* line;
  };
  const Case cases[] = {
      {nullptr, u"-", u"Top|Anywhere", "separator \"Top|Anywhere\" order=0:1"},
      {u"", u"-", u"Top|Anywhere", "separator \"Top|Anywhere\" order=0:1"},
      {u"Text", u"-", u"Top|Anywhere", "item \"Top|Anywhere\" command=0x00000000 itemText=\"Text\" order=0:1"},
      {u"", nullptr, u"Top|-", "separator \"Top|-\" order=0:1"},
      {u"", nullptr, u"Top|-x", "item \"Top|-x\" command=0x00000000 order=0:1"},
  };
  for (const Case& c : cases) {
    Tarn::ResetFramework();
    auto item = Create(c.itemText, c.name, nullptr, 2, 0);
    EXPECT_THAT(Tarn::MenuTreeLines(), ElementsAre()) << "placed before its insertion";
    Insert(item.get(), 0, 0, c.path);
    EXPECT_THAT(Tarn::MenuTreeLines(), ElementsAre(c.line));
  }
}

TEST_F(MenuService, PlacesAnItemOnceAndOnlyItsOwnItems) {
  auto item = Create(u"Once", nullptr, nullptr, 2, 0);
  EXPECT_EQ(Insert(item.get(), 0, 7, u"Top|Once"), S_OK);
  EXPECT_EQ(Insert(item.get(), 0, 8, u"Top|Again"), S_OK);
  EXPECT_THAT(Tarn::MenuTreeLines(),
              ElementsAre("item \"Top|Again\" command=0x00000008 itemText=\"Once\" order=0:1"));

  class ForeignItem final : public SimpleUnknownImp1<ITarnMenuItem, 1> {
    HRESULT GetOrder(DWORD*) override { return E_NOTIMPL; }
    HRESULT SetOrderWord(DWORD) override { return E_NOTIMPL; }
  };
  HeldReference<ForeignItem> foreign(new ForeignItem);
  EXPECT_EQ(Insert(foreign.get(), 0, 9, u"Top|Foreign"), E_INVALIDARG);
  EXPECT_EQ(Insert(item.get(), 0, 9, u""), E_INVALIDARG);
  EXPECT_EQ(Insert(nullptr, 0, 9, u"Top|Null"), E_POINTER);
  EXPECT_EQ(Tarn::MenuTreeLines().size(), 1u);
}

}  // namespace
}  // namespace HostTest
