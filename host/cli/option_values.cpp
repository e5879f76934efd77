#include "host/cli/option_values.h"

#include <charconv>
#include <stdexcept>

namespace PendrelHost {

double NumberArgument(const std::string& option, const std::string& text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument(option + " needs a number, not '" + text + "'");
  }
  return value;
}

std::pair<double, double> NumberPairArgument(const std::string& option, const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) {
    throw std::invalid_argument(option + " needs two numbers separated by a comma, not '" +
                                text + "'");
  }
  return {NumberArgument(option, text.substr(0, comma)),
          NumberArgument(option, text.substr(comma + 1))};
}

}  // namespace PendrelHost
