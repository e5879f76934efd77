#include "plotengine/formula/formula_evaluator.h"

#include <cmath>

namespace Quor {
namespace {

// A push of t or of a literal followed by a binary operation runs as one step on the top of the
// stack: "t*2" is one multiplication by 2, without a row of 2s.
constexpr int kWithLiteral = 32;
constexpr int kWithT = 64;

bool IsBinary(int op) { return op >= kFormulaAdd && op <= kFormulaPower; }

double FlooredRemainder(double a, double b) { return a - std::floor(a / b) * b; }

double Apply(int op, double a, double b) {
  switch (op) {
    case kFormulaAdd: return a + b;
    case kFormulaSubtract: return a - b;
    case kFormulaMultiply: return a * b;
    case kFormulaDivide: return a / b;
    case kFormulaRemainder: return FlooredRemainder(a, b);
    default: return std::pow(a, b);
  }
}

double Apply(int op, double b) {
  switch (op) {
    case kFormulaNegate: return -b;
    case kFormulaSin: return std::sin(b);
    case kFormulaCos: return std::cos(b);
    case kFormulaTan: return std::tan(b);
    case kFormulaSqrt: return std::sqrt(b);
    case kFormulaLog10: return std::log10(b);
    case kFormulaLn: return std::log(b);
    case kFormulaRound: return std::floor(b + 0.5);
    case kFormulaCeil: return std::ceil(b);
    default: return std::floor(b);
  }
}

// a[i] = a[i] op b[i] over n values, one loop per operation so that each compiles tight.
template <class Operand>
void Combine(int op, double* a, Operand b, std::size_t n) {
  switch (op) {
    case kFormulaAdd:
      for (std::size_t i = 0; i < n; ++i) a[i] += b(i);
      break;
    case kFormulaSubtract:
      for (std::size_t i = 0; i < n; ++i) a[i] -= b(i);
      break;
    case kFormulaMultiply:
      for (std::size_t i = 0; i < n; ++i) a[i] *= b(i);
      break;
    case kFormulaDivide:
      for (std::size_t i = 0; i < n; ++i) a[i] /= b(i);
      break;
    default:
      for (std::size_t i = 0; i < n; ++i) a[i] = Apply(op, a[i], b(i));
  }
}

}  // namespace

EtchFormulaEvaluator::EtchFormulaEvaluator(const EtchFormulaCode& code)
    : m_rows(FormulaStackNeed(code)), m_stack(new double[m_rows * kBlock]) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    Step step{code[i].op, 0};
    if (step.op == kFormulaPushLiteral) step.literal = code[++i].literal;
    const bool push = step.op == kFormulaPushLiteral || step.op == kFormulaPushT;
    if (push && i + 1 < code.size() && !code[i + 1].isLiteral && IsBinary(code[i + 1].op)) {
      step.op = code[++i].op | (step.op == kFormulaPushT ? kWithT : kWithLiteral);
    }
    m_steps.push_back(step);
  }
}

void EtchFormulaEvaluator::Evaluate(double t0, double step, std::size_t count,
                                    std::vector<double>& values) {
  double t = t0;
  for (std::size_t done = 0; done < count;) {
    const std::size_t n = std::min(kBlock, count - done);
    for (std::size_t i = 0; i < n; ++i) {
      m_t[i] = t;
      t += step;
    }
    RunBlock(n);
    values.insert(values.end(), m_stack.get(), m_stack.get() + n);
    done += n;
  }
}

void EtchFormulaEvaluator::RunBlock(std::size_t n) {
  // `top` is the row of the value on top of the stack; the first push fills row 0.
  double* top = nullptr;
  const double* t = m_t;
  for (const Step& step : m_steps) {
    const double x = step.literal;
    if (step.op == kFormulaPushT || step.op == kFormulaPushLiteral) {
      top = top ? top + kBlock : m_stack.get();
      for (std::size_t i = 0; i < n; ++i) top[i] = step.op == kFormulaPushT ? t[i] : x;
    } else if (step.op & kWithT) {
      Combine(step.op & ~kWithT, top, [t](std::size_t i) { return t[i]; }, n);
    } else if (step.op & kWithLiteral) {
      Combine(step.op & ~kWithLiteral, top, [x](std::size_t) { return x; }, n);
    } else if (IsBinary(step.op)) {
      const double* b = top;
      top -= kBlock;
      Combine(step.op, top, [b](std::size_t i) { return b[i]; }, n);
    } else {
      for (std::size_t i = 0; i < n; ++i) top[i] = Apply(step.op, top[i]);
    }
  }
}

}  // namespace Quor
