// The computed blocks of every stage of a document's channels, within one memory budget. The
// least recently used blocks go first, so a pass through a long recording keeps only the blocks
// near where it is reading, whatever the recording's length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

namespace PendrelHost {

// Ticks per block.
inline constexpr int64_t kBlockTicks = 16384;

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
  const std::vector<float>* Find(const Key& key);
  // Keeps the block, making room by dropping the least recently used others.
  const std::vector<float>& Store(const Key& key, std::vector<float> values);
  void DropOwner(uint64_t owner);

  std::size_t BytesHeld() const { return m_bytesHeld; }

 private:
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };
  struct Entry {
    Key key;
    std::vector<float> values;
  };
  using Entries = std::list<Entry>;

  void Erase(Entries::iterator entry);

  std::size_t m_budgetBytes;
  std::size_t m_bytesHeld = 0;
  uint64_t m_lastOwner = 0;
  Entries m_entries;  // most recently used first
  std::unordered_map<Key, Entries::iterator, KeyHash> m_index;
};

}  // namespace PendrelHost
