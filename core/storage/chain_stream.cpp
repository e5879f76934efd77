#include "core/storage/chain_stream.h"

#include <algorithm>
#include <vector>

#include "core/storage/storage_allocator.h"
#include "core/xquor.h"

using namespace QuorCompoundFile;

namespace {

DWORD OffsetInCluster(ULONGLONG position) { return static_cast<DWORD>(position % kClusterSize); }

}  // namespace

ChainStream::ChainStream(StorageAllocator& allocator, Element& element, ULONGLONG position)
    : m_allocator(allocator), m_element(element), m_position(position) {}

HRESULT ChainStream::Read(void* buffer, ULONG count, ULONG& read) {
  read = 0;
  auto* bytes = static_cast<BYTE*>(buffer);
  while (read < count && m_position < m_element.Size()) {
    const DWORD within = OffsetInCluster(m_position);
    const auto piece = static_cast<ULONG>(
        std::min<ULONGLONG>({count - read, kClusterSize - within, m_element.Size() - m_position}));
    ULONG got = 0;
    const DWORD cluster = ClusterAt(m_position / kClusterSize);
    const HRESULT hr = m_allocator.ReadCluster(cluster, within, bytes + read, piece, got);
    read += got;
    m_position += got;
    if (FAILED(hr)) return hr;
    if (got == 0) return E_FAIL;
  }
  return S_OK;
}

HRESULT ChainStream::Write(const void* buffer, ULONG count, ULONG& written) {
  written = 0;
  if (count == 0) return S_OK;
  // Another stream on this element may have cut the data below this position.
  if (m_position > m_element.Size()) {
    const HRESULT hr = Grow(m_position);
    if (FAILED(hr)) return hr;
  }
  if (!m_element.FirstCluster()) {
    const DWORD first = m_allocator.TakeFreeHead();
    if (!first) return STG_E_INSUFFICIENTMEMORY;
    m_element.SetFirstCluster(first);
    m_element.SetEnd(0, first);
  }
  const auto* bytes = static_cast<const BYTE*>(buffer);
  while (written < count) {
    ULONG put = 0;
    const HRESULT hr = WritePiece(bytes + written, count - written, put);
    written += put;
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

// Writes up to the end of the cluster at the position.
HRESULT ChainStream::WritePiece(const BYTE* bytes, ULONG count, ULONG& written) {
  written = 0;
  const ULONGLONG index = m_position / kClusterSize;
  const DWORD within = OffsetInCluster(m_position);
  const ULONG piece = std::min<ULONG>(count, kClusterSize - within);
  DWORD cluster = 0;
  const bool extends = index >= m_element.ClusterCount();
  if (extends) {
    cluster = m_allocator.AllocateAfter(m_element.LastCluster(), m_position);
    if (!cluster) return STG_E_INSUFFICIENTMEMORY;
  } else {
    cluster = ClusterAt(index);
    if (!m_allocator.TakenSinceCommit(cluster)) {
      const HRESULT hr = Replace(index, cluster);
      if (FAILED(hr)) return hr;
    }
  }
  const HRESULT hr = m_allocator.WriteCluster(cluster, within, bytes, piece, written);
  if (written == 0 && extends) {
    m_allocator.GiveBack(cluster);  // the chain keeps no cluster that holds nothing
    return FAILED(hr) ? hr : E_FAIL;
  }
  m_position += written;
  if (m_position > m_element.Size()) m_element.SetEnd(m_position, cluster);
  Remember(index, cluster);
  if (FAILED(hr)) return hr;
  return written == piece ? S_OK : E_FAIL;
}

// Copies the used part of the cluster into a fresh one that takes its place in the chain;
// the old one joins the release list, so the committed copy keeps its bytes.
HRESULT ChainStream::Replace(ULONGLONG index, DWORD& cluster) {
  const ULONGLONG start = index * kClusterSize;
  const ULONG used =
      m_element.Size() > start
          ? static_cast<ULONG>(std::min<ULONGLONG>(kClusterSize, m_element.Size() - start))
          : 0;
  std::vector<BYTE> saved(used);
  ULONG moved = 0;
  if (used) {
    const HRESULT hr = m_allocator.ReadCluster(cluster, 0, saved.data(), used, moved);
    if (FAILED(hr)) return hr;
  }
  const DWORD fresh = m_allocator.TakeFreeHead();
  if (!fresh) return STG_E_INSUFFICIENTMEMORY;
  if (used) {
    const HRESULT hr = m_allocator.WriteCluster(fresh, 0, saved.data(), used, moved);
    if (FAILED(hr) || moved != used) {
      m_allocator.GiveBack(fresh);
      return FAILED(hr) ? hr : E_FAIL;
    }
  }
  const DWORD old = cluster;
  m_allocator.ReplaceInChain(old, fresh);
  if (m_element.FirstCluster() == old) m_element.SetFirstCluster(fresh);
  if (m_element.LastCluster() == old) m_element.SetEnd(m_element.Size(), fresh);
  ++m_element.chainGeneration;
  cluster = fresh;
  Remember(index, fresh);
  return S_OK;
}

HRESULT ChainStream::Seek(ULONGLONG position) {
  if (position > m_element.Size()) {
    const HRESULT hr = Grow(position);
    if (FAILED(hr)) return hr;
  }
  m_position = position;
  return S_OK;
}

HRESULT ChainStream::SetSize(ULONGLONG size) {
  HRESULT hr = S_OK;
  if (size > m_element.Size()) {
    hr = Grow(size);
  } else if (size < m_element.Size() || (size == 0 && m_element.FirstCluster())) {
    Cut(size);
  }
  m_position = std::min(m_position, m_element.Size());
  return hr;
}

HRESULT ChainStream::DirectAddress(ULONGLONG offset, ULONG count, BYTE*& address) {
  address = nullptr;
  BYTE* base = m_allocator.BaseAddress();
  const ULONGLONG size = m_element.Size();
  if (!base || count == 0 || offset >= size || count > size - offset) return S_FALSE;
  const ULONGLONG firstIndex = offset / kClusterSize;
  const ULONGLONG lastIndex = (offset + count - 1) / kClusterSize;
  const DWORD first = ClusterAt(firstIndex);
  DWORD cluster = first;
  for (ULONGLONG i = firstIndex; i < lastIndex; ++i) {
    const DWORD next = Step(cluster, true);
    if (next != cluster + 1) return S_FALSE;
    cluster = next;
  }
  address = base + ClusterFileOffset(first) + OffsetInCluster(offset);
  return S_OK;
}

// Takes clusters next to the chain end until the data reaches `size`; on failure the data
// keeps the clusters it got.
HRESULT ChainStream::Grow(ULONGLONG size) {
  const ULONGLONG needed = ClustersFor(size);
  if (needed > m_allocator.MaxEntries()) return STG_E_MEDIUMFULL;  // no map could hold it
  if (!m_element.FirstCluster()) {
    const DWORD first = m_allocator.TakeFreeHead();
    if (!first) return STG_E_MEDIUMFULL;
    m_element.SetFirstCluster(first);
    m_element.SetEnd(0, first);
  }
  ULONGLONG count = m_element.ClusterCount();
  DWORD last = m_element.LastCluster();
  for (; count < needed; ++count) {
    const DWORD next = m_allocator.AllocateAfter(last, 0);
    if (!next) {
      m_element.SetEnd(count * kClusterSize, last);
      return STG_E_MEDIUMFULL;
    }
    last = next;
  }
  m_element.SetEnd(size, last);
  return S_OK;
}

// Walks back from the chain end, releasing every cluster the new size no longer needs; at
// size 0 the element keeps no cluster at all.
void ChainStream::Cut(ULONGLONG size) {
  CheckClusterCount();
  const ULONGLONG keep = ClustersFor(size);
  ULONGLONG count = m_element.ClusterCount();
  DWORD last = m_element.LastCluster();
  for (; count > keep; --count) {
    const DWORD before = count > 1 ? Step(last, false) : 0;
    m_allocator.ReleaseChainEnd(last);
    last = before;
  }
  if (keep == 0) m_element.SetFirstCluster(0);
  m_element.SetEnd(size, last);
  ++m_element.chainGeneration;
  m_allocator.MarkExtentChanged();
}

DWORD ChainStream::ClusterAt(ULONGLONG index) {
  CheckClusterCount();
  // Start from whichever known cluster is nearest: the first, the last or the remembered one.
  auto distance = [index](ULONGLONG from) { return from > index ? from - index : index - from; };
  Cursor from{0, m_element.FirstCluster(), 0};
  const ULONGLONG lastIndex = m_element.ClusterCount() - 1;
  if (distance(lastIndex) < distance(from.index)) from = {lastIndex, m_element.LastCluster(), 0};
  if (m_cursorValid && m_cursor.generation == m_element.chainGeneration &&
      m_cursor.index <= lastIndex && distance(m_cursor.index) < distance(from.index)) {
    from = m_cursor;
  }
  DWORD cluster = from.cluster;
  for (ULONGLONG i = from.index; i < index; ++i) cluster = Step(cluster, true);
  for (ULONGLONG i = from.index; i > index; --i) cluster = Step(cluster, false);
  Remember(index, cluster);
  return cluster;
}

DWORD ChainStream::Step(DWORD cluster, bool forward) const {
  const DWORD next = forward ? m_allocator.Next(cluster) : m_allocator.Prev(cluster);
  if (!m_allocator.InUse(next)) throw XQuor(STG_E_DOCFILECORRUPT);
  return next;
}

// A size that no map could hold clusters for would send the walks round for ever.
void ChainStream::CheckClusterCount() const {
  if (m_element.ClusterCount() > m_allocator.EntryCount()) throw XQuor(STG_E_DOCFILECORRUPT);
}

void ChainStream::Remember(ULONGLONG index, DWORD cluster) {
  m_cursor = {index, cluster, m_element.chainGeneration};
  m_cursorValid = true;
}
