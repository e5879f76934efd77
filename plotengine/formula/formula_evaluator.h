// EtchFormulaEvaluator: the stack machine that runs formula code for successive values of t.
// It runs the code over a block of t values at once, each stack slot holding one value per t,
// so each operation costs one dispatch per block rather than per value. Its stack is allocated
// once, when the evaluator is made for one evaluation call; running the code allocates
// nothing beyond the values it appends.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "plotengine/formula/formula_code.h"

namespace Quor {

class EtchFormulaEvaluator {
 public:
  // `code` must have passed FormulaStackNeed within the stack size; it is not checked again.
  explicit EtchFormulaEvaluator(const EtchFormulaCode& code);

  // Appends the formula's values at t0, t0 + step, ... (t advancing by repeated addition), in
  // IEEE double arithmetic without checks: each value is what one run of the code at that t
  // gives.
  void Evaluate(double t0, double step, std::size_t count, std::vector<double>& values);

 private:
  static constexpr std::size_t kBlock = 256;

  // The code as the loop reads it: literals folded into their push, and a push followed by a
  // binary operation folded into one step.
  struct Step {
    int op;
    double literal;
  };

  // Runs every step over the first n values of the block; the result is in stack row 0.
  void RunBlock(std::size_t n);

  std::vector<Step> m_steps;
  std::size_t m_rows = 0;
  std::unique_ptr<double[]> m_stack;  // m_rows rows of kBlock values
  double m_t[kBlock];
};

}  // namespace Quor
