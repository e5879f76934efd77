// The channel language's syntax: what parses to what, and where the text goes wrong.
#include "host/channels/formula_parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/channels/channel_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

std::string Repeated(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

// The parse tree in prefix form: "(+ 1 (* Ch2 x))". Written to a stream: GCC 12 warns falsely
// (-Wrestrict) about chains of string + in optimised builds.
void WriteShape(std::ostream& out, const Formula& f) {
  switch (f.kind) {
    case Formula::Kind::Number: out << f.number; return;
    case Formula::Kind::ChannelNumber: out << (f.raw ? "RCh" : "Ch") << f.channel; return;
    case Formula::Kind::Name: out << f.name; return;
    case Formula::Kind::Negate: out << "(neg "; break;
    case Formula::Kind::Operation: out << '(' << f.operation; break;
    case Formula::Kind::Call: out << '(' << f.name; break;
  }
  for (const Formula& operand : f.operands) {
    if (f.kind != Formula::Kind::Negate) out << ' ';
    WriteShape(out, operand);
  }
  out << ')';
}

std::string Shape(const Formula& formula) {
  std::ostringstream out;
  WriteShape(out, formula);
  return out.str();
}

TEST(FormulaParser, ParsesTheLanguage) {
  struct Case {
    const char* text;
    const char* shape;
  };
  const Case cases[] = {
      {"lowpass(Ch1,30)", "(lowpass Ch1 30)"},
      {"differentiate(Rhyth_vLPF,3)", "(differentiate Rhyth_vLPF 3)"},
      {"Rhyth_vDIF * Rhyth_vDIF + Rhyth_vHLB * Rhyth_vHLB",
       "(+ (* Rhyth_vDIF Rhyth_vDIF) (* Rhyth_vHLB Rhyth_vHLB))"},
      {"normalizeSec(Rhyth_vENV,5,2.5,0)", "(normalizeSec Rhyth_vENV 5 2.5 0)"},
      {"1 - 2 - 3", "(- (- 1 2) 3)"},
      {"8 / 4 / 2", "(/ (/ 8 4) 2)"},
      {"-ch2 * (RCH10 + 1.5e3)", "(* (neg Ch2) (+ RCh10 1500))"},
      {"rch3 - -.5", "(- RCh3 (neg 0.5))"},
      {"  f( ) ", "(f)"},
      {"g(h(1, 2), 3e-1)", "(g (h 1 2) 0.3)"},
      {"Chan1 + Ch", "(+ Chan1 Ch)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Shape(ParseFormula(c.text)), c.shape) << c.text;
  }
}

TEST(FormulaParser, SaysWhereTheTextGoesWrong) {
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"", "the formula is empty"},
      {"   ", "the formula is empty"},
      {"lowpass(Ch1", "at character 12: expected ',' or ')' in the arguments of lowpass"},
      {"lowpass(Ch1,)", "at character 13: unexpected ')' where a value is expected"},
      {"(Ch1 + 2", "at character 9: expected ')'"},
      {"Ch1 +", "at character 6: the formula ends where a value is expected"},
      {"Ch1 2", "at character 5: unexpected '2'"},
      {"2e", "at character 2: unexpected 'e'"},  // an exponent needs digits
      {"Ch1 # 2", "at character 5: unexpected '#'"},
      {"1,5", "at character 2: unexpected ','"},
      {"Ch0 + 1", "at character 1: channels are numbered from 1, as in Ch1"},
      {"..5", "at character 1: '.' is not a number"},
      {std::string(300, '(') + "1" + std::string(300, ')'), "the formula nests too deeply"},
      {Repeated("1+", 1200) + "1", "the formula has more than 1000 terms"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(Testing::FailureOf<ChannelError>([&] { ParseFormula(c.text); }), testing::HasSubstr(c.message))
        << c.text.substr(0, 40);
  }
}

}  // namespace
}  // namespace PendrelHost
