#include "host/sampling/sampling_simulator.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <cmath>
#include <thread>
#include <vector>

namespace PendrelHost {

namespace {

// The update interval assumed when no sink asks for one, in milliseconds.
constexpr DWORD kDefaultUpdateInterval = 200;

}  // namespace

struct SamplingSimulator::Session {
  ReplayOptions options;
  SamplingObserver observer;
  std::vector<Tarn::HeldReference<IOnlineDataSink>> sinks;
  int64_t blockTicks = 1;
  std::chrono::steady_clock::time_point begun = std::chrono::steady_clock::now();
  bool stopAsked = false;
  ReplayResult result;
  bool heldOpen = false;                // Open, Advance, Close: the record outlives the call
  std::optional<std::size_t> record = std::nullopt;  // of the target, being sampled
  int64_t offset = 0;                   // source tick of the record's tick 0

  // False once the observer asked to stop.
  bool Observe(const SamplingStep& step) {
    if (observer && !observer(step)) stopAsked = true;
    return !stopAsked;
  }
  bool LimitReached() const {
    return options.stopAfterTicks > 0 && result.ticks >= options.stopAfterTicks;
  }
  // Ticks the next block may take of `available`.
  int64_t NextBlock(int64_t available) const {
    int64_t count = std::min(blockTicks, available);
    if (options.stopAfterTicks > 0) count = std::min(count, options.stopAfterTicks - result.ticks);
    return count;
  }
  // At a chosen speed, waits until the device would have sampled what has been replayed.
  void Pace(double sampleRate) const {
    if (!(options.speed > 0)) return;
    const std::chrono::duration<double> due(double(result.ticks) / sampleRate / options.speed);
    std::this_thread::sleep_until(begun + std::chrono::duration_cast<std::chrono::nanoseconds>(due));
  }
};

SamplingSimulator::SamplingSimulator(const Recording& source, std::shared_ptr<Recording> target,
                                     DataDocument& document)
    : m_source(source), m_target(std::move(target)), m_document(document) {}

SamplingSimulator::~SamplingSimulator() { Close(); }

bool SamplingSimulator::Finished() const { return m_sourceRecord >= m_source.RecordCount(); }

ReplayResult SamplingSimulator::Replay(const ReplayOptions& options,
                                       const SamplingObserver& observer) {
  Session session{.options = options, .observer = observer, .sinks = m_document.Sinks(),
                  .blockTicks = BlockTicks(options), .result = {}};
  if (m_open) return session.result;  // one session at a time
  if (Finished()) {
    session.result.finished = true;
    return session.result;
  }
  if (!Start(session)) return session.result;
  const bool going = session.Observe({SamplingPhase::kStarted, m_target->RecordCount(), 0, 0});
  while (going && !Finished() && SampleRecord(session)) {
  }
  Stop(session);
  session.result.finished = Finished();
  return session.result;
}

bool SamplingSimulator::Open(int64_t blockTicks) {
  if (m_open || Finished()) return false;
  auto session = std::make_unique<Session>(Session{.options = {.blockTicks = blockTicks},
                                                   .observer = {},
                                                   .sinks = m_document.Sinks(),
                                                   .blockTicks = BlockTicks({.blockTicks = blockTicks}),
                                                   .result = {}});
  session->heldOpen = true;
  if (!Start(*session)) return false;
  m_open = std::move(session);
  return true;
}

int64_t SamplingSimulator::Advance(int64_t ticks) {
  if (!m_open || ticks <= 0) return 0;
  Session& session = *m_open;
  const int64_t before = session.result.ticks;
  session.options.stopAfterTicks = before + ticks;
  while (!Finished() && SampleRecord(session)) {
  }
  return session.result.ticks - before;
}

void SamplingSimulator::Close() {
  if (!m_open) return;
  if (m_open->record) CloseRecord(*m_open);
  Stop(*m_open);
  m_open.reset();
}

int64_t SamplingSimulator::BlockTicks(const ReplayOptions& options) const {
  if (options.blockTicks > 0) return options.blockTicks;
  DWORD interval = 0;
  for (const auto& sink : m_document.Sinks()) {
    DWORD asked = 0;
    if (sink->GetUpdateInterval(&asked) == S_OK && asked > 0) {
      interval = interval ? std::min(interval, asked) : asked;
    }
  }
  if (!interval) interval = kDefaultUpdateInterval;
  return std::max<int64_t>(1, std::llround(interval * m_source.SampleRate() / 1000.0));
}

bool SamplingSimulator::Start(Session& session) {
  for (const auto& sink : session.sinks) {
    VARIANT_BOOL proceed = VARIANT_TRUE;
    const HRESULT hr = sink->OnSamplingStarting(0, &proceed);
    if (FAILED(hr) && session.result.firstFailure == S_OK) session.result.firstFailure = hr;
    // One refusal keeps the device from starting: no other sink hears of this session.
    if (proceed == VARIANT_FALSE) {
      session.result.vetoed = true;
      return false;
    }
  }
  return true;
}

void SamplingSimulator::OpenRecord(Session& session) {
  session.offset = m_sourceTick;
  const std::size_t record = m_target->AddRecord(m_source.RecordStartTime(m_sourceRecord) +
                                                 double(session.offset) / m_source.SampleRate());
  session.record = record;
  // Room for the whole record at once: growing by doubling would need twice the memory.
  m_target->ReserveTicks(record, m_source.TickCount(m_sourceRecord) - session.offset);
  TellSinks(session, [&](IOnlineDataSink& sink) { return sink.OnRecordStart(LONG(record)); });
  session.Observe({SamplingPhase::kRecordStart, record, 0, 0});
}

void SamplingSimulator::CloseRecord(Session& session) {
  m_target->CloseRecord(*session.record);
  session.record.reset();
  if (m_sourceTick >= m_source.TickCount(m_sourceRecord)) {
    ++m_sourceRecord;
    m_sourceTick = 0;
  }
}

bool SamplingSimulator::SampleRecord(Session& session) {
  const int64_t sourceEnd = m_source.TickCount(m_sourceRecord);
  if (!session.record) OpenRecord(session);
  const std::size_t record = *session.record;
  const int64_t offset = session.offset;
  bool going = !session.stopAsked;
  while (going && m_sourceTick < sourceEnd && !session.LimitReached()) {
    const int64_t count = session.NextBlock(sourceEnd - m_sourceTick);
    const LONG from = LONG(m_sourceTick - offset);
    AppendBlock(record, offset, count);
    m_sourceTick += count;
    session.result.ticks += count;
    TellSinks(session, [&](IOnlineDataSink& sink) {
      return sink.OnDataAdded(LONG(record), from, LONG(count), VARIANT_TRUE);
    });
    TellSinks(session, [&](IOnlineDataSink& sink) { return sink.OnRecordEnd(LONG(record)); });
    session.Pace(m_source.SampleRate());
    going = session.Observe({SamplingPhase::kBlock, record, from, count});
  }
  // A session held open keeps its record while the source record goes on.
  if (going && session.heldOpen && m_sourceTick < sourceEnd) return false;
  // The record ends here, complete or where sampling stops; what its end settles (the last
  // beats) is read in the closing step, or by the sinks' own stop.
  CloseRecord(session);
  if (!going || Finished() || (session.LimitReached() && !session.heldOpen)) return false;
  const LONG end = LONG(m_target->TickCount(record));
  TellSinks(session, [&](IOnlineDataSink& sink) {
    return sink.OnDataAdded(LONG(record), end, 0, VARIANT_TRUE);
  });
  TellSinks(session, [&](IOnlineDataSink& sink) { return sink.OnRecordEnd(LONG(record)); });
  return session.Observe({SamplingPhase::kRecordClosed, record, end, 0}) &&
         !session.LimitReached();
}

void SamplingSimulator::AppendBlock(std::size_t record, int64_t offset, int64_t count) {
  const std::size_t from = std::size_t(m_sourceTick);
  std::vector<std::span<const float>> blocks;
  for (std::size_t channel = 0; channel < m_source.ChannelCount(); ++channel) {
    blocks.push_back(m_source.Samples(m_sourceRecord, channel).subspan(from, std::size_t(count)));
  }
  m_target->AppendSamples(record, blocks);
  for (std::size_t channel = 0; channel < m_source.EventChannelCount(); ++channel) {
    const EventRecords& events = m_source.Events(m_sourceRecord, channel);
    for (std::size_t i = events.LowerBound(m_sourceTick);
         i < events.Count() && events.Tick(i) < m_sourceTick + count; ++i) {
      const EventRecord moved{int32_t(events.Tick(i) - offset),
                              EventFraction(events.Data(i), events.RecordSize()), events.Value(i)};
      m_target->AddEvent(record, channel, moved);
    }
  }
}

void SamplingSimulator::Stop(Session& session) {
  // The sinks still have data pending from the last block: the stop is what ends it.
  TellSinks(session, [](IOnlineDataSink& sink) { return sink.OnSamplingStopped(0, 0); });
  const std::size_t last = m_target->RecordCount() ? m_target->RecordCount() - 1 : 0;
  session.Observe({SamplingPhase::kStopped, last, 0, 0});
}

void SamplingSimulator::TellSinks(Session& session,
                                  const std::function<HRESULT(IOnlineDataSink&)>& call) {
  // Only the sinks that agreed to this session's start, and only while they stay subscribed:
  // a document that leaves (switched off, closed) hears nothing more.
  const auto subscribed = m_document.Sinks();
  for (const auto& sink : session.sinks) {
    const bool still = std::any_of(subscribed.begin(), subscribed.end(),
                                   [&](const auto& held) { return held.get() == sink.get(); });
    if (!still) continue;
    const HRESULT hr = call(*sink);
    if (FAILED(hr) && session.result.firstFailure == S_OK) session.result.firstFailure = hr;
  }
}

}  // namespace PendrelHost
