#include "host/channels/function_arguments.h"

#include <cmath>
#include <cstdio>

#include "host/channels/channel_error.h"

namespace PendrelHost {

namespace {

std::string Ordinal(std::size_t index) { return "argument " + std::to_string(index + 1); }

std::string KindText(const ChannelValue& value) {
  if (value.IsNumber()) return "a number";
  if (value.IsEvents()) return "an event channel";
  return "a sampled channel";
}

}  // namespace

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

void FunctionArguments::Fail(const std::string& reason) const { throw ChannelError(m_usage + ": " + reason); }

void FunctionArguments::ExpectCount(std::size_t count) const {
  if (m_values.size() != count) {
    Fail("takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") + ", not " +
         std::to_string(m_values.size()));
  }
}

std::shared_ptr<SignalNode> FunctionArguments::Samples(std::size_t index) const {
  if (!At(index).IsSamples()) Fail(Ordinal(index) + " must be a sampled channel, not " + KindText(At(index)));
  return At(index).samples;
}

std::shared_ptr<EventNode> FunctionArguments::Events(std::size_t index) const {
  if (!At(index).IsEvents()) Fail(Ordinal(index) + " must be an event channel, not " + KindText(At(index)));
  return At(index).events;
}

double FunctionArguments::Number(std::size_t index) const {
  if (!At(index).IsNumber()) Fail(Ordinal(index) + " must be a number, not " + KindText(At(index)));
  const double value = *At(index).number;
  if (!std::isfinite(value)) Fail(Ordinal(index) + " must be finite, not " + NumberText(value));
  return value;
}

int64_t FunctionArguments::WholeNumber(std::size_t index) const {
  const double value = Number(index);
  if (value != std::trunc(value) || std::abs(value) > 1e15) {
    Fail(Ordinal(index) + " must be a whole number, not " + NumberText(value));
  }
  return static_cast<int64_t>(value);
}

}  // namespace PendrelHost
