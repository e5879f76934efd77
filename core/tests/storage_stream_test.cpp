#include "core/storage_bin_streams.h"

#include <gtest/gtest.h>

#include "core/tests/failing_stream.h"

namespace {

using Quor::BinStream;
using Quor::StorageBinIStreamLite;
using Quor::StorageBinOStreamLite;
using namespace testing_streams;

const Bytes kHeader21 = FromHex("aaaa1555");

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(StorageStreams, EveryValueTypeRoundTripsAfterTheHeader) {
  FailingStream target;
  {
    StorageBinOStreamLite out(&target);
    out.WriteUInt8(0xAB);
    out.WriteInt16(-2);
    out.WriteInt32(-3);
    out.WriteFloat(1.5f);
    out.WriteDouble(-0.25);
    out.WriteBytes("xyz", 3);
    out.WriteBytes(nullptr, 0);
    out.WriteInt64(-5);
    EXPECT_EQ(out.Close(), S_OK);
  }
  EXPECT_EQ(ToHex(target.Contents()),
            "aaaa1555" "ab" "feff" "fdffffff" "0000c03f" "000000000000d0bf" "78797a"
            "fbffffffffffffff");

  SeekToStart(&target);
  StorageBinIStreamLite in(&target);
  DWORD version = 0;
  EXPECT_EQ(in.GetVersion(&version), S_OK);
  EXPECT_EQ(version, 21u);
  BYTE u8 = 0;
  SHORT i16 = 0;
  LONG i32 = 0;
  float f = 0;
  double d = 0;
  char text[3];
  LONGLONG i64 = 0;
  in.ReadUInt8(&u8);
  in.ReadInt16(&i16);
  in.ReadInt32(&i32);
  in.ReadFloat(&f);
  in.ReadDouble(&d);
  in.ReadBytes(text, 3);
  in.ReadBytes(nullptr, 0);
  EXPECT_EQ(in.ReadInt64(&i64), S_OK);
  EXPECT_EQ(u8, 0xAB);
  EXPECT_EQ(i16, -2);
  EXPECT_EQ(i32, -3);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(d, -0.25);
  EXPECT_EQ(std::string(text, 3), "xyz");
  EXPECT_EQ(i64, -5);
}

TEST(StorageStreams, UnsignedReadsSeeTheSameBytes) {
  FailingStream target(Concat(kHeader21, FromHex("feff fdffffff fbffffffffffffff")));
  StorageBinIStreamLite in(&target);
  WORD u16 = 0;
  DWORD u32 = 0;
  ULONGLONG u64 = 0;
  in.ReadUInt16(&u16);
  in.ReadUInt32(&u32);
  EXPECT_EQ(in.ReadUInt64(&u64), S_OK);
  EXPECT_EQ(u16, 0xFFFE);
  EXPECT_EQ(u32, 0xFFFFFFFD);
  EXPECT_EQ(u64, 0xFFFFFFFFFFFFFFFBull);
}

TEST(StorageStreams, TheHeaderGivesTheVersionAndItsAbsenceVersionOne) {
  struct Case {
    const char* bytes;
    DWORD version;
    DWORD firstValue;  // the u32 read after the header, if any
  } cases[] = {
      {"aaaa1555 07000000", 21, 7},
      {"aaaa0955 07000000", 9, 7},
      {"aaaa1554 07000000", 1, 0x5415AAAA},  // wrong mark: data from byte 0
      {"01020304 07000000", 1, 0x04030201},
  };
  for (const Case& c : cases) {
    FailingStream target(FromHex(c.bytes));
    StorageBinIStreamLite in(&target);
    EXPECT_EQ(in.Version(), c.version) << c.bytes;
    EXPECT_EQ(in.ReadUInt32(), c.firstValue) << c.bytes;
    EXPECT_EQ(in.GetState(), S_OK) << c.bytes;
  }
}

TEST(StorageStreams, AShortReadFailsTheStreamForGood) {
  FailingStream target(Concat(kHeader21, FromHex("0102")));
  StorageBinIStreamLite in(&target);
  LONG value = 0;
  EXPECT_EQ(in.ReadInt32(&value), E_FAIL);
  EXPECT_EQ(in.State(), BinStream::kTransferFailed);
  EXPECT_EQ(in.GetState(), E_FAIL);
  // Nothing more is read, even what would be there.
  BYTE byte = 0;
  EXPECT_EQ(in.ReadUInt8(&byte), E_FAIL);
  EXPECT_EQ(in.ReadUInt32(), 0u);
  EXPECT_EQ(in.GetState(), E_FAIL);
}

TEST(StorageStreams, AStreamWithoutMarkOrPositionCannotBeOpened) {
  for (bool stat : {true, false}) {
    FailingStream target;
    target.failStat = stat;
    target.failSeek = !stat;
    {
      StorageBinOStreamLite out(&target);
      EXPECT_EQ(out.State(), BinStream::kBufferFailed);
      EXPECT_EQ(out.WriteInt32(1), E_FAIL);
      EXPECT_EQ(out.Close(), E_FAIL);
    }
    EXPECT_EQ(target.writes, 0);
    StorageBinIStreamLite in(&target);
    EXPECT_EQ(in.State(), BinStream::kBufferFailed);
    EXPECT_EQ(in.Version(), 0u);
  }
  StorageBinIStreamLite none(nullptr);
  EXPECT_EQ(none.GetState(), E_FAIL);
}

TEST(StorageStreams, SmallValuesReachTheStreamInBufferedBlocks) {
  FailingStream target;
  StorageBinOStreamLite out(&target);
  for (LONG i = 0; i < 300; ++i) out.WriteInt32(i);  // 1204 bytes with the header
  EXPECT_EQ(target.writes, 1);
  EXPECT_EQ(out.Close(), S_OK);
  EXPECT_EQ(out.Close(), S_OK);
  EXPECT_EQ(target.writes, 2);
  EXPECT_EQ(target.Contents().size(), 1204u);

  SeekToStart(&target);
  StorageBinIStreamLite in(&target);
  LONG sum = 0;
  for (int i = 0; i < 300; ++i) sum += LONG(in.ReadUInt32());
  EXPECT_EQ(sum, 299 * 300 / 2);
  EXPECT_EQ(target.reads, 2);
}

TEST(StorageStreams, AFailedLastBlockIsReportedByClose) {
  FailingStream target;
  target.writeRoom = 6;
  StorageBinOStreamLite out(&target);
  out.WriteInt32(1);
  out.WriteInt32(2);
  // Everything still sits in the buffer: only the close finds out.
  EXPECT_EQ(out.GetState(), S_OK);
  EXPECT_EQ(out.Close(), E_FAIL);
  EXPECT_EQ(out.State(), BinStream::kBufferFailed);
  EXPECT_EQ(out.Close(), E_FAIL);
  EXPECT_EQ(target.writes, 1);
}

TEST(StorageStreams, AFailedFullBlockFailsTheWriteThatFilledIt) {
  FailingStream target;
  target.writeRoom = 100;
  StorageBinOStreamLite out(&target);
  const Bytes block(2000, 0x5A);
  EXPECT_EQ(out.WriteBytes(block.data(), DWORD(block.size())), E_FAIL);
  EXPECT_EQ(out.State(), BinStream::kTransferFailed);
  EXPECT_EQ(out.Close(), E_FAIL);
  // The rejected block is not tried again at the close.
  EXPECT_EQ(target.writes, 1);
}

TEST(StorageStreams, TheDestructorWritesWhatCloseWasNotAskedFor) {
  FailingStream target;
  { StorageBinOStreamLite(&target).WriteInt32(7); }
  EXPECT_EQ(ToHex(target.Contents()), "aaaa1555" "07000000");
}

TEST(StorageStreams, SeeksInsideTheBufferPatchWithoutTouchingTheStream) {
  FailingStream target;
  StorageBinOStreamLite out(&target);
  out.WriteInt32(0);  // placeholder for the count
  out.WriteInt32(5);
  out.WriteInt32(6);
  DWORD end = 0;
  EXPECT_EQ(out.GetPosition(&end), S_OK);
  EXPECT_EQ(end, 16u);
  EXPECT_EQ(out.Seek(4), S_OK);
  out.WriteInt32(2);
  EXPECT_EQ(out.Seek(end), S_OK);
  out.WriteInt32(9);
  EXPECT_EQ(target.writes, 0);
  EXPECT_EQ(out.Close(), S_OK);
  EXPECT_EQ(ToHex(target.Contents()), "aaaa1555" "02000000" "05000000" "06000000" "09000000");
}

TEST(StorageStreams, SeeksBeyondTheBufferGoToTheStream) {
  FailingStream target;
  StorageBinOStreamLite out(&target);
  const Bytes block(1500, 0x11);
  out.WriteBytes(block.data(), DWORD(block.size()));
  EXPECT_EQ(out.Seek(2), S_OK);  // the first 1024 bytes were written already
  out.WriteInt16(0x2233);
  EXPECT_EQ(out.Close(), S_OK);
  const Bytes bytes = target.Contents();
  ASSERT_EQ(bytes.size(), 1504u);
  EXPECT_EQ(ToHex(Bytes(bytes.begin(), bytes.begin() + 6)), "aaaa33221111");
}

TEST(StorageStreams, ReadPositionsCountTheBytesTakenFromTheBuffer) {
  Bytes data = kHeader21;
  for (int i = 0; i < 2000; ++i) data.push_back(BYTE(i));
  FailingStream target(data);
  StorageBinIStreamLite in(&target);
  DWORD position = 0;
  in.GetPosition(&position);
  EXPECT_EQ(position, 4u);
  Bytes skip(1500);
  in.ReadBytes(skip.data(), DWORD(skip.size()));
  in.GetPosition(&position);
  EXPECT_EQ(position, 1504u);
  EXPECT_EQ(skip[1499], BYTE(1499 & 0xFF));
}

TEST(StorageStreams, RewindStartsTheStreamAnew) {
  FailingStream target;
  StorageBinOStreamLite out(&target);
  const Bytes block(3000, 0x33);
  out.WriteBytes(block.data(), DWORD(block.size()));
  out.Rewind();
  EXPECT_EQ(out.GetState(), S_OK);
  EXPECT_TRUE(target.Contents().empty());
  DWORD position = 99;
  out.GetPosition(&position);
  EXPECT_EQ(position, 0u);
  out.WriteInt32(4);
  EXPECT_EQ(out.Close(), S_OK);
  EXPECT_EQ(ToHex(target.Contents()), "04000000");
}

TEST(StorageStreams, ARewindThatCannotCutTheStreamFailsIt) {
  FailingStream target;
  target.failSetSize = true;
  StorageBinOStreamLite out(&target);
  out.Rewind();
  EXPECT_EQ(out.State(), BinStream::kTransferFailed);
}

TEST(BinStreams, CountNothingAndAnswerNothing) {
  FailingStream target;
  StorageBinOStreamLite out(&target);
  StorageBinIStreamLite in(&target);
  void* object = nullptr;
  EXPECT_EQ(out.QueryInterface(IID_IUnknown, &object), E_NOTIMPL);
  EXPECT_EQ(in.QueryInterface(IID_IUnknown, &object), E_NOTIMPL);
  EXPECT_EQ(out.AddRef(), 1u);
  EXPECT_EQ(in.Release(), 1u);
  EXPECT_EQ(in.Unused6(), E_NOTIMPL);
  EXPECT_EQ(in.Unused16(nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(out.Unused7(), E_NOTIMPL);
  EXPECT_EQ(out.Unused19(nullptr), E_NOTIMPL);
}

}  // namespace
