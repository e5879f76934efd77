#include "core/utf_codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <random>
#include <string>

namespace {

using Quor::ConversionResult;

struct Utf8Result {
  ConversionResult result;
  std::string bytes;
  std::size_t consumed;
};

Utf8Result ToUtf8(const std::u16string& text, std::size_t room = 64) {
  std::string out(room, '\0');
  const char16_t* source = text.data();
  char* target = out.data();
  const ConversionResult r =
      Quor::ConvertUtf16ToUtf8(source, text.data() + text.size(), target, out.data() + room);
  return {r, std::string(out.data(), target), std::size_t(source - text.data())};
}

struct Utf16Result {
  ConversionResult result;
  std::u16string units;
  std::size_t consumed;
};

Utf16Result ToUtf16(const std::string& bytes, std::size_t room = 64) {
  std::u16string out(room, u'\0');
  const char* source = bytes.data();
  char16_t* target = out.data();
  const ConversionResult r =
      Quor::ConvertUtf8ToUtf16(source, bytes.data() + bytes.size(), target, out.data() + room);
  return {r, std::u16string(out.data(), target), std::size_t(source - bytes.data())};
}

TEST(UtfCodec, Utf16ToUtf8Cases) {
  struct Case {
    std::u16string text;
    ConversionResult result;
    std::string bytes;
  } cases[] = {
      {u"A\u00e9\u20ac", ConversionResult::Complete, "A\xC3\xA9\xE2\x82\xAC"},
      {u"\U0001F600", ConversionResult::Complete, "\xF0\x9F\x98\x80"},
      {u"\U0010FFFF", ConversionResult::Complete, "\xF4\x8F\xBF\xBF"},
      // A lone low surrogate, or a high one followed by something else, is written as U+FFFD.
      {std::u16string(1, char16_t(0xDC00)), ConversionResult::Complete, "\xEF\xBF\xBD"},
      {std::u16string{char16_t(0xD800), u'x'}, ConversionResult::Complete, "\xEF\xBF\xBDx"},
      // A high surrogate at the very end may be the first half of a pair: stop before it.
      {std::u16string{u'o', u'k', char16_t(0xD83D)}, ConversionResult::SourceExhausted, "ok"},
  };
  for (const Case& c : cases) {
    const Utf8Result r = ToUtf8(c.text);
    EXPECT_EQ(r.result, c.result);
    EXPECT_EQ(r.bytes, c.bytes);
  }
}

TEST(UtfCodec, Utf16ToUtf8StopsBeforeACharacterThatDoesNotFit) {
  const Utf8Result r = ToUtf8(u"ab\u20ac", 4);
  EXPECT_EQ(r.result, ConversionResult::TargetExhausted);
  EXPECT_EQ(r.bytes, "ab");
  EXPECT_EQ(r.consumed, 2u);
}

TEST(UtfCodec, Utf8ToUtf16Cases) {
  struct Case {
    std::string bytes;
    ConversionResult result;
    std::u16string units;
  } cases[] = {
      {"A\xC3\xA9\xE2\x82\xAC", ConversionResult::Complete, u"A\u00e9\u20ac"},
      {"\xF0\x9F\x98\x80", ConversionResult::Complete, u"\U0001F600"},
      {"x\xED\xA0\x80", ConversionResult::SourceIllegal, u"x"},  // an encoded surrogate
      {"\xC0\x80", ConversionResult::SourceIllegal, u""},        // overlong
      {"\xF4\x90\x80\x80", ConversionResult::SourceIllegal, u""},  // beyond U+10FFFF
      {"\x80", ConversionResult::SourceIllegal, u""},
      {"\xE0\x9F\xBF", ConversionResult::SourceIllegal, u""},
      {"ab\xE2\x82", ConversionResult::SourceExhausted, u"ab"},
  };
  for (const Case& c : cases) {
    const Utf16Result r = ToUtf16(c.bytes);
    EXPECT_EQ(r.result, c.result) << c.bytes;
    EXPECT_EQ(r.units, c.units) << c.bytes;
  }
  const Utf16Result full = ToUtf16("a\xF0\x9F\x98\x80", 2);
  EXPECT_EQ(full.result, ConversionResult::TargetExhausted);
  EXPECT_EQ(full.units, u"a");
}

TEST(UtfCodec, WrappersKeepTheTextBeforeAStop) {
  EXPECT_EQ(Quor::Utf16ToUtf8(u"ok\xD83D", 3), "ok");
  EXPECT_EQ(Quor::Utf8ToStdWString("fine\xFFrest"), u"fine");
  const std::string longText(1000, 'z');
  EXPECT_EQ(Quor::Utf8ToStdWString(longText).size(), 1000u);
  EXPECT_EQ(Quor::Utf16ToUtf8(std::u16string(300, u'\u00e9').data(), 300).size(), 600u);
}

// An independent reference for legal text: the C library's iconv.
std::string IconvConvert(const char* to, const char* from, const std::string& input) {
  iconv_t cd = iconv_open(to, from);
  std::string out(input.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  const std::size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  EXPECT_NE(r, std::size_t(-1));
  out.resize(out.size() - outLeft);
  return out;
}

std::u16string RandomLegalText(std::mt19937& random) {
  std::uniform_int_distribution<int> length(0, 40), plane(0, 3);
  std::u16string text;
  for (int i = length(random); i > 0; --i) {
    char32_t cp;
    switch (plane(random)) {
      case 0:
        cp = std::uniform_int_distribution<char32_t>(1, 0x7F)(random);
        break;
      case 1:
        cp = std::uniform_int_distribution<char32_t>(0x80, 0x7FF)(random);
        break;
      case 2:
        do cp = std::uniform_int_distribution<char32_t>(0x800, 0xFFFF)(random);
        while (cp >= 0xD800 && cp <= 0xDFFF);
        break;
      default:
        cp = std::uniform_int_distribution<char32_t>(0x10000, 0x10FFFF)(random);
        text.push_back(char16_t(0xD800 + ((cp - 0x10000) >> 10)));
        cp = 0xDC00 + ((cp - 0x10000) & 0x3FF);
    }
    text.push_back(char16_t(cp));
  }
  return text;
}

TEST(UtfCodec, AgreesWithIconvOnLegalText) {
  std::mt19937 random(1234);
  for (int round = 0; round < 500; ++round) {
    const std::u16string text = RandomLegalText(random);
    const std::string utf16le(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    const std::string expected = IconvConvert("UTF-8", "UTF-16LE", utf16le);
    const Utf8Result encoded = ToUtf8(text, text.size() * 3 + 1);
    ASSERT_EQ(encoded.result, ConversionResult::Complete);
    ASSERT_EQ(encoded.bytes, expected);
    const Utf16Result decoded = ToUtf16(expected, expected.size() + 1);
    ASSERT_EQ(decoded.result, ConversionResult::Complete);
    ASSERT_EQ(decoded.units, text);
  }
}

}  // namespace
