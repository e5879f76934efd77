#include "core/format_stream.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <locale>
#include <string>
#include <thread>
#include <vector>

namespace {

using Quor::endarg;
using Quor::Format;
using Quor::OFormatStringStream;
using Quor::String;

struct FormatCase {
  const char16_t* format;
  std::vector<std::wstring> arguments;
  const char* expected;
};

std::string Formatted(const FormatCase& c) {
  OFormatStringStream stream(c.format);
  for (const std::wstring& argument : c.arguments) stream << argument << endarg;
  return stream.str().ToUtf8String();
}

TEST(OFormatStringStream, PlacesArgumentsByNumber) {
  const FormatCase cases[] = {
      {u"(%2 before %1)", {L"3", L"7"}, "(7 before 3)"},
      {u"RhythSelector(%1,%2,%3)", {L"a", L"b", L"c"}, "RhythSelector(a,b,c)"},
      {u"%1%2", {L"x", L"y"}, "xy"},
      {u"%1\\0", {L"5"}, "50"},              // a '\' after the digits is swallowed
      {u"% 1|%+2", {L"x", L"y"}, "x|y"},     // read as wcstol reads: blanks and a sign
      {u"%a %1 %0 %-1", {L"x"}, "%a x %0 %-1"},  // no number, 0 and negatives stay text
      {u"%1/%1", {L"a"}, "/a"},              // a repeated number: the later placeholder
      {u"no placeholder", {}, "no placeholder"},
      {u"", {}, ""},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Formatted(c), c.expected) << c.expected;
}

TEST(OFormatStringStream, PercentSigns) {
  const FormatCase cases[] = {
      {u"%1%%", {L"50"}, "50%"},
      {u"%%%1%%%%", {L"x"}, "%x%%"},
      {u"%1: 5% off, 100%% sure", {L"x"}, "x: 5% off, 100% sure"},  // a lone '%' stays
      {u"%1 at 5%", {L"x"}, "x at 5%"},
      {u"100%% sure", {}, "100%% sure"},  // without placeholders the format is the result
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Formatted(c), c.expected) << c.expected;
}

TEST(OFormatStringStream, ArgumentCount) {
  const FormatCase cases[] = {
      {u"%1 and %3", {L"a", L"b"}, ""},  // too few: nothing yet
      {u"%1 and %3", {L"a", L"b", L"c"}, "a and c"},
      {u"%1", {L"a", L"b"}, "a"},        // too many: ignored
      {u"%1", {}, ""},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Formatted(c), c.expected) << c.expected;
}

TEST(OFormatStringStream, PlaceholderNumbersAbove20StayText) {
  const FormatCase cases[] = {
      {u"%21 and %1", {L"x"}, "%21 and x"},
      {u"%21", {}, "%21"},
      {u"%21", {L"x"}, "%21"},
      {u"%99999999999999999999 %1", {L"x"}, "%99999999999999999999 x"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(Formatted(c), c.expected) << c.expected;
}

TEST(OFormatStringStream, PlaceholdersBeyondTheTwentiethStayText) {
  std::u16string format;
  std::vector<std::wstring> arguments;
  std::string expected;
  for (int n = 1; n <= 20; ++n) {
    const std::string number = std::to_string(n);
    format += u'%';
    format.append(number.begin(), number.end());
    format += u' ';
    arguments.push_back(L"a" + std::to_wstring(n));
    expected += "a" + number + " ";
  }
  format += u"%1";
  expected += "%1";
  EXPECT_EQ(Formatted({format.c_str(), arguments, ""}), expected);
}

TEST(OFormatStringStream, NextArgumentFinishesWhatTheArgumentStreamReceived) {
  OFormatStringStream stream(u"[%2|%1]");
  stream.Argument() << L"left" << L'-' << 1;
  stream.NextArgument();
  EXPECT_EQ(stream.str(), String());
  stream.Argument() << std::setw(5) << 42;
  stream.NextArgument();
  EXPECT_EQ(stream.str().ToUtf8String(), "[   42|left-1]");
  EXPECT_EQ(stream.str().c_str(), stream.str().c_str());  // taken twice: the same text
}

TEST(OFormatStringStream, DoublesInTheClassicLocaleWithSixSignificantDigits) {
  struct CommaNumpunct : std::numpunct<wchar_t> {
    wchar_t do_decimal_point() const override { return L','; }
  };
  const std::locale previous =
      std::locale::global(std::locale(std::locale::classic(), new CommaNumpunct));
  EXPECT_EQ(Format(u"%1;%2", 2.5, 3.14159265).ToUtf8String(), "2.5;3.14159");
  OFormatStringStream stream(u"%1");
  stream << std::fixed << std::setprecision(2) << 0.125 << endarg;
  EXPECT_EQ(stream.str().ToUtf8String(), "0.12");
  std::locale::global(previous);
}

TEST(OFormatStringStream, TextAboveFFFF) {
  const String emoji(u"\U0001F602");
  EXPECT_EQ(Format(u"\U0001F600%2\U0001F601%1.", emoji, L"\U0001F603x"),
            String(u"\U0001F600\U0001F603x\U0001F601\U0001F602."));
  EXPECT_EQ(Format(u"<%1>", u"plain"), String(u"<plain>"));
}

TEST(OFormatStringStream, StreamsOnSeveralThreadsDoNotMix) {
  std::vector<std::thread> threads;
  std::vector<int> failures(8, 0);
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 2000; ++i) {
        const String text = Format(u"%2-%1", i, t);
        if (text != String(std::to_string(t) + "-" + std::to_string(i))) ++failures[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < 8; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
}

}  // namespace
