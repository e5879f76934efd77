// The four arithmetic operations between two channels, tick by tick, in single precision as the
// samples are. Numbers take part as constant channels.
#pragma once

#include <memory>
#include <vector>

#include "host/channels/signal_node.h"

namespace PendrelHost {

class ArithmeticNode : public SignalNode {
 public:
  // operation: '+', '-', '*' or '/'.
  ArithmeticNode(char operation, std::shared_ptr<SignalNode> left, std::shared_ptr<SignalNode> right);

  RecordExtent Extent(std::size_t record) override;
  void Read(std::size_t record, int64_t start, std::span<float> values) override;

 private:
  char m_operation;
  std::shared_ptr<SignalNode> m_left;
  std::shared_ptr<SignalNode> m_right;
  std::vector<float> m_rightValues;
};

}  // namespace PendrelHost
