#include "core/storage/file_lock_bytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/com_ptr.h"
#include "core/storage/create_temp_storage.h"
#include "core/storage/iquor_stream.h"
#include "platform/win32/global_memory.h"

namespace {

namespace fs = std::filesystem;
using FileLockBytesImpl::FileLockBytes;
using Quor::ComPtr;
using Quor::ComPtrOut;

class FileLockBytesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/lock-bytes-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  Quor::String Name(const std::string& leaf) const {
    return Quor::String::FromUtf8((folder / leaf).string());
  }
  static ComPtr<IQuorLockBytes> Open(const Quor::String& name) {
    ComPtr<IQuorLockBytes> bytes;
    bytes.Attach(new FileLockBytes(name));
    return bytes;
  }

  fs::path folder;
};

ULARGE_INTEGER At(ULONGLONG offset) {
  ULARGE_INTEGER value;
  value.QuadPart = offset;
  return value;
}

std::string ReadAt(ILockBytes* bytes, ULONGLONG offset, ULONG count, HRESULT expected = S_OK) {
  std::string text(count, '\0');
  ULONG read = 0;
  EXPECT_EQ(bytes->ReadAt(At(offset), text.data(), count, &read), expected);
  text.resize(read);
  return text;
}

std::u16string StatName(ILockBytes* bytes) {
  STATSTG status;
  EXPECT_EQ(bytes->Stat(&status, STATFLAG_DEFAULT), S_OK);
  std::u16string name = status.pwcsName;
  CoTaskMemFree(status.pwcsName);
  return name;
}

TEST_F(FileLockBytesTest, ReadsWritesAndSizesTheFile) {
  ComPtr<IQuorLockBytes> bytes = Open(Name("data"));
  ULONG written = 0;
  ASSERT_EQ(bytes->WriteAt(At(3), "abcdef", 6, &written), S_OK);
  EXPECT_EQ(written, 6u);
  EXPECT_EQ(ReadAt(bytes.Get(), 0, 20), std::string("\0\0\0abcdef", 9));
  EXPECT_EQ(ReadAt(bytes.Get(), 5, 2), "cd");
  EXPECT_EQ(ReadAt(bytes.Get(), 7, 2), "ef");  // right where the last read stopped
  ASSERT_EQ(bytes->SetSize(At(4)), S_OK);
  EXPECT_EQ(bytes->Flush(), S_OK);

  STATSTG status;
  ASSERT_EQ(bytes->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(status.pwcsName, nullptr);
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_LOCKBYTES));
  EXPECT_EQ(status.cbSize.QuadPart, 4u);
  EXPECT_EQ(status.grfMode, 0x04011012u);
  EXPECT_NE(status.mtime.dwHighDateTime, 0u);

  EXPECT_EQ(bytes->LockRegion(At(0), At(2), LOCK_EXCLUSIVE), S_OK);
  EXPECT_EQ(bytes->UnlockRegion(At(0), At(1), LOCK_EXCLUSIVE),
            HRESULT_FROM_WIN32(ERROR_NOT_LOCKED));
  EXPECT_EQ(bytes->UnlockRegion(At(0), At(2), LOCK_EXCLUSIVE), S_OK);

  BYTE* base = reinterpret_cast<BYTE*>(1);
  ULONG_PTR data = 1;
  EXPECT_EQ(bytes->GetBaseAddress(&base), S_OK);
  EXPECT_EQ(base, nullptr);
  EXPECT_EQ(bytes->GetUserData(&data), S_OK);
  EXPECT_EQ(data, 0u);
  EXPECT_EQ(bytes->SetAccessHint(1), S_OK);
}

// A move that fails leaves the cached position where the handle really stands.
TEST_F(FileLockBytesTest, FailedMoveLeavesTheCachedPosition) {
  ComPtr<IQuorLockBytes> bytes = Open(Name("data"));
  ULONG written = 0;
  ASSERT_EQ(bytes->WriteAt(At(0), "abcdef", 6, &written), S_OK);
  EXPECT_EQ(ReadAt(bytes.Get(), 2, 2), "cd");
  const ULONGLONG unreachable = 1ull << 63;
  const HRESULT negativeSeek = HRESULT_FROM_WIN32(ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(ReadAt(bytes.Get(), unreachable, 2, negativeSeek), "");
  EXPECT_EQ(ReadAt(bytes.Get(), unreachable, 2, negativeSeek), "");
  EXPECT_EQ(bytes->WriteAt(At(unreachable), "zz", 2, &written), negativeSeek);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(ReadAt(bytes.Get(), 4, 2), "ef");
}

TEST_F(FileLockBytesTest, StatNamesTheAbsolutePathWithItsCase) {
  ComPtr<IQuorLockBytes> bytes = Open(Name("Mixed Case Ölfeld.TMP"));
  EXPECT_EQ(StatName(bytes.Get()), Name("Mixed Case Ölfeld.TMP").ToStdWString());

  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  ComPtr<IQuorLockBytes> relative = Open(Quor::String(u"Relative.DAT"));
  fs::current_path(previous);
  EXPECT_EQ(StatName(relative.Get()), Name("Relative.DAT").ToStdWString());
}

TEST_F(FileLockBytesTest, TheFileIsTheObjectsAloneAndGoesWithIt) {
  const Quor::String name = Name("only.tmp");
  ComPtr<IQuorLockBytes> bytes = Open(name);
  EXPECT_TRUE(fs::exists(folder / "only.tmp"));
  try {
    Open(name);
    ADD_FAILURE() << "a second object opened the file";
  } catch (const Quor::XLockBytesCreate& error) {
    EXPECT_EQ(error.Code(), HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION));
  }
  for (const IID* iid : {&IID_IUnknown, &ILockBytes::iid, &IQuorLockBytes::iid}) {
    ComPtr<IUnknown> face;
    EXPECT_EQ(bytes->QueryInterface(*iid, ComPtrOut<IUnknown>::Bind(face)), S_OK);
  }
  bytes.Clear();
  EXPECT_FALSE(fs::exists(folder / "only.tmp"));
}

TEST_F(FileLockBytesTest, TempStorageLivesInATemporaryFileUntilItsLastRelease) {
  const char* saved = std::getenv("TMPDIR");
  const std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", folder.c_str(), 1);
  Quor::String fileName;
  ComPtr<IStorage> storage;
  const HRESULT hr = CreateTempStorage(fileName, ComPtrOut<IStorage>::Bind(storage));
  if (saved) {
    setenv("TMPDIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  ASSERT_EQ(hr, S_OK);
  const fs::path path = fileName.ToUtf8String();
  EXPECT_EQ(path.parent_path(), folder);
  EXPECT_TRUE(path.filename().string().starts_with("Quo"));
  EXPECT_TRUE(fs::exists(path));

  // The pane hands the storage on and lets go; whoever holds it now drives it.
  ComPtr<IStream> stream;
  ASSERT_EQ(storage->CreateStream(u"Samples", STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                  ComPtrOut<IStream>::Bind(stream)),
            S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write("0123456789", 10, &written), S_OK);
  ASSERT_EQ(storage->Commit(STGC_DEFAULT), S_OK);
  EXPECT_GT(fs::file_size(path), 512u);
  STATSTG status;
  ASSERT_EQ(storage->Stat(&status, STATFLAG_DEFAULT), S_OK);
  EXPECT_EQ(std::u16string(status.pwcsName), fileName.ToStdWString());
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_STORAGE));
  CoTaskMemFree(status.pwcsName);

  ComPtr<IQuorStream> direct;
  ASSERT_EQ(stream->QueryInterface(IQuorStream::iid, ComPtrOut<IQuorStream>::Bind(direct)), S_OK);
  BYTE* address = reinterpret_cast<BYTE*>(1);
  EXPECT_EQ(direct->GetDirectAddress(0, 4, &address), S_FALSE);  // a file has no address
  EXPECT_EQ(address, nullptr);

  storage.Clear();
  EXPECT_TRUE(fs::exists(path));  // the stream keeps it
  stream.Clear();
  direct.Clear();
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileLockBytesTest, TempStorageReportsAFileItCannotCreate) {
  Quor::String fileName = Name("no such folder/x.tmp");
  IStorage* storage = reinterpret_cast<IStorage*>(1);
  EXPECT_EQ(CreateTempStorage(fileName, &storage), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(storage, nullptr);
}

}  // namespace
