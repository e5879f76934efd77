// The computed blocks of every stage of a document's channels, within one memory budget. The
// least recently used blocks go first, so a pass through a long recording keeps only the blocks
// near where it is reading, whatever the recording's length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "host/channels/block_storage.h"

namespace PendrelHost {

class BlockCache {
 public:
  struct Key {
    uint64_t owner;  // the stage
    std::size_t record;
    int64_t block;
    bool operator==(const Key&) const = default;
  };

  explicit BlockCache(std::size_t budgetBytes) : m_budgetBytes(budgetBytes) {}

  // Each stage keys its blocks with its own owner number.
  uint64_t NewOwner() { return ++m_lastOwner; }

  // The block's values (fewer than kBlockTicks when it was computed from part of a record), or
  // null. Valid until the next Store.
  const BlockValues* Find(const Key& key);
  // Room for a block of `count` values, not yet set: the storage of a dropped block when there
  // is one, so that a long pass reuses the same memory instead of asking for fresh pages.
  BlockValues Take(std::size_t count);
  // Keeps the block, making room by dropping the least recently used others.
  const BlockValues& Store(const Key& key, BlockValues values);
  void DropOwner(uint64_t owner);

  // Bytes of blocks, and of storage kept for new blocks; together within the budget.
  std::size_t BytesHeld() const { return m_bytesHeld; }
  std::size_t SpareBytes() const { return m_spareBytes; }

 private:
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    Key key;
    BlockValues values;
  };
  using Entries = std::list<Entry>;

  void Erase(Entries::iterator entry);
  void TrimSpares();

  std::size_t m_budgetBytes;
  std::size_t m_bytesHeld = 0;
  uint64_t m_lastOwner = 0;
  Entries m_entries;  // most recently used first
  std::unordered_map<Key, Entries::iterator, KeyHash> m_index;
  // Storage of dropped blocks, kept for reuse as long as it fits in the budget with the blocks.
  std::vector<BlockValues> m_spares;
  std::size_t m_spareBytes = 0;
};

}  // namespace PendrelHost
