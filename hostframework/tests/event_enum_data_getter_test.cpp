// The event data getter over a source that serves events and online data: its passes, its
// subscription to the online data, and the channel references of parameter texts.
#include <gtest/gtest.h>

#include "hostframework/extlib/event_enum_data_getter.h"
#include "hostframework/tests/in_memory_sources.h"

namespace {

using ExtLib::ChannelReference;
using ExtLib::EventEnumDataGetter;
using testing_sources::EventData;
using testing_sources::InMemoryEvents;
using testing_sources::PlainEvent;

class EventSource final : public SimpleUnknownImp2<IPendrelDataSource, IPendrelOnlineDataSource> {
 public:
  explicit EventSource(int& alive) : m_alive(alive) { ++m_alive; }
  ~EventSource() override { --m_alive; }

  HRESULT GetRecordCount(LONG* count) override { return *count = 1, S_OK; }
  HRESULT GetRecordInfo(LONG, PendrelRecordInfo* info) override {
    *info = {};
    info->tickPeriod = 0.001;
    info->startTime = 12.5;
    return S_OK;
  }
  HRESULT GetCurrentRecord(LONG* record) override { return *record = 0, S_OK; }
  HRESULT GetEndOfData(DWORD, LONG, LONG* end) override { return *end = kRecordEndOffset, S_OK; }
  HRESULT OpenEventEnumerator(PendrelChannelRef, LONG, LONG start, LONG, DWORD,
                              IUnknown** enumerator) override {
    *enumerator = static_cast<IEnumEventEx*>(new InMemoryEvents(events, start));
    return S_OK;
  }
  HRESULT OpenFloatEnumerator(PendrelChannelRef, LONG, LONG, IEnumFloatEx**) override {
    return E_NOTIMPL;
  }
  HRESULT GetDataEnd(DWORD, LONG*, LONG*) override { return E_NOTIMPL; }
  HRESULT IsValidRange(LONG, LONG, LONG, LONG) override { return E_NOTIMPL; }

  HRESULT AddSink(IOnlineDataSink*) override { return ++sinks, S_OK; }
  HRESULT RemoveSink(IOnlineDataSink*) override { return --sinks, S_OK; }

  std::shared_ptr<EventData> events = std::make_shared<EventData>();
  int sinks = 0;

 private:
  int& m_alive;
};

struct Getter : ::testing::Test {
  void SetUp() override {
    source = new EventSource(alive);
    source->AddRef();
    for (LONG tick : {10, 20, 30}) source->events->Add(PlainEvent{tick, 0.0f, double(tick)});
  }
  void TearDown() override {
    if (source) source->Release();
  }
  LONG TickOf(const std::vector<BYTE>& item) {
    LONG tick;
    std::memcpy(&tick, item.data(), sizeof tick);
    return tick;
  }
  int alive = 0;
  EventSource* source = nullptr;
};

TEST_F(Getter, HoldsItsSourceUntilItHasUnadvised) {
  auto getter = std::make_unique<EventEnumDataGetter>(source, 0);
  EXPECT_TRUE(getter->Advised());
  EXPECT_EQ(source->sinks, 1);
  // The caller lets go of the source first; the getter still unadvises through it.
  std::exchange(source, nullptr)->Release();
  EXPECT_EQ(alive, 1);
  getter.reset();
  EXPECT_EQ(alive, 0);
}

TEST_F(Getter, AGetterForAChannelNeverAdvises) {
  { EventEnumDataGetter getter(source, 3); EXPECT_FALSE(getter.Advised()); }
  EXPECT_EQ(source->sinks, 0);
}

TEST_F(Getter, APassYieldsTheEnumerationsEventsInOrder) {
  EventEnumDataGetter getter(source, 3);
  ASSERT_TRUE(getter.Run({1, 0}, 0, 15, -1.0));
  ASSERT_EQ(getter.Items().size(), 2u);
  EXPECT_EQ(TickOf(getter.Items()[0]), 20);
  EXPECT_EQ(TickOf(getter.Items()[1]), 30);
  // Only -1 stands for the record's start time.
  EXPECT_EQ(getter.PassTime(), 12.5);
  getter.Run({1, 0}, 0, 0, -2.0);
  EXPECT_EQ(getter.PassTime(), -2.0);
  EXPECT_EQ(getter.Items().size(), 3u);
}

TEST_F(Getter, SamplingThatStopsEndsThePass) {
  int called = 0;
  EventEnumDataGetter getter(source, [&] { ++called; }, 0);
  getter.Run({1, 0}, 0, 0, 0.0);
  EXPECT_TRUE(getter.Running());
  getter.OnSamplingStopped(0, 0);
  EXPECT_EQ(called, 1);
  EXPECT_FALSE(getter.Running());
  EXPECT_TRUE(getter.Items().empty());
  // Without a callback it only stops.
  EventEnumDataGetter plain(source, 0);
  EXPECT_EQ(plain.OnSamplingStopped(0, 0), S_OK);
}

TEST(ChannelReferences, AreReadOnceEachInTheirOrder) {
  struct Case {
    std::u16string text;
    std::vector<ChannelReference> expected;
  };
  const Case cases[] = {
      {u"ch1 vch1 channel1", {{1, false, false}, {1, false, true}}},
      {u"ch2,ch3,ch2,ch4", {{2, false, false}, {3, false, false}, {4, false, false}}},
      {u"rch7 + rchannel7", {{7, true, false}}},
      {u"each ch", {}},
      {u"ch99999999999 ch5", {{5, false, false}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtLib::ReadChannelReferences(c.text), c.expected);
  }
}

}  // namespace
