#include "core/ostring_stream.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <istream>
#include <locale>
#include <string>

#include "core/string_streambuf.h"

namespace {

using Quor::OStringStream;
using Quor::String;
using Quor::StringStreamBuf;

// A locale that writes "2,5" and "1.234.567", to show that the streams do not follow the global
// locale.
struct CommaNumpunct : std::numpunct<wchar_t> {
  wchar_t do_decimal_point() const override { return L','; }
  wchar_t do_thousands_sep() const override { return L'.'; }
  std::string do_grouping() const override { return "\3"; }
};

class GlobalLocaleScope {
 public:
  explicit GlobalLocaleScope(const std::locale& locale) : m_previous(std::locale::global(locale)) {}
  ~GlobalLocaleScope() { std::locale::global(m_previous); }

 private:
  std::locale m_previous;
};

std::u16string TextOf(OStringStream& stream) { return stream.str().ToStdWString(); }

TEST(OStringStream, WritesTextAndNumbers) {
  OStringStream stream;
  stream << L"abc " << 42 << L' ' << -7.25 << L' ' << std::hex << 255;
  EXPECT_EQ(TextOf(stream), u"abc 42 -7.25 ff");
}

TEST(OStringStream, FormatsInTheClassicLocaleWhateverTheGlobalOne) {
  const GlobalLocaleScope comma(std::locale(std::locale::classic(), new CommaNumpunct));
  OStringStream stream;
  stream << 2.5 << L' ' << 1234567;
  EXPECT_EQ(TextOf(stream), u"2.5 1234567");
}

TEST(OStringStream, StrSharesTheRepresentation) {
  OStringStream stream;
  stream << L"shared";
  const String first = stream.str();
  const String second = stream.str();
  EXPECT_EQ(first.c_str(), second.c_str());
  EXPECT_EQ(first, String(u"shared"));
}

TEST(OStringStream, WritingAfterStrLeavesTheHandedOutTextUnchanged) {
  OStringStream stream;
  stream << L"abcde";
  const String five = stream.str();
  EXPECT_EQ(five.Capacity(), 9u);
  stream << L'f';  // 3 units of room left, fewer than 8: the buffer doubles
  const String six = stream.str();
  EXPECT_EQ(six.Capacity(), 18u);
  stream << L'g';  // 11 units of room left: a copy of the same capacity
  const String seven = stream.str();
  EXPECT_EQ(seven.Capacity(), 18u);
  EXPECT_NE(seven.c_str(), six.c_str());
  EXPECT_EQ(five, String(u"abcde"));
  EXPECT_EQ(six, String(u"abcdef"));
  EXPECT_EQ(seven, String(u"abcdefg"));
}

TEST(OStringStream, GrowsForLongText) {
  OStringStream stream;
  std::wstring expected;
  for (int i = 0; i < 1000; ++i) {
    stream << i << L',';
    expected += std::to_wstring(i) + L',';
  }
  EXPECT_EQ(stream.str(), String(std::u16string(expected.begin(), expected.end())));
}

TEST(OStringStream, CharactersAboveFFFFBecomeSurrogatePairs) {
  OStringStream stream;
  stream << L"a\U0001F600b" << wchar_t(0x10FFFF) << wchar_t(0x110000);
  EXPECT_EQ(TextOf(stream), u"a\U0001F600b\U0010FFFF\uFFFD");
  EXPECT_EQ(stream.tellp(), std::streampos(7));  // positions count UTF-16 units
}

TEST(OStringStream, SeekingBackOverwrites) {
  OStringStream stream;
  stream << L"xyz";
  stream.seekp(1);
  stream << L'Q';
  EXPECT_EQ(TextOf(stream), u"xQz");
  stream.seekp(0, std::ios_base::end);
  stream << L'!';
  EXPECT_EQ(TextOf(stream), u"xQz!");
  stream.seekp(9);
  EXPECT_TRUE(stream.fail());  // beyond the text
}

TEST(OStringStream, ANulWrittenLastEndsTheText) {
  OStringStream stream;
  stream << L"ab" << L'\0';
  EXPECT_EQ(stream.str().Length(), 2u);
  EXPECT_EQ(stream.str(), String(u"ab"));
}

TEST(OStringStream, EveryStreamHasItsOwnText) {
  OStringStream first;
  OStringStream second;
  first << L"one";
  second << L"two";
  EXPECT_EQ(TextOf(first), u"one");
  EXPECT_EQ(TextOf(second), u"two");
}

TEST(StringStreamBuf, ReadsTheStringAndWritesAfterIt) {
  StringStreamBuf buffer(std::ios_base::in | std::ios_base::out, String(u"x\U0001F600y"));
  EXPECT_EQ(buffer.sbumpc(), L'x');
  EXPECT_EQ(buffer.sgetc(), 0x1F600);
  EXPECT_EQ(buffer.pubseekoff(0, std::ios_base::cur, std::ios_base::in), std::streampos(1));
  EXPECT_EQ(buffer.sbumpc(), 0x1F600);
  EXPECT_EQ(buffer.pubseekoff(0, std::ios_base::cur, std::ios_base::in), std::streampos(3));
  EXPECT_EQ(buffer.sbumpc(), L'y');
  EXPECT_EQ(buffer.sgetc(), std::char_traits<wchar_t>::eof());

  buffer.sputn(L" z", 2);
  EXPECT_EQ(buffer.sbumpc(), L' ');
  EXPECT_EQ(buffer.str(), String(u"x\U0001F600y z"));
  buffer.pubseekpos(1, std::ios_base::in);
  EXPECT_EQ(buffer.sgetc(), 0x1F600);
}

TEST(StringStreamBuf, AWideStreamReadsWords) {
  StringStreamBuf buffer(std::ios_base::in, String(u"  alpha beta"));
  std::wistream in(&buffer);
  std::wstring word;
  in >> word;
  EXPECT_EQ(word, L"alpha");
  in >> word;
  EXPECT_EQ(word, L"beta");
  EXPECT_FALSE(in >> word);
}

TEST(StringStreamBuf, HonoursItsOpenMode) {
  StringStreamBuf readOnly(std::ios_base::in, String(u"abc"));
  EXPECT_EQ(readOnly.sputc(L'x'), std::char_traits<wchar_t>::eof());
  EXPECT_EQ(readOnly.str(), String(u"abc"));
  StringStreamBuf writeOnly(std::ios_base::out);
  EXPECT_EQ(writeOnly.sputc(L'x'), L'x');
  EXPECT_EQ(writeOnly.sgetc(), std::char_traits<wchar_t>::eof());
  EXPECT_EQ(writeOnly.str(), String(u"x"));
}

TEST(StringStreamBuf, LeavesTheCallersStringUnchanged) {
  const String initial(u"start");
  StringStreamBuf buffer(std::ios_base::out, initial);
  buffer.sputn(L"ed", 2);
  EXPECT_EQ(buffer.str(), String(u"started"));
  EXPECT_EQ(initial, String(u"start"));
}

TEST(QuorStringInsertion, WritesWideCharactersPaddedToTheWidth) {
  OStringStream stream;
  stream << std::setw(6) << String(u"ab") << L'|' << std::left << std::setw(4)
         << String(u"\U0001F600") << L'|';
  EXPECT_EQ(TextOf(stream), u"    ab|\U0001F600   |");
}

}  // namespace
