#include "core/storage/cluster_map.h"

#include <algorithm>

#include "core/storage/cluster_claims.h"
#include "core/xquor.h"
#include "platform/win32/storage_errors.h"

using namespace QuorCompoundFile;

namespace {
// A write that extends a chain this far into its data may grow the map to stay contiguous.
constexpr ULONGLONG kContiguousGrowthOffset = 0x500001;
// How far around a chain end a free neighbour is looked for.
constexpr DWORD kNeighbourhood = 8;
}  // namespace

ClusterMap::ClusterMap(DWORD maxEntries) : m_maxEntries(maxEntries) {
  m_entries.push_back({0, kFreeMark});  // the free-list head
  m_entries.push_back({0, 0});          // the release-list head
  m_takenSinceCommit.resize(m_entries.size());
  Grow();
}

ClusterMap::ClusterMap(std::vector<MapEntry> entries, DWORD maxEntries)
    : m_entries(std::move(entries)),
      m_takenSinceCommit(m_entries.size()),
      m_maxEntries(maxEntries) {
  m_changed = false;
}

bool ClusterMap::IsFree(DWORD cluster) const {
  return cluster >= kFirstCluster && cluster < EntryCount() &&
         (m_entries[cluster].prev & kFreeMark) != 0;
}

bool ClusterMap::InUse(DWORD cluster) const {
  return cluster >= kFirstCluster && cluster < EntryCount() &&
         (m_entries[cluster].prev & kFreeMark) == 0;
}

bool ClusterMap::Grow(DWORD blocks) {
  // The first growth fills the block that entries 0 and 1 began.
  const ULONGLONG target =
      (ULONGLONG{EntryCount()} / kMapEntriesPerCluster + blocks) * kMapEntriesPerCluster;
  if (target > m_maxEntries) return false;
  m_entries.reserve(target);
  DWORD tail = FreeListTail();
  for (auto n = EntryCount(); n < target; ++n) {
    m_entries.push_back({0, kFreeMark | tail});
    m_entries[tail].next = n;
    tail = n;
  }
  m_takenSinceCommit.resize(target);
  m_changed = true;
  return true;
}

DWORD ClusterMap::TakeFreeHead() {
  if (m_entries[kFreeListHead].next == 0 && !Grow()) return 0;
  return Take(m_entries[kFreeListHead].next);
}

DWORD ClusterMap::AllocateAfter(DWORD last, ULONGLONG dataOffset) {
  const DWORD count = EntryCount();
  DWORD chosen = 0;
  if (last != 0 && last < count - 1 && IsFree(last + 1)) chosen = last + 1;
  if (!chosen) chosen = FirstFreeNear(last);
  if (!chosen && dataOffset >= kContiguousGrowthOffset && last == count - 1 && Grow() &&
      IsFree(last + 1)) {
    chosen = last + 1;
  }
  if (!chosen) {
    if (m_entries[kFreeListHead].next == 0 && !Grow()) return 0;
    chosen = m_entries[kFreeListHead].next;
  }
  Take(chosen);
  m_entries[last].next = chosen;
  m_entries[chosen].prev = last;
  return chosen;
}

void ClusterMap::GiveBack(DWORD cluster) {
  m_entries[cluster].next = 0;
  PushFreeChain(cluster, cluster);
  m_takenSinceCommit[cluster] = false;
}

void ClusterMap::ReplaceInChain(DWORD old, DWORD replacement) {
  const MapEntry links = m_entries[old];
  m_entries[replacement] = links;
  if (links.prev) m_entries[links.prev].next = replacement;
  if (links.next) m_entries[links.next].prev = replacement;
  AppendToRelease(old);
}

void ClusterMap::ReleaseChainEnd(DWORD last) {
  const DWORD before = m_entries[last].prev;
  if (before) m_entries[before].next = 0;
  PushRelease(last);
}

void ClusterMap::FreeChain(DWORD first) {
  DWORD last = first, steps = 0;
  for (; m_entries[last].next; last = m_entries[last].next) CountStep(steps);
  PushFreeChain(first, last);
}

// Calls visit(start, length) for each run of consecutive clusters along the free list, in list
// order, until it returns true.
template <class Visit>
void ClusterMap::VisitFreeRuns(Visit visit) const {
  DWORD start = 0, length = 0, previous = 0, steps = 0;
  for (DWORD c = m_entries[kFreeListHead].next; c; c = m_entries[c].next) {
    CountStep(steps);
    if (length && c == previous + 1) {
      ++length;
    } else {
      if (length && visit(start, length)) return;
      start = c;
      length = 1;
    }
    previous = c;
  }
  if (length) visit(start, length);
}

DWORD ClusterMap::FindFreeRun(DWORD count) const {
  DWORD found = 0;
  VisitFreeRuns([&](DWORD start, DWORD length) {
    if (length >= count) found = start;
    return found != 0;
  });
  return found;
}

DWORD ClusterMap::FreeStretchAtEnd(DWORD& start) const {
  DWORD last = 0, lastLength = 0;
  VisitFreeRuns([&](DWORD runStart, DWORD length) {
    last = runStart;
    lastLength = length;
    return false;
  });
  start = last;
  return lastLength && last + lastLength == EntryCount() ? lastLength : 0;
}

void ClusterMap::TakeRun(DWORD first, DWORD count) {
  for (DWORD i = 0; i < count; ++i) Take(first + i);
  for (DWORD i = 0; i < count; ++i) {
    m_entries[first + i] = {i + 1 < count ? first + i + 1 : 0, i > 0 ? first + i - 1 : 0};
  }
}

bool ClusterMap::IsChainedRun(DWORD first, DWORD count) const {
  if (first < kFirstCluster || ULONGLONG{first} + count > EntryCount()) return false;
  if (IsFree(first) || m_entries[first].prev != 0) return false;
  for (DWORD i = 0; i + 1 < count; ++i) {
    if (m_entries[first + i].next != first + i + 1) return false;
  }
  return true;
}

bool ClusterMap::IsWholeRun(DWORD first, DWORD count) const {
  if (count == 0 || first < kFirstCluster || ULONGLONG{first} + count > EntryCount()) return false;
  for (DWORD i = 0; i < count; ++i) {
    const MapEntry& entry = m_entries[first + i];
    if (entry.next != (i + 1 < count ? first + i + 1 : 0) ||
        entry.prev != (i ? first + i - 1 : 0)) {
      return false;
    }
  }
  return true;
}

DWORD ClusterMap::HighestInUse() const {
  for (DWORD c = EntryCount() - 1; c >= kFirstCluster; --c) {
    if (!(m_entries[c].prev & kFreeMark)) return c;
  }
  return kFirstCluster - 1;
}

void ClusterMap::EndTransaction() {
  if (const DWORD first = m_entries[kReleaseListHead].next) {
    PushFreeChain(first, m_releaseTail);
    m_entries[kReleaseListHead].next = 0;
    m_releaseTail = kReleaseListHead;
  }
  std::fill(m_takenSinceCommit.begin(), m_takenSinceCommit.end(), false);
  m_changed = false;
}

void ClusterMap::Unlink(DWORD cluster) {
  const DWORD before = m_entries[cluster].prev & ~kFreeMark;
  const DWORD after = m_entries[cluster].next;
  m_entries[before].next = after;
  if (after) m_entries[after].prev = kFreeMark | before;
}

DWORD ClusterMap::Take(DWORD cluster) {
  Unlink(cluster);
  m_entries[cluster] = {0, 0};
  m_takenSinceCommit[cluster] = true;
  m_changed = true;
  return cluster;
}

// Marks the chain first..last free, in its own order, ahead of the old free-list head.
void ClusterMap::PushFreeChain(DWORD first, DWORD last) {
  const DWORD oldHead = m_entries[kFreeListHead].next;
  DWORD before = 0, steps = 0;
  for (DWORD c = first;; c = m_entries[c].next) {
    if (c < kFirstCluster) throw XQuor(STG_E_DOCFILECORRUPT);  // the chain never reached `last`
    CountStep(steps);
    m_entries[c].prev = kFreeMark | before;
    before = c;
    if (c == last) break;
  }
  m_entries[last].next = oldHead;
  if (oldHead) m_entries[oldHead].prev = kFreeMark | last;
  m_entries[kFreeListHead].next = first;
  m_changed = true;
}

void ClusterMap::AppendToRelease(DWORD cluster) {
  m_entries[m_releaseTail].next = cluster;
  m_entries[cluster] = {0, m_releaseTail};
  m_releaseTail = cluster;
  m_changed = true;
}

void ClusterMap::PushRelease(DWORD cluster) {
  const DWORD oldHead = m_entries[kReleaseListHead].next;
  m_entries[cluster] = {oldHead, kReleaseListHead};
  if (oldHead) {
    m_entries[oldHead].prev = cluster;
  } else {
    m_releaseTail = cluster;
  }
  m_entries[kReleaseListHead].next = cluster;
  m_changed = true;
}

DWORD ClusterMap::FreeListTail() const {
  DWORD tail = kFreeListHead, steps = 0;
  for (; m_entries[tail].next; tail = m_entries[tail].next) CountStep(steps);
  return tail;
}

void ClusterMap::CountStep(DWORD& steps) const {
  if (++steps > EntryCount()) throw XQuor(STG_E_DOCFILECORRUPT);
}

bool ClusterMap::CheckLists(DWORD run, DWORD runClusters, ClusterClaims& claims) {
  if (m_entries[kFreeListHead].prev != kFreeMark || m_entries[kReleaseListHead].prev != 0) {
    return false;
  }
  if (!IsWholeRun(run, runClusters)) return false;
  for (DWORD i = 0; i < runClusters; ++i) claims.Claim(run + i);
  DWORD freeTail = 0, freeCount = 0, releaseTail = 0, releaseCount = 0;
  if (!CheckList(kFreeListHead, kFreeMark, claims, freeTail, freeCount) ||
      !CheckList(kReleaseListHead, 0, claims, releaseTail, releaseCount)) {
    return false;
  }
  DWORD marked = 0;
  for (DWORD c = kFirstCluster; c < EntryCount(); ++c) marked += IsFree(c) ? 1 : 0;
  if (marked != freeCount) return false;
  m_releaseTail = releaseTail;
  return true;
}

// Walks a list from its head. A member's back link is its predecessor (0 for the free list's
// first member, whose head is 0, and 1 for the release list's), with `mark` added.
bool ClusterMap::CheckList(DWORD head, DWORD mark, ClusterClaims& claims, DWORD& tail,
                           DWORD& length) const {
  DWORD previous = head;
  length = 0;
  for (DWORD c = m_entries[head].next; c; c = m_entries[c].next) {
    if (c < kFirstCluster || c >= EntryCount() || !claims.Claim(c)) return false;
    if (m_entries[c].prev != (mark | previous)) return false;
    previous = c;
    ++length;
  }
  tail = previous;
  return true;
}

DWORD ClusterMap::FirstFreeNear(DWORD last) const {
  const DWORD from = last > kNeighbourhood ? last - kNeighbourhood : 1;
  const DWORD to =
      static_cast<DWORD>(std::min<ULONGLONG>(EntryCount(), ULONGLONG{last} + kNeighbourhood));
  for (DWORD c = from; c < to; ++c) {
    if (IsFree(c)) return c;
  }
  return 0;
}
