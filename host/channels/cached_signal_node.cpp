#include "host/channels/cached_signal_node.h"

#include <algorithm>
#include <limits>

namespace PendrelHost {

CachedSignalNode::CachedSignalNode(std::shared_ptr<BlockCache> cache)
    : m_cache(std::move(cache)), m_owner(m_cache->NewOwner()) {}

CachedSignalNode::~CachedSignalNode() { m_cache->DropOwner(m_owner); }

void CachedSignalNode::Read(std::size_t record, int64_t start, std::span<float> values) {
  const int64_t end = start + static_cast<int64_t>(values.size());
  for (int64_t tick = start; tick < end;) {
    const int64_t block = tick / kBlockTicks;
    const int64_t blockStart = block * kBlockTicks;
    const int64_t stop = std::min(end, blockStart + kBlockTicks);
    const BlockValues& data = Block(record, block, stop - blockStart);
    const int64_t known = std::min(stop, blockStart + static_cast<int64_t>(data.size()));
    float* out = values.data() + (tick - start);
    if (known > tick) out = std::copy(data.begin() + (tick - blockStart), data.begin() + (known - blockStart), out);
    std::fill(out, values.data() + (stop - start), std::numeric_limits<float>::quiet_NaN());
    tick = stop;
  }
}

const BlockValues& CachedSignalNode::Block(std::size_t record, int64_t block, int64_t needed) {
  const BlockCache::Key key{m_owner, record, block};
  if (const BlockValues* found = m_cache->Find(key); found && static_cast<int64_t>(found->size()) >= needed) {
    return *found;
  }
  const int64_t blockStart = block * kBlockTicks;
  const int64_t available = Extent(record).available;
  const int64_t count = std::clamp<int64_t>(available - blockStart, 0, kBlockTicks);
  BlockValues values = m_cache->Take(static_cast<std::size_t>(count));
  if (count > 0) Compute(record, blockStart, values);
  return m_cache->Store(key, std::move(values));
}

}  // namespace PendrelHost
