// The parameter text the host gives a module's calculated event enumerator for a formula's
// numbers: the host's leading word, which enumerators keep without using, then the numbers
// after the channel arguments, in the classic form and each as short as reads back to the same
// double, so that tick and record numbers stay whole.
#pragma once

#include <span>
#include <string>

namespace PendrelHost {

std::u16string EnumeratorParameterText(std::span<const double> numbers);

}  // namespace PendrelHost
