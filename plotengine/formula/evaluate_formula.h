// The formula curve of a plot: a formula in t evaluated at t0, t0 + step, ... for as many
// values as the plot asks for. Compiles the formula once per call and keeps nothing.
#pragma once

#include <string>
#include <vector>

namespace Quor {

// The quiet NaN that stands for every value of a formula that does not parse (high word
// 0x7FF86000, low word 0).
double FormulaFailureValue();

// True with `count` values in `values`, value i at the i-th t; t advances by repeated addition
// of `step`. False for a formula that does not parse, with `count` failure values.
bool EvaluateEtchFormula(const std::string& formula, unsigned count, double t0, double step,
                         std::vector<double>& values);

}  // namespace Quor
