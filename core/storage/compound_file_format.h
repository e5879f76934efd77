// QuorCompoundFile: the byte layout of the compound file. A 512-byte header holds the fixed
// part, the selector and two copies of the file's state (cluster-map place and size, root
// record); 32 KiB clusters follow. A commit writes the copy that the selector does not name
// and then flips the selector, so the other copy stays readable until the flip.
#pragma once

#include <bit>
#include <cstddef>

#include "platform/win32/guid.h"
#include "platform/win32/types.h"

namespace QuorCompoundFile {

static_assert(std::endian::native == std::endian::little, "records are the file's own bytes");

constexpr DWORD kVersion = 29;
constexpr DWORD kHeaderSize = 512;
constexpr DWORD kLog2ClusterSize = 15;
constexpr DWORD kClusterSize = 1u << kLog2ClusterSize;
constexpr DWORD kMapEntriesPerCluster = kClusterSize / 8;

// Map entries 0 and 1 head the free list and the release list; clusters start at 2.
constexpr DWORD kFreeListHead = 0;
constexpr DWORD kReleaseListHead = 1;
constexpr DWORD kFirstCluster = 2;
// Bit 31 of a map entry's prev word: the cluster is free.
constexpr DWORD kFreeMark = 0x80000000;
// Bit 31 of a position's cluster word: the offset lies exactly at the end of that cluster.
constexpr DWORD kAtClusterEnd = 0x80000000;
// Cluster numbers must leave bit 31 to the marks.
constexpr DWORD kMaxMapEntries = kFreeMark - kMapEntriesPerCluster;

constexpr DWORD kMaxTableEntries = 1024;
constexpr DWORD kMaxNameUnits = 31;

constexpr char16_t kTitle[] = u"Halvern Compound File";
constexpr char16_t kRootName[] = u"QuorRootStorage";

struct MapEntry {
  DWORD next;
  DWORD prev;
};
static_assert(sizeof(MapEntry) == 8);

// The directory entry of a storage or a stream.
struct ElementRecord {
  WCHAR name[32];
  ULONGLONG startOffset;
  DWORD firstCluster;
  DWORD reserved1;
  ULONGLONG size;
  DWORD endCluster;
  DWORD reserved2;
  FILETIME mtime;
  FILETIME ctime;
  FILETIME atime;
  CLSID clsid;
  DWORD reserved3;
  DWORD type;
  BYTE reserved4[16];
};
static_assert(sizeof(ElementRecord) == 160);
static_assert(offsetof(ElementRecord, startOffset) == 64 &&
              offsetof(ElementRecord, firstCluster) == 72);
static_assert(offsetof(ElementRecord, size) == 80 && offsetof(ElementRecord, endCluster) == 88);
static_assert(offsetof(ElementRecord, mtime) == 96 && offsetof(ElementRecord, clsid) == 120);
static_assert(offsetof(ElementRecord, type) == 140);

struct Header {
  WCHAR title[64];
  DWORD version;
  DWORD headerSize;
  DWORD unreadConstants[3];  // 0x20000, 0x7FFFFFFF, 0: written, never read
  DWORD selector;
  DWORD log2ClusterSize;
  DWORD mapEntryCount[2];
  DWORD mapEntryCountCheck[2];
  DWORD mapFirstCluster[2];
  DWORD reserved;
  ElementRecord rootEntry[2];
  BYTE unused[8];
};
static_assert(sizeof(Header) == kHeaderSize);
static_assert(offsetof(Header, version) == 0x080 && offsetof(Header, selector) == 0x094);
static_assert(offsetof(Header, log2ClusterSize) == 0x098 &&
              offsetof(Header, mapEntryCount) == 0x09C);
static_assert(offsetof(Header, mapEntryCountCheck) == 0x0A4);
static_assert(offsetof(Header, mapFirstCluster) == 0x0AC && offsetof(Header, reserved) == 0x0B4);
static_assert(offsetof(Header, rootEntry) == 0x0B8 && offsetof(Header, unused) == 0x1F8);

// The three pieces of the header that a commit writes, in this order: copy area, fixed part,
// selector.
constexpr DWORD kFixedPartEnd = offsetof(Header, selector);
constexpr DWORD kCopyAreaBegin = offsetof(Header, log2ClusterSize);
constexpr DWORD kCopyAreaEnd = offsetof(Header, unused);

// A table of a storage: int32 count, int32 negated count, then the records.
constexpr DWORD kTableCountBytes = 8;

constexpr ULONGLONG ClusterFileOffset(DWORD cluster) {
  return (ULONGLONG{cluster} - kFirstCluster) * kClusterSize + kHeaderSize;
}

// The clusters that `size` bytes of data fill; exact for every size, the largest included.
constexpr ULONGLONG ClustersFor(ULONGLONG size) {
  return size / kClusterSize + (size % kClusterSize != 0 ? 1 : 0);
}

}  // namespace QuorCompoundFile
