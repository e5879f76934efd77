// StorageAllocator: everything the objects of one compound file share: the header, the
// cluster map, the root record, the lock bytes and the file's mutex. It writes the two-copy
// commit. The root storage owns it; it lives as long as the file is open.
#pragma once

#include <memory>
#include <mutex>

#include "core/storage/cluster_map.h"
#include "core/storage/element.h"
#include "core/storage/iquor_lock_bytes.h"

class StorageAllocator : public ClusterMap {
 public:
  // Nothing reaches the lock bytes before the first commit.
  explicit StorageAllocator(ILockBytes* lockBytes,
                            DWORD maxMapEntries = QuorCompoundFile::kMaxMapEntries);
  // An existing file as its header and the map of the copy its selector names were read; the
  // next commit writes the other copy. The map is to be checked before anything walks it.
  StorageAllocator(ILockBytes* lockBytes, const QuorCompoundFile::Header& header,
                   std::vector<QuorCompoundFile::MapEntry> map, DWORD maxMapEntries);
  ~StorageAllocator();
  StorageAllocator(const StorageAllocator&) = delete;
  StorageAllocator& operator=(const StorageAllocator&) = delete;

  // Serialises every operation on the file's tables, map and chains.
  std::recursive_mutex& Mutex() { return m_mutex; }
  Element& Root() { return *m_root; }
  ILockBytes* LockBytes() const { return m_lockBytes; }
  // Null when the lock bytes have no extra operations.
  IQuorLockBytes* QuorLockBytes() const { return m_quorLockBytes; }
  BYTE* BaseAddress() const;

  // Bytes of a cluster that lie beyond the end of the file read as zeros.
  HRESULT ReadCluster(DWORD cluster, DWORD within, void* buffer, ULONG count, ULONG& read);
  HRESULT WriteCluster(DWORD cluster, DWORD within, const void* buffer, ULONG count,
                       ULONG& written);
  // Clusters were cut: the next commit sets the file's length.
  void MarkExtentChanged() { m_extentChanged = true; }
  // The run that the next commit may write the map into when it is still long enough: the
  // run of the copy that the selector does not name, 0 for none.
  void UseForNextMap(DWORD run) { m_header.mapFirstCluster[m_copy] = run; }

  // Writes the map and the root record into the copy that the selector does not name, then
  // flips the selector. Failures raise XQuor.
  void CommitFile(DWORD flags);

 private:
  void HoldLockBytes();
  bool NothingToCommit() const;
  DWORD PlaceMap();
  DWORD GrowForMapRun(DWORD clusters);
  void WriteMap(DWORD run);
  void WriteHeaderPart(DWORD begin, DWORD end);

  QuorCompoundFile::Header m_header{};
  DWORD m_copy = 0;  // the copy the next commit writes
  bool m_committedOnce = false;
  bool m_extentChanged = false;
  std::unique_ptr<Element> m_root;
  ILockBytes* m_lockBytes;
  IQuorLockBytes* m_quorLockBytes = nullptr;
  std::recursive_mutex m_mutex;
};
