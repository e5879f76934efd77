#include "analysis/detection/parameter_numbers.h"

#include <charconv>
#include <ostream>

namespace Rhyth {

namespace {

void WriteNumber(std::wostream& out, double number) {
  char text[32];
  const std::to_chars_result written = std::to_chars(text, text + sizeof text, number);
  for (const char* c = text; c != written.ptr; ++c) out.put(wchar_t(*c));
}

}  // namespace

void WriteParameterNumbers(std::wostream& out, std::initializer_list<double> numbers) {
  const char* separator = "";
  for (double number : numbers) {
    out << separator;
    WriteNumber(out, number);
    separator = " ";
  }
}

}  // namespace Rhyth
