#include "plotengine/markup/compile_markup.h"

#include <gtest/gtest.h>

#include <string>

#include "plotengine/markup/js_string_literal.h"
#include "plotengine/markup/script_number.h"
#include "plotengine_test_support.h"

namespace {

using Quor::CompileEtchMarkup;

// The script of a markup text of one declaration, "a: <value>": the value's text alone.
std::string ValueScript(const std::string& value) {
  std::string script;
  EXPECT_TRUE(CompileEtchMarkup("a: " + value, script)) << value;
  const std::string head = "[\n{\nproperty_name: 'a',\nmarkup:\n";
  const std::string tail = "\n}\n]";
  EXPECT_EQ(script.rfind(head, 0), 0u) << script;
  if (script.size() < head.size() + tail.size()) return script;
  return script.substr(head.size(), script.size() - head.size() - tail.size());
}

TEST(CompileMarkup, WritesOneDescriptionPerDeclaration) {
  std::string script;
  ASSERT_TRUE(CompileEtchMarkup("a: 1", script));
  EXPECT_EQ(script, "[\n{\nproperty_name: 'a',\nmarkup:\n1\n}\n]");
  ASSERT_TRUE(CompileEtchMarkup("'my name': true, b-c: null", script));
  EXPECT_EQ(script,
            "[\n{\nproperty_name: 'my name',\nmarkup:\ntrue\n},\n"
            "{\nproperty_name: 'b-c',\nmarkup:\nnull\n}\n]");
}

TEST(CompileMarkup, WritesEachValueKind) {
  const struct {
    const char* markup;
    const char* script;
  } cases[] = {
      {"7", "7"},
      {"-0", "-0"},
      {"1e3", "1000"},
      // The shortest text that reads back as the same double.
      {"2147483647", "2147483647"},
      {"0.1234567", "0.1234567"},
      {"0.1", "0.1"},
      {"1e-5", "1e-05"},
      {"1e21", "1e+21"},
      {"4.9406564584124654e-324", "5e-324"},
      {"inf", "Infinity"},
      {"-inf", "-Infinity"},
      {"nan", "NaN"},
      {"false", "false"},
      {"{}", "{\n\n}"},
      {"[]", "[]"},
      {"{b: 1, 'my name': [2, 'x']}", "{\n'b': 1,\n'my name': [2, 'x']\n}"},
      {"\"it's\n\"", "'it\\'s\\n'"},
      {"#ff000080", "new etch.Colour(255, 0, 0, 128)"},
      {"#FFaa0A00", "new etch.Colour(255, 170, 10, 0)"},
      {"[0:1:end)", "['interval', 0, 1, null, etch.kOpenInterval]"},
      {"[begin:0.5:10]", "['interval', null, 0.5, 10, etch.kClosedInterval]"},
      {"'series' [0:1:end)",
       "['generator', 'series', ['interval', 0, 1, null, etch.kOpenInterval]]"},
      {"'labels' #000000ff", "['text_generator', 'labels', new etch.Colour(0, 0, 0, 255)]"},
      {"\"it's\" #000000ff", "['text_generator', 'it\\'s', new etch.Colour(0, 0, 0, 255)]"},
  };
  for (const auto& c : cases) EXPECT_EQ(ValueScript(c.markup), c.script) << c.markup;
}

TEST(CompileMarkup, FailsWithoutWritingForBadMarkupAndRecordRanges) {
  for (const char* markup : {"a: 1 b", "", "a: [1|0, end]", "a: {b: [0, 'x' [end, 2|end)]}"}) {
    std::string script = "untouched";
    EXPECT_FALSE(CompileEtchMarkup(markup, script)) << markup;
    EXPECT_EQ(script, "untouched") << markup;
  }
}

TEST(CompileMarkup, CompilesEveryPlotOptionText) {
  for (const char* name : {"tachogram.txt", "power_spectrum.txt", "power_spectrum_reset_busy.txt",
                           "rr_histogram.txt", "delta_rr_histogram.txt", "classifier.txt",
                           "poincare.txt"}) {
    std::string script;
    EXPECT_TRUE(CompileEtchMarkup(Fixture(name), script)) << name;
  }
}

TEST(JsStringLiteral, EscapesWhatCouldEndTheLiteralOrTheLine) {
  const struct {
    const char* text;
    const char* literal;
  } cases[] = {
      {"", "''"},
      {"plain \"double\" text", "'plain \"double\" text'"},
      {"it's", "'it\\'s'"},
      {"C:\\x\\", "'C:\\\\x\\\\'"},
      {"a\rb\nc\r\n", "'a\\rb\\nc\\r\\n'"},
      {"tab\there", "'tab\there'"},
      {"\xE2\x80\xA8|\xE2\x80\xA9|\xE2\x80\xA7", "'\\u2028|\\u2029|\xE2\x80\xA7'"},
      {"caf\xC3\xA9 \xE2\x80", "'caf\xC3\xA9 \xE2\x80'"},
  };
  for (const auto& c : cases) EXPECT_EQ(Quor::JsStringLiteral(c.text), c.literal) << c.text;

  std::u16string wide = u"=";
  Quor::AppendJsStringLiteral(wide, u"it's\\ \r\n\u2028\u2029\u00e9");
  EXPECT_EQ(wide, u"='it\\'s\\\\ \\r\\n\\u2028\\u2029\u00e9'");
}

}  // namespace
