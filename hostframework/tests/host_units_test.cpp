// Units made by the host, and the type words of core's objects.
#include <gtest/gtest.h>

#include "core/core_type_ids.h"
#include "core/quor_string.h"
#include "hostframework/host_services.h"
#include "hostframework/tests/host_fixture.h"
#include "hostframework/unit_service.h"

namespace {

using HostUnits = HostFrameworkTest;

TEST_F(HostUnits, TheHostMakesUnitsFromPrefixAndName) {
  struct Case {
    char16_t prefix;
    const char16_t* name;
    DWORD index;
    const char16_t* text;
  } cases[] = {{u'm', u"s", 7, u"ms"}, {0, u"V", 8, u"V"}, {u'k', u"Hz", 9, u"kHz"},
               {u'\u00B5', u"V", 6, u"\u00B5V"}};
  for (const Case& c : cases) {
    UnitWithPrefix unit{c.name, c.prefix};
    IUnitName* made = nullptr;
    ASSERT_EQ(CreateUnitName(unit, &made), S_OK);
    DWORD index = 0;
    made->GetPrefix(&index);
    EXPECT_EQ(index, c.index);
    IQuorString* text = nullptr;
    made->GetText(VARIANT_TRUE, &text);
    EXPECT_EQ(Quor::String(text).ToStdWString(), c.text);
    text->Release();
    // A second call releases what the out parameter held.
    ASSERT_EQ(CreateUnitName(unit, &made), S_OK);
    made->Release();
  }
  EXPECT_EQ(CreateUnitName(UnitWithPrefix{}, nullptr), E_INVALIDARG);
  EXPECT_EQ(Tarn::CountCalls("DataAdder.CreateUnitName"), 8u);
}

TEST_F(HostUnits, CoreTypeWordsCarryTheHostsIdOfTheCoreGuid) {
  const DWORD unitType = Quor::CoreTypeId(Quor::kUnitEntryTypeNumber);
  EXPECT_EQ(unitType & 0xFFFF, 19u);
  EXPECT_EQ(unitType >> 16, GetTarnGuidId(Quor::GUID_QuorCoreTypes));
  EXPECT_NE(unitType >> 16, 0u);
}

}  // namespace
