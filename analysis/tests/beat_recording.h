// A record for the fiducial point enumerator, built in memory: an ECG-like signal with a sharp
// peak at every beat over a slow baseline, the reference events of a peak detector a few ticks
// after each peak, and the host document that holds the user's beat edits and the beat numbers.
#pragma once

#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/data/event_id_cache.h"
#include "analysis/detection/fiducial_event.h"
#include "analysis/tests/document_sources.h"
#include "analysis/data/user_event_data.h"
#include "core/quor_string.h"
#include "platform/pendrel/calc_enum.h"

namespace Rhyth {

// Beats compare by their bytes: beats computed alike are alike to the last bit, NaN included.
inline bool operator==(const FiducialEvent& a, const FiducialEvent& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

inline void PrintTo(const FiducialEvent& beat, std::ostream* out) {
  *out << "{tick " << beat.position << ", #" << beat.beatNumber << ", value " << beat.value
       << ", distance " << beat.referenceDistance << ", rr " << beat.rr << ", drr "
       << beat.deltaRR << ", var " << beat.variance << ", ff " << beat.ff << ", flags 0x"
       << std::hex << beat.flags << std::dec << "}";
}

}  // namespace Rhyth

namespace RhythTest {

constexpr double kTickInterval = 0.001;
constexpr LONG kReferenceLag = 3;  // the detector's events follow the peaks by this much

// Slow baseline plus a peak of height 1 at every tick of `peaks`.
std::vector<float> BeatSignal(std::size_t length, const std::vector<LONG>& peaks);

// Peaks whose intervals wander between `shortest` and `longest` ticks, from `first` to `end`.
std::vector<LONG> WanderingPeaks(LONG first, LONG end, LONG shortest, LONG longest);

// The fiducial parameters as the host writes them: the leading number, then the enumerator's.
struct FiducialSettings {
  double width = 0.1;
  double type = 0;
  double minRR = 0.3;
  double maxRR = 2.0;
  double minFF = 0.0;
  double maxFF = 10.0;
  std::string range = "-1 -1 -1 -1";
  double excludeEctopic = 1;

  Quor::String Text() const;
};

// Numbers that read back as themselves.
std::string Exact(double value);

class BeatRecording {
 public:
  BeatRecording();

  // The signal and one reference event after each peak.
  void Use(std::vector<float> samples, const std::vector<LONG>& peaks);
  // While sampling, the data up to `available` ticks exists, with the reference events of it.
  void MakeAvailable(std::size_t available, bool growing);

  void AddBeat(LONG tick, LONG record = 0) { Edit(tick, record, FALSE); }
  void RemoveBeat(LONG tick, LONG record = 0) { Edit(tick, record, TRUE); }
  void LeaveDocument() { m_inDocument = false; }

  Quor::ComPtr<ICalcEnum> MakeEnumerator(const FiducialSettings& settings = {}) const;
  HRESULT Start(ICalcEnum* enumerator, LONG record, bool online = false) const;

  const std::vector<float>& Samples() const { return m_signal->samples; }
  Rhyth::EventIdCache& Numbers() { return *m_numbers.Get(); }

 private:
  void Edit(LONG tick, LONG record, BOOL removed);

  std::shared_ptr<testing_sources::SampleData> m_signal;
  std::shared_ptr<testing_sources::EventData> m_references;
  Quor::ComPtr<ChildDataDocument> m_document;
  Quor::ComPtr<Rhyth::UserEventData> m_edits;
  Quor::ComPtr<Rhyth::EventIdCache> m_numbers;
  bool m_inDocument = true;
};

// Every event from the enumerator's position up to `end`: to the end of the record or, online,
// of the data.
template <class Event>
std::vector<Event> ReadEvents(ICalcEnum* enumerator, LONG end = kRecordEndOffset,
                              int perCall = 5) {
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  std::vector<Event> read, buffer(perCall);
  for (;;) {
    int fetched = 0;
    LONG next = 0;
    const HRESULT hr =
        events->Next(perCall * int(sizeof(Event)), end, buffer.data(), &fetched, &next);
    read.insert(read.end(), buffer.begin(), buffer.begin() + fetched);
    if (hr != S_OK || fetched == 0) return read;
  }
}

inline std::vector<Rhyth::FiducialEvent> ReadBeats(ICalcEnum* enumerator, int perCall = 5) {
  return ReadEvents<Rhyth::FiducialEvent>(enumerator, kRecordEndOffset, perCall);
}
HRESULT SetParamsText(ICalcEnum* enumerator, const Quor::String& text);
Quor::String ParamsText(ICalcEnum* enumerator);

}  // namespace RhythTest
