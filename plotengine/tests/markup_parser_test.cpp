#include "plotengine/markup/markup_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "markup_describe.h"
#include "plotengine/markup/compile_markup.h"
#include "plotengine_test_support.h"

namespace {

using Quor::ParseEtchMarkup;

struct Parsed {
  bool ok;
  std::string tree;
  std::string message;
  int line;
};

Parsed Parse(const std::string& text) {
  Zavi::Markup::AST ast;
  Parsed parsed{false, "", "", -1};
  parsed.ok = ParseEtchMarkup(text, ast, parsed.message, parsed.line);
  if (parsed.ok) parsed.tree = DescribeMarkup(ast);
  return parsed;
}

TEST(MarkupParser, ReadsEveryValueKindInTheOrderOfItsAlternatives) {
  const struct {
    const char* text;
    const char* tree;
  } cases[] = {
      {"a: 7", "a=7"},
      {"a: 1e3, b: -0, c: .5, d: 5., e: +2.5E-1", "a=1000 b=-0 c=0.5 d=5 e=0.25"},
      {"a: inf, b: -Infinity, c: NaN", "a=inf b=-inf c=nan"},
      {"a: true, b: false", "a=true b=false"},
      {"a: 'series' [0:1:end)", "a=gen('series' [0:1:end))"},
      {"a: \"labels\" #000000ff", "a=text('labels' #000000ff)"},
      {"a: 'plain', b: \"dual\"", "a='plain' b='dual'"},
      {"a: {b: 1, 'c d': 'x'}", "a={b=1;c d='x'}"},
      {"a: #FF00aa80", "a=#FF00aa80"},
      {"a: [1:2:3], b: [begin:0.5:10), c: [-1:1:end]",
       "a=[1:2:3] b=[begin:0.5:10) c=[-1:1:end]"},
      // "[" reads as an interval first: a range of record positions...
      {"a: [end, end], b: [1|2.5, -3|end)", "a=ticks[end, end] b=ticks[1|2.5, -3|end)"},
      // ...and as an array only when that fails before any expected element.
      {"a: [1, 2], b: [[0.003, 0.04], [#ff0000ff]]",
       "a=[1,2] b=[[0.003,0.04],[#ff0000ff]]"},
      {"a: null", "a=null"},
      // Empty objects and arrays, with or without white space or a comment inside.
      {"a: {}, b: [], c: { }, d: [ // none\n ]", "a={} b=[] c={} d=[]"},
      // Trailing commas after the last declaration and element.
      {"a: [1, 2,],", "a=[1,2]"},
      {"a: {b: {c: [1, {d: null}]}}", "a={b={c=[1,{d=null}]}}"},
      // Names: identifiers with digits, "_" and "-", or quoted strings.
      {"_a-1: 1, 'my name': 2, \"it's\": 3", "_a-1=1 my name=2 it's=3"},
      {"a: 1, a: 2", "a=1 a=2"},
      // An escape pair adds nothing to the value: 'it\'s' is «its».
      {"'n': 'it\\'s', c: 'C:\\\\x', d: \"q\\\"\"", "n='its' c='C:x' d='q'"},
      // Bytes of 0x80 and above stand in strings as they are.
      {"a: 'caf\xC3\xA9'", "a='caf\xC3\xA9'"},
      // Comments end at LF, CR LF, a lone CR or the end of the text.
      {"// head\na: 1, // one\r\nb: 2, // two\rc: 3 // end", "a=1 b=2 c=3"},
      {"\t a : \n 1 \n", "a=1"},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.text);
    EXPECT_TRUE(parsed.ok) << c.text << "\n" << parsed.message;
    EXPECT_EQ(parsed.tree, c.tree) << c.text;
  }
}

TEST(MarkupParser, ReportsTheExpectedElementAndItsLine) {
  const struct {
    const char* text;
    const char* message;
    int line;
  } cases[] = {
      {"a: {b: 1", "Expected } on line 1: a: {b: 1_", 1},
      {"a 1", "Expected : on line 1: a_ 1", 1},
      {"a: #ff00", "Expected xdigit on line 1: a: #ff00_", 1},
      {"a: # ff0000ff", "Expected xdigit on line 1: a: #_ ff0000ff", 1},
      {"a: 1 b: 2", "Missing comma on line 1: a: 1_ b: 2", 1},
      {"a: 1,,", "Missing comma on line 1: a: 1,_,", 1},
      {"a: nullx", "Missing comma on line 1: a: null_x", 1},
      {"a: 1 }", "Missing comma on line 1: a: 1_ }", 1},
      {"a: 'x", "Expected ' on line 1: a: 'x_", 1},
      {"a: \"x\\y\"", "Expected \" on line 1: a: \"x_\\y\"", 1},
      {"a: True", "Expected a datatype on line 1: a:_ True", 1},
      {"a: [0:1:end",
       "Expected alternative><an open interval><a closed interval on line 1: a: [0:1:end_", 1},
      // Past its first ":" an interval is not tried again as an array.
      {"a: [1:2]", "Expected : on line 1: a: [1:2_]", 1},
      {"a: [1:x:2]", "Expected real on line 1: a: [1:_x:2]", 1},
      {"a: [0:1:x]", "Expected a float or the 'end' keyword on line 1: a: [0:1:_x]", 1},
      {"a: [end end]", "Expected , on line 1: a: [end_ end]", 1},
      {"a: [end, x]", "Expected a tick position on line 1: a: [end,_ x]", 1},
      {"a: [1, 2", "Expected ] on line 1: a: [1, 2_", 1},
      {"a: {b: 1,\n  c 2}", "Expected : on line 2:   c_ 2}", 2},
      // Lines are counted by line feeds.
      {"a: {\n  b: 1\n  d: 2\n}", "Expected } on line 2:   b: 1_", 2},
      // A comment that ends the line before the error is stepped over, except on line 1.
      {"x: 1,\na: 1 // note\nb: 2", "Missing comma on line 2: a: 1_ // note", 2},
      {"a: 1 // note\nb: 2", "Missing comma on line 1: a: 1 // note_", 1},
      {"x: 1,\na: 1 // one\n   // two\n\nb: 2", "Missing comma on line 2: a: 1_ // one", 2},
      // A comment holding a byte of 0x80 or above is no comment.
      {"a: 1 // caf\xC3\xA9\n", "Missing comma on line 1: a: 1_ // caf\xC3\xA9", 1},
      {"a: 1, // x\xFF\nb: 2", "Missing comma on line 1: a: 1,_ // x\xFF", 1},
      // CR is white space, but only LF counts lines.
      {"a: 1,\r\nb 2", "Expected : on line 2: b_ 2", 2},
      {"a: 1,\rb 2", "Expected : on line 1: a: 1,\rb_ 2", 1},
  };
  for (const auto& c : cases) {
    const Parsed parsed = Parse(c.text);
    EXPECT_FALSE(parsed.ok) << c.text;
    EXPECT_EQ(parsed.message, c.message) << c.text;
    EXPECT_EQ(parsed.line, c.line) << c.text;
  }
}

TEST(MarkupParser, TextsWithoutDeclarationsFailWithoutAMessage) {
  for (const char* text : {"", "  \n\t", "// only a comment", "// one\n// two\r\n", "1: 2",
                           ": 1", "/ a: 1", "{a: 1}"}) {
    const Parsed parsed = Parse(text);
    EXPECT_FALSE(parsed.ok) << text;
    EXPECT_EQ(parsed.message, "") << text;
  }
}

std::string Nested(const char* open, const char* close, int depth) {
  std::string text = "a: ";
  for (int i = 0; i < depth; ++i) text += open;
  text += "1";
  for (int i = 0; i < depth; ++i) text += close;
  return text;
}

TEST(MarkupParser, ObjectsAndArraysNestAtMost256Deep) {
  for (const auto& [open, close] : {std::pair{"{b: ", "}"}, std::pair{"[", "]"}}) {
    const Parsed deepest = RunOnThread([&] { return Parse(Nested(open, close, 256)); });
    EXPECT_TRUE(deepest.ok) << open << deepest.message;
    const Parsed deeper = RunOnThread([&] { return Parse(Nested(open, close, 257)); });
    EXPECT_FALSE(deeper.ok) << open;
    EXPECT_EQ(deeper.message.rfind("Nesting deeper than 256 levels on line 1: a: ", 0), 0u)
        << deeper.message.substr(0, 80);
  }
}

TEST(MarkupParser, BadInputNeverCrashes) {
  const std::string valid = Fixture("power_spectrum.txt");
  ASSERT_TRUE(Parse(valid).ok);
  for (std::size_t n = 0; n < valid.size(); ++n) Parse(valid.substr(0, n));

  RunOnThread([] {
    for (const char* open : {"{a: ", "[", "a: ", "'"}) {
      std::string text = "a: ";
      for (int i = 0; i < 100000; ++i) text += open;
      EXPECT_FALSE(Parse(text).ok) << open;
    }
    return 0;
  });

  std::mt19937 random(20240611);
  for (int i = 0; i < 2000; ++i) {
    std::string bytes(random() % 64, '\0');
    for (char& b : bytes) b = static_cast<char>(random());
    Parse(bytes);
  }
}

TEST(MarkupParser, CompilesTenMegabytes) {
  std::string text;
  int declarations = 0;
  while (text.size() < 10'000'000) {
    text += "series_" + std::to_string(declarations++) +
            ": { ydata: 'rr' [0:1:2147483647], colour: #ff0000ff, label: 'x' }, // c\n";
  }
  std::string script;
  ASSERT_TRUE(Quor::CompileEtchMarkup(text, script));
  std::size_t written = 0;
  for (std::size_t at = script.find("property_name"); at != std::string::npos;
       at = script.find("property_name", at + 1)) {
    ++written;
  }
  EXPECT_EQ(written, std::size_t(declarations));
  Zavi::Markup::AST ast;
  std::string message;
  int line = 0;
  const std::size_t at = text.size() - 20;
  text = text.substr(0, at) + "x" + text.substr(at);
  EXPECT_FALSE(ParseEtchMarkup(text, ast, message, line));
  EXPECT_EQ(line, declarations);
}

}  // namespace
