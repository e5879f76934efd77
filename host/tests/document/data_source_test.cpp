// The records of a document and the enumerators over their channels, as the module reads them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"

namespace DocumentTest {
namespace {

using ::testing::ElementsAre;
using ::testing::FloatNear;
using ::testing::Pointwise;

constexpr PendrelChannelRef kEcg{0, 0xC0000000};
constexpr PendrelChannelRef kMarks{2, 0xC0000000};

class DataSource : public HostTest {
 protected:
  HeldReference<IEnumFloatEx> Samples(PendrelChannelRef channel, LONG start) {
    IEnumFloatEx* opened = nullptr;
    EXPECT_EQ(source->OpenFloatEnumerator(channel, 0, start, &opened), S_OK);
    return HeldReference<IEnumFloatEx>(opened);
  }
  HeldReference<IEnumEventEx> Events(PendrelChannelRef channel, LONG start, LONG end) {
    IUnknown* opened = nullptr;
    EXPECT_EQ(source->OpenEventEnumerator(channel, 0, start, end,
                                          kEventKindExtended | kEventKindMarks, &opened),
              S_OK);
    HeldReference<IUnknown> held(opened);
    return Face<IEnumEventEx>(opened);
  }

  HeldReference<IUnknown> document = PendrelHost::OpenDocument(SmallRecording());
  HeldReference<IPendrelDataSource> source = Face<IPendrelDataSource>(document.get());
};

struct Read {
  std::vector<LONG> ticks;
  std::vector<double> values;
  HRESULT result;
  LONG next;
};

Read NextEvents(IEnumEventEx* events, int count, LONG end = kRecordEndOffset) {
  std::vector<PendrelHost::EventRecord> buffer(std::size_t(count) + 1);
  int fetched = -1;
  Read read{{}, {}, E_FAIL, -1};
  read.result = events->Next(count * int(sizeof(PendrelHost::EventRecord)), end, buffer.data(),
                             &fetched, &read.next);
  for (int i = 0; i < fetched; ++i) {
    read.ticks.push_back(buffer[std::size_t(i)].tick);
    read.values.push_back(buffer[std::size_t(i)].value);
  }
  return read;
}

using Records = HostTest;

TEST_F(Records, TellTheirTimesTicksAndEnds) {
  auto recording = EmptyOpenRecording();
  AppendSmallRecording(*recording, 0, 30);
  recording->CloseRecord(0);
  recording->AddRecord(100.0);
  auto document = PendrelHost::OpenDocument(recording);
  auto source = Face<IPendrelDataSource>(document.get());

  LONG count = 0, current = -1, end = -1;
  EXPECT_EQ(source->GetRecordCount(&count), S_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(source->GetCurrentRecord(&current), S_OK);
  EXPECT_EQ(current, 1);
  PendrelRecordInfo info{};
  EXPECT_EQ(source->GetRecordInfo(1, &info), S_OK);
  EXPECT_DOUBLE_EQ(info.tickPeriod, 0.01);
  EXPECT_EQ(info.startTime, 100.0);
  EXPECT_EQ(info.timeOffset, 0.0);
  EXPECT_EQ(info.tickBase, 0);
  EXPECT_EQ(source->GetRecordInfo(2, &info), E_INVALIDARG);
  EXPECT_EQ(source->GetEndOfData(0xC0000000, 0, &end), S_OK);
  EXPECT_EQ(end, 30);
  // The record being sampled ends where its data ends so far.
  EXPECT_EQ(source->GetEndOfData(0xC0000000, 1, &end), S_OK);
  EXPECT_EQ(end, 0);
  EXPECT_EQ(source->GetEndOfData(0xC0000000, -1, &end), E_INVALIDARG);
}

TEST_F(DataSource, FloatEnumeratorsReadAndSkipWithinTheRecord) {
  auto samples = Samples(kEcg, 10);
  std::vector<float> values(4);
  int fetched = 0;
  EXPECT_EQ(samples->Next(4, values.data(), &fetched), S_OK);
  EXPECT_THAT(values, Pointwise(FloatNear(1e-6f), std::vector<float>{0.10f, 0.11f, 0.12f, 0.13f}));
  DWORD position = 0;
  EXPECT_EQ(samples->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 14u);

  int skipped = 0;
  EXPECT_EQ(samples->Skip(-20, &skipped), S_FALSE);  // not before the record's start
  EXPECT_EQ(skipped, -14);
  HeldReference<IEnumFloatEx> copy;
  IEnumFloatEx* cloned = nullptr;
  EXPECT_EQ(samples->Clone(&cloned), S_OK);
  copy.reset(cloned);
  EXPECT_EQ(samples->Skip(198, &skipped), S_OK);
  EXPECT_EQ(samples->Next(4, values.data(), &fetched), S_FALSE);  // the record ends after two
  EXPECT_EQ(fetched, 2);
  EXPECT_EQ(samples->Skip(1, &skipped), S_FALSE);
  EXPECT_EQ(skipped, 0);
  EXPECT_EQ(copy->GetPosition(&position), S_OK);  // the copy stayed where it was made
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(samples->Next(-1, values.data(), &fetched), E_INVALIDARG);
  EXPECT_EQ(samples->Next(1, nullptr, &fetched), E_POINTER);
}

TEST_F(DataSource, EventEnumeratorsReadSeekAndEndOnlyAtTheEndOfTheirRange) {
  auto events = Events(kMarks, 0, kRecordEndOffset);
  DWORD size = 0;
  EXPECT_EQ(events->GetEventSize(&size), S_OK);
  EXPECT_EQ(size, 16u);
  Read read = NextEvents(events.get(), 2);
  EXPECT_THAT(read.ticks, ElementsAre(45, 95));
  EXPECT_THAT(read.values, ElementsAre(1.0, 2.0));
  EXPECT_EQ(read.result, S_OK);
  // Up to a tick: nothing more before it, and reading goes on from there.
  read = NextEvents(events.get(), 2, 120);
  EXPECT_TRUE(read.ticks.empty());
  EXPECT_EQ(read.result, S_OK);
  EXPECT_EQ(read.next, 120);
  read = NextEvents(events.get(), 2);
  EXPECT_THAT(read.ticks, ElementsAre(145));
  EXPECT_EQ(read.result, S_FALSE);
  EXPECT_EQ(read.next, kRecordEndOffset);

  // Seeking both ways: a found event is read next; a failed forward search reads on from its
  // start, a failed backward one from its start too, inside the range searched.
  EXPECT_EQ(events->Seek(TRUE, 145, 0, kRecordEndOffset), S_OK);
  LONG position = 0;
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 95);
  EXPECT_THAT(NextEvents(events.get(), 1).ticks, ElementsAre(95));
  EXPECT_EQ(events->Seek(FALSE, 46, 46, 47), S_FALSE);
  EXPECT_THAT(NextEvents(events.get(), 3).ticks, ElementsAre(95, 145));
  EXPECT_EQ(events->Seek(TRUE, 45, 0, kRecordEndOffset), S_FALSE);
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 45);
  EXPECT_EQ(events->Seek(TRUE, 140, 100, 120), S_FALSE);
  EXPECT_EQ(events->GetPosition(&position), S_OK);
  EXPECT_EQ(position, 120);
  EXPECT_EQ(events->Seek(FALSE, 0, 0, kRecordEndOffset), S_OK);
  EXPECT_THAT(NextEvents(events.get(), 1).ticks, ElementsAre(45));

  // A range that ends inside the record ends there.
  auto part = Events(kMarks, 50, 100);
  read = NextEvents(part.get(), 3);
  EXPECT_THAT(read.ticks, ElementsAre(95));
  EXPECT_EQ(read.result, S_FALSE);
  EXPECT_EQ(NextEvents(part.get(), 3).result, S_FALSE);
}

TEST_F(DataSource, ChannelsThatCannotGiveWhatIsAskedAreRefused) {
  auto* document = PendrelHost::AsDataDocument(this->document.get());
  document->Channels().SetFormula(document->Channels().Add("Broken"), "lowpass(ECG)");
  const struct {
    PendrelChannelRef channel;
    LONG record;
    HRESULT samples, events;
  } cases[] = {
      {kEcg, 0, S_OK, E_INVALIDARG},         {kMarks, 0, E_INVALIDARG, S_OK},
      {{3, 0xC0000000}, 0, E_FAIL, E_FAIL},  {{4, 0xC0000000}, 0, E_INVALIDARG, E_INVALIDARG},
      {kEcg, 1, E_INVALIDARG, E_INVALIDARG}, {kEcg, -1, E_INVALIDARG, E_INVALIDARG},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.channel.index) + " in record " + std::to_string(c.record));
    IEnumFloatEx* samples = nullptr;
    EXPECT_EQ(source->OpenFloatEnumerator(c.channel, c.record, 0, &samples), c.samples);
    HeldReference<IEnumFloatEx> heldSamples(samples);
    IUnknown* events = nullptr;
    EXPECT_EQ(source->OpenEventEnumerator(c.channel, c.record, 0, kRecordEndOffset,
                                          kEventKindExtended, &events),
              c.events);
    HeldReference<IUnknown> heldEvents(events);
  }
  EXPECT_EQ(document->Channels().Failure(0),
            "lowpass(signal, cutoff in Hz): takes 2 arguments, not 1");
  EXPECT_EQ(source->OpenFloatEnumerator(kEcg, 0, 0, nullptr), E_POINTER);
}

TEST_F(DataSource, AnEnumeratorKeepsItsDocumentAndLeadsBackToIt) {
  auto samples = Samples(kEcg, 0);
  auto events = Events(kMarks, 0, kRecordEndOffset);
  for (IUnknown* enumerator :
       {static_cast<IUnknown*>(samples.get()), static_cast<IUnknown*>(events.get())}) {
    IUnknown* found = nullptr;
    EXPECT_EQ(Face<IPendrelSourceDocument>(enumerator)->GetDocument(&found), S_OK);
    EXPECT_EQ(HeldReference<IUnknown>(found).get(), document.get());
  }
  source.reset();
  document.reset();
  float value = 0;
  int fetched = 0;
  EXPECT_EQ(samples->Next(1, &value, &fetched), S_OK);
  EXPECT_THAT(NextEvents(events.get(), 3).ticks, ElementsAre(45, 95, 145));
}

}  // namespace
}  // namespace DocumentTest
