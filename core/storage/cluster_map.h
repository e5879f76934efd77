// ClusterMap: the {next, prev} entry of every cluster number. Entry 0 heads the doubly linked
// free list (free clusters carry the free mark in prev), entry 1 the release list (clusters
// cut from chains in the open transaction); every other in-use cluster is linked into one
// chain. Clusters on the release list are still named by the last committed copy, so they
// become free only when the next commit is complete. Every walk along the links ends within as
// many steps as the map has entries; one that would not is going round a cycle that only a
// damaged map holds, and raises XQuor STG_E_DOCFILECORRUPT instead.
#pragma once

#include <vector>

#include "core/storage/compound_file_format.h"

namespace QuorCompoundFile {
class ClusterClaims;
}

class ClusterMap {
 public:
  explicit ClusterMap(DWORD maxEntries = QuorCompoundFile::kMaxMapEntries);
  // The map of a committed file, taken as it was read: nothing may walk it before CheckLists
  // has found it sound.
  ClusterMap(std::vector<QuorCompoundFile::MapEntry> entries, DWORD maxEntries);

  DWORD EntryCount() const { return static_cast<DWORD>(m_entries.size()); }
  DWORD MaxEntries() const { return m_maxEntries; }
  const std::vector<QuorCompoundFile::MapEntry>& Entries() const { return m_entries; }
  DWORD Next(DWORD cluster) const { return m_entries[cluster].next; }
  DWORD Prev(DWORD cluster) const { return m_entries[cluster].prev; }
  bool IsFree(DWORD cluster) const;
  // A cluster number that a chain may hold.
  bool InUse(DWORD cluster) const;
  bool Changed() const { return m_changed; }

  // Adds blocks of 4096 numbers to the end of the free list; false when the map cannot grow.
  bool Grow(DWORD blocks = 1);

  // A cluster for a chain's start, taken from the head of the free list (growing the map when
  // the list is empty); 0 when none can be had.
  DWORD TakeFreeHead();
  // A cluster linked after the chain end `last`: a free neighbour when there is one, else
  // the free-list head. `dataOffset` is the chain offset that a write extends to, 0 for other
  // growth. 0 when none can be had.
  DWORD AllocateAfter(DWORD last, ULONGLONG dataOffset);
  // Puts back a cluster taken in this transaction that no chain uses.
  void GiveBack(DWORD cluster);
  // `replacement` (just taken) takes `old`'s place in its chain; `old` joins the release list.
  void ReplaceInChain(DWORD old, DWORD replacement);
  // Cuts the chain end `last` off its chain onto the release list.
  void ReleaseChainEnd(DWORD last);
  // A whole chain straight onto the free list, ahead of the old head.
  void FreeChain(DWORD first);

  // The first number of `count` consecutive numbers in free-list order, or 0.
  DWORD FindFreeRun(DWORD count) const;
  // The length of the free list's last consecutive stretch when it ends at the map's last
  // number, else 0; `start` is its first number.
  DWORD FreeStretchAtEnd(DWORD& start) const;
  // Takes `count` free numbers from `first` and chains them in order.
  void TakeRun(DWORD first, DWORD count);
  // True when `first` starts a chain of at least `count` consecutive numbers.
  bool IsChainedRun(DWORD first, DWORD count) const;
  // True when the `count` numbers from `first` are a whole chain of their own, in order, linked
  // both ways.
  bool IsWholeRun(DWORD first, DWORD count) const;
  DWORD HighestInUse() const;

  // Clusters taken since the last complete commit are named by no committed copy and may be
  // overwritten in place.
  bool TakenSinceCommit(DWORD cluster) const { return m_takenSinceCommit[cluster]; }
  // The end of a commit: released clusters become free and nothing counts as taken.
  void EndTransaction();

  // Checks a loaded map and claims what it holds besides chains: the map's own run of
  // `runClusters` from `run`, the free list and the release list. The list heads must be as
  // written, each list must reach its end through numbers of the map, each once, with back
  // links naming their predecessors and the free mark on exactly the free clusters. False when
  // any of that is damaged.
  bool CheckLists(DWORD run, DWORD runClusters, QuorCompoundFile::ClusterClaims& claims);

 private:
  bool CheckList(DWORD head, DWORD mark, QuorCompoundFile::ClusterClaims& claims, DWORD& tail,
                 DWORD& length) const;
  void CountStep(DWORD& steps) const;
  void Unlink(DWORD cluster);
  void PushFreeChain(DWORD first, DWORD last);
  void AppendToRelease(DWORD cluster);
  void PushRelease(DWORD cluster);
  DWORD FreeListTail() const;
  DWORD FirstFreeNear(DWORD last) const;
  DWORD Take(DWORD cluster);

  template <class Visit>
  void VisitFreeRuns(Visit visit) const;

  std::vector<QuorCompoundFile::MapEntry> m_entries;
  std::vector<bool> m_takenSinceCommit;
  DWORD m_maxEntries;
  DWORD m_releaseTail = QuorCompoundFile::kReleaseListHead;  // the list head when empty
  bool m_changed = true;
};
