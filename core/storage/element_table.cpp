#include "core/storage/element_table.h"

#include <algorithm>
#include <cstring>

#include "core/storage/chain_check.h"
#include "core/storage/chain_stream.h"
#include "core/storage/element_name.h"
#include "core/storage/storage_allocator.h"

using namespace QuorCompoundFile;

namespace {

[[noreturn]] void FailToRead() {
  throw XDamagedTable(u"Error reading Storage Entry Table", kXQuorMessageIsReport);
}

void ReadWhole(ChainStream& data, void* target, ULONG count) {
  ULONG read = 0;
  const HRESULT hr = data.Read(target, count, read);
  if (FAILED(hr)) throw XQuor(hr);
  if (read != count) FailToRead();
}

// Everything of a record that the engine follows or looks up by.
bool RecordIsSound(const ClusterMap& map, const ElementRecord& record, ClusterClaims& claims) {
  const bool named = record.name[0] != u'\0' && record.name[kMaxNameUnits] == u'\0';
  const bool typed = record.type == STGTY_STORAGE || record.type == STGTY_STREAM;
  return named && typed && ChainIsSound(map, record, claims);
}

}  // namespace

ElementTable::ElementTable(Element& storage) : m_storage(storage) {}

ElementTable::~ElementTable() = default;

// Checked chains that share a cluster share their first cluster: the first clusters of the
// storages above stand for their whole chains.
std::unique_ptr<ElementTable> ElementTable::Read(StorageAllocator& allocator, Element& storage) {
  ClusterClaims claims(allocator.EntryCount());
  for (const Element* above = &storage; above; above = above->Parent()) {
    if (allocator.InUse(above->FirstCluster())) claims.Claim(above->FirstCluster());
  }
  return Read(allocator, storage, claims);
}

std::unique_ptr<ElementTable> ElementTable::Read(StorageAllocator& allocator, Element& storage,
                                                 ClusterClaims& claims) {
  auto table = std::make_unique<ElementTable>(storage);
  if (storage.Size() == 0) return table;  // never written: no children yet
  ChainStream data(allocator, storage);
  std::int32_t counts[2];
  ReadWhole(data, counts, sizeof counts);
  // A count must cancel with its negation and lie in 0..1024; INT_MIN cancels with itself.
  const std::int32_t count = counts[0];
  if (static_cast<DWORD>(counts[0]) + static_cast<DWORD>(counts[1]) != 0 || count < 0 ||
      count > static_cast<std::int32_t>(kMaxTableEntries)) {
    FailToRead();
  }
  for (std::int32_t i = 0; i < count; ++i) {
    ElementRecord record;
    ReadWhole(data, &record, sizeof record);
    if (!RecordIsSound(allocator, record, claims)) FailToRead();
    auto element = std::make_unique<Element>(record.name, record.type, table.get());
    element->record = record;
    table->m_elements.push_back(std::move(element));
  }
  return table;
}

Element* ElementTable::Find(const WCHAR* name, DWORD type) const {
  for (const auto& element : m_elements) {
    if ((type == 0 || element->record.type == type) && ElementNamesMatch(element->Name(), name)) {
      return element.get();
    }
  }
  return nullptr;
}

Element& ElementTable::Add(const WCHAR* name, DWORD type) {
  if (Count() >= kMaxTableEntries) {
    throw XQuor(u"ElementTable::Resize : too many entries", kXQuorMessageIsReport);
  }
  m_elements.push_back(std::make_unique<Element>(name, type, this));
  MarkChanged();
  return *m_elements.back();
}

void ElementTable::Remove(const Element& element) {
  std::erase_if(m_elements, [&](const auto& e) { return e.get() == &element; });
  MarkChanged();
}

void ElementTable::Commit(StorageAllocator& allocator) {
  for (const auto& element : m_elements) {
    if (element->table) element->table->Commit(allocator);
  }
  if (m_changed) Write(allocator);
}

bool ElementTable::SubtreeChanged() const {
  return m_changed || std::any_of(m_elements.begin(), m_elements.end(), [](const auto& e) {
           return e->table && e->table->SubtreeChanged();
         });
}

void ElementTable::Write(StorageAllocator& allocator) {
  std::vector<BYTE> bytes(kTableCountBytes + Count() * sizeof(ElementRecord));
  const std::int32_t counts[2] = {static_cast<std::int32_t>(Count()),
                                  -static_cast<std::int32_t>(Count())};
  std::memcpy(bytes.data(), counts, sizeof counts);
  BYTE* next = bytes.data() + kTableCountBytes;
  for (const auto& element : m_elements) {
    std::memcpy(next, &element->record, sizeof(ElementRecord));
    next += sizeof(ElementRecord);
  }
  ChainStream data(allocator, m_storage);
  ULONG written = 0;
  const HRESULT hr = data.Write(bytes.data(), static_cast<ULONG>(bytes.size()), written);
  if (FAILED(hr)) throw XQuor(hr);
  if (written != bytes.size()) throw XQuor(E_FAIL);
  m_changed = false;
}
