#include "host/channels/block_cache.h"

#include <functional>

namespace PendrelHost {

std::size_t BlockCache::KeyHash::operator()(const Key& key) const {
  std::size_t hash = std::hash<uint64_t>()(key.owner);
  hash = hash * 1000003u ^ std::hash<std::size_t>()(key.record);
  return hash * 1000003u ^ std::hash<int64_t>()(key.block);
}

const BlockValues* BlockCache::Find(const Key& key) {
  const auto found = m_index.find(key);
  if (found == m_index.end()) return nullptr;
  m_entries.splice(m_entries.begin(), m_entries, found->second);
  return &found->second->values;
}

const BlockValues& BlockCache::Store(const Key& key, BlockValues values) {
  if (const auto found = m_index.find(key); found != m_index.end()) Erase(found->second);
  m_bytesHeld += values.capacity() * sizeof(float);
  m_entries.push_front({key, std::move(values)});
  m_index.emplace(key, m_entries.begin());
  // The block just stored stays even when it alone is over the budget: its reader needs it.
  while (m_bytesHeld > m_budgetBytes && m_entries.size() > 1) Erase(std::prev(m_entries.end()));
  TrimSpares();
  return m_entries.front().values;
}

BlockValues BlockCache::Take(std::size_t count) {
  if (m_spares.empty()) return BlockValues(count);
  BlockValues values = std::move(m_spares.back());
  m_spares.pop_back();
  m_spareBytes -= values.capacity() * sizeof(float);
  values.resize(count);
  return values;
}

void BlockCache::DropOwner(uint64_t owner) {
  for (auto entry = m_entries.begin(); entry != m_entries.end();) {
    const auto next = std::next(entry);
    if (entry->key.owner == owner) Erase(entry);
    entry = next;
  }
  TrimSpares();
}

void BlockCache::Erase(Entries::iterator entry) {
  const std::size_t bytes = entry->values.capacity() * sizeof(float);
  m_bytesHeld -= bytes;
  m_spareBytes += bytes;
  m_spares.push_back(std::move(entry->values));
  m_index.erase(entry->key);
  m_entries.erase(entry);
}

void BlockCache::TrimSpares() {
  while (!m_spares.empty() && m_bytesHeld + m_spareBytes > m_budgetBytes) {
    m_spareBytes -= m_spares.back().capacity() * sizeof(float);
    m_spares.pop_back();
  }
}

}  // namespace PendrelHost
