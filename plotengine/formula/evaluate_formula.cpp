#include "plotengine/formula/evaluate_formula.h"

#include <bit>
#include <cstdint>

#include "plotengine/formula/formula_evaluator.h"
#include "plotengine/formula/formula_parser.h"

namespace Quor {

double FormulaFailureValue() { return std::bit_cast<double>(std::uint64_t{0x7FF8600000000000}); }

bool EvaluateEtchFormula(const std::string& formula, unsigned count, double t0, double step,
                         std::vector<double>& values) {
  values.clear();
  EtchFormulaCode code;
  if (!CompileEtchFormula(formula, code)) {
    values.assign(count, FormulaFailureValue());
    return false;
  }
  values.reserve(count);
  EtchFormulaEvaluator(code).Evaluate(t0, step, count, values);
  return true;
}

}  // namespace Quor
