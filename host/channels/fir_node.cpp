#include "host/channels/fir_node.h"

#include "host/channels/fir_filter.h"
#include "host/channels/mirrored_read.h"

namespace PendrelHost {

void FirNode::Compute(std::size_t record, int64_t start, std::span<float> values) {
  const int64_t reach = m_taps.Reach();
  m_inputValues.resize(values.size() + 2 * static_cast<std::size_t>(reach));
  ReadMirrored(*m_input, record, start - reach, m_inputValues);
  ApplyFir(m_taps, m_inputValues.data() + reach, values.data(), values.size());
}

}  // namespace PendrelHost
