#include "core/storage/storage_allocator.h"

#include <algorithm>
#include <cstring>

#include "core/storage/element_table.h"
#include "core/xquor.h"
#include "platform/win32/storage.h"

using namespace QuorCompoundFile;

namespace {

constexpr DWORD kRootMode =
    STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_TRANSACTED | STGM_DELETEONRELEASE;
static_assert(kRootMode == 0x04011012);

// A failed or short write ends the commit.
void Check(HRESULT hr, ULONG moved = 0, ULONG expected = 0) {
  if (FAILED(hr)) throw XQuor(hr);
  if (moved != expected) throw XQuor(E_FAIL);
}

ULARGE_INTEGER At(ULONGLONG offset) {
  ULARGE_INTEGER value;
  value.QuadPart = offset;
  return value;
}

}  // namespace

StorageAllocator::StorageAllocator(ILockBytes* lockBytes, DWORD maxMapEntries)
    : ClusterMap(maxMapEntries), m_lockBytes(lockBytes) {
  HoldLockBytes();
  std::copy(std::begin(kTitle), std::end(kTitle), m_header.title);
  m_header.version = kVersion;
  m_header.headerSize = kHeaderSize;
  m_header.unreadConstants[0] = 0x20000;
  m_header.unreadConstants[1] = 0x7FFFFFFF;
  m_header.log2ClusterSize = kLog2ClusterSize;
  m_root = std::make_unique<Element>(kRootName, STGTY_STORAGE, nullptr);
  m_root->mode = kRootMode;
}

StorageAllocator::StorageAllocator(ILockBytes* lockBytes, const Header& header,
                                   std::vector<MapEntry> map, DWORD maxMapEntries)
    : ClusterMap(std::move(map), maxMapEntries),
      m_header(header),
      m_copy(1 - (header.selector & 1)),
      m_committedOnce(true),
      m_lockBytes(lockBytes) {
  HoldLockBytes();
  const ElementRecord& root = header.rootEntry[header.selector & 1];
  m_root = std::make_unique<Element>(root.name, root.type, nullptr);
  m_root->record = root;
}

void StorageAllocator::HoldLockBytes() {
  m_lockBytes->AddRef();
  void* extended = nullptr;
  if (SUCCEEDED(m_lockBytes->QueryInterface(IQuorLockBytes::iid, &extended))) {
    m_quorLockBytes = static_cast<IQuorLockBytes*>(extended);
  }
}

StorageAllocator::~StorageAllocator() {
  m_root.reset();
  if (m_quorLockBytes) m_quorLockBytes->Release();
  m_lockBytes->Release();
}

BYTE* StorageAllocator::BaseAddress() const {
  BYTE* base = nullptr;
  if (m_quorLockBytes && FAILED(m_quorLockBytes->GetBaseAddress(&base))) return nullptr;
  return base;
}

HRESULT StorageAllocator::ReadCluster(DWORD cluster, DWORD within, void* buffer, ULONG count,
                                      ULONG& read) {
  read = 0;
  const HRESULT hr =
      m_lockBytes->ReadAt(At(ClusterFileOffset(cluster) + within), buffer, count, &read);
  if (FAILED(hr)) return hr;
  // A cluster taken but never written may lie past the end of the file.
  std::memset(static_cast<BYTE*>(buffer) + read, 0, count - read);
  read = count;
  return hr;
}

HRESULT StorageAllocator::WriteCluster(DWORD cluster, DWORD within, const void* buffer, ULONG count,
                                       ULONG& written) {
  written = 0;
  return m_lockBytes->WriteAt(At(ClusterFileOffset(cluster) + within), buffer, count, &written);
}

void StorageAllocator::CommitFile(DWORD flags) {
  if (NothingToCommit()) return;
  const DWORD run = PlaceMap();
  WriteMap(run);
  m_header.mapEntryCount[m_copy] = EntryCount();
  m_header.mapEntryCountCheck[m_copy] = 0u - EntryCount();
  m_header.rootEntry[m_copy] = m_root->record;
  WriteHeaderPart(kCopyAreaBegin, kCopyAreaEnd);
  if (m_extentChanged) {
    Check(m_lockBytes->SetSize(At(ClusterFileOffset(HighestInUse() + 1))));
    m_extentChanged = false;
  }
  const bool flush = !(flags & STGC_DANGEROUSLYCOMMITMERELYTODISKCACHE);
  if (flush) Check(m_lockBytes->Flush());
  // Everything the new copy names is on the file: now the selector may name it.
  WriteHeaderPart(0, kFixedPartEnd);
  m_header.selector = m_copy;
  WriteHeaderPart(offsetof(Header, selector), offsetof(Header, selector) + sizeof(DWORD));
  if (flush) Check(m_lockBytes->Flush());
  m_copy = 1 - m_copy;
  m_committedOnce = true;
  EndTransaction();
}

bool StorageAllocator::NothingToCommit() const {
  return m_committedOnce && !Changed() &&
         std::memcmp(&m_root->record, &m_header.rootEntry[1 - m_copy], sizeof(ElementRecord)) == 0;
}

// The run of clusters that will hold the map. The run this copy used two commits ago is named
// by no copy now and is kept when it is still long enough; the other copy's run is in use and
// never touched.
DWORD StorageAllocator::PlaceMap() {
  DWORD& run = m_header.mapFirstCluster[m_copy];
  DWORD clusters = EntryCount() / kMapEntriesPerCluster;
  if (run && IsChainedRun(run, clusters)) return run;
  if (run) {
    FreeChain(run);
    run = 0;
    m_extentChanged = true;
  }
  DWORD first = FindFreeRun(clusters);
  if (!first) {
    first = GrowForMapRun(clusters);
    clusters = EntryCount() / kMapEntriesPerCluster;
  }
  for (DWORD i = 0; i < clusters; ++i) {
    if (!IsFree(first + i)) throw XQuor(STG_E_INSUFFICIENTMEMORY);
  }
  TakeRun(first, clusters);
  run = first;  // recorded at once, so that a failed commit still knows what this copy holds
  return run;
}

// Grows the map so that its new numbers, joined to a free stretch at the old end, hold the run
// of the grown map; returns the run's first number.
DWORD StorageAllocator::GrowForMapRun(DWORD clusters) {
  DWORD stretchStart = 0;
  const DWORD stretch = FreeStretchAtEnd(stretchStart);
  const ULONGLONG missing = clusters - stretch;
  const ULONGLONG perBlock = kMapEntriesPerCluster;
  const auto blocks = static_cast<DWORD>(
      (((perBlock + 1) * missing + perBlock - 1) / perBlock - 1 + perBlock) / perBlock);
  const DWORD firstNew = EntryCount();
  if (!Grow(blocks)) throw XQuor(STG_E_INSUFFICIENTMEMORY);
  return stretch ? stretchStart : firstNew;
}

void StorageAllocator::WriteMap(DWORD run) {
  const auto* bytes = reinterpret_cast<const BYTE*>(Entries().data());
  const DWORD clusters = EntryCount() / kMapEntriesPerCluster;
  for (DWORD i = 0; i < clusters; ++i) {
    ULONG written = 0;
    const HRESULT hr =
        WriteCluster(run + i, 0, bytes + ULONGLONG{i} * kClusterSize, kClusterSize, written);
    Check(hr, written, kClusterSize);
  }
}

void StorageAllocator::WriteHeaderPart(DWORD begin, DWORD end) {
  ULONG written = 0;
  const auto* bytes = reinterpret_cast<const BYTE*>(&m_header);
  const HRESULT hr = m_lockBytes->WriteAt(At(begin), bytes + begin, end - begin, &written);
  Check(hr, written, end - begin);
}
