#include "plotengine/formula/formula_code.h"

#include <algorithm>

namespace Quor {
namespace {

// How many values an operation takes from the stack, and how many it leaves.
bool StackEffect(int op, std::size_t& takes, std::size_t& leaves) {
  leaves = 1;
  if (op == kFormulaPushT || op == kFormulaPushLiteral) {
    takes = 0;
  } else if (op >= kFormulaAdd && op <= kFormulaPower) {
    takes = 2;
  } else if (op == kFormulaNegate || (op >= kFormulaSin && op <= kFormulaFloor)) {
    takes = 1;
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::size_t FormulaStackNeed(const EtchFormulaCode& code) {
  std::size_t depth = 0;
  std::size_t need = 0;
  for (std::size_t i = 0; i < code.size(); ++i) {
    std::size_t takes = 0;
    std::size_t leaves = 0;
    if (code[i].isLiteral || !StackEffect(code[i].op, takes, leaves) || depth < takes) return 0;
    if (code[i].op == kFormulaPushLiteral && (++i == code.size() || !code[i].isLiteral)) return 0;
    depth = depth - takes + leaves;
    need = std::max(need, depth);
  }
  return depth == 1 ? need : 0;
}

}  // namespace Quor
