// EtchFormulaCode: a formula in t compiled to a postfix program for a small stack machine, each
// operand's code before its operator's: 2*t+1 is 17 2, 16, 3, 17 1, 1. Made by the formula
// parser for one evaluation and dropped after it.
#pragma once

#include <cstddef>
#include <vector>

namespace Quor {

// Operation codes. b is the value on top of the stack, a the one below it; binary operations
// replace both by their result, unary ones replace the top.
enum EtchFormulaOp : int {
  kFormulaNegate = 0,       // -b
  kFormulaAdd = 1,          // a + b
  kFormulaSubtract = 2,     // a - b
  kFormulaMultiply = 3,     // a * b
  kFormulaDivide = 4,       // a / b
  kFormulaRemainder = 5,    // a - floor(a / b) * b: takes the sign of b
  kFormulaPower = 6,        // pow(a, b)
  kFormulaSin = 7,
  kFormulaCos = 8,
  kFormulaTan = 9,
  kFormulaSqrt = 10,
  kFormulaLog10 = 11,
  kFormulaLn = 12,
  kFormulaRound = 13,       // floor(b + 0.5): halves go up
  kFormulaCeil = 14,
  kFormulaFloor = 15,
  kFormulaPushT = 16,       // the current t
  kFormulaPushLiteral = 17, // the double of the next instruction, which is skipped
};

// One instruction: an operation code, or the literal that follows kFormulaPushLiteral.
struct EtchFormulaInstruction {
  bool isLiteral = false;
  int op = 0;
  double literal = 0;

  static EtchFormulaInstruction Op(int code) { return {false, code, 0}; }
  static EtchFormulaInstruction Literal(double value) { return {true, 0, value}; }
};

using EtchFormulaCode = std::vector<EtchFormulaInstruction>;

// The stack machine holds this many values; code that needs more is refused.
inline constexpr std::size_t kFormulaStackSize = 4096;

// The most values the code holds at once, or 0 when it is not a program the machine can run:
// an unknown code, a literal where a code belongs, a code without its operands, or a result
// other than one value.
std::size_t FormulaStackNeed(const EtchFormulaCode& code);

}  // namespace Quor
