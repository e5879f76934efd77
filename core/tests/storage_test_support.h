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

LARGE_INTEGER Move(LONGLONG distance);
ULARGE_INTEGER Size(ULONGLONG size);

ComPtr<IStream> CreateStream(IStorage* storage, const std::u16string& name);
ComPtr<IStorage> CreateStorage(IStorage* storage, const std::u16string& name);
ComPtr<IStream> OpenStream(IStorage* storage, const std::u16string& name);
void WriteAll(IStream* stream, const std::string& bytes);
std::string ReadAll(IStream* stream);  // from the start
ULONGLONG StreamSize(IStream* stream);

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
