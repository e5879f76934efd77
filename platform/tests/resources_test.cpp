#include "platform/win32/resources.h"

#include <gtest/gtest.h>

#include <string>

HMODULE PlatformTestResources();

namespace {

std::string Bytes(HMODULE module, HRSRC resource) {
  const auto* p = static_cast<const char*>(LockResource(LoadResource(module, resource)));
  return p ? std::string(p, SizeofResource(module, resource)) : std::string();
}

std::u16string String(HMODULE module, UINT id) {
  WCHAR buffer[128];
  const int n = LoadStringW(module, id, buffer, 128);
  return std::u16string(buffer, std::size_t(n));
}

TEST(Resources, FoundByNumberNameAndHashNumber) {
  HMODULE module = PlatformTestResources();
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Bytes(module, FindResourceW(module, MAKEINTRESOURCEW(7), RT_RCDATA)), "neutral");
  EXPECT_EQ(Bytes(module, FindResourceW(module, u"#7", RT_RCDATA)), "neutral");
  // Names and type names compare without regard to case.
  EXPECT_EQ(Bytes(module, FindResourceW(module, u"page.html", u"text")), "neutral");
  EXPECT_EQ(FindResourceW(module, u"missing", u"TEXT"), nullptr);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(8), RT_RCDATA), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(7), RT_RCDATA), nullptr);
}

TEST(Resources, LanguagesAreExactWithNeutralFallback) {
  HMODULE module = PlatformTestResources();
  EXPECT_EQ(Bytes(module, FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(7), 0x0407)),
            "deutsch");
  EXPECT_EQ(Bytes(module, FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(7), 0)), "neutral");
  EXPECT_EQ(FindResourceExW(module, RT_RCDATA, MAKEINTRESOURCEW(7), 0x040C), nullptr);
}

TEST(Resources, StringTablesLoadByIdInBlocksOfSixteen) {
  HMODULE module = PlatformTestResources();
  EXPECT_EQ(String(module, 1), u"first");
  EXPECT_EQ(String(module, 2), u"second with \"quotes\"\tand a tab");
  EXPECT_EQ(String(module, 17), u"block two, slot one: \u00e9\u20ac");
  EXPECT_EQ(String(module, 30), u"a long text that continues on the next line");
  EXPECT_EQ(String(module, 3), u"");
  EXPECT_EQ(String(module, 500), u"");

  // The German table holds its own block.
  HRSRC german = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(1), 0x0407);
  const std::string block = Bytes(module, german);
  ASSERT_EQ(block.size(), 2u * 16 + 2u * 5);
  EXPECT_EQ(block[2], 5);  // entry 1's length word follows entry 0's empty one
}

TEST(Resources, LoadStringTruncatesToTheBuffer) {
  HMODULE module = PlatformTestResources();
  WCHAR small[4];
  EXPECT_EQ(LoadStringW(module, 1, small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"fir");
  const WCHAR* direct = nullptr;
  EXPECT_EQ(LoadStringW(module, 1, reinterpret_cast<LPWSTR>(&direct), 0), 5);
  EXPECT_EQ(std::u16string(direct, 5), u"first");
}

TEST(Resources, ModulesAreFoundByName) {
  HMODULE module = PlatformTestResources();
  EXPECT_EQ(GetModuleHandleW(u"PLATFORM_TESTS"), module);
  EXPECT_EQ(GetModuleHandleW(u"nothing"), nullptr);
}

}  // namespace
