#include "host/channels/arithmetic_node.h"

#include <stdexcept>
#include <string_view>

namespace PendrelHost {

namespace {

template <typename Operation>
void Combine(std::span<float> left, const std::vector<float>& right, Operation operation) {
  for (std::size_t i = 0; i < left.size(); ++i) left[i] = operation(left[i], right[i]);
}

}  // namespace

ArithmeticNode::ArithmeticNode(char operation, std::shared_ptr<SignalNode> left, std::shared_ptr<SignalNode> right)
    : m_operation(operation), m_left(std::move(left)), m_right(std::move(right)) {
  if (std::string_view("+-*/").find(operation) == std::string_view::npos) {
    throw std::invalid_argument("not an arithmetic operation");
  }
}

RecordExtent ArithmeticNode::Extent(std::size_t record) {
  return CommonExtent(m_left->Extent(record), m_right->Extent(record));
}

void ArithmeticNode::Read(std::size_t record, int64_t start, std::span<float> values) {
  m_left->Read(record, start, values);
  // Reading the right side may come back here only through another node, never into this
  // buffer while it is in use: formulas have no cycles.
  m_rightValues.resize(values.size());
  m_right->Read(record, start, m_rightValues);
  switch (m_operation) {
    case '+': Combine(values, m_rightValues, [](float a, float b) { return a + b; }); break;
    case '-': Combine(values, m_rightValues, [](float a, float b) { return a - b; }); break;
    case '*': Combine(values, m_rightValues, [](float a, float b) { return a * b; }); break;
    default: Combine(values, m_rightValues, [](float a, float b) { return a / b; }); break;
  }
}

}  // namespace PendrelHost
