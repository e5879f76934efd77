// The simulated device: what a sink hears, in what order, and what the document holds at each
// call; a refused start; several records; a stop in the middle of a record and a session that
// continues from there; the block size the sinks ask for; pacing at a chosen speed.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "host/sampling/sampling_simulator.h"
#include "host/tests/document/document_test_support.h"
#include "host/tests/document/test_recordings.h"

namespace {

using PendrelHost::ReplayOptions;
using PendrelHost::SamplingPhase;

// A sink that writes down each call with the ticks the document's record held at it.
class LoggingSink final : public SimpleUnknownImp1<IOnlineDataSink, 1> {
 public:
  explicit LoggingSink(const PendrelHost::Recording& recording) : m_recording(recording) {}

  HRESULT OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) override {
    calls.push_back("starting");
    *proceed = veto ? VARIANT_FALSE : VARIANT_TRUE;
    return veto ? S_FALSE : S_OK;
  }
  HRESULT OnRecordStart(LONG record) override { return Log("record " + std::to_string(record)); }
  HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) override {
    return Log("added " + std::to_string(record) + " " + std::to_string(start) + "+" +
               std::to_string(count) + (more ? "" : " last") + " of " + Ticks(record));
  }
  HRESULT OnRecordEnd(LONG record) override {
    Log("step " + std::to_string(record) + (m_recording.IsClosed(record) ? " closed" : ""));
    return failSteps ? E_FAIL : S_OK;
  }
  HRESULT OnSamplingStopped(DWORD, DWORD) override { return Log("stopped"); }
  HRESULT OnDataChanged(DWORD) override { return Log("changed"); }
  HRESULT OnChannelChanged(DWORD) override { return S_OK; }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* value) override {
    *value = interval;
    return S_OK;
  }
  HRESULT GetDataInterest(DWORD* value) override {
    *value = 0x80000000;
    return S_OK;
  }

  std::vector<std::string> calls;
  DWORD interval = 200;
  bool veto = false;
  bool failSteps = false;

 private:
  HRESULT Log(std::string call) {
    calls.push_back(std::move(call));
    return S_OK;
  }
  std::string Ticks(LONG record) const {
    return std::to_string(m_recording.TickCount(std::size_t(record)));
  }
  const PendrelHost::Recording& m_recording;
};

// The small recording (100 Hz, 200 ticks, events at 45, 95 and 145) as two records of 120 and
// 80 ticks, the second starting 100 s after the first.
PendrelHost::Recording TwoRecords() {
  const PendrelHost::Recording small = DocumentTest::SmallRecording();
  PendrelHost::Recording two(small.SampleRate());
  for (std::size_t c = 0; c < small.ChannelCount(); ++c) two.AddChannel(small.Channel(c));
  for (std::size_t c = 0; c < small.EventChannelCount(); ++c) two.AddEventChannel(small.EventChannel(c));
  for (auto [from, to] : {std::pair{0, 120}, {120, 200}}) {
    const std::size_t record = two.AddRecord(from == 0 ? 0.0 : 100.0);
    std::vector<std::span<const float>> blocks;
    for (std::size_t c = 0; c < small.ChannelCount(); ++c) {
      blocks.push_back(small.Samples(0, c).subspan(std::size_t(from), std::size_t(to - from)));
    }
    two.AppendSamples(record, blocks);
    const PendrelHost::EventRecords& events = small.Events(0, 0);
    for (std::size_t i = 0; i < events.Count(); ++i) {
      if (events.Tick(i) >= from && events.Tick(i) < to) {
        two.AddEvent(record, 0, {events.Tick(i) - from, 0.0f, events.Value(i)});
      }
    }
    two.CloseRecord(record);
  }
  return two;
}

struct SimulatedDevice : DocumentTest::HostTest {
  void SetUp() override {
    DocumentTest::HostTest::SetUp();
    sink.Attach(new LoggingSink(*target));
    ASSERT_EQ(Data().AddSink(sink.Get()), S_OK);
  }
  PendrelHost::DataDocument& Data() { return *PendrelHost::AsDataDocument(document.get()); }

  PendrelHost::Recording source = TwoRecords();
  std::shared_ptr<PendrelHost::Recording> target = PendrelHost::EmptyRecordingLike(source);
  DocumentTest::HeldReference<IUnknown> document = PendrelHost::OpenDocument(target);
  Quor::ComPtr<LoggingSink> sink;
  PendrelHost::SamplingSimulator simulator{source, target, Data()};
};

using Calls = std::vector<std::string>;

TEST_F(SimulatedDevice, ASessionCallsTheSinksInTheOrderOfAnAcquisition) {
  const PendrelHost::ReplayResult result = simulator.Replay({0.0, 50, 0});
  EXPECT_FALSE(result.vetoed);
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(result.ticks, 200);
  EXPECT_EQ(sink->calls, (Calls{"starting",
                                "record 0",
                                "added 0 0+50 of 50", "step 0",
                                "added 0 50+50 of 100", "step 0",
                                "added 0 100+20 of 120", "step 0",
                                // the record closed: a last step reads what its end settled
                                "added 0 120+0 of 120", "step 0 closed",
                                "record 1",
                                "added 1 0+50 of 50", "step 1",
                                "added 1 50+30 of 80", "step 1",
                                // data is still pending when sampling stops
                                "stopped"}));
  ASSERT_EQ(target->RecordCount(), 2u);
  EXPECT_TRUE(target->IsClosed(1));
  EXPECT_EQ(target->RecordStartTime(1), source.RecordStartTime(1));
  for (std::size_t r = 0; r < 2; ++r) {
    const auto want = source.Samples(r, 0);
    const auto got = target->Samples(r, 0);
    EXPECT_TRUE(std::equal(want.begin(), want.end(), got.begin(), got.end()));
    ASSERT_EQ(target->Events(r, 0).Count(), source.Events(r, 0).Count());
    for (std::size_t i = 0; i < source.Events(r, 0).Count(); ++i) {
      EXPECT_EQ(target->Events(r, 0).Tick(i), source.Events(r, 0).Tick(i));
      EXPECT_EQ(target->Events(r, 0).Value(i), source.Events(r, 0).Value(i));
    }
  }
  // Everything is replayed: a further session samples nothing and tells nobody.
  sink->calls.clear();
  EXPECT_TRUE(simulator.Replay({}).finished);
  EXPECT_TRUE(sink->calls.empty());
}

TEST_F(SimulatedDevice, ARefusedStartSamplesNothing) {
  sink->veto = true;
  const PendrelHost::ReplayResult result = simulator.Replay({});
  EXPECT_TRUE(result.vetoed);
  EXPECT_EQ(result.ticks, 0);
  EXPECT_EQ(sink->calls, Calls{"starting"});
  EXPECT_EQ(target->RecordCount(), 0u);
  // The next session, allowed, samples from the start.
  sink->veto = false;
  EXPECT_EQ(simulator.Replay({}).ticks, 200);
}

TEST_F(SimulatedDevice, AStopInARecordEndsItAndTheNextSessionContinuesInANewRecord) {
  const PendrelHost::ReplayResult first = simulator.Replay({0.0, 50, 70});
  EXPECT_EQ(first.ticks, 70);
  EXPECT_FALSE(first.finished);
  EXPECT_EQ(sink->calls, (Calls{"starting", "record 0", "added 0 0+50 of 50", "step 0",
                                "added 0 50+20 of 70", "step 0", "stopped"}));
  ASSERT_EQ(target->RecordCount(), 1u);
  EXPECT_TRUE(target->IsClosed(0));

  sink->calls.clear();
  // Stopped by the observer after the first block of the second session.
  std::vector<SamplingPhase> phases;
  const PendrelHost::ReplayResult second =
      simulator.Replay({0.0, 50, 0}, [&](const PendrelHost::SamplingStep& step) {
        phases.push_back(step.phase);
        return step.phase != SamplingPhase::kBlock;
      });
  EXPECT_EQ(second.ticks, 50);
  EXPECT_EQ(sink->calls,
            (Calls{"starting", "record 1", "added 1 0+50 of 50", "step 1", "stopped"}));
  EXPECT_EQ(phases, (std::vector<SamplingPhase>{SamplingPhase::kStarted, SamplingPhase::kRecordStart,
                                                SamplingPhase::kBlock, SamplingPhase::kStopped}));
  // The new record starts where the source was left, at tick 70.
  EXPECT_DOUBLE_EQ(target->RecordStartTime(1), 0.7);
  EXPECT_EQ(target->Samples(1, 0)[0], source.Samples(0, 0)[70]);
  EXPECT_EQ(target->Events(1, 0).Tick(0), 95 - 70);

  const PendrelHost::ReplayResult rest = simulator.Replay({0.0, 1000, 0});
  EXPECT_EQ(rest.ticks, 80);
  EXPECT_TRUE(rest.finished);
  EXPECT_EQ(target->RecordCount(), 3u);
}

TEST_F(SimulatedDevice, AnOpenSessionKeepsItsRecordOpenBetweenAdvancesUntilClosed) {
  ASSERT_TRUE(simulator.Open(50));
  EXPECT_FALSE(simulator.Open(50));  // one session at a time
  EXPECT_EQ(simulator.Replay({}).ticks, 0);
  EXPECT_EQ(simulator.Advance(30), 30);
  ASSERT_EQ(target->RecordCount(), 1u);
  EXPECT_FALSE(target->IsClosed(0));
  // Across the end of the source's first record: it closes with its last step, the next opens.
  EXPECT_EQ(simulator.Advance(100), 100);
  EXPECT_EQ(sink->calls, (Calls{"starting", "record 0", "added 0 0+30 of 30", "step 0",
                                "added 0 30+50 of 80", "step 0", "added 0 80+40 of 120",
                                "step 0", "added 0 120+0 of 120", "step 0 closed", "record 1",
                                "added 1 0+10 of 10", "step 1"}));
  EXPECT_FALSE(target->IsClosed(1));
  simulator.Close();
  EXPECT_TRUE(target->IsClosed(1));
  EXPECT_EQ(sink->calls.back(), "stopped");
  EXPECT_EQ(simulator.Advance(10), 0);  // nothing open

  // The next session continues the source in a new record, to its end.
  ASSERT_TRUE(simulator.Open(50));
  EXPECT_EQ(simulator.Advance(1000), 70);
  EXPECT_TRUE(simulator.Finished());
  simulator.Close();
  ASSERT_EQ(target->RecordCount(), 3u);
  EXPECT_EQ(target->Samples(2, 0)[0], source.Samples(1, 0)[10]);
  EXPECT_FALSE(simulator.Open(50));  // nothing left to replay
}

TEST_F(SimulatedDevice, BlocksFollowTheShortestIntervalTheSinksAskFor) {
  // 200 ms at 100 Hz: 20 ticks; 10 ms: one tick.
  for (auto [interval, blocks] : {std::pair{200u, 10}, {10u, 200}, {5000u, 2}}) {
    auto fresh = PendrelHost::EmptyRecordingLike(source);
    auto freshDocument = PendrelHost::OpenDocument(fresh);
    auto* data = PendrelHost::AsDataDocument(freshDocument.get());
    Quor::ComPtr<LoggingSink> asking;
    asking.Attach(new LoggingSink(*fresh));
    asking->interval = interval;
    data->AddSink(asking.Get());
    PendrelHost::SamplingSimulator replay(source, fresh, *data);
    int steps = 0;
    replay.Replay({}, [&](const PendrelHost::SamplingStep& step) {
      steps += step.phase == SamplingPhase::kBlock;
      return true;
    });
    EXPECT_EQ(steps, blocks) << interval << " ms";
    data->RemoveSink(asking.Get());
  }
}

TEST_F(SimulatedDevice, AFailingSinkIsReportedAndSamplingGoesOn) {
  sink->failSteps = true;
  const PendrelHost::ReplayResult result = simulator.Replay({});
  EXPECT_EQ(result.firstFailure, E_FAIL);
  EXPECT_EQ(result.ticks, 200);
}

TEST_F(SimulatedDevice, AtAChosenSpeedTheReplayTakesItsTime) {
  // 200 ticks at 100 Hz are two seconds: at 20 times real time, a tenth of a second.
  const auto begun = std::chrono::steady_clock::now();
  simulator.Replay({20.0, 20, 0});
  EXPECT_GE(std::chrono::steady_clock::now() - begun, std::chrono::milliseconds(95));
}

}  // namespace
