#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/global_memory.h"
#include "platform/win32/lock_bytes.h"

namespace {

ULARGE_INTEGER At(ULONGLONG offset) {
  ULARGE_INTEGER value;
  value.QuadPart = offset;
  return value;
}

std::string ReadAt(ILockBytes* bytes, ULONGLONG offset, ULONG count) {
  std::string text(count, '?');
  ULONG read = 0;
  EXPECT_EQ(bytes->ReadAt(At(offset), text.data(), count, &read), S_OK);
  text.resize(read);
  return text;
}

ULONGLONG StatSize(ILockBytes* bytes) {
  STATSTG status;
  EXPECT_EQ(bytes->Stat(&status, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(status.type, static_cast<DWORD>(STGTY_LOCKBYTES));
  return status.cbSize.QuadPart;
}

TEST(HGlobalLockBytes, WritesGrowTheBlockWithZerosAndReadsStopAtItsEnd) {
  ILockBytes* bytes = nullptr;
  ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes), S_OK);
  EXPECT_EQ(StatSize(bytes), 0u);
  ULONG written = 0;
  ASSERT_EQ(bytes->WriteAt(At(4), "abc", 3, &written), S_OK);
  EXPECT_EQ(written, 3u);
  EXPECT_EQ(StatSize(bytes), 7u);
  EXPECT_EQ(ReadAt(bytes, 0, 100), std::string("\0\0\0\0abc", 7));
  EXPECT_EQ(ReadAt(bytes, 50, 4), "");
  ASSERT_EQ(bytes->SetSize(At(5)), S_OK);
  EXPECT_EQ(ReadAt(bytes, 3, 10), std::string("\0a", 2));
  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromILockBytes(bytes, &block), S_OK);
  EXPECT_EQ(GlobalSize(block), 5u);
  EXPECT_EQ(bytes->Flush(), S_OK);
  EXPECT_EQ(bytes->LockRegion(At(0), At(1), LOCK_EXCLUSIVE), STG_E_INVALIDFUNCTION);
  bytes->Release();
}

TEST(HGlobalLockBytes, AGivenBlockIsReadAsItIsAndKeptWhenAsked) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(block), "stored", 6);
  GlobalUnlock(block);
  ILockBytes* bytes = nullptr;
  ASSERT_EQ(CreateILockBytesOnHGlobal(block, FALSE, &bytes), S_OK);
  EXPECT_EQ(StatSize(bytes), 6u);
  EXPECT_EQ(ReadAt(bytes, 2, 3), "ore");
  bytes->Release();
  EXPECT_EQ(std::memcmp(GlobalLock(block), "stored", 6), 0);  // still there
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, nullptr), E_INVALIDARG);
}

}  // namespace
