// ElementTable: a storage's children in table order. In the file the table is the data of the
// storage's own element: int32 count, int32 negated count, then one record per child.
#pragma once

#include <memory>
#include <vector>

#include "core/storage/cluster_claims.h"
#include "core/storage/element.h"
#include "core/xquor.h"

class StorageAllocator;

// A storage's table could not be read whole, or holds a record that is not sound. The code is
// 0xA0048210 with the message "Error reading Storage Entry Table".
class XDamagedTable : public XQuor {
 public:
  using XQuor::XQuor;
};

class ElementTable {
 public:
  explicit ElementTable(Element& storage);
  ~ElementTable();
  ElementTable(const ElementTable&) = delete;
  ElementTable& operator=(const ElementTable&) = delete;

  // Reads the table from the storage's data and checks every record: a name, a type and a
  // sound chain (see ChainIsSound), claimed in `claims`. A table that cannot be read whole, or
  // a record that fails, raises XDamagedTable; a failing read of the lock bytes raises XQuor
  // with its code.
  static std::unique_ptr<ElementTable> Read(StorageAllocator& allocator, Element& storage,
                                            QuorCompoundFile::ClusterClaims& claims);
  // As above, the records' chains claimed against each other and against the chains of the
  // storage and the storages above it, so that no storage holds itself.
  static std::unique_ptr<ElementTable> Read(StorageAllocator& allocator, Element& storage);

  // The storage whose children these are.
  const Element& Storage() const { return m_storage; }
  DWORD Count() const { return static_cast<DWORD>(m_elements.size()); }
  Element& At(DWORD index) const { return *m_elements[index]; }
  // The first element of that name and type; type 0 matches any.
  Element* Find(const WCHAR* name, DWORD type) const;
  // Appends an empty element; a full table raises XQuor.
  Element& Add(const WCHAR* name, DWORD type);
  void Remove(const Element& element);

  bool Changed() const { return m_changed; }
  void MarkChanged() { m_changed = true; }
  // Writes every changed table below this one, then this one when it changed. A failure
  // raises XQuor.
  void Commit(StorageAllocator& allocator);
  // True when this table or one loaded below it waits to be written.
  bool SubtreeChanged() const;

 private:
  void Write(StorageAllocator& allocator);

  Element& m_storage;
  std::vector<std::unique_ptr<Element>> m_elements;
  bool m_changed = false;
};
