// The arguments of a function call in a formula, checked one by one against what the function
// needs. Every failure names the function with its parameters, so the message says how to call
// it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/channels/channel_value.h"

namespace PendrelHost {

class FunctionArguments {
 public:
  // usage: the call's form, "lowpass(signal, cutoff in Hz)".
  FunctionArguments(std::string usage, std::vector<ChannelValue> values)
      : m_usage(std::move(usage)), m_values(std::move(values)) {}

  std::size_t Count() const { return m_values.size(); }
  void ExpectCount(std::size_t count) const;

  std::shared_ptr<SignalNode> Samples(std::size_t index) const;
  std::shared_ptr<EventNode> Events(std::size_t index) const;
  // A finite number.
  double Number(std::size_t index) const;
  int64_t WholeNumber(std::size_t index) const;

  [[noreturn]] void Fail(const std::string& reason) const;

 private:
  const ChannelValue& At(std::size_t index) const { return m_values.at(index); }

  std::string m_usage;
  std::vector<ChannelValue> m_values;
};

// A number as messages show it.
std::string NumberText(double value);

}  // namespace PendrelHost
