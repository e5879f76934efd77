#include "core/storage/quor_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/storage/compound_file_format.h"
#include "core/storage/iquor_storage.h"
#include "storage_test_support.h"

namespace {

using namespace storage_test;
using QuorCompoundFile::kClusterSize;

ULONGLONG Position(IStream* stream) {
  ULARGE_INTEGER position;
  EXPECT_EQ(stream->Seek(Move(0), STREAM_SEEK_CUR, &position), S_OK);
  return position.QuadPart;
}

TEST(QuorStream, DataGrowsAcrossClustersAndReadsBackInAnyPieces) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  const std::string contents = Pattern(3 * kClusterSize + 12345, 7);
  for (std::size_t at = 0; at < contents.size(); at += 5000)
    WriteAll(stream.Get(), contents.substr(at, 5000));
  EXPECT_EQ(StreamSize(stream.Get()), contents.size());
  EXPECT_EQ(ReadAll(stream.Get()), contents);

  // Each seek is followed by a read of up to 20 bytes.
  const auto size = static_cast<LONGLONG>(contents.size());
  struct Case {
    LONGLONG move;
    DWORD origin;
    HRESULT result;
    ULONGLONG position;
  } seeks[] = {
      {kClusterSize - 3, STREAM_SEEK_SET, S_OK, kClusterSize - 3},  // across a cluster boundary
      {2 * kClusterSize, STREAM_SEEK_CUR, S_OK, 3 * kClusterSize + 17},
      {-10, STREAM_SEEK_END, S_OK, contents.size() - 10},
      {-size - 1, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, contents.size()},  // before the start
  };
  for (const Case& c : seeks) {
    EXPECT_EQ(stream->Seek(Move(c.move), c.origin, nullptr), c.result);
    EXPECT_EQ(Position(stream.Get()), c.position);
    char bytes[20];
    ULONG read = 0;
    ASSERT_EQ(stream->Read(bytes, sizeof bytes, &read), S_OK);
    const auto available = std::min<ULONGLONG>(20, contents.size() - c.position);
    ASSERT_EQ(read, available);
    EXPECT_EQ(std::string(bytes, read), contents.substr(c.position, read));
  }
  EXPECT_EQ(stream->Seek(Move(0), 3, nullptr), STG_E_INVALIDFUNCTION);
}

TEST(QuorStream, SeekingPastTheEndExtendsTheData) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  ULARGE_INTEGER position;
  ASSERT_EQ(stream->Seek(Move(10), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 10u);
  char byte;
  ULONG read = 99;
  EXPECT_EQ(stream->Read(&byte, 1, &read), S_OK);
  EXPECT_EQ(read, 0u);
  EXPECT_EQ(StreamSize(stream.Get()), 10u);

  // Far past the end, into clusters that nothing has written yet.
  ASSERT_EQ(stream->Seek(Move(2 * kClusterSize + 5), STREAM_SEEK_SET, nullptr), S_OK);
  WriteAll(stream.Get(), "end");
  EXPECT_EQ(StreamSize(stream.Get()), 2 * kClusterSize + 8);
  EXPECT_EQ(ReadAll(stream.Get()), std::string(2 * kClusterSize + 5, '\0') + "end");
}

TEST(QuorStream, SetSizeCutsAndGrowsAndKeepsTheDataBelowTheCut) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  const std::string contents = Pattern(70000, 8);
  WriteAll(stream.Get(), contents);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);

  ASSERT_EQ(stream->SetSize(Size(40000)), S_OK);
  EXPECT_EQ(Position(stream.Get()), 40000u);  // the position moved to the new end
  EXPECT_EQ(ReadAll(stream.Get()), contents.substr(0, 40000));
  ASSERT_EQ(stream->SetSize(Size(0)), S_OK);
  EXPECT_EQ(ReadAll(stream.Get()), "");
  ASSERT_EQ(stream->SetSize(Size(kClusterSize + 1)), S_OK);
  EXPECT_EQ(StreamSize(stream.Get()), kClusterSize + 1);
  WriteAll(stream.Get(), "x");
  EXPECT_EQ(ReadAll(stream.Get()).substr(1), std::string(kClusterSize, '\0'));
}

// A cut end or a replaced cluster must not leave another stream on the element with a stale
// cluster in its position.
TEST(QuorStream, ClonesShareTheDataThroughReplacementsAndCuts) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  std::string contents = Pattern(3 * kClusterSize, 9);
  WriteAll(stream.Get(), contents);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);

  ComPtr<IStream> clone;
  ASSERT_EQ(stream->Seek(Move(kClusterSize + 10), STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(stream->Clone(ComPtrOut<IStream>::Bind(clone)), S_OK);
  EXPECT_EQ(Position(clone.Get()), kClusterSize + 10);

  // The committed second cluster is replaced under the clone's position.
  WriteAll(stream.Get(), "first");
  contents.replace(kClusterSize + 10, 5, "first");
  char bytes[5];
  ULONG read = 0;
  ASSERT_EQ(clone->Read(bytes, 5, &read), S_OK);
  EXPECT_EQ(std::string(bytes, read), "first");
  WriteAll(clone.Get(), "second");
  contents.replace(kClusterSize + 15, 6, "second");
  EXPECT_EQ(ReadAll(stream.Get()), contents);

  // Cut below the clone's position: its next write grows the data back to it.
  ASSERT_EQ(clone->Seek(Move(2 * kClusterSize + 100), STREAM_SEEK_SET, nullptr), S_OK);
  ASSERT_EQ(stream->SetSize(Size(kClusterSize)), S_OK);
  WriteAll(clone.Get(), "tail");
  EXPECT_EQ(StreamSize(stream.Get()), 2 * kClusterSize + 104);
  EXPECT_EQ(ReadAll(stream.Get()).substr(0, kClusterSize), contents.substr(0, kClusterSize));
}

TEST(QuorStream, CopyToMovesTheCountFromThePosition) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> source = CreateStream(file.root.Get(), u"Source");
  ComPtr<IStream> target = CreateStream(file.root.Get(), u"Target");
  const std::string contents = Pattern(kClusterSize + 999, 10);
  WriteAll(source.Get(), contents);
  ASSERT_EQ(source->Seek(Move(100), STREAM_SEEK_SET, nullptr), S_OK);
  ULARGE_INTEGER read, written;
  ASSERT_EQ(source->CopyTo(target.Get(), Size(kClusterSize), &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, kClusterSize);
  EXPECT_EQ(written.QuadPart, kClusterSize);
  ASSERT_EQ(source->CopyTo(target.Get(), Size(~0ull), &read, &written), S_OK);
  EXPECT_EQ(read.QuadPart, 899u);  // the rest
  EXPECT_EQ(ReadAll(target.Get()), contents.substr(100));
  EXPECT_EQ(source->CopyTo(nullptr, Size(1), nullptr, nullptr), STG_E_INVALIDPOINTER);
}

TEST(QuorStream, GrowthBeyondWhatTheMapCanHoldFailsWithMediumFull) {
  // A map of at most 8192 numbers: 8190 clusters.
  MemoryFile file = NewMemoryFile(false, 2 * QuorCompoundFile::kMapEntriesPerCluster);
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  EXPECT_EQ(stream->Seek(Move(1ll << 62), STREAM_SEEK_SET, nullptr), STG_E_MEDIUMFULL);
  EXPECT_EQ(StreamSize(stream.Get()), 0u);
  EXPECT_EQ(stream->Seek(Move(8191ll * kClusterSize), STREAM_SEEK_SET, nullptr), STG_E_MEDIUMFULL);
  EXPECT_EQ(StreamSize(stream.Get()), 8190ull * kClusterSize);  // what could be had is kept
  EXPECT_EQ(Position(stream.Get()), 0u);
  EXPECT_EQ(stream->SetSize(Size(10)), S_OK);
  WriteAll(stream.Get(), "fits");
}

TEST(QuorStream, DirectAddressesOnlyForConsecutiveClustersOfMappedBytes) {
  MemoryFile file = NewMemoryFile(true);
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  const std::string contents = Pattern(2 * kClusterSize + 10, 11);
  WriteAll(stream.Get(), contents);
  ComPtr<IQuorStream> direct;
  ASSERT_EQ(stream->QueryInterface(IQuorStream::iid, ComPtrOut<IQuorStream>::Bind(direct)), S_OK);

  BYTE* address = nullptr;
  ASSERT_EQ(direct->GetDirectAddress(kClusterSize - 5, 20, &address), S_OK);
  EXPECT_EQ(std::memcmp(address, contents.data() + kClusterSize - 5, 20), 0);
  EXPECT_EQ(direct->GetDirectAddress(2 * kClusterSize, 11, &address), S_FALSE);  // past the end
  EXPECT_EQ(address, nullptr);

  // A replaced middle cluster breaks the run.
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  ASSERT_EQ(stream->Seek(Move(kClusterSize), STREAM_SEEK_SET, nullptr), S_OK);
  WriteAll(stream.Get(), "x");
  EXPECT_EQ(direct->GetDirectAddress(kClusterSize - 5, 20, &address), S_FALSE);

  ULONG_PTR data = 0;
  EXPECT_EQ(direct->GetLockBytesUserData(&data), S_OK);
  EXPECT_EQ(data, 0x5EEDu);
}

TEST(QuorStream, AnswersItsInterfacesAndLeavesTransactionsToItsStorage) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  for (const IID* iid :
       {&IID_IUnknown, &ISequentialStream::iid, &IStream::iid, &IQuorStream::iid}) {
    ComPtr<IUnknown> face;
    EXPECT_EQ(stream->QueryInterface(*iid, ComPtrOut<IUnknown>::Bind(face)), S_OK);
  }
  ComPtr<IUnknown> none;
  EXPECT_EQ(stream->QueryInterface(IStorage::iid, ComPtrOut<IUnknown>::Bind(none)), E_NOINTERFACE);
  EXPECT_EQ(stream->Commit(STGC_DEFAULT), S_OK);
  EXPECT_EQ(stream->Revert(), E_NOTIMPL);
  EXPECT_EQ(stream->LockRegion(Size(0), Size(1), LOCK_WRITE), E_NOTIMPL);
  EXPECT_EQ(stream->UnlockRegion(Size(0), Size(1), LOCK_WRITE), E_NOTIMPL);
}

}  // namespace
