// Element: a storage's or stream's record as the engine keeps it in memory, with what the
// open objects on it share.
#pragma once

#include <memory>

#include "core/storage/compound_file_format.h"
#include "platform/win32/stream.h"

class ElementTable;

class Element {
 public:
  // `owner` is the table that holds the record; null for the root, whose record is in the
  // header.
  Element(const WCHAR* name, DWORD type, ElementTable* owner);
  ~Element();
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  QuorCompoundFile::ElementRecord record{};
  DWORD mode = 0;  // STGM_ flags of the last open
  LONG openCount = 0;
  // A storage's children, while loaded. A table stays loaded while anything below it is open
  // or waits to be written.
  std::unique_ptr<ElementTable> table;
  // Changes whenever a cluster of the chain is replaced or cut, so that positions that remember
  // a cluster look it up again.
  DWORD chainGeneration = 0;

  bool IsStorage() const { return record.type == STGTY_STORAGE; }
  const WCHAR* Name() const { return record.name; }
  void SetName(const WCHAR* name);

  ULONGLONG Size() const { return record.size; }
  DWORD FirstCluster() const { return record.firstCluster; }
  DWORD LastCluster() const { return record.endCluster & ~QuorCompoundFile::kAtClusterEnd; }
  // Clusters in the chain: one for a chain that has its first cluster and no data yet.
  ULONGLONG ClusterCount() const;
  // Sets the size and the end cluster (`last` holds byte size - 1, or is the first cluster
  // when the size is 0).
  void SetEnd(ULONGLONG size, DWORD last);
  void SetFirstCluster(DWORD cluster);

  // The record changed: the table that holds it is to be written again.
  void MarkChanged();
  // The storage whose table holds this element; null for the root.
  const Element* Parent() const;

 private:
  ElementTable* m_owner;
};
