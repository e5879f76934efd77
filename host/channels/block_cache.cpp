#include "host/channels/block_cache.h"

#include <functional>

namespace PendrelHost {

std::size_t BlockCache::KeyHash::operator()(const Key& key) const {
  std::size_t hash = std::hash<uint64_t>()(key.owner);
  hash = hash * 1000003u ^ std::hash<std::size_t>()(key.record);
  return hash * 1000003u ^ std::hash<int64_t>()(key.block);
}

const std::vector<float>* BlockCache::Find(const Key& key) {
  const auto found = m_index.find(key);
  if (found == m_index.end()) return nullptr;
  m_entries.splice(m_entries.begin(), m_entries, found->second);
  return &found->second->values;
}

const std::vector<float>& BlockCache::Store(const Key& key, std::vector<float> values) {
  if (const auto found = m_index.find(key); found != m_index.end()) Erase(found->second);
  m_bytesHeld += values.capacity() * sizeof(float);
  m_entries.push_front({key, std::move(values)});
  m_index.emplace(key, m_entries.begin());
  // The block just stored stays even when it alone is over the budget: its reader needs it.
  while (m_bytesHeld > m_budgetBytes && m_entries.size() > 1) Erase(std::prev(m_entries.end()));
  return m_entries.front().values;
}

void BlockCache::DropOwner(uint64_t owner) {
  for (auto entry = m_entries.begin(); entry != m_entries.end();) {
    const auto next = std::next(entry);
    if (entry->key.owner == owner) Erase(entry);
    entry = next;
  }
}

void BlockCache::Erase(Entries::iterator entry) {
  m_bytesHeld -= entry->values.capacity() * sizeof(float);
  m_index.erase(entry->key);
  m_entries.erase(entry);
}

}  // namespace PendrelHost
