#include "core/quor_string.h"

#include <gtest/gtest.h>

#include "core/tests/quor_string_printer.h"

#include <sstream>

#include "platform/owl/xmsg.h"
#include "platform/win32/bstr.h"
#include "platform/win32/code_pages.h"

namespace {

using Quor::String;
using QuorString::StringRep;

const StringRep* RepOf(const String& s) { return StringRep::FromText(s.c_str()); }
LONG CountOf(const String& s) { return RepOf(s)->refCount; }

TEST(QuorString, EveryEmptyStringSharesOneRepresentation) {
  const String a;
  const LONG before = CountOf(a);
  const String b(static_cast<const WCHAR*>(nullptr));
  const String c(u"");
  const String d(u"xyz", 0);
  const String e("");
  const String f(std::string{});
  const String g = String(u"abc").Mid(3, 1);
  for (const String* s : {&b, &c, &d, &e, &f, &g}) EXPECT_EQ(RepOf(*s), RepOf(a));
  EXPECT_EQ(CountOf(a), before + 6);
  EXPECT_EQ(a.Capacity(), 9u);
  EXPECT_EQ(RepOf(a)->length, 1u);
}

TEST(QuorString, CapacityIsAtLeastEightAndAppendGrowsByHalf) {
  String s(u"abc");
  EXPECT_EQ(s.Capacity(), 8u);
  EXPECT_EQ(RepOf(s)->length, 4u);
  s += u"defgh";  // needed 9 > 8: capacity 13
  EXPECT_EQ(s.Capacity(), 13u);
  EXPECT_EQ(s, String(u"abcdefgh"));
  s += u'i';
  EXPECT_EQ(s.Capacity(), 13u);
  EXPECT_EQ(s.Length(), 9u);
  String twelve(u"0123456789ab");
  EXPECT_EQ(twelve.Capacity(), 13u);
}

TEST(QuorString, CopiesShareUntilOneIsChanged) {
  String s(u"shared");
  String t = s;
  EXPECT_EQ(RepOf(s), RepOf(t));
  VARIANT_BOOL shared = VARIANT_FALSE;
  IQuorString* face = s.GetInterface();
  face->IsShared(&shared);
  face->Release();
  EXPECT_EQ(shared, VARIANT_TRUE);

  t += u"!";
  EXPECT_NE(RepOf(s), RepOf(t));
  EXPECT_EQ(s, String(u"shared"));
  EXPECT_EQ(t, String(u"shared!"));
  face = s.GetInterface();
  face->Release();
  EXPECT_EQ(CountOf(s), 1);

  String self(u"ab");
  self += self;
  EXPECT_EQ(self, String(u"abab"));
  self = self;
  EXPECT_EQ(self, String(u"abab"));
}

TEST(QuorString, WideBufferConstruction) {
  EXPECT_THROW(String(u"abc", -1), xmsg);
  try {
    String(u"abc", -1);
  } catch (const xmsg& e) {
    EXPECT_STREQ(e.what(), "Quor::String size too big");
  }
  EXPECT_EQ(String(u"abc", 2), String(u"ab"));
  const WCHAR withNul[] = {u'a', 0, u'c'};
  EXPECT_EQ(String(withNul, 3).Length(), 1u);
  EXPECT_EQ(String(std::u16string(u"hello")).Capacity(), 8u);
}

TEST(QuorString, AnsiAndUtf8Conversions) {
  EXPECT_EQ(String("caf\xE9"), String(u"caf\u00e9"));
  EXPECT_EQ(String("\x80 sign", 3), String(u"\u20ac s"));
  EXPECT_EQ(String("ab\0cd", 5), String(u"ab"));
  EXPECT_THROW(String("abc", -2), xmsg);
  EXPECT_EQ(String(std::string("caf\xC3\xA9 \xF0\x9F\x98\x80")), String(u"caf\u00e9 \U0001F600"));
  EXPECT_EQ(String::FromUtf8(std::string("\xE2\x82\xAC")), String(u"\u20ac"));
  // The module's decoder stops at an invalid sequence and keeps what came before.
  EXPECT_EQ(String::FromUtf8(std::string("ok\xC0\x80tail")), String(u"ok"));
  const std::string longText(600, 'x');
  EXPECT_EQ(String::FromUtf8(longText).Length(), 600u);
}

TEST(QuorString, CountedAnsiConstructionUsesTheConvertedLength) {
  // Under a multibyte ANSI code page a character takes several bytes; the string must hold
  // the converted characters only, not one unit per byte.
  win32::SetAnsiCodePageForTesting(CP_UTF8);
  const String s("\xC3\xA9t\xC3\xA9", 5);
  win32::SetAnsiCodePageForTesting(CP_WINDOWS_1252);
  EXPECT_EQ(s.Length(), 3u);
  EXPECT_EQ(s, String(u"\u00e9t\u00e9"));
  EXPECT_EQ(RepOf(s)->length, 4u);
}

TEST(QuorString, AdoptBstrCopiesAndFrees) {
  String s;
  s.AdoptBSTR(SysAllocString(u"bstr text"));
  EXPECT_EQ(s, String(u"bstr text"));
  // A BSTR whose last unit is already NUL does not get a second one.
  s.AdoptBSTR(SysAllocStringLen(u"ab\0", 3));
  EXPECT_EQ(s.Length(), 2u);
  s.AdoptBSTR(nullptr);
  EXPECT_TRUE(s.IsEmpty());
}

TEST(QuorString, ReplaceMidAndFindLastOf) {
  String s(u"hello");
  s.Replace(5, 0, u" world");
  EXPECT_EQ(s, String(u"hello world"));
  s.Replace(0, 100, u"bye");
  EXPECT_EQ(s, String(u"bye"));
  s.Replace(1, 1, u"EE");
  EXPECT_EQ(s, String(u"bEEe"));
  s.Delete(0, 2);
  EXPECT_EQ(s, String(u"Ee"));
  String grown(u"1234567");  // capacity 8, length 8
  grown.Replace(3, 0, u"abc");
  EXPECT_EQ(grown, String(u"123abc4567"));
  EXPECT_EQ(grown.Capacity(), 11u);  // exactly the needed length, no growth factor

  const String text(u"a/b\\c");
  EXPECT_EQ(text.Mid(2, 10), String(u"b\\c"));
  EXPECT_EQ(text.Mid(1, 2), String(u"/b"));
  EXPECT_TRUE(text.Mid(5, 1).IsEmpty());
  EXPECT_TRUE(text.Mid(9, 1).IsEmpty());
  EXPECT_EQ(text.FindLastOf(u"/\\", 2), 3);
  EXPECT_EQ(text.FindLastOf(u"/", 1), 1);
  EXPECT_EQ(text.FindLastOf(u"z", 1), -1);
  EXPECT_EQ(text.FindLastOf(u"/", 0), -1);
  EXPECT_EQ(String().FindLastOf(u"/", 1), -1);
}

TEST(QuorString, EraseClearAndBuffers) {
  String s(u"abcdef");
  s.EraseRange(1, 3);
  EXPECT_EQ(s, String(u"adef"));
  s.EraseRange(2, 99);
  EXPECT_EQ(s, String(u"ad"));
  s.EraseRange(2, 1);
  s.EraseRange(5, 9);
  EXPECT_EQ(s, String(u"ad"));

  String shared(u"keep me");
  String other = shared;
  other.Clear();
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_EQ(shared, String(u"keep me"));

  String buffer;
  WCHAR* p = buffer.PrepareBuffer(20);
  EXPECT_GE(buffer.Capacity(), 21u);
  std::char_traits<WCHAR>::copy(p, u"filled", 6);
  p[6] = 0;
  buffer.UpdateLength();
  EXPECT_EQ(buffer, String(u"filled"));

  String semis(u"a;b;c");
  const String before = semis;
  semis.SemicolonsToCommas();
  EXPECT_EQ(semis, String(u"a,b,c"));
  EXPECT_EQ(before, String(u"a;b;c"));
}

TEST(QuorString, WritingInPlaceKeepsTheTextAndLeavesCopiesAlone) {
  const String original(u"abc");
  String s = original;
  WCHAR* p = s.WritableText();
  EXPECT_NE(p, original.c_str());  // shared: written in a private copy
  EXPECT_EQ(s, String(u"abc"));
  p[1] = u'X';
  p[3] = u'd';
  s.SetLength(4);
  EXPECT_EQ(s, String(u"aXcd"));
  EXPECT_EQ(RepOf(s)->length, 5u);
  EXPECT_EQ(original, String(u"abc"));
  s.SetLength(99);  // at most the capacity - 1
  EXPECT_EQ(s.Length(), s.Capacity() - 1);
  s.SetLength(1);
  EXPECT_EQ(s, String(u"a"));
}

TEST(QuorString, ComparisonIsUnitByUnitUnsigned) {
  EXPECT_TRUE(String(u"abc") == String(u"abc"));
  EXPECT_TRUE(String(u"abc") != String(u"abd"));
  EXPECT_TRUE(String(u"ab") != String(u"abc"));
  EXPECT_FALSE(String(u"x") != String(u"x"));
  EXPECT_TRUE(String(u"ab") < String(u"abc"));
  EXPECT_TRUE(String(u"z") < String(u"\u00e9"));
  EXPECT_FALSE(String(u"b") < String(u"a"));
}

TEST(QuorString, TextForms) {
  const String s(u"\u00e9\U0001F600");
  EXPECT_EQ(s.ToStdWString(), u"\u00e9\U0001F600");
  EXPECT_EQ(s.ToUtf8String(), "\xC3\xA9\xF0\x9F\x98\x80");
  std::unique_ptr<char[]> holder;
  EXPECT_TRUE(String::ToUtf8Buffer(holder, s.c_str()));
  EXPECT_STREQ(holder.get(), "\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_FALSE(String::ToUtf8Buffer(holder, nullptr));
  String narrow(u"caf\u00e9 \u4e2d");
  EXPECT_STREQ(narrow.ToNarrowCopy(), "caf\xE9 ?");
}

TEST(QuorString, ExtractionReadsOneWord) {
  std::wistringstream in(L"  word second");
  String s;
  in >> s;
  EXPECT_EQ(s, String(u"word"));
  EXPECT_TRUE(in.good());
  EXPECT_EQ(in.get(), L' ');
  in >> s;
  EXPECT_EQ(s, String(u"second"));
  EXPECT_TRUE(in.eof());
  in >> s;
  EXPECT_TRUE(in.fail());
  EXPECT_TRUE(s.IsEmpty());
}

TEST(QuorString, ExtractionOfALongWordDoublesTheCapacity) {
  std::wistringstream in(L"abcdefghijklmnopqrst rest");
  String s;
  in >> s;
  EXPECT_EQ(s, String(u"abcdefghijklmnopqrst"));
  EXPECT_EQ(s.Capacity(), 36u);  // the empty representation's 9, doubled twice
  std::wistringstream wide(L"\U0001F600x");
  wide >> s;
  EXPECT_EQ(s, String(u"\U0001F600x"));
}

TEST(QuorString, ExtractionIntoAFullStringStaysWithinItsCapacity) {
  String full(u"1234567");  // capacity 8, no free room
  ASSERT_EQ(full.Capacity(), 8u);
  std::wistringstream in(L"abcdefgh");
  in.width(3);  // the caller's width does not bound the word
  in >> full;
  EXPECT_EQ(full, String(u"abcdefgh"));
  EXPECT_EQ(full.Capacity(), 16u);
  EXPECT_EQ(in.width(), 0);
}

}  // namespace
