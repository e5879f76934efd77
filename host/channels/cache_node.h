// Keeps the values of a stage that does not keep its own, where several readers overlap (a named
// channel that other channels use).
#pragma once

#include <memory>

#include "host/channels/cached_signal_node.h"

namespace PendrelHost {

class CacheNode : public CachedSignalNode {
 public:
  CacheNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input)
      : CachedSignalNode(std::move(cache)), m_input(std::move(input)) {}

  RecordExtent Extent(std::size_t record) override { return m_input->Extent(record); }

 protected:
  void Compute(std::size_t record, int64_t start, std::span<float> values) override {
    m_input->Read(record, start, values);
  }

 private:
  std::shared_ptr<SignalNode> m_input;
};

}  // namespace PendrelHost
