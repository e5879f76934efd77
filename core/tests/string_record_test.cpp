#include "core/string_record.h"

#include <gtest/gtest.h>

#include "core/storage_bin_streams.h"
#include "core/tests/allocation_probe.h"
#include "core/tests/failing_stream.h"
#include "core/tests/quor_string_printer.h"
#include "core/xquor.h"

namespace {

using Quor::String;
using Quor::StorageBinIStreamLite;
using namespace testing_streams;

// Reads one record through the interface, as the host and the persisted objects do.
HRESULT ReadRecord(const std::string& hex, String& text) {
  FailingStream source(FromHex(hex));
  StorageBinIStreamLite in(&source);
  IQuorString* object = nullptr;
  const HRESULT hr = in.ReadString(&object);
  text.Adopt(object);
  return hr;
}

TEST(StringRecord, TextsRoundTripThroughAStorageStream) {
  for (const char16_t* text : {u"", u"s", u"abc", u"\u00B5s \U0001D11E"}) {
    FailingStream target;
    {
      Quor::StorageBinOStreamLite out(&target);
      Quor::WriteString(out, String(text));
      ASSERT_EQ(out.Close(), S_OK);
    }
    SeekToStart(&target);
    StorageBinIStreamLite in(&target);
    String read(u"old");
    Quor::ReadString(in, read);
    EXPECT_EQ(in.GetState(), S_OK);
    EXPECT_EQ(read, String(text));
  }
}

TEST(StringRecord, ReadsEveryFormTheWritersOfOlderVersionsLeft) {
  struct Case {
    const char* bytes;
    const char16_t* text;
  } cases[] = {
      {"aaaa1555 01000080 02000000 feffffff 6100 6200", u"ab"},  // no NUL: one is added
      {"aaaa1555 01000080 00000000 00000000", u""},
      {"aaaa1555 01000000 04000000 fcffffff 6162b500", u"ab\u00B5"},  // ANSI units
      {"aaaa1555 01000000 02000000 feffffff 6162", u"ab"},
      {"aaaa0955 03000000 616263", u"abc"},  // before version 10: count and ANSI bytes
      {"03000000 61626300", u"abc"},         // no header: version 1
      {"00000000", u""},
  };
  for (const Case& c : cases) {
    String text;
    EXPECT_EQ(ReadRecord(c.bytes, text), S_OK) << c.bytes;
    EXPECT_EQ(text, String(c.text)) << c.bytes;
  }
}

TEST(StringRecord, DamagedRecordsFailWithoutReservingWhatTheyPromise) {
  struct Case {
    const char* what;
    const char* bytes;
    HRESULT result;
  } cases[] = {
      {"count 0xFFFFFFFF", "aaaa1555 01000080 ffffffff 01000000", kXQuorBadStringRecord},
      {"huge count", "aaaa1555 01000080 ffffff7f 01000080 6100", kXQuorBadStringRecord},
      {"check not -count", "aaaa1555 01000080 04000000 fdffffff 61006200", kXQuorBadStringRecord},
      {"count past the data", "aaaa1555 01000080 ffffff3f 010000c0 610062000000",
       E_FAIL},
      {"ANSI count past the data", "aaaa1555 01000000 ffffff3f 010000c0 616263", E_FAIL},
      {"text cut short", "aaaa1555 01000080 04000000 fcffffff 61006200", E_FAIL},
      {"head cut short", "aaaa1555 01000080 04000000", E_FAIL},
      {"old count above 64000", "aaaa0955 01fa0000 616263", kXQuorBadStringRecord},
      {"old count 0xFFFFFFFF", "ffffffff 616263", kXQuorBadStringRecord},
  };
  for (const Case& c : cases) {
    String text(u"old");
    AllocationProbe probe;
    EXPECT_EQ(ReadRecord(c.bytes, text), c.result) << c.what;
    EXPECT_LT(probe.Largest(), 1u << 20) << c.what;
    EXPECT_TRUE(text.IsEmpty()) << c.what;
  }
}

TEST(StringRecord, TheReaderThrowsForADamagedRecordAndClearsForAShortOne) {
  FailingStream damaged(FromHex("aaaa1555 01000080 04000000 fdffffff"));
  StorageBinIStreamLite in(&damaged);
  String text(u"kept");
  try {
    Quor::ReadString(in, text);
    ADD_FAILURE() << "no exception";
  } catch (const XQuor& e) {
    EXPECT_EQ(e.Code(), kXQuorBadStringRecord);
  }
  EXPECT_EQ(text, String(u"kept"));

  FailingStream shortened(FromHex("aaaa1555 01000080 04000000 fcffffff 6100"));
  StorageBinIStreamLite cut(&shortened);
  Quor::ReadString(cut, text);
  EXPECT_EQ(cut.GetState(), E_FAIL);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(StringRecord, AWriterThatFailedWritesNothingMore) {
  FailingStream target;
  target.failStat = true;
  Quor::StorageBinOStreamLite out(&target);
  Quor::WriteString(out, String(u"abc"));
  EXPECT_EQ(out.WriteString(nullptr), E_FAIL);
  EXPECT_EQ(target.writes, 0);
}

}  // namespace
