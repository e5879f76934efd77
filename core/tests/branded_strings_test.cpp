#include "core/branded_strings.h"

#include <gtest/gtest.h>

#include "core/tests/quor_string_printer.h"

#include "platform/owl/application.h"
#include "platform/win32/resources.h"

HMODULE CoreTestResources();

namespace {

using Quor::LoadResourceString;
using Quor::String;

TEST(BrandedStrings, TokensAreReplacedInTableOrder) {
  struct Case {
    UINT id;
    const char16_t* branded;
  } cases[] = {
      {100, u"Pendrel is running"},  // the longer token goes before its prefix
      {101, u"Plexlo unit and Plexlo cable"},
      {102, u"SHHalvernAKER and Halvern parts by Halvern"},  // a plain substring search
      {103, u"Pendrel"},
      {104, u"no tokens here"},
      {105, u"pendrel stays lower case"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LoadResourceString(CoreTestResources(), c.id, true), String(c.branded)) << c.id;
  }
  EXPECT_EQ(LoadResourceString(CoreTestResources(), 101, false), String(u"PLEXLO unit and PLEXLO cable"));
}

TEST(BrandedStrings, MissingEmptyAndZeroIdsGiveEmptyText) {
  for (UINT id : {0u, 106u, 99u, 5000u}) {
    EXPECT_TRUE(LoadResourceString(CoreTestResources(), id, true).IsEmpty()) << id;
  }
  String out(u"old");
  Quor::LoadResourceStringInto(out, CoreTestResources(), 0, true);
  EXPECT_TRUE(out.IsEmpty());
}

TEST(BrandedStrings, ApplicationLanguageComesFirstThenTheNeutralTable) {
  OWL::TApplication application(0x0407);
  EXPECT_EQ(LoadResourceString(CoreTestResources(), 100, true), String(u"Pendrel läuft"));
  // The German table has no entry 101 in its block: the entry walk finds it empty.
  EXPECT_TRUE(LoadResourceString(CoreTestResources(), 101, true).IsEmpty());
  application.SetLangId(0x040C);
  EXPECT_EQ(LoadResourceString(CoreTestResources(), 100, true), String(u"Pendrel is running"));
}

TEST(BrandedStrings, NullModuleMeansTheExecutable) {
  win32::SetExecutableModule(CoreTestResources());
  EXPECT_EQ(LoadResourceString(nullptr, 103, true), String(u"Pendrel"));
  win32::SetExecutableModule(nullptr);
  EXPECT_TRUE(LoadResourceString(nullptr, 103, true).IsEmpty());
}

}  // namespace
