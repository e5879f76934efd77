// A stage that keeps its computed values in the document's block cache. Values are computed a
// whole block at a time; a block computed while its record was still growing holds only the
// ticks that were final then, and is computed again when more of it is read.
#pragma once

#include <memory>

#include "host/channels/block_cache.h"
#include "host/channels/signal_node.h"

namespace PendrelHost {

class CachedSignalNode : public SignalNode {
 public:
  explicit CachedSignalNode(std::shared_ptr<BlockCache> cache);
  ~CachedSignalNode() override;

  void Read(std::size_t record, int64_t start, std::span<float> values) final;
  bool HoldsValues() const final { return true; }

 protected:
  // Values of [start, start + values.size()), all within the available extent.
  virtual void Compute(std::size_t record, int64_t start, std::span<float> values) = 0;

 private:
  const BlockValues& Block(std::size_t record, int64_t block, int64_t needed);

  std::shared_ptr<BlockCache> m_cache;
  uint64_t m_owner;
};

}  // namespace PendrelHost
