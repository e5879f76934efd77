// What a formula, or a part of one, stands for: a number, a sampled channel or an event channel.
#pragma once

#include <memory>
#include <optional>

#include "host/channels/event_node.h"
#include "host/channels/signal_node.h"

namespace PendrelHost {

struct ChannelValue {
  std::optional<double> number;
  std::shared_ptr<SignalNode> samples;
  std::shared_ptr<EventNode> events;

  bool IsNumber() const { return number.has_value(); }
  bool IsSamples() const { return samples != nullptr; }
  bool IsEvents() const { return events != nullptr; }
};

}  // namespace PendrelHost
