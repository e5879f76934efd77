// EtchFormulaEvaluator: the stack machine that runs formula code for one t at a time. Its
// stack of kFormulaStackSize values is allocated once, when the evaluator is made for one
// evaluation call; running the code allocates nothing.
#pragma once

#include <memory>

#include "plotengine/formula/formula_code.h"

namespace Quor {

class EtchFormulaEvaluator {
 public:
  // `code` must have passed FormulaStackNeed within the stack size; it is not checked again.
  explicit EtchFormulaEvaluator(const EtchFormulaCode& code);

  // The formula's value at t, in IEEE double arithmetic without checks.
  double Run(double t);

 private:
  // The code as the loop reads it: literals folded into their push, and a push followed by a
  // binary operation folded into one step.
  struct Step {
    int op;
    double literal;
  };

  std::unique_ptr<Step[]> m_steps;
  std::size_t m_count = 0;
  std::unique_ptr<double[]> m_stack;
};

}  // namespace Quor
