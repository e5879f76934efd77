#include "plotengine/formula/formula_evaluator.h"

#include <cmath>

namespace Quor {
namespace {

// A push of t or of a literal followed by a binary operation runs as one step on the top of the
// stack: "t*2" is one multiplication by 2, with no stack traffic.
constexpr int kWithLiteral = 32;
constexpr int kWithT = 64;

bool IsBinary(int op) { return op >= kFormulaAdd && op <= kFormulaPower; }

double FlooredRemainder(double a, double b) { return a - std::floor(a / b) * b; }

}  // namespace

EtchFormulaEvaluator::EtchFormulaEvaluator(const EtchFormulaCode& code)
    : m_steps(new Step[code.size()]), m_stack(new double[kFormulaStackSize + 1]) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    Step step{code[i].op, 0};
    if (step.op == kFormulaPushLiteral) step.literal = code[++i].literal;
    const bool push = step.op == kFormulaPushLiteral || step.op == kFormulaPushT;
    if (push && i + 1 < code.size() && !code[i + 1].isLiteral && IsBinary(code[i + 1].op)) {
      step.op = code[++i].op | (step.op == kFormulaPushT ? kWithT : kWithLiteral);
    }
    m_steps[m_count++] = step;
  }
}

double EtchFormulaEvaluator::Run(double t) {
  // The top of the stack lives in `top`; `below` points at the value under it. The first push
  // stores the empty top in slot 0, so n values take slots 0 to n.
  double* below = m_stack.get();
  double top = 0;
  for (const Step *step = m_steps.get(), *end = step + m_count; step != end; ++step) {
    const double x = step->literal;
    switch (step->op) {
      case kFormulaNegate: top = -top; break;
      case kFormulaAdd: top = *below-- + top; break;
      case kFormulaSubtract: top = *below-- - top; break;
      case kFormulaMultiply: top = *below-- * top; break;
      case kFormulaDivide: top = *below-- / top; break;
      case kFormulaRemainder: top = FlooredRemainder(*below--, top); break;
      case kFormulaPower: top = std::pow(*below--, top); break;
      case kFormulaAdd | kWithLiteral: top += x; break;
      case kFormulaSubtract | kWithLiteral: top -= x; break;
      case kFormulaMultiply | kWithLiteral: top *= x; break;
      case kFormulaDivide | kWithLiteral: top /= x; break;
      case kFormulaRemainder | kWithLiteral: top = FlooredRemainder(top, x); break;
      case kFormulaPower | kWithLiteral: top = std::pow(top, x); break;
      case kFormulaAdd | kWithT: top += t; break;
      case kFormulaSubtract | kWithT: top -= t; break;
      case kFormulaMultiply | kWithT: top *= t; break;
      case kFormulaDivide | kWithT: top /= t; break;
      case kFormulaRemainder | kWithT: top = FlooredRemainder(top, t); break;
      case kFormulaPower | kWithT: top = std::pow(top, t); break;
      case kFormulaSin: top = std::sin(top); break;
      case kFormulaCos: top = std::cos(top); break;
      case kFormulaTan: top = std::tan(top); break;
      case kFormulaSqrt: top = std::sqrt(top); break;
      case kFormulaLog10: top = std::log10(top); break;
      case kFormulaLn: top = std::log(top); break;
      case kFormulaRound: top = std::floor(top + 0.5); break;
      case kFormulaCeil: top = std::ceil(top); break;
      case kFormulaFloor: top = std::floor(top); break;
      case kFormulaPushT: *++below = top; top = t; break;
      case kFormulaPushLiteral: *++below = top; top = x; break;
    }
  }
  return top;
}

}  // namespace Quor
