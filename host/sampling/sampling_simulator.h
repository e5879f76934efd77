// A simulated acquisition device: it replays a complete recording into the growing recording of
// a data document, block by block, and tells the document's online data sinks of each step in
// the order a real acquisition does. One simulator serves one document; each Replay is one
// sampling session, which continues the source where the last session stopped, in a new record.
// A session may also be held open between calls (Open, Advance, Close), as a device that samples
// while its caller goes on does: the record being sampled stays open until Close.
// Not thread-safe: it runs on the thread that owns the document.
//
// A session from the command line, say:
//   auto target = EmptyRecordingLike(source);
//   HostedDocument hosted(OpenDocument(target));
//   hosted.StartNew();  // the module documents subscribe their sinks (online mode on)
//   SamplingSimulator device(source, target, hosted.Data());
//   device.Replay({.speed = 10.0}, [](const SamplingStep& step) { return true; });
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "host/document/data_document.h"
#include "host/recording/empty_recording.h"
#include "host/recording/recording.h"

namespace PendrelHost {

struct ReplayOptions {
  // A multiple of real time; 0 (or less) replays as fast as possible.
  double speed = 0.0;
  // Ticks per block; 0 takes the shortest update interval the sinks ask for.
  int64_t blockTicks = 0;
  // The session stops after this many ticks, in the middle of a record if it falls there;
  // 0 replays to the end of the source.
  int64_t stopAfterTicks = 0;
};

enum class SamplingPhase {
  kStarted,      // every sink agreed to the start
  kRecordStart,  // a new record in the document, announced to the sinks
  kBlock,        // a block appended and its update step made
  kRecordClosed, // the record closed and a last step made over the data it settled
  kStopped,      // the sinks told that sampling stopped
};

struct SamplingStep {
  SamplingPhase phase;
  std::size_t record;  // of the document's recording
  int64_t from;        // first tick of the block
  int64_t count;       // ticks in the block
};

// Told of every step after the sinks were; returning false stops the session there.
using SamplingObserver = std::function<bool(const SamplingStep&)>;

struct ReplayResult {
  bool vetoed = false;      // a sink refused the start: nothing was sampled
  int64_t ticks = 0;        // sampled in this session
  bool finished = false;    // the whole source has been replayed
  HRESULT firstFailure = S_OK;  // the first failing answer of a sink; sampling went on
};

class SamplingSimulator {
 public:
  // `target` is the recording `document` was opened over, laid out as `source` and without
  // records (EmptyRecordingLike makes one). The source must outlive the simulator.
  SamplingSimulator(const Recording& source, std::shared_ptr<Recording> target,
                    DataDocument& document);
  ~SamplingSimulator();

  ReplayResult Replay(const ReplayOptions& options, const SamplingObserver& observer = {});

  // Starts a session that stays open: false (and nothing open) when a sink refused the start
  // or the source has been replayed to its end. `blockTicks` as in ReplayOptions.
  bool Open(int64_t blockTicks = 0);
  // Samples up to `ticks` more ticks of the open session; the ticks sampled (fewer at the end
  // of the source, 0 without an open session).
  int64_t Advance(int64_t ticks);
  // Ends the open session: closes the record being sampled and tells the sinks of the stop.
  void Close();
  bool IsOpen() const { return m_open != nullptr; }

  // Whether every tick of the source has been replayed.
  bool Finished() const;

 private:
  struct Session;
  int64_t BlockTicks(const ReplayOptions& options) const;
  bool Start(Session& session);
  // Samples the source on in the session's record (a new one when none is open); false when
  // the session ends here or, for an open session, the ticks asked for are spent.
  bool SampleRecord(Session& session);
  void OpenRecord(Session& session);
  // Closes the session's record; the source moves to its next record when this one is done.
  void CloseRecord(Session& session);
  void AppendBlock(std::size_t record, int64_t from, int64_t count);
  void Stop(Session& session);
  // Calls every sink, keeping the first failure.
  void TellSinks(Session& session, const std::function<HRESULT(IOnlineDataSink&)>& call);

  const Recording& m_source;
  std::shared_ptr<Recording> m_target;
  DataDocument& m_document;
  std::size_t m_sourceRecord = 0;  // where the next session continues
  int64_t m_sourceTick = 0;
  std::unique_ptr<Session> m_open;  // the session held open between calls
};

}  // namespace PendrelHost
