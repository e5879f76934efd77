// Parsing the arithmetic channel language. Numbers are read in the classic locale (a decimal
// point, no grouping); names are letters, digits and underscores, not starting with a digit;
// Ch<n> and RCh<n> in any case refer to the recording's channels by number.
//
//   formula  := sum
//   sum      := product (("+" | "-") product)*
//   product  := unary (("*" | "/") unary)*
//   unary    := ("-" | "+") unary | primary
//   primary  := number | name ["(" [sum ("," sum)*] ")"] | "(" sum ")"
#pragma once

#include <string_view>

#include "host/channels/formula.h"

namespace PendrelHost {

// Throws ChannelError saying where the text goes wrong.
Formula ParseFormula(std::string_view text);

}  // namespace PendrelHost
