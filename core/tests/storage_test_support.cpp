#include "storage_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>

#include "core/quor_string.h"
#include "core/storage/quor_storage.h"
#include "core/storage/storage_entry_points.h"
#include "platform/win32/global_memory.h"

using namespace QuorCompoundFile;

namespace storage_test {

MemoryFile NewMemoryFile(bool exposeBase, DWORD maxMapEntries) {
  MemoryFile file;
  file.bytes.Attach(new MemoryLockBytes(exposeBase));
  file.root.Attach(QuorStorage::CreateRoot(file.bytes.Get(), maxMapEntries));
  return file;
}

MemoryFile OpenMemoryFile(const std::vector<BYTE>& bytes, HRESULT& result) {
  MemoryFile file;
  file.bytes.Attach(new MemoryLockBytes);
  file.bytes->MutableBytes() = bytes;
  result = StgOpenStorageOnILockBytes(file.bytes.Get(), nullptr,
                                      STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED,
                                      nullptr, 0, ComPtrOut<IStorage>::Bind(file.root));
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

ComPtr<IStorage> OpenStorage(IStorage* storage, const std::u16string& name) {
  ComPtr<IStorage> child;
  EXPECT_EQ(storage->OpenStorage(name.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                 nullptr, 0, ComPtrOut<IStorage>::Bind(child)),
            S_OK);
  return child;
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

void WriteSampleTree(IStorage* root) {
  WriteAll(CreateStream(root, u"Data").Get(), Pattern(40000, 1));
  WriteAll(CreateStream(root, u"Exact").Get(), Pattern(kClusterSize, 2));
  CreateStream(root, u"Empty");
  EXPECT_EQ(CreateStream(root, u"Grown")->SetSize(Size(3 * kClusterSize + 5)), S_OK);
  const FILETIME created{0x11111111, 0x01D00000}, accessed{2, 3}, modified{0x44444444, 0x01D50000};
  EXPECT_EQ(root->SetElementTimes(u"Data", &created, &accessed, &modified), S_OK);
  ComPtr<IStorage> sub = CreateStorage(root, u"Sub");
  EXPECT_EQ(sub->SetClass(CLSID{0x01234567, 0x89AB, 0xCDEF, {1, 2, 3, 4, 5, 6, 7, 8}}), S_OK);
  WriteAll(CreateStream(sub.Get(), u"Inner").Get(), Pattern(100, 3));
  WriteAll(CreateStream(sub.Get(), u"Long").Get(), Pattern(2 * kClusterSize + 7, 4));
  WriteAll(CreateStream(CreateStorage(sub.Get(), u"Nested").Get(), u"Deep").Get(),
           Pattern(70000, 5));
  EXPECT_EQ(root->SetElementTimes(u"Sub", nullptr, &accessed, &modified), S_OK);
  CreateStorage(root, u"Blank");
}

std::vector<BYTE> SampleFileBytes() {
  MemoryFile file = NewMemoryFile();
  WriteSampleTree(file.root.Get());
  EXPECT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  ComPtr<IStream> data = OpenStream(file.root.Get(), u"Data");
  EXPECT_EQ(data->Seek(Move(1000), STREAM_SEEK_SET, nullptr), S_OK);
  WriteAll(data.Get(), "rewritten");
  EXPECT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  return file.bytes->Bytes();
}

namespace {

std::string Hex(const void* bytes, std::size_t size) {
  std::string hex;
  for (std::size_t i = 0; i < size; ++i) {
    hex += "0123456789abcdef"[static_cast<const BYTE*>(bytes)[i] >> 4];
    hex += "0123456789abcdef"[static_cast<const BYTE*>(bytes)[i] & 15];
  }
  return hex;
}

std::string Ticks(const FILETIME& time) {
  return std::to_string((ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

void DescribeInto(IStorage* storage, const std::string& path, std::string& description) {
  ComPtr<IEnumSTATSTG> elements;
  EXPECT_EQ(storage->EnumElements(0, nullptr, 0, ComPtrOut<IEnumSTATSTG>::Bind(elements)), S_OK);
  STATSTG status;
  ULONG fetched = 0;
  while (elements && elements->Next(1, &status, &fetched) == S_OK) {
    const std::u16string name = status.pwcsName;
    CoTaskMemFree(status.pwcsName);
    const std::string child = path + "/" + Quor::String(name).ToUtf8String();
    description += child + " type " + std::to_string(status.type) + " class " +
                   Hex(&status.clsid, sizeof status.clsid) + " times " + Ticks(status.mtime) + " " +
                   Ticks(status.ctime) + " " + Ticks(status.atime);
    if (status.type == STGTY_STREAM) {
      const std::string contents = ReadAll(OpenStream(storage, name).Get());
      description += " size " + std::to_string(status.cbSize.QuadPart) + " contents " +
                     std::to_string(std::hash<std::string>{}(contents)) + "\n";
    } else {
      description += "\n";
      DescribeInto(OpenStorage(storage, name).Get(), child, description);
    }
  }
}

}  // namespace

std::string DescribeTree(IStorage* storage) {
  std::string description;
  DescribeInto(storage, "", description);
  return description;
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

std::vector<BYTE> OtherCopy(std::vector<BYTE> bytes) {
  bytes[offsetof(Header, selector)] ^= 1;
  return bytes;
}

}  // namespace storage_test
