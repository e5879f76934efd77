#include "host/channels/source_channel_node.h"

#include <algorithm>
#include <limits>

namespace PendrelHost {

void SourceChannelNode::Read(std::size_t record, int64_t start, std::span<float> values) {
  const std::span<const float> samples = m_recording.Samples(record, m_channel);
  const int64_t size = static_cast<int64_t>(samples.size());
  const int64_t end = std::clamp<int64_t>(start + static_cast<int64_t>(values.size()), start, size);
  float* out = values.data();
  if (start < end) out = std::copy(samples.begin() + start, samples.begin() + end, out);
  std::fill(out, values.data() + values.size(), std::numeric_limits<float>::quiet_NaN());
}

}  // namespace PendrelHost
