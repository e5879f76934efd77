#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/storage/quor_storage.h"

using namespace QuorCompoundFile;

namespace storage_test {

MemoryFile NewMemoryFile(bool exposeBase, DWORD maxMapEntries) {
  MemoryFile file;
  file.bytes.Attach(new MemoryLockBytes(exposeBase));
  file.root.Attach(QuorStorage::CreateRoot(file.bytes.Get(), maxMapEntries));
  return file;
}

LARGE_INTEGER Move(LONGLONG distance) {
  LARGE_INTEGER value;
  value.QuadPart = distance;
  return value;
}

ULARGE_INTEGER Size(ULONGLONG size) {
  ULARGE_INTEGER value;
  value.QuadPart = size;
  return value;
}

ComPtr<IStream> CreateStream(IStorage* storage, const std::u16string& name) {
  ComPtr<IStream> stream;
  EXPECT_EQ(storage->CreateStream(name.c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                  ComPtrOut<IStream>::Bind(stream)),
            S_OK);
  return stream;
}

ComPtr<IStorage> CreateStorage(IStorage* storage, const std::u16string& name) {
  ComPtr<IStorage> child;
  EXPECT_EQ(storage->CreateStorage(name.c_str(), STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                   ComPtrOut<IStorage>::Bind(child)),
            S_OK);
  return child;
}

ComPtr<IStream> OpenStream(IStorage* storage, const std::u16string& name) {
  ComPtr<IStream> stream;
  EXPECT_EQ(storage->OpenStream(name.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                ComPtrOut<IStream>::Bind(stream)),
            S_OK);
  return stream;
}

void WriteAll(IStream* stream, const std::string& bytes) {
  ULONG written = 0;
  ASSERT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
  ASSERT_EQ(written, bytes.size());
}

std::string ReadAll(IStream* stream) {
  EXPECT_EQ(stream->Seek(Move(0), STREAM_SEEK_SET, nullptr), S_OK);
  std::string bytes;
  char chunk[7001];  // not a divisor of the cluster size
  ULONG read = 0;
  while (stream->Read(chunk, sizeof chunk, &read) == S_OK && read) bytes.append(chunk, read);
  return bytes;
}

ULONGLONG StreamSize(IStream* stream) {
  STATSTG status;
  EXPECT_EQ(stream->Stat(&status, STATFLAG_NONAME), S_OK);
  return status.cbSize.QuadPart;
}

CommittedFile::CommittedFile(const std::vector<BYTE>& bytes) : m_bytes(bytes) {
  std::memset(&m_header, 0, sizeof m_header);
  std::memcpy(&m_header, bytes.data(), std::min<std::size_t>(bytes.size(), sizeof m_header));
  const DWORD count = m_header.mapEntryCount[Copy()];
  m_map.resize(count);
  const ULONGLONG at = ClusterFileOffset(m_header.mapFirstCluster[Copy()]);
  if (at + count * sizeof(MapEntry) <= bytes.size()) {
    std::memcpy(m_map.data(), bytes.data() + at, count * sizeof(MapEntry));
  }
}

std::vector<DWORD> CommittedFile::Chain(DWORD first) const {
  std::vector<DWORD> chain;
  for (DWORD c = first; c && c < m_map.size() && chain.size() <= m_map.size(); c = m_map[c].next) {
    chain.push_back(c);
  }
  return chain;
}

std::string CommittedFile::Data(const ElementRecord& element) const {
  std::string data;
  for (DWORD cluster : Chain(element.firstCluster)) {
    const ULONGLONG at = ClusterFileOffset(cluster);
    std::string piece(kClusterSize, '\0');
    if (at < m_bytes.size()) {
      std::memcpy(piece.data(), m_bytes.data() + at,
                  std::min<ULONGLONG>(kClusterSize, m_bytes.size() - at));
    }
    data += piece;
  }
  data.resize(std::min<ULONGLONG>(data.size(), element.size));
  return data;
}

std::vector<ElementRecord> CommittedFile::Table(const ElementRecord& storage) const {
  const std::string data = Data(storage);
  std::int32_t count = 0;
  std::memcpy(&count, data.data(), sizeof count);
  std::vector<ElementRecord> records(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    std::memcpy(&records[i], data.data() + kTableCountBytes + i * sizeof(ElementRecord),
                sizeof(ElementRecord));
  }
  return records;
}

ElementRecord CommittedFile::Child(const std::u16string& name) const {
  for (const ElementRecord& record : Table(Root())) {
    if (name == record.name) return record;
  }
  ADD_FAILURE() << "no committed element of that name";
  return ElementRecord{};
}

}  // namespace storage_test
