// Compound files opened again: what was committed reads back equal, the write paths stay sound
// after an open, and an open that changes nothing writes nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "core/quor_string.h"
#include "core/storage/compound_file_format.h"
#include "core/storage/storage_entry_points.h"
#include "platform/win32/global_memory.h"
#include "storage_test_support.h"

namespace {

using namespace storage_test;
using namespace QuorCompoundFile;

TEST(OpenedStorage, ReadsBackWhatWasCommittedAndWritesNothingWhenUnchanged) {
  MemoryFile written = NewMemoryFile();
  WriteSampleTree(written.root.Get());
  ASSERT_EQ(written.root->Commit(STGC_DEFAULT), S_OK);
  const std::string committed = DescribeTree(written.root.Get());
  const std::vector<BYTE> bytes = written.bytes->Bytes();

  HRESULT result = E_FAIL;
  MemoryFile opened = OpenMemoryFile(bytes, result);
  ASSERT_EQ(result, S_OK);
  EXPECT_EQ(DescribeTree(opened.root.Get()), committed);
  opened.root.Clear();
  EXPECT_EQ(opened.bytes->Changes(), 0u);
  EXPECT_EQ(opened.bytes->Bytes(), bytes);
}

// Each round opens the file, changes it, commits and lets go; the next open reads the changes,
// and until the commit is complete the other copy still holds the state before them.
TEST(OpenedStorage, ChangesCommittedAfterAnOpenReadBackAndKeepThePreviousCopy) {
  using Change = std::function<void(IStorage*)>;
  const Change rounds[] = {
      [](IStorage* root) {
        ComPtr<IStream> data = OpenStream(root, u"Data");
        ASSERT_EQ(data->Seek(Move(kClusterSize - 4), STREAM_SEEK_SET, nullptr), S_OK);
        WriteAll(data.Get(), "across the cluster end");
        ASSERT_EQ(data->Seek(Move(0), STREAM_SEEK_END, nullptr), S_OK);
        WriteAll(data.Get(), Pattern(kClusterSize, 6));
        ASSERT_EQ(OpenStream(root, u"Grown")->SetSize(Size(10)), S_OK);
        ASSERT_EQ(root->DestroyElement(u"Empty"), S_OK);
      },
      [](IStorage* root) {
        ComPtr<IStorage> sub = OpenStorage(root, u"Sub");
        ComPtr<IStream> longer = OpenStream(sub.Get(), u"Long");
        ASSERT_EQ(longer->Seek(Move(0), STREAM_SEEK_END, nullptr), S_OK);
        WriteAll(longer.Get(), "more");
        WriteAll(CreateStream(OpenStorage(sub.Get(), u"Nested").Get(), u"New").Get(), "new");
        ASSERT_EQ(root->RenameElement(u"Exact", u"Renamed"), S_OK);
        ASSERT_EQ(root->SetClass(CLSID{9, 8, 7, {6}}), S_OK);
      },
      [](IStorage* root) {
        ASSERT_EQ(root->DestroyElement(u"Sub"), S_OK);
        WriteAll(CreateStream(CreateStorage(root, u"Blank2").Get(), u"Big").Get(),
                 Pattern(5 * kClusterSize, 7));
      },
  };
  std::vector<BYTE> bytes = SampleFileBytes();
  for (std::size_t round = 0; round < std::size(rounds); ++round) {
    HRESULT result = E_FAIL;
    MemoryFile file = OpenMemoryFile(bytes, result);
    ASSERT_EQ(result, S_OK) << round;
    const std::string before = DescribeTree(file.root.Get());
    rounds[round](file.root.Get());
    const std::string after = DescribeTree(file.root.Get());
    ASSERT_NE(after, before);
    ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
    file.root.Clear();
    bytes = file.bytes->Bytes();

    MemoryFile reopened = OpenMemoryFile(bytes, result);
    ASSERT_EQ(result, S_OK) << round;
    EXPECT_EQ(DescribeTree(reopened.root.Get()), after) << round;
    MemoryFile previous = OpenMemoryFile(OtherCopy(bytes), result);
    ASSERT_EQ(result, S_OK) << round;
    EXPECT_EQ(DescribeTree(previous.root.Get()), before) << round;
  }
}

// Sizes within a cluster of 2^64 once wrapped the cluster count to 0 and stored the size on a
// chain of one cluster, which no later open could accept.
TEST(OpenedStorage, TheLargestSizesAreRefusedAndTheStreamStaysWhole) {
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> stream = CreateStream(file.root.Get(), u"Data");
  WriteAll(stream.Get(), "kept");
  for (ULONGLONG size : {~0ull, ~0ull - kClusterSize + 2}) {
    EXPECT_EQ(stream->SetSize(Size(size)), STG_E_MEDIUMFULL);
    EXPECT_EQ(StreamSize(stream.Get()), 4u);
  }
  stream.Clear();
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  HRESULT result = E_FAIL;
  MemoryFile reopened = OpenMemoryFile(file.bytes->Bytes(), result);
  ASSERT_EQ(result, S_OK);
  EXPECT_EQ(ReadAll(OpenStream(reopened.root.Get(), u"Data").Get()), "kept");
}

// The way a caller with bytes in memory opens them: a global block under lock bytes.
TEST(StorageEntryPoints, AFileInGlobalMemoryOpensFromACopyOfItsBytes) {
  ComPtr<ILockBytes> lockBytes;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, ComPtrOut<ILockBytes>::Bind(lockBytes)), S_OK);
  std::string expected;
  {
    ComPtr<IStorage> root;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(lockBytes.Get(),
                                           STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE, 0,
                                           ComPtrOut<IStorage>::Bind(root)),
              S_OK);
    WriteSampleTree(root.Get());
    expected = DescribeTree(root.Get());
  }
  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromILockBytes(lockBytes.Get(), &block), S_OK);
  const SIZE_T size = GlobalSize(block);
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  std::memcpy(GlobalLock(copy), GlobalLock(block), size);
  GlobalUnlock(copy);
  GlobalUnlock(block);

  ComPtr<ILockBytes> copyBytes;
  ASSERT_EQ(CreateILockBytesOnHGlobal(copy, TRUE, ComPtrOut<ILockBytes>::Bind(copyBytes)), S_OK);
  ComPtr<IStorage> root;
  ASSERT_EQ(StgOpenStorageOnILockBytes(copyBytes.Get(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE,
                                       nullptr, 0, ComPtrOut<IStorage>::Bind(root)),
            S_OK);
  EXPECT_EQ(DescribeTree(root.Get()), expected);
}

TEST(StorageEntryPoints, ArgumentsOutsideWhatIsServedAreRefused) {
  const std::vector<BYTE> bytes = SampleFileBytes();
  const DWORD rw = STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
  OLECHAR name[] = u"Data";
  OLECHAR* names[] = {name, nullptr};
  struct Case {
    const char* what;
    DWORD mode;
    SNB excluded;
    HRESULT result;
  } opens[] = {
      {"read and write", rw, nullptr, S_OK},
      {"read, sharing", STGM_READ | STGM_SHARE_DENY_NONE, nullptr, S_OK},
      {"an access of 3", rw | 3, nullptr, STG_E_INVALIDFLAG},
      {"a share mode beyond deny-none", STGM_READWRITE | 0x50, nullptr, STG_E_INVALIDFLAG},
      {"create", rw | STGM_CREATE, nullptr, STG_E_INVALIDFLAG},
      {"delete on release", rw | STGM_DELETEONRELEASE, nullptr, STG_E_INVALIDFLAG},
      {"convert", rw | STGM_CONVERT, nullptr, STG_E_INVALIDFLAG},
      {"priority", STGM_READ | STGM_PRIORITY, nullptr, STG_E_INVALIDFLAG},
      {"excluded names", rw, names, STG_E_INVALIDPARAMETER},
  };
  for (const Case& c : opens) {
    ComPtr<MemoryLockBytes> lockBytes;
    lockBytes.Attach(new MemoryLockBytes);
    lockBytes->MutableBytes() = bytes;
    ComPtr<IStorage> root;
    EXPECT_EQ(StgOpenStorageOnILockBytes(lockBytes.Get(), nullptr, c.mode, c.excluded, 0,
                                         ComPtrOut<IStorage>::Bind(root)),
              c.result)
        << c.what;
  }
  IStorage* storage = reinterpret_cast<IStorage*>(1);
  EXPECT_EQ(StgOpenStorageOnILockBytes(nullptr, nullptr, rw, nullptr, 0, &storage),
            STG_E_INVALIDPOINTER);
  EXPECT_EQ(storage, nullptr);
  EXPECT_EQ(StgOpenStorageOnILockBytes(nullptr, nullptr, rw, nullptr, 0, nullptr),
            STG_E_INVALIDPOINTER);
  ComPtr<MemoryLockBytes> empty;
  empty.Attach(new MemoryLockBytes);
  EXPECT_EQ(StgCreateDocfileOnILockBytes(empty.Get(), STGM_READ, 0, &storage), STG_E_INVALIDFLAG);
  EXPECT_EQ(StgCreateDocfile(nullptr, rw, 0, &storage), STG_E_INVALIDNAME);
  EXPECT_EQ(StgOpenStorage(u"", nullptr, rw, nullptr, 0, &storage), STG_E_INVALIDNAME);
}

// Compound files kept on disk under their names.
class StorageFileTest : public ::testing::Test {
 protected:
  static constexpr DWORD kWriter = STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_TRANSACTED;
  static constexpr DWORD kReader = STGM_READ | STGM_SHARE_DENY_WRITE;

  void SetUp() override {
    char pattern[] = "/tmp/storage-file-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_folder = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::u16string Name(const std::string& leaf) const {
    return Quor::String::FromUtf8((m_folder / leaf).string()).ToStdWString();
  }
  std::string Contents(const std::string& leaf) const {
    std::ifstream file(m_folder / leaf, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  // The sample tree in a new file; returns its description.
  std::string WriteSampleFile(const std::string& leaf) const {
    ComPtr<IStorage> root;
    EXPECT_EQ(StgCreateDocfile(Name(leaf).c_str(), kWriter | STGM_CREATE, 0,
                               ComPtrOut<IStorage>::Bind(root)),
              S_OK);
    if (!root) return "";
    WriteSampleTree(root.Get());
    return DescribeTree(root.Get());
  }
  static HRESULT Open(const std::u16string& name, DWORD mode, ComPtr<IStorage>& root) {
    return StgOpenStorage(name.c_str(), nullptr, mode, nullptr, 0, ComPtrOut<IStorage>::Bind(root));
  }

  std::filesystem::path m_folder;
};

TEST_F(StorageFileTest, AFileWrittenClosedAndOpenedAgainReadsBackEqual) {
  const std::string written = WriteSampleFile("sample.cf");
  const std::string bytes = Contents("sample.cf");
  ComPtr<IStorage> root;
  ASSERT_EQ(Open(Name("sample.cf"), kWriter, root), S_OK);
  EXPECT_EQ(DescribeTree(root.Get()), written);
  STATSTG status;
  ASSERT_EQ(root->Stat(&status, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(std::u16string(status.pwcsName), Name("sample.cf"));
  CoTaskMemFree(status.pwcsName);
  EXPECT_EQ(status.grfMode, kWriter);
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_STORAGE));

  ComPtr<IStorage> second;
  EXPECT_EQ(Open(Name("sample.cf"), kReader, second), STG_E_SHAREVIOLATION);
  root.Clear();
  EXPECT_EQ(Contents("sample.cf"), bytes);  // opened and let go unchanged
}

TEST_F(StorageFileTest, CreationKeepsOrReplacesAnExistingFileAsAsked) {
  WriteSampleFile("sample.cf");
  const std::string bytes = Contents("sample.cf");
  ComPtr<IStorage> root;
  EXPECT_EQ(
      StgCreateDocfile(Name("sample.cf").c_str(), kWriter, 0, ComPtrOut<IStorage>::Bind(root)),
      STG_E_FILEALREADYEXISTS);
  EXPECT_EQ(Contents("sample.cf"), bytes);
  ASSERT_EQ(StgCreateDocfile(Name("sample.cf").c_str(), kWriter | STGM_CREATE, 0,
                             ComPtrOut<IStorage>::Bind(root)),
            S_OK);
  root.Clear();  // the first commit writes the empty file
  ASSERT_EQ(Open(Name("sample.cf"), kReader, root), S_OK);
  EXPECT_EQ(DescribeTree(root.Get()), "");
}

TEST_F(StorageFileTest, FilesThatCannotBeOpenedAreReportedAndLeftAlone) {
  ComPtr<IStorage> root;
  EXPECT_EQ(Open(Name("absent.cf"), kReader, root), STG_E_FILENOTFOUND);
  EXPECT_FALSE(std::filesystem::exists(m_folder / "absent.cf"));
  std::ofstream(m_folder / "notes.txt")
      << "Not a compound file, but long enough to hold a header" << std::string(600, '.');
  const std::string text = Contents("notes.txt");
  EXPECT_EQ(Open(Name("notes.txt"), kWriter, root), STG_E_DOCFILECORRUPT);
  EXPECT_EQ(root.Get(), nullptr);
  EXPECT_EQ(Contents("notes.txt"), text);
}

// Readers share the file; whatever they try to change never reaches it.
TEST_F(StorageFileTest, AFileOpenedForReadingIsSharedAndNeverWritten) {
  const std::string written = WriteSampleFile("sample.cf");
  const std::string bytes = Contents("sample.cf");
  ComPtr<IStorage> first, second;
  ASSERT_EQ(Open(Name("sample.cf"), kReader, first), S_OK);
  ASSERT_EQ(Open(Name("sample.cf"), kReader, second), S_OK);
  EXPECT_EQ(DescribeTree(second.Get()), written);
  ComPtr<IStream> data = OpenStream(first.Get(), u"Data");
  ULONG done = 0;
  EXPECT_TRUE(FAILED(data->Write("changed", 7, &done)));
  EXPECT_EQ(first->DestroyElement(u"Exact"), S_OK);  // in memory: the commit cannot write it
  EXPECT_TRUE(FAILED(first->Commit(STGC_DEFAULT)));
  data.Clear();
  first.Clear();
  second.Clear();
  EXPECT_EQ(Contents("sample.cf"), bytes);
}

}  // namespace
