#include "hostframework/multi_event_iterator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "hostframework/tests/crossing_algorithm.h"
#include "hostframework/tests/in_memory_sources.h"

namespace {

using QuorEvent::MultiEventIterator;
using testing_sources::EventData;
using testing_sources::InMemoryEvents;
using testing_sources::PlainEvent;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A channel of the stand-in document whose samples lie `ratio` to a tick from tick 0.
class RatedChannel : public SimpleUnknownImp2<IPendrelRecordChannel, IPendrelChannelRate, 1> {
 public:
  explicit RatedChannel(PendrelRateRatio ratio) : m_ratio(ratio) {}

  HRESULT GetRateRatio(PendrelRateRatio* ratio) override {
    *ratio = m_ratio;
    return S_OK;
  }
  HRESULT GetSampleOffset(double* offset) override {
    *offset = 0.0;
    return S_OK;
  }

 private:
  PendrelRateRatio m_ratio;
};

class Channel final : public RatedChannel {
 public:
  Channel(std::shared_ptr<EventData> events, PendrelRateRatio ratio)
      : RatedChannel(ratio), m_events(std::move(events)) {}

  HRESULT OpenEvents(LONG position, IEnumEventEx** events) override {
    *events = new InMemoryEvents(m_events, position);
    return S_OK;
  }

 private:
  std::shared_ptr<EventData> m_events;
};

// A channel whose events a calculated event enumerator computes.
class CalculatedChannel final : public RatedChannel {
 public:
  explicit CalculatedChannel(ICalcEnum* enumerator)
      : RatedChannel({1, 1, 1.0}), m_enumerator(enumerator) {}

  HRESULT OpenEvents(LONG position, IEnumEventEx** events) override {
    m_enumerator->SetPosition(position);
    return m_enumerator->QueryInterface(IEnumEventEx::iid, reinterpret_cast<void**>(events));
  }

 private:
  Quor::ComPtr<ICalcEnum> m_enumerator;
};

// A channel that does not tell where its samples lie.
class ChannelWithoutRate final : public SimpleUnknownImp1<IPendrelRecordChannel, 1> {
 public:
  HRESULT OpenEvents(LONG, IEnumEventEx** events) override {
    *events = nullptr;
    return E_FAIL;
  }
};

class Comments final : public SimpleUnknownImp1<IPendrelCommentList, 1> {
 public:
  explicit Comments(std::vector<LONG> positions) : m_positions(std::move(positions)) {}

  HRESULT NextComment(BOOL backward, LONG bound, LONG* position) override {
    if (!m_started) {
      m_started = true;
      m_next = 0;
      if (backward) {
        m_next = LONG(m_positions.size()) - 1;
        while (m_next >= 0 && m_positions[m_next] > bound) --m_next;
      } else {
        while (m_next < LONG(m_positions.size()) && m_positions[m_next] < bound) ++m_next;
      }
    }
    if (m_next < 0 || m_next >= LONG(m_positions.size())) return S_FALSE;
    *position = m_positions[m_next];
    m_next += backward ? -1 : 1;
    return S_OK;
  }

 private:
  std::vector<LONG> m_positions;
  bool m_started = false;
  LONG m_next = 0;
};

struct Listed {
  DWORD number;
  DWORD itemType;
  Quor::ComPtr<IPendrelRecordChannel> channel;
};

class Document final : public SimpleUnknownImp1<IPendrelRecordContents, 1> {
 public:
  HRESULT GetChannelCount(LONG, DWORD, DWORD, LONG* count) override {
    *count = LONG(channels.size());
    return S_OK;
  }
  HRESULT GetChannelItem(LONG, DWORD, DWORD, LONG index, DWORD* number,
                         DWORD* itemType) override {
    *number = channels[index].number;
    *itemType = channels[index].itemType;
    return S_OK;
  }
  HRESULT GetChannel(LONG, DWORD number, IPendrelRecordChannel** channel) override {
    for (const Listed& listed : channels) {
      if (listed.number != number) continue;
      *channel = listed.channel.Get();
      (*channel)->AddRef();
      return S_OK;
    }
    return E_INVALIDARG;
  }
  HRESULT GetComments(LONG, IPendrelCommentList** comments) override {
    *comments = nullptr;
    if (commentPositions.empty()) return S_FALSE;
    *comments = new Comments(commentPositions);
    return S_OK;
  }

  std::vector<Listed> channels;
  std::vector<LONG> commentPositions;
};

// What the walk delivered: a position and its source (-1 a comment, else the channel number).
struct Delivered {
  LONG position;
  LONG source;
  bool operator==(const Delivered&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Delivered& d) {
  return out << d.position << (d.source < 0 ? "c" : "#") << (d.source < 0 ? 0 : d.source);
}

class MergedWalk : public ::testing::Test {
 protected:
  void AddEvents(DWORD number, std::vector<std::pair<LONG, double>> events,
                 PendrelRateRatio ratio = {1, 1, 1.0}) {
    auto data = std::make_shared<EventData>();
    for (const auto& [tick, value] : events) data->Add(PlainEvent{tick, 0.0f, value});
    List(number, kEventChannelItemType, new Channel(data, ratio));
  }
  void List(DWORD number, DWORD itemType, IPendrelRecordChannel* channel) {
    Quor::ComPtr<IPendrelRecordChannel> held;
    held.Attach(channel);
    document->channels.push_back({number, itemType, held});
  }

  std::vector<Delivered> Walk(LONG start, bool forward, LONG end = kRecordEndOffset) {
    MultiEventIterator walk(document.Get(), 0, 0, 0, start, forward, end);
    std::vector<Delivered> delivered;
    std::vector<BYTE> record;
    while (walk.Next(record) == S_OK) {
      Quor::ComPtr<IEnumEventEx> events;
      DWORD channel = 0;
      const HRESULT hr =
          walk.GetCurrentSource(Quor::ComPtrOut<IEnumEventEx>::Bind(events), &channel);
      EXPECT_EQ(hr == S_OK, bool(events));
      delivered.push_back({QuorEvent::EventIter::PositionOf(record.data()),
                           hr == S_OK ? LONG(channel) : -1});
    }
    return delivered;
  }

  Quor::ComPtr<Document> document{[] {
    Quor::ComPtr<Document> d;
    d.Attach(new Document);
    return d;
  }()};
};

TEST_F(MergedWalk, CommentsComeFirstThenChannelsInListOrderBothWays) {
  document->commentPositions = {100, 300};
  AddEvents(2, {{100, 1}, {200, 1}, {300, kNaN}, {400, 1}});
  List(3, 0x801D0002, new Channel(std::make_shared<EventData>(), {1, 1, 1.0}));  // not events
  AddEvents(5, {{50, 1}, {200, 1}, {300, 1}, {450, kInfinity}, {460, -kInfinity}});

  const std::vector<Delivered> forwards = {{50, 5},  {100, -1}, {100, 2}, {200, 2},
                                           {200, 5}, {300, -1}, {300, 5}, {400, 2}};
  EXPECT_EQ(Walk(0, true), forwards);
  const std::vector<Delivered> backwards = {{400, 2}, {300, -1}, {300, 5},  {200, 2},
                                            {200, 5}, {100, -1}, {100, 2}, {50, 5}};
  EXPECT_EQ(Walk(0, false), backwards);

  EXPECT_EQ(Walk(200, true, 400),
            (std::vector<Delivered>{{200, 2}, {200, 5}, {300, -1}, {300, 5}}));
  EXPECT_EQ(Walk(200, false, 300),
            (std::vector<Delivered>{{300, -1}, {300, 5}, {200, 2}, {200, 5}}));
}

TEST_F(MergedWalk, ManyEventsAreReadInBlocksBothWays) {
  std::vector<std::pair<LONG, double>> a, b;
  std::vector<Delivered> expected;
  for (LONG i = 0; i < 40; ++i) {
    a.push_back({i * 30, 1.0});
    b.push_back({i * 45, i % 7 == 3 ? kNaN : 1.0});
  }
  AddEvents(1, a);
  AddEvents(2, b);
  for (const auto& [tick, value] : a) expected.push_back({tick, 1});
  for (const auto& [tick, value] : b) {
    if (!std::isnan(value)) expected.push_back({tick, 2});
  }
  std::stable_sort(expected.begin(), expected.end(),
                   [](const Delivered& x, const Delivered& y) { return x.position < y.position; });
  EXPECT_EQ(Walk(0, true), expected);

  std::stable_sort(expected.begin(), expected.end(),
                   [](const Delivered& x, const Delivered& y) { return x.position > y.position; });
  EXPECT_EQ(Walk(0, false), expected);
}

TEST_F(MergedWalk, AStartBetweenTwoSamplesOfASlowerChannelStartsAtItsNextSample) {
  // One sample every two ticks: samples 1, 2, 3 lie on ticks 2, 4, 6.
  AddEvents(1, {{2, 1}, {4, 1}, {6, 1}}, {1, 2, 0.5});
  EXPECT_EQ(Walk(3, true), (std::vector<Delivered>{{4, 1}, {6, 1}}));
  EXPECT_EQ(Walk(4, true), (std::vector<Delivered>{{4, 1}, {6, 1}}));
}

TEST_F(MergedWalk, ChannelsTheHostDoesNotDescribeAreSkipped) {
  List(1, kEventChannelItemType, new ChannelWithoutRate);
  AddEvents(2, {{10, 1}});
  MultiEventIterator walk(document.Get(), 0, 0, 0, 0, true);
  EXPECT_EQ(walk.ChannelCount(), 1u);
  EXPECT_EQ(Walk(0, true), (std::vector<Delivered>{{10, 2}}));
}

TEST_F(MergedWalk, NothingToWalkEndsAtOnce) {
  EXPECT_TRUE(Walk(0, true).empty());
  EXPECT_TRUE(Walk(0, false).empty());
  std::vector<BYTE> record;
  EXPECT_EQ(MultiEventIterator(nullptr, 0, 0, 0, 0, true).Next(record), S_FALSE);
}

TEST_F(MergedWalk, ACalculatedChannelIsWalkedBackwardsThroughItsOwnSeeks) {
  // Crossings of a square wave; the first has no interval (NaN) and is left out.
  auto samples = std::make_shared<testing_sources::SampleData>();
  for (LONG t = 0; t < 250000; ++t) samples->samples.push_back((t / 1700) % 2 ? 1.0f : 0.0f);
  samples->available = samples->samples.size();
  const auto crossings = testing_algorithm::ExpectedCrossings(samples->samples, 0.5, 0.001);

  Quor::ComPtr<ICalcEnum> enumerator;
  enumerator.Attach(new testing_algorithm::CrossingEnumerator(nullptr));
  Quor::ComPtr<IEnumFloatEx> signal;
  signal.Attach(new testing_sources::InMemoryFloats(samples, 0));
  IUnknown* sources[] = {signal.Get()};
  ASSERT_EQ(enumerator->StartRecord(0, 1, sources, 0, 0.001, 0), S_OK);
  List(7, kEventChannelItemType, new CalculatedChannel(enumerator.Get()));

  std::vector<Delivered> expected;
  for (auto c = crossings.rbegin(); c != crossings.rend() - 1; ++c) {
    expected.push_back({c->tick, 7});
  }
  EXPECT_EQ(Walk(0, false), expected);
}

}  // namespace
