// Helpers of the storage-engine tests: a new compound file in memory, stream shortcuts, and a
// view of what a file's selected copy names, read from its bytes.
#pragma once

#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/storage/compound_file_format.h"
#include "memory_lock_bytes.h"
#include "platform/win32/storage.h"
#include "storage_pattern.h"

namespace storage_test {

using Quor::ComPtr;
using Quor::ComPtrOut;

struct MemoryFile {
  ComPtr<MemoryLockBytes> bytes;
  ComPtr<IStorage> root;
};

MemoryFile NewMemoryFile(bool exposeBase = false,
                         DWORD maxMapEntries = QuorCompoundFile::kMaxMapEntries);
// The compound file in `bytes`, opened on new memory lock bytes that hold a copy of them; the
// root is null when the open fails, with the code in `result`.
MemoryFile OpenMemoryFile(const std::vector<BYTE>& bytes, HRESULT& result);

LARGE_INTEGER Move(LONGLONG distance);
ULARGE_INTEGER Size(ULONGLONG size);

ComPtr<IStream> CreateStream(IStorage* storage, const std::u16string& name);
ComPtr<IStorage> CreateStorage(IStorage* storage, const std::u16string& name);
ComPtr<IStream> OpenStream(IStorage* storage, const std::u16string& name);
ComPtr<IStorage> OpenStorage(IStorage* storage, const std::u16string& name);
void WriteAll(IStream* stream, const std::string& bytes);
std::string ReadAll(IStream* stream);  // from the start
ULONGLONG StreamSize(IStream* stream);
// Every element below the storage as the engine's interfaces report it, one line each, depth
// first in table order: path, type, class id, times and, for a stream, size and contents.
std::string DescribeTree(IStorage* storage);

// A tree with every kind of element: streams empty, short, of exactly one cluster, over several
// clusters and grown without being written; storages empty, nested and with a class; times.
// Below the root: Data, Exact, Empty, Grown, Sub (Inner, Long, Nested (Deep)), Blank.
void WriteSampleTree(IStorage* root);
// The sample tree committed, then Data rewritten near its start and committed again: the file
// names copy 1, lists the replaced cluster for release and keeps copy 0's map run spare.
std::vector<BYTE> SampleFileBytes();
// The same bytes with the selector naming the other copy.
std::vector<BYTE> OtherCopy(std::vector<BYTE> bytes);

// The selected copy of a compound file, as its bytes say.
class CommittedFile {
 public:
  explicit CommittedFile(const std::vector<BYTE>& bytes);

  const QuorCompoundFile::Header& Header() const { return m_header; }
  DWORD Copy() const { return m_header.selector; }
  const QuorCompoundFile::ElementRecord& Root() const { return m_header.rootEntry[Copy()]; }
  const std::vector<QuorCompoundFile::MapEntry>& Map() const { return m_map; }
  std::vector<DWORD> Chain(DWORD first) const;
  std::string Data(const QuorCompoundFile::ElementRecord& element) const;
  std::vector<QuorCompoundFile::ElementRecord> Table(
      const QuorCompoundFile::ElementRecord& storage) const;
  // The record of the root's child of that name.
  QuorCompoundFile::ElementRecord Child(const std::u16string& name) const;

 private:
  const std::vector<BYTE>& m_bytes;
  QuorCompoundFile::Header m_header;
  std::vector<QuorCompoundFile::MapEntry> m_map;
};

}  // namespace storage_test
