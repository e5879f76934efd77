#include "platform/win32/files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/win32/utf8_path.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/files-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override { fs::remove_all(folder); }

  std::u16string Name(const std::u16string& leaf) const {
    return win32::NameFromUtf8Path(folder.string()) + u"/" + leaf;
  }
  HANDLE Create(const std::u16string& leaf, DWORD share = 0, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileW(Name(leaf).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                       CREATE_ALWAYS, flags, nullptr);
  }

  fs::path folder;
};

LARGE_INTEGER Distance(LONGLONG value) {
  LARGE_INTEGER distance;
  distance.QuadPart = value;
  return distance;
}

std::string ReadAt(HANDLE file, LONGLONG offset, DWORD count) {
  EXPECT_TRUE(SetFilePointerEx(file, Distance(offset), nullptr, FILE_BEGIN));
  std::string text(count, '\0');
  DWORD read = 0;
  EXPECT_TRUE(ReadFile(file, text.data(), count, &read, nullptr));
  text.resize(read);
  return text;
}

TEST_F(FilesTest, ReadsWritesAndSizesAtTheHandlePosition) {
  HANDLE file = Create(u"data.bin");
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "hello, world", 12, &written, nullptr));
  EXPECT_EQ(written, 12u);
  EXPECT_EQ(ReadAt(file, 7, 100), "world");  // a read past the end stops there

  LARGE_INTEGER position;
  ASSERT_TRUE(SetFilePointerEx(file, Distance(-5), &position, FILE_END));
  EXPECT_EQ(position.QuadPart, 7);
  ASSERT_TRUE(SetFilePointerEx(file, Distance(-2), &position, FILE_CURRENT));
  EXPECT_EQ(position.QuadPart, 5);
  ASSERT_TRUE(SetEndOfFile(file));
  LARGE_INTEGER size;
  ASSERT_TRUE(GetFileSizeEx(file, &size));
  EXPECT_EQ(size.QuadPart, 5);
  EXPECT_TRUE(FlushFileBuffers(file));

  // A seek before the start fails and leaves the position where it was.
  EXPECT_FALSE(SetFilePointerEx(file, Distance(-1), nullptr, FILE_BEGIN));
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  ASSERT_TRUE(SetFilePointerEx(file, Distance(0), &position, FILE_CURRENT));
  EXPECT_EQ(position.QuadPart, 5);

  // Writing past the end fills the gap with zeros.
  ASSERT_TRUE(SetFilePointerEx(file, Distance(8), nullptr, FILE_BEGIN));
  ASSERT_TRUE(WriteFile(file, "!", 1, &written, nullptr));
  EXPECT_EQ(ReadAt(file, 0, 100), std::string("hello\0\0\0!", 9));

  FILETIME created{}, accessed{}, changed{};
  ASSERT_TRUE(GetFileTime(file, &created, &accessed, &changed));
  EXPECT_GT(changed.dwHighDateTime, 0x01D00000u);  // after 2015
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_TRUE(fs::exists(folder / "data.bin"));
}

TEST_F(FilesTest, ExclusiveFileRefusesOthersAndIsDeletedOnClose) {
  const std::u16string leaf = u"Ärger Mixed Case.TMP";
  HANDLE file = Create(leaf, 0, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(fs::exists(folder / "Ärger Mixed Case.TMP"));  // the name keeps its case

  EXPECT_EQ(Create(leaf, FILE_SHARE_READ | FILE_SHARE_WRITE), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);

  EXPECT_TRUE(CloseHandle(file));
  EXPECT_FALSE(fs::exists(folder / "Ärger Mixed Case.TMP"));
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(FilesTest, CreateAlwaysTruncatesAndTellsThatTheFileExisted) {
  HANDLE first = Create(u"again", FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  DWORD written = 0;
  WriteFile(first, "abc", 3, &written, nullptr);
  CloseHandle(first);
  HANDLE second = Create(u"again");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  LARGE_INTEGER size;
  ASSERT_TRUE(GetFileSizeEx(second, &size));
  EXPECT_EQ(size.QuadPart, 0);
  CloseHandle(second);

  EXPECT_EQ(CreateFileW(Name(u"absent").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(FilesTest, RangeLocksExcludeOtherHandlesAndUnlockOnlyWhatWasLocked) {
  const DWORD shared = FILE_SHARE_READ | FILE_SHARE_WRITE;
  HANDLE a = Create(u"locks", shared);
  HANDLE b = CreateFileW(Name(u"locks").c_str(), GENERIC_READ | GENERIC_WRITE, shared, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(b, INVALID_HANDLE_VALUE);

  ASSERT_TRUE(LockFile(a, 100, 0, 50, 0));
  struct Case {
    HANDLE file;
    DWORD offset, count;
    bool locks;
  } cases[] = {
      {b, 120, 10, false},  // inside a's range
      {b, 149, 1, false},   // its last byte
      {a, 90, 20, false},   // a again, overlapping its own lock
      {b, 150, 10, true},   // right after
      {b, 0, 100, true},    // right before
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LockFile(c.file, c.offset, 0, c.count, 0) != FALSE, c.locks) << c.offset;
    if (!c.locks) {
      EXPECT_EQ(GetLastError(), ERROR_LOCK_VIOLATION);
    }
  }
  EXPECT_FALSE(UnlockFile(a, 100, 0, 10, 0));
  EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
  EXPECT_TRUE(UnlockFile(a, 100, 0, 50, 0));
  EXPECT_TRUE(LockFile(b, 120, 0, 10, 0));
  // A range beyond what a POSIX length can say still locks.
  EXPECT_TRUE(LockFile(a, 0, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFF));
  CloseHandle(a);
  CloseHandle(b);
}

TEST_F(FilesTest, TemporaryNamesAreFreshFilesInTheTemporaryFolder) {
  const char* saved = std::getenv("TMPDIR");
  const std::string savedValue = saved ? saved : "";
  setenv("TMPDIR", folder.c_str(), 1);
  WCHAR path[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, path);
  EXPECT_EQ(std::u16string(path, length), win32::NameFromUtf8Path(folder.string()) + u"/");
  EXPECT_EQ(GetTempPathW(3, path), length + 1);  // too small: the size it needs
  if (saved) {
    setenv("TMPDIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }

  WCHAR first[MAX_PATH], second[MAX_PATH];
  const UINT a = GetTempFileNameW(Name(u"").c_str(), u"Quor", 0, first);
  const UINT b = GetTempFileNameW(Name(u"").c_str(), u"Quor", 0, second);
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, 0u);
  EXPECT_NE(std::u16string(first), std::u16string(second));
  std::string created;
  win32::Utf8PathFromName(first, created);
  EXPECT_TRUE(fs::exists(created));
  EXPECT_TRUE(fs::path(created).filename().string().starts_with("Quo"));
  EXPECT_EQ(fs::path(created).parent_path(), folder);

  WCHAR named[MAX_PATH];
  EXPECT_EQ(GetTempFileNameW(u"/x", u"ab", 0x1A2B, named), 0x1A2Bu);
  EXPECT_EQ(std::u16string(named), u"/x/ab1A2B.tmp");
  EXPECT_EQ(GetTempFileNameW(Name(u"no such folder").c_str(), u"Q", 0, named), 0u);
}

TEST(FullPathName, ResolvesAgainstTheWorkingFolderAndKeepsCase) {
  const std::u16string here = win32::NameFromUtf8Path(fs::current_path().string());
  struct Case {
    std::u16string name, full;
  } cases[] = {
      {u"Some File.TMP", here + u"/Some File.TMP"},
      {u"a/../B/./c", here + u"/B/c"},
      {u"/abs/Ölfeld", u"/abs/Ölfeld"},
  };
  for (const Case& c : cases) {
    WCHAR buffer[MAX_PATH];
    LPWSTR leaf = nullptr;
    const DWORD length = GetFullPathNameW(c.name.c_str(), MAX_PATH, buffer, &leaf);
    EXPECT_EQ(std::u16string(buffer, length), c.full);
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(std::u16string(leaf), c.full.substr(c.full.find_last_of(u'/') + 1));
    EXPECT_EQ(GetFullPathNameW(c.name.c_str(), 2, buffer, nullptr), length + 1);
  }
  EXPECT_EQ(GetFullPathNameW(u"", MAX_PATH, nullptr, nullptr), 0u);
}

}  // namespace
