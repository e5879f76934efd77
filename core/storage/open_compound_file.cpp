#include "core/storage/open_compound_file.h"

#include <algorithm>
#include <vector>

#include "core/storage/chain_check.h"
#include "core/storage/cluster_claims.h"
#include "core/storage/element_table.h"

namespace QuorCompoundFile {

namespace {

ULARGE_INTEGER At(ULONGLONG offset) {
  ULARGE_INTEGER value;
  value.QuadPart = offset;
  return value;
}

DWORD SelectedCopy(const Header& header) { return header.selector & 1; }

DWORD MapRunClusters(const Header& header) {
  return header.mapEntryCount[SelectedCopy(header)] / kMapEntriesPerCluster;
}

// Reads `count` bytes that must all be there.
HRESULT ReadExactly(ILockBytes* lockBytes, ULONGLONG offset, void* buffer, ULONG count) {
  ULONG read = 0;
  const HRESULT hr = lockBytes->ReadAt(At(offset), buffer, count, &read);
  if (FAILED(hr)) return hr;
  return read == count ? S_OK : STG_E_DOCFILECORRUPT;
}

bool TitleIsOurs(const Header& header) {
  WCHAR expected[sizeof header.title / sizeof(WCHAR)] = {};
  std::copy(std::begin(kTitle), std::end(kTitle), expected);
  return std::equal(std::begin(expected), std::end(expected), std::begin(header.title));
}

// The fixed part, and the map's size and place in the selected copy: a count of whole map
// clusters that cancels with its check word, a run inside the map and inside the file.
HRESULT CheckHeader(const Header& header, ULONGLONG fileSize, DWORD maxMapEntries) {
  if (!TitleIsOurs(header)) return STG_E_DOCFILECORRUPT;
  if (header.version < kOldestReadableVersion) return STG_E_OLDFORMAT;
  if (header.version > kVersion) return STG_E_OLDDLL;
  if (header.headerSize != kHeaderSize || header.log2ClusterSize != kLog2ClusterSize) {
    return STG_E_DOCFILECORRUPT;
  }
  const DWORD copy = SelectedCopy(header);
  const DWORD count = header.mapEntryCount[copy];
  if (count == 0 || count % kMapEntriesPerCluster != 0 || count > maxMapEntries ||
      count + header.mapEntryCountCheck[copy] != 0) {
    return STG_E_DOCFILECORRUPT;
  }
  const ULONGLONG run = header.mapFirstCluster[copy];
  const ULONGLONG runEnd = run + MapRunClusters(header);
  const ULONGLONG runFileEnd = (runEnd - kFirstCluster) * kClusterSize + kHeaderSize;
  if (run < kFirstCluster || runEnd > count || runFileEnd > fileSize) return STG_E_DOCFILECORRUPT;
  return S_OK;
}

HRESULT ReadHeader(ILockBytes* lockBytes, DWORD maxMapEntries, Header& header) {
  STATSTG status;
  HRESULT hr = lockBytes->Stat(&status, STATFLAG_NONAME);
  if (FAILED(hr)) return hr;
  const ULONGLONG fileSize = status.cbSize.QuadPart;
  if (fileSize < kHeaderSize) return STG_E_DOCFILECORRUPT;
  hr = ReadExactly(lockBytes, 0, &header, sizeof header);
  if (FAILED(hr)) return hr;
  return CheckHeader(header, fileSize, maxMapEntries);
}

// The header has placed the whole run inside the file.
HRESULT ReadMap(ILockBytes* lockBytes, const Header& header, std::vector<MapEntry>& map) {
  const DWORD copy = SelectedCopy(header);
  map.resize(header.mapEntryCount[copy]);
  for (DWORD i = 0; i < MapRunClusters(header); ++i) {
    const HRESULT hr = ReadExactly(lockBytes, ClusterFileOffset(header.mapFirstCluster[copy] + i),
                                   map.data() + ULONGLONG{i} * kMapEntriesPerCluster, kClusterSize);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

void AddStorages(const ElementTable& table, std::vector<ElementRecord>& pending) {
  for (DWORD i = 0; i < table.Count(); ++i) {
    if (table.At(i).IsStorage()) pending.push_back(table.At(i).record);
  }
}

// Reads every table of the tree, checking each record and claiming its chain; the walk keeps
// its own list of storages still to read, so that no depth of nesting exhausts the stack. The
// root's table stays loaded; the others are read again when their storage is opened.
bool TreeIsSound(StorageAllocator& allocator, ClusterClaims& claims) {
  Element& root = allocator.Root();
  if (!root.IsStorage() || !ChainIsSound(allocator, root.record, claims)) return false;
  try {
    root.table = ElementTable::Read(allocator, root, claims);
    std::vector<ElementRecord> pending;
    AddStorages(*root.table, pending);
    while (!pending.empty()) {
      Element storage(pending.back().name, STGTY_STORAGE, nullptr);
      storage.record = pending.back();
      pending.pop_back();
      AddStorages(*ElementTable::Read(allocator, storage, claims), pending);
    }
  } catch (const XDamagedTable&) {
    return false;
  }
  return true;
}

// What is in use but claimed by nothing is the map run of the other copy, which the next
// commit may reuse: one whole run, or nothing. Anything else is damage.
bool FindSpareRun(const ClusterMap& map, const ClusterClaims& claims, DWORD& run) {
  run = 0;
  DWORD length = 0;
  for (DWORD c = kFirstCluster; c < map.EntryCount(); ++c) {
    if (!map.InUse(c) || claims.Claimed(c)) continue;
    if (run && c != run + length) return false;
    if (!run) run = c;
    ++length;
  }
  return !run || map.IsWholeRun(run, length);
}

}  // namespace

HRESULT OpenCompoundFile(ILockBytes* lockBytes, DWORD maxMapEntries,
                         std::unique_ptr<StorageAllocator>& allocator) {
  Header header;
  HRESULT hr = ReadHeader(lockBytes, maxMapEntries, header);
  if (FAILED(hr)) return hr;
  std::vector<MapEntry> map;
  hr = ReadMap(lockBytes, header, map);
  if (FAILED(hr)) return hr;
  auto opened =
      std::make_unique<StorageAllocator>(lockBytes, header, std::move(map), maxMapEntries);
  ClusterClaims claims(opened->EntryCount());
  DWORD spare = 0;
  if (!opened->CheckLists(header.mapFirstCluster[SelectedCopy(header)], MapRunClusters(header),
                          claims) ||
      !TreeIsSound(*opened, claims) || !FindSpareRun(*opened, claims, spare)) {
    return STG_E_DOCFILECORRUPT;
  }
  opened->UseForNextMap(spare);
  allocator = std::move(opened);
  return S_OK;
}

}  // namespace QuorCompoundFile
