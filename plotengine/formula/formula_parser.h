// The formula parser: compiles a formula in one variable, t, into stack-machine code. Each call
// builds its own grammar and keeps nothing.
#pragma once

#include <string>

#include "plotengine/formula/formula_code.h"

namespace Quor {

// Parentheses, function calls and signs nest at most this deep; a deeper formula fails like
// any parse error.
inline constexpr int kMaxFormulaNesting = 256;

// True with `code` filled when the whole formula (spaces around it allowed) parses. A missing
// operand, argument or closing parenthesis, and too deep a nesting, also write one line about
// it to the debug output (standard error): the command line's standard output carries data.
bool CompileEtchFormula(const std::string& formula, EtchFormulaCode& code);

}  // namespace Quor
