#include "core/unit_entry.h"

#include <gtest/gtest.h>

#include "core/com_ptr.h"
#include "core/core_type_ids.h"
#include "core/storage_bin_streams.h"
#include "core/tests/failing_stream.h"
#include "core/tests/quor_string_printer.h"
#include "core/xquor.h"

namespace {

using Quor::ComPtr;
using Quor::ComPtrOut;
using Quor::String;
using Quor::UnitEntry;
using namespace testing_streams;

ComPtr<UnitEntry> MakeUnit(DWORD index, const char16_t* name, DWORD flag = 0) {
  ComPtr<UnitEntry> unit(new UnitEntry);
  unit->SetPrefix(index);
  IQuorString* text = String(name).GetInterface();
  unit->SetName(text);
  text->Release();
  unit->SetFlag(flag);
  return unit;
}

String TextOf(IUnitName* unit, bool withPrefix) {
  IQuorString* text = nullptr;
  EXPECT_EQ(unit->GetText(withPrefix ? VARIANT_TRUE : VARIANT_FALSE, &text), S_OK);
  String result;
  result.Adopt(text);
  return result;
}

TEST(UnitEntry, TextPutsThePrefixLetterBeforeTheName) {
  struct Case {
    DWORD index;
    const char16_t* withPrefix;
  } cases[] = {{7, u"ms"}, {8, u"s"}, {1, u"s"}, {0, u"?s"}, {6, u"\u00B5s"}, {14, u"Es"}};
  for (const Case& c : cases) {
    ComPtr<UnitEntry> unit = MakeUnit(c.index, u"s");
    EXPECT_EQ(TextOf(unit.Get(), true), String(c.withPrefix)) << c.index;
    EXPECT_EQ(TextOf(unit.Get(), false), String(u"s")) << c.index;
  }
}

TEST(UnitEntry, IndicesOutsideTheTableAreRefused) {
  ComPtr<UnitEntry> unit = MakeUnit(7, u"s");
  EXPECT_EQ(unit->SetPrefix(15), E_INVALIDARG);
  EXPECT_EQ(unit->SetPrefix(0xFFFFFFFF), E_INVALIDARG);
  DWORD index = 0;
  unit->GetPrefix(&index);
  EXPECT_EQ(index, 7u);
}

TEST(UnitEntry, NullArgumentsAreRefused) {
  ComPtr<UnitEntry> unit = MakeUnit(7, u"s");
  EXPECT_EQ(unit->GetPrefix(nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->GetText(VARIANT_TRUE, nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->GetFlag(nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->SetName(nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->Clone(nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->GetTypeId(nullptr), E_INVALIDARG);
  EXPECT_EQ(unit->Load(nullptr), E_FAIL);
  EXPECT_EQ(unit->Save(nullptr), E_FAIL);
}

TEST(UnitEntry, CloneCopiesPrefixAndFlagAndSharesTheName) {
  ComPtr<UnitEntry> unit = MakeUnit(9, u"V", 5);
  DWORD flag = 0;
  unit->GetFlag(&flag);
  EXPECT_EQ(flag, 1u);
  ComPtr<IUnitName> copy;
  ASSERT_EQ(unit->Clone(ComPtrOut<IUnitName>::Bind(copy)), S_OK);
  EXPECT_EQ(TextOf(copy.Get(), true), String(u"kV"));
  copy->GetFlag(&flag);
  EXPECT_EQ(flag, 1u);
  EXPECT_EQ(static_cast<UnitEntry*>(copy.Get())->name.c_str(), unit->name.c_str());
}

TEST(UnitEntry, SaveAndLoadRestoreTheWholeEntry) {
  FailingStream target;
  {
    Quor::StorageBinOStreamLite out(&target);
    EXPECT_EQ(MakeUnit(5, u"Hz", 1)->Save(&out), S_OK);
    ASSERT_EQ(out.Close(), S_OK);
  }
  SeekToStart(&target);
  Quor::StorageBinIStreamLite in(&target);
  ComPtr<UnitEntry> loaded = MakeUnit(8, u"x");
  EXPECT_EQ(loaded->Load(&in), S_OK);
  EXPECT_EQ(TextOf(loaded.Get(), true), String(u"nHz"));
  DWORD flag = 0;
  loaded->GetFlag(&flag);
  EXPECT_EQ(flag, 1u);
}

TEST(UnitEntry, DamagedEntriesLeaveTheUnitAsItWas) {
  struct Case {
    const char* what;
    const char* bytes;  // after a version-21 header
    HRESULT result;
  } cases[] = {
      {"prefix index 15", "0f000000 01000080 02000000 feffffff 7300 0000 00000000", E_FAIL},
      {"prefix index -1", "ffffffff 01000080 02000000 feffffff 7300 0000 00000000", E_FAIL},
      {"bad name record", "07000000 01000080 02000000 fdffffff 7300 0000 00000000",
       kXQuorBadStringRecord},
      {"no flag", "07000000 01000080 02000000 feffffff 7300 0000", E_FAIL},
  };
  for (const Case& c : cases) {
    FailingStream source(FromHex(std::string("aaaa1555") + c.bytes));
    Quor::StorageBinIStreamLite in(&source);
    ComPtr<UnitEntry> unit = MakeUnit(9, u"V", 1);
    EXPECT_EQ(unit->Load(&in), c.result) << c.what;
    EXPECT_EQ(TextOf(unit.Get(), true), String(u"kV")) << c.what;
    DWORD flag = 0;
    unit->GetFlag(&flag);
    EXPECT_EQ(flag, 1u) << c.what;
  }
}

WORD HostIdOfCoreTypes() { return 0x1234; }

TEST(UnitEntry, TheTypeIdComesFromTheHostsIdOfTheCoreTypes) {
  ComPtr<UnitEntry> unit = MakeUnit(8, u"s");
  DWORD type = 0;
  Quor::SetCoreTypeIdBaseProvider(nullptr);
  EXPECT_EQ(unit->GetTypeId(&type), S_OK);
  EXPECT_EQ(type, 19u);
  Quor::SetCoreTypeIdBaseProvider(&HostIdOfCoreTypes);
  unit->GetTypeId(&type);
  EXPECT_EQ(type, 0x12340013u);
  Quor::SetCoreTypeIdBaseProvider(nullptr);
}

}  // namespace
