// The bytes a commit leaves in the file: header copies, map runs and element records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/storage/compound_file_format.h"
#include "storage_test_support.h"

namespace {

using namespace storage_test;
using namespace QuorCompoundFile;

bool AllZero(const void* bytes, std::size_t size) {
  const auto* p = static_cast<const BYTE*>(bytes);
  return std::all_of(p, p + size, [](BYTE b) { return b == 0; });
}

TEST(StorageFormat, FirstCommitFillsCopyZeroAndLeavesCopyOneZero) {
  MemoryFile file = NewMemoryFile();
  WriteAll(CreateStream(file.root.Get(), u"Data").Get(), Pattern(40000, 1));
  WriteAll(CreateStream(file.root.Get(), u"Exact").Get(), Pattern(kClusterSize, 2));
  CreateStream(file.root.Get(), u"Empty");
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);

  const CommittedFile committed(file.bytes->Bytes());
  const Header& header = committed.Header();
  EXPECT_EQ(std::u16string(header.title), kTitle);
  EXPECT_TRUE(AllZero(header.title + 22, sizeof header.title - 22 * sizeof(WCHAR)));
  EXPECT_EQ(header.version, 29u);
  EXPECT_EQ(header.headerSize, 0x200u);
  EXPECT_EQ(header.unreadConstants[0], 0x20000u);
  EXPECT_EQ(header.unreadConstants[1], 0x7FFFFFFFu);
  EXPECT_EQ(header.unreadConstants[2], 0u);
  EXPECT_EQ(header.selector, 0u);
  EXPECT_EQ(header.log2ClusterSize, 15u);
  EXPECT_EQ(header.mapEntryCount[0], 4096u);
  EXPECT_EQ(header.mapEntryCountCheck[0], 0u - 4096u);
  EXPECT_NE(header.mapFirstCluster[0], 0u);
  EXPECT_EQ(header.mapEntryCount[1] | header.mapEntryCountCheck[1] | header.mapFirstCluster[1], 0u);
  EXPECT_TRUE(AllZero(&header.rootEntry[1], sizeof(ElementRecord)));
  EXPECT_EQ(std::u16string(committed.Root().name), kRootName);
  EXPECT_EQ(committed.Root().type, 1u);

  struct Case {
    std::u16string name;
    ULONGLONG size;
    std::size_t clusters;
    bool endMark;
  } cases[] = {
      {u"Data", 40000, 2, false},
      {u"Exact", kClusterSize, 1, true},
      {u"Empty", 0, 0, false},
  };
  for (const Case& c : cases) {
    const ElementRecord record = committed.Child(c.name);
    const std::vector<DWORD> chain = committed.Chain(record.firstCluster);
    EXPECT_EQ(record.size, c.size);
    EXPECT_EQ(record.type, 2u);
    EXPECT_EQ(record.startOffset, 0u);
    ASSERT_EQ(chain.size(), c.clusters) << std::string(c.name.begin(), c.name.end());
    const DWORD end = c.clusters ? chain.back() | (c.endMark ? kAtClusterEnd : 0) : 0;
    EXPECT_EQ(record.endCluster, end);
  }
  EXPECT_EQ(committed.Data(committed.Child(u"Data")), Pattern(40000, 1));
}

TEST(StorageFormat, CommitsAlternateCopiesAndKeepThePreviousCopyReadable) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> data = CreateStream(file.root.Get(), u"Data");
  std::string contents = Pattern(3 * kClusterSize + 100, 3);
  WriteAll(data.Get(), contents);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const std::vector<BYTE> first = file.bytes->Bytes();

  // Rewrite a few bytes in the middle of the second cluster.
  ASSERT_EQ(data->Seek(Move(kClusterSize + 500), STREAM_SEEK_SET, nullptr), S_OK);
  WriteAll(data.Get(), "rewritten");
  contents.replace(kClusterSize + 500, 9, "rewritten");
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const std::vector<BYTE> second = file.bytes->Bytes();

  const CommittedFile now(second);
  EXPECT_EQ(now.Copy(), 1u);
  EXPECT_NE(now.Header().mapFirstCluster[1], now.Header().mapFirstCluster[0]);
  EXPECT_EQ(now.Data(now.Child(u"Data")), contents);
  // Copy 0 still names the first commit's state, and its clusters kept their bytes.
  const CommittedFile firstView(first);
  const Header& old = firstView.Header();
  EXPECT_EQ(now.Header().mapEntryCount[0], old.mapEntryCount[0]);
  EXPECT_EQ(now.Header().mapEntryCountCheck[0], old.mapEntryCountCheck[0]);
  EXPECT_EQ(now.Header().mapFirstCluster[0], old.mapFirstCluster[0]);
  EXPECT_EQ(std::memcmp(&now.Header().rootEntry[0], &old.rootEntry[0], sizeof(ElementRecord)), 0);
  const std::vector<BYTE> previous = OtherCopy(second);
  const CommittedFile before(previous);
  EXPECT_EQ(before.Data(before.Child(u"Data")), Pattern(3 * kClusterSize + 100, 3));

  // The third commit writes copy 0 again, reusing its map run.
  WriteAll(data.Get(), "more");
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const CommittedFile third(file.bytes->Bytes());
  EXPECT_EQ(third.Copy(), 0u);
  EXPECT_EQ(third.Header().mapFirstCluster[0], CommittedFile(first).Header().mapFirstCluster[0]);
}

// A rewrite of a committed chain's last cluster moves the end record along with it.
TEST(StorageFormat, ReplacedLastClusterStaysTheEndOfTheChain) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> data = CreateStream(file.root.Get(), u"Data");
  std::string contents = Pattern(kClusterSize + 50, 6);
  WriteAll(data.Get(), contents);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  ASSERT_EQ(data->Seek(Move(kClusterSize + 10), STREAM_SEEK_SET, nullptr), S_OK);
  WriteAll(data.Get(), "changed");
  ASSERT_EQ(data->Seek(Move(0), STREAM_SEEK_END, nullptr), S_OK);
  const std::string more = Pattern(kClusterSize, 7);
  WriteAll(data.Get(), more);  // grows from the end cluster
  contents.replace(kClusterSize + 10, 7, "changed");
  contents += more;
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);

  const CommittedFile committed(file.bytes->Bytes());
  const ElementRecord record = committed.Child(u"Data");
  const std::vector<DWORD> chain = committed.Chain(record.firstCluster);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(record.endCluster, chain.back());
  EXPECT_EQ(committed.Data(record), contents);
}

TEST(StorageFormat, NothingIsWrittenBeforeTheFirstCommitOrWhenNothingChanged) {
  MemoryFile file = NewMemoryFile();
  WriteAll(CreateStream(file.root.Get(), u"Data").Get(), "abc");
  EXPECT_EQ(file.bytes->Changes(), 1u);  // the stream's data only
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const unsigned afterCommit = file.bytes->Changes();
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  EXPECT_EQ(file.bytes->Changes(), afterCommit);
}

TEST(StorageFormat, CutClustersStayReservedUntilTheCommitAfterNext) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> data = CreateStream(file.root.Get(), u"Data");
  WriteAll(data.Get(), Pattern(2 * kClusterSize, 4));
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const std::vector<DWORD> chain =
      CommittedFile(file.bytes->Bytes())
          .Chain(CommittedFile(file.bytes->Bytes()).Child(u"Data").firstCluster);
  ASSERT_EQ(chain.size(), 2u);

  ASSERT_EQ(data->SetSize(Size(0)), S_OK);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const std::vector<BYTE> cut = file.bytes->Bytes();
  const CommittedFile afterCut(cut);
  const ElementRecord record = afterCut.Child(u"Data");
  EXPECT_EQ(record.firstCluster, 0u);
  EXPECT_EQ(record.size, 0u);
  // The commit that cut them lists them for release: the previous copy still names them.
  const std::vector<MapEntry>& map = afterCut.Map();
  std::vector<DWORD> released;
  for (DWORD c = map[kReleaseListHead].next; c; c = map[c].next) released.push_back(c);
  for (DWORD cluster : chain) {
    EXPECT_EQ(map[cluster].prev & kFreeMark, 0u) << cluster;
    EXPECT_NE(std::find(released.begin(), released.end(), cluster), released.end()) << cluster;
  }

  // Once that commit is complete they are free: the next map shows them so.
  ASSERT_EQ(file.root->SetClass(GUID{1, 2, 3, {4}}), S_OK);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const CommittedFile afterNext(file.bytes->Bytes());
  for (DWORD cluster : chain) EXPECT_NE(afterNext.Map()[cluster].prev & kFreeMark, 0u) << cluster;
  EXPECT_EQ(afterNext.Map()[kReleaseListHead].next, 0u);
}

}  // namespace
