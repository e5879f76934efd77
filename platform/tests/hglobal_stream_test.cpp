#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/global_memory.h"

namespace {

LARGE_INTEGER Offset(LONGLONG value) {
  LARGE_INTEGER offset;
  offset.QuadPart = value;
  return offset;
}

std::string ReadAll(IStream* stream) {
  std::string text;
  char chunk[3];
  ULONG got = 0;
  while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &got)) && got) text.append(chunk, got);
  return text;
}

TEST(GlobalMemory, MovableBlocksAreReachedThroughLock) {
  HGLOBAL block = GlobalAlloc(GHND, 16);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 16u);
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  ASSERT_NE(bytes, nullptr);
  EXPECT_NE(static_cast<void*>(bytes), block);
  EXPECT_EQ(bytes[15], 0);
  GlobalUnlock(block);
  ASSERT_EQ(GlobalReAlloc(block, 64, GMEM_MOVEABLE | GMEM_ZEROINIT), block);
  EXPECT_EQ(GlobalSize(block), 64u);
  GlobalFree(block);

  HGLOBAL fixed = GlobalAlloc(GPTR, 8);
  EXPECT_EQ(GlobalLock(fixed), fixed);
  EXPECT_EQ(GlobalSize(fixed), 8u);
  GlobalFree(fixed);
}

TEST(HGlobalStream, WritesGrowTheBlockAndReadBack) {
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &stream), S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write("hello, world", 12, &written), S_OK);
  EXPECT_EQ(written, 12u);
  STATSTG status;
  stream->Stat(&status, STATFLAG_NONAME);
  EXPECT_EQ(status.cbSize.QuadPart, 12u);
  EXPECT_EQ(status.type, DWORD(STGTY_STREAM));
  EXPECT_EQ(status.grfMode & 3, STGM_READWRITE);

  ULARGE_INTEGER position;
  ASSERT_EQ(stream->Seek(Offset(-5), STREAM_SEEK_END, &position), S_OK);
  EXPECT_EQ(position.QuadPart, 7u);
  EXPECT_EQ(ReadAll(stream), "world");
  EXPECT_EQ(stream->Seek(Offset(-1), STREAM_SEEK_SET, nullptr), STG_E_INVALIDFUNCTION);

  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
  EXPECT_GE(GlobalSize(block), 12u);
  stream->Release();
}

TEST(HGlobalStream, ReadsAnExistingBlockAndClonesShareIt) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(block), "abcdef", 6);
  GlobalUnlock(block);

  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, &stream), S_OK);
  char two[2];
  ULONG got = 0;
  stream->Read(two, 2, &got);
  IStream* clone = nullptr;
  ASSERT_EQ(stream->Clone(&clone), S_OK);
  EXPECT_EQ(ReadAll(clone), "cdef");
  stream->Seek(Offset(0), STREAM_SEEK_SET, nullptr);
  stream->Write("XY", 2, nullptr);
  clone->Seek(Offset(0), STREAM_SEEK_SET, nullptr);
  EXPECT_EQ(ReadAll(clone), "XYcdef");
  clone->Release();
  stream->Release();
  // The block was not handed over: it is still ours to free.
  EXPECT_EQ(GlobalSize(block), 6u);
  GlobalFree(block);
}

// A fixed block moves when it grows; the stream follows it instead of using the freed one.
TEST(HGlobalStream, AFixedBlockThatMovesAsItGrowsIsFollowed) {
  IStream* stream = nullptr;
  ASSERT_EQ(CreateStreamOnHGlobal(GlobalAlloc(GPTR, 4), TRUE, &stream), S_OK);
  const std::string text(5000, 'x');
  ULONG written = 0;
  ASSERT_EQ(stream->Write(text.data(), static_cast<ULONG>(text.size()), &written), S_OK);
  ASSERT_EQ(stream->Seek(Offset(0), STREAM_SEEK_SET, nullptr), S_OK);
  EXPECT_EQ(ReadAll(stream), text);
  HGLOBAL block = nullptr;
  ASSERT_EQ(GetHGlobalFromStream(stream, &block), S_OK);
  EXPECT_EQ(GlobalSize(block), text.size());
  stream->Release();
}

}  // namespace
