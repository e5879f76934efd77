#include "platform/win32/code_pages.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

std::u16string ToWide(UINT page, const std::string& bytes, DWORD flags = 0) {
  const int n = MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), nullptr, 0);
  std::u16string out(std::size_t(n > 0 ? n : 0), u'\0');
  if (n > 0) MultiByteToWideChar(page, flags, bytes.data(), int(bytes.size()), out.data(), n);
  return out;
}

std::string ToBytes(UINT page, const std::u16string& text, BOOL* usedDefault = nullptr) {
  const int n = WideCharToMultiByte(page, 0, text.data(), int(text.size()), nullptr, 0, nullptr,
                                    usedDefault);
  std::string out(std::size_t(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(page, 0, text.data(), int(text.size()), out.data(), n, nullptr,
                        usedDefault);
  }
  return out;
}

TEST(CodePages, AnsiPageIsWindows1252) {
  EXPECT_EQ(GetACP(), 1252u);
  struct Case {
    unsigned char byte;
    char16_t unit;
  } cases[] = {{0x41, u'A'}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x8A, 0x0160},
               {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF}};
  for (const Case& c : cases) {
    const std::string byte(1, char(c.byte));
    EXPECT_EQ(ToWide(CP_ACP, byte), std::u16string(1, c.unit)) << int(c.byte);
    EXPECT_EQ(ToBytes(CP_ACP, std::u16string(1, c.unit)), byte) << int(c.byte);
  }
}

TEST(CodePages, UnmappableCharactersBecomeTheDefaultCharacter) {
  BOOL usedDefault = FALSE;
  EXPECT_EQ(ToBytes(1252, u"a\u4e2db\U0001F600", &usedDefault), "a?b?");
  EXPECT_TRUE(usedDefault);
  EXPECT_EQ(ToBytes(1252, u"plain", &usedDefault), "plain");
  EXPECT_FALSE(usedDefault);
}

TEST(CodePages, Utf8RoundTrip) {
  const std::u16string text = u"a\u00e9\u20ac\U0001F600";
  EXPECT_EQ(ToBytes(CP_UTF8, text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(ToWide(CP_UTF8, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), text);
}

TEST(CodePages, InvalidUtf8IsReplacedOrRefused) {
  EXPECT_EQ(ToWide(CP_UTF8, "a\xC0\x80z"), u"a\uFFFD\uFFFDz");
  EXPECT_EQ(ToWide(CP_UTF8, "a\xE2\x82z"), u"a\uFFFDz");
  EXPECT_EQ(ToWide(CP_UTF8, "\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\xFF", 2, nullptr, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePages, LoneSurrogatesEncodeAsReplacementCharacter) {
  EXPECT_EQ(ToBytes(CP_UTF8, std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(CodePages, TerminatedSourceCountsTheNulAndBufferLimitsApply) {
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4);
  char16_t small[2];
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", 0, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MultiByteToWideChar(437, 0, "abc", 3, small, 2), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  BOOL used = FALSE;
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, nullptr, 0, nullptr, &used), 0);
}

TEST(CodePages, AnsiPageCanBeSwitchedToUtf8ForTests) {
  win32::SetAnsiCodePageForTesting(CP_UTF8);
  EXPECT_EQ(ToWide(CP_ACP, "\xC3\xA9"), u"\u00e9");
  win32::SetAnsiCodePageForTesting(CP_WINDOWS_1252);
  EXPECT_EQ(ToWide(CP_ACP, "\xC3\xA9"), u"\u00c3\u00a9");
}

}  // namespace
