// Numbers of an enumerator's parameter text as the enumerator writes it back: one space between
// them, each in the shortest form that reads back as the same double, so that the text
// reads back as the parameters it came from (tick offsets of a long record included).
#pragma once

#include <initializer_list>
#include <iosfwd>

namespace Rhyth {

void WriteParameterNumbers(std::wostream& out, std::initializer_list<double> numbers);

}  // namespace Rhyth
