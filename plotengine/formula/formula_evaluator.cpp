#include "plotengine/formula/formula_evaluator.h"

#include <cmath>

namespace Quor {

EtchFormulaEvaluator::EtchFormulaEvaluator(const EtchFormulaCode& code)
    : m_steps(new Step[code.size()]), m_stack(new double[kFormulaStackSize + 1]) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    Step& step = m_steps[m_count++];
    step = {code[i].op, 0};
    if (code[i].op == kFormulaPushLiteral) step.literal = code[++i].literal;
  }
}

double EtchFormulaEvaluator::Run(double t) {
  // The top of the stack lives in `top`; `below` points at the value under it. The first push
  // stores the empty top in slot 0, so n values take slots 0 to n.
  double* below = m_stack.get();
  double top = 0;
  for (const Step* step = m_steps.get(), *end = step + m_count; step != end; ++step) {
    switch (step->op) {
      case kFormulaNegate: top = -top; break;
      case kFormulaAdd: top = *below-- + top; break;
      case kFormulaSubtract: top = *below-- - top; break;
      case kFormulaMultiply: top = *below-- * top; break;
      case kFormulaDivide: top = *below-- / top; break;
      case kFormulaRemainder: {
        const double a = *below--;
        top = a - std::floor(a / top) * top;
        break;
      }
      case kFormulaPower: top = std::pow(*below--, top); break;
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
      case kFormulaPushLiteral: *++below = top; top = step->literal; break;
    }
  }
  return top;
}

}  // namespace Quor
