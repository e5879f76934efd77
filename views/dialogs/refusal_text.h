// What a script's author reads when an analysis dialog refuses OK: the invalid-settings warning's
// first line, then each marked field with what its mark says.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "controls/errors/error_provider.h"

namespace Rhyth {

// A field's label and its mark.
using MarkedField = std::pair<std::u16string, const QuorControls::ErrorProvider*>;

// "One or more settings are invalid ... Marked: LABEL (WHY); LABEL (WHY)"; fields whose mark is
// hidden are left out.
std::u16string RefusalText(const std::vector<MarkedField>& fields);

}  // namespace Rhyth
