#include "plotengine/formula/evaluate_formula.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "plotengine/formula/formula_code.h"
#include "plotengine/formula/formula_parser.h"
#include "plotengine_test_support.h"

namespace {

using Quor::EvaluateEtchFormula;

constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Values(const std::string& formula, unsigned count, double t0 = 0,
                           double step = 1) {
  std::vector<double> values;
  EXPECT_TRUE(EvaluateEtchFormula(formula, count, t0, step, values)) << formula;
  return values;
}

TEST(EvaluateFormula, ComputesTheOperatorsFunctionsAndConstants) {
  const struct {
    const char* formula;
    double value;
  } cases[] = {
      {"2^3^2", 64},  // left to right
      {"-2^2", 4},    // the sign belongs to the number
      {"-(2)^2", 4},  // negation applies to the factor before the power
      {"1 - 2 - 3", -4},
      {"8 / 4 / 2", 1},
      {"2 + 3 * 4 ^ 2", 50},
      {"7 % 3", 1},
      {"-7 % 3", 2},
      {"7 % -3", -2},
      {"round(2.5)", 3},
      {"round(-2.5)", -2},
      {"ceil(1.2) + floor(-1.2)", 0},
      {"log(100)", 2},
      {"sqrt(16)", 4},
      {"sin(0) + cos(0) + tan(0)", 1},
      {"pi", 3.14159265},
      {"e", 2.71828183},
      {"--3", 3},
      {"+-+3", -3},
      {".5 + 5. + 1e-1 + 2E+1", 25.6},
      {"1/0", kInf},
      {"-1/0", -kInf},
      {"log(0)", -kInf},
      {"inf - INFINITY", std::nan("")},
      {"sqrt(-1)", std::nan("")},
      {"nan(payload) + 1", std::nan("")},
      {"((((1))))", 1},
  };
  for (const auto& c : cases) {
    const std::vector<double> values = Values(c.formula, 1);
    ASSERT_EQ(values.size(), 1u);
    if (std::isnan(c.value)) {
      EXPECT_TRUE(std::isnan(values[0])) << c.formula;
    } else {
      EXPECT_EQ(values[0], c.value) << c.formula;
    }
  }
  EXPECT_NEAR(Values("ln(e)", 1)[0], 1, 1e-8);
}

TEST(EvaluateFormula, RunsOverSuccessiveValuesOfT) {
  EXPECT_EQ(Values("t", 4, 0, 0.5), (std::vector<double>{0, 0.5, 1, 1.5}));
  EXPECT_EQ(Values("  t + 1  ", 3, -1, 1), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(Values("2*t*t - t", 3, 1, 2), (std::vector<double>{1, 15, 45}));
  // t advances by repeated addition.
  const std::vector<double> values = Values("t", 11, 0, 0.1);
  double t = 0;
  for (int i = 0; i < 10; ++i) t += 0.1;
  EXPECT_EQ(values.back(), t);
  EXPECT_NE(values.back(), 1.0);

  Quor::EtchFormulaCode code;
  ASSERT_TRUE(Quor::CompileEtchFormula("2*t+1", code));
  std::vector<std::pair<bool, double>> words;
  for (const auto& instruction : code) {
    words.emplace_back(instruction.isLiteral,
                       instruction.isLiteral ? instruction.literal : instruction.op);
  }
  EXPECT_EQ(words, (std::vector<std::pair<bool, double>>{
                       {false, 17}, {true, 2}, {false, 16}, {false, 3}, {false, 17}, {true, 1},
                       {false, 1}}));
}

TEST(EvaluateFormula, AFailedFormulaGivesTheFailureNaNsAndItsLineGoesToTheDebugOutput) {
  const struct {
    const char* formula;
    const char* line;  // on standard error; nothing ever goes to standard output
  } cases[] = {
      {"sin (t)", ""},  // no space inside "sin("
      {"2t", ""},       // no implied multiplication
      {"t t", ""},
      {"", ""},
      {"exp(1)", ""},
      {"1 +", "Expecting <term> here: \"\"\n"},
      // The rest starts where the missing element was looked for, before its white space.
      {"1 + * 2", "Expecting <term> here: \" * 2\"\n"},
      {"2 ^ ", "Expecting <factor> here: \" \"\n"},
      {"-", "Expecting <factor> here: \"\"\n"},
      {"(1", "Expecting \")\" here: \"\"\n"},
      {"sin(t", "Expecting \")\" here: \"\"\n"},
      {"sqrt()", "Expecting <expression> here: \")\"\n"},
  };
  const std::uint64_t failureBits = 0x7FF8600000000000;
  for (const auto& c : cases) {
    std::vector<double> values{42};
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_FALSE(EvaluateEtchFormula(c.formula, 3, 0, 1, values)) << c.formula;
    const std::string errorOutput = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << c.formula;
    EXPECT_EQ(errorOutput, c.line) << c.formula;
    ASSERT_EQ(values.size(), 3u) << c.formula;
    for (double value : values) EXPECT_EQ(std::bit_cast<std::uint64_t>(value), failureBits);
  }
}

TEST(EvaluateFormula, NoValuesStillTellWhetherTheFormulaParses) {
  std::vector<double> values{1, 2};
  EXPECT_TRUE(EvaluateEtchFormula("t", 0, 0, 1, values));
  EXPECT_TRUE(values.empty());
  values = {1};
  EXPECT_FALSE(EvaluateEtchFormula("2t", 0, 0, 1, values));
  EXPECT_TRUE(values.empty());
}

std::string Nested(const std::string& open, const std::string& close, int depth) {
  std::string formula;
  for (int i = 0; i < depth; ++i) formula += open;
  formula += "t";
  for (int i = 0; i < depth; ++i) formula += close;
  return formula;
}

TEST(EvaluateFormula, NestingIsBoundedAndBadInputNeverCrashes) {
  // A factor inside 255 parentheses is 256 deep.
  EXPECT_EQ(Values(Nested("(", ")", 255), 1, 5)[0], 5);
  EXPECT_EQ(Values(Nested("-", "", 255), 1, 5)[0], -5);
  testing::internal::CaptureStderr();
  std::vector<double> values;
  EXPECT_FALSE(EvaluateEtchFormula(Nested("(", ")", 256), 1, 0, 1, values));
  EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("Nesting deeper than 256 levels", 0), 0u);

  testing::internal::CaptureStderr();
  RunOnThread([] {
    for (const char* open : {"(", "-", "sin(", "1+(", "2^("}) {
      std::vector<double> deep;
      EXPECT_FALSE(EvaluateEtchFormula(Nested(open, ")", 100000), 2, 0, 1, deep)) << open;
      EXPECT_EQ(deep.size(), 2u);
    }
    return 0;
  });
  const std::string valid = "sin(2*pi*t) + 0.5*cos(t/3)^2 - round(t % 7) / (1 + sqrt(t))";
  EXPECT_EQ(Values(valid, 1).size(), 1u);
  for (std::size_t n = 0; n < valid.size(); ++n) {
    EvaluateEtchFormula(valid.substr(0, n), 2, 0, 1, values);
  }
  std::mt19937 random(7);
  const std::string alphabet = "t0123456789.eE+-*/%^() sincoqrtlgflrdupaiINF\x80\xFF";
  for (int i = 0; i < 3000; ++i) {
    std::string formula(random() % 24, ' ');
    for (char& c : formula) c = alphabet[random() % alphabet.size()];
    EvaluateEtchFormula(formula, 2, 0, 1, values);
    ASSERT_EQ(values.size(), 2u) << formula;
  }
  testing::internal::GetCapturedStderr();
}

TEST(FormulaCode, StackNeedRefusesCodeTheMachineCannotRun) {
  using Quor::EtchFormulaInstruction;
  auto push = [](Quor::EtchFormulaCode& code, double value) {
    code.push_back(EtchFormulaInstruction::Op(Quor::kFormulaPushLiteral));
    code.push_back(EtchFormulaInstruction::Literal(value));
  };
  Quor::EtchFormulaCode code;
  for (std::size_t i = 0; i < Quor::kFormulaStackSize + 1; ++i) push(code, 1);
  for (std::size_t i = 0; i < Quor::kFormulaStackSize; ++i) {
    code.push_back(EtchFormulaInstruction::Op(Quor::kFormulaAdd));
  }
  EXPECT_EQ(Quor::FormulaStackNeed(code), Quor::kFormulaStackSize + 1);

  const Quor::EtchFormulaCode bad[] = {
      {},
      {EtchFormulaInstruction::Op(Quor::kFormulaAdd)},
      {EtchFormulaInstruction::Op(Quor::kFormulaPushLiteral)},
      {EtchFormulaInstruction::Literal(1)},
      {EtchFormulaInstruction::Op(Quor::kFormulaPushT), EtchFormulaInstruction::Op(18)},
      {EtchFormulaInstruction::Op(Quor::kFormulaPushT), EtchFormulaInstruction::Op(16)},
  };
  for (const auto& c : bad) EXPECT_EQ(Quor::FormulaStackNeed(c), 0u);
}

}  // namespace
