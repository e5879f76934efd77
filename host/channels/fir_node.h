// A stage that applies a centred FIR filter to its input (lowpass, differentiate, and resample
// as a Hilbert transformer).
#pragma once

#include <memory>
#include <vector>

#include "host/channels/cached_signal_node.h"
#include "host/channels/fir_taps.h"

namespace PendrelHost {

class FirNode : public CachedSignalNode {
 public:
  FirNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input, FirTaps taps)
      : CachedSignalNode(std::move(cache)), m_input(std::move(input)), m_taps(std::move(taps)) {}

  RecordExtent Extent(std::size_t record) override {
    return ExtentWithLookAhead(m_input->Extent(record), m_taps.Reach());
  }

 protected:
  void Compute(std::size_t record, int64_t start, std::span<float> values) override;

 private:
  std::shared_ptr<SignalNode> m_input;
  FirTaps m_taps;
  std::vector<float> m_inputValues;
};

}  // namespace PendrelHost
