#include "analysis/tests/beat_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "analysis/detection/fiducial_enumerator.h"

namespace RhythTest {

using testing_sources::EventData;
using testing_sources::PlainEvent;
using testing_sources::SampleData;

std::vector<float> BeatSignal(std::size_t length, const std::vector<LONG>& peaks) {
  std::vector<float> samples(length);
  for (std::size_t t = 0; t < length; ++t) {
    samples[t] = float(0.05 * std::sin(2.0 * std::numbers::pi * double(t) / 3700.0));
  }
  constexpr LONG kReach = 40;
  for (const LONG peak : peaks) {
    for (LONG t = std::max<LONG>(peak - kReach, 0);
         t < std::min<LONG>(peak + kReach, LONG(length)); ++t) {
      const double x = double(t - peak) / 6.0;
      samples[t] += float(std::exp(-0.5 * x * x));
    }
  }
  return samples;
}

std::vector<LONG> WanderingPeaks(LONG first, LONG end, LONG shortest, LONG longest) {
  std::vector<LONG> peaks;
  unsigned state = 2024;
  for (LONG peak = first; peak < end;) {
    peaks.push_back(peak);
    state = state * 1103515245u + 12345u;
    peak += shortest + LONG((state >> 8) % unsigned(longest - shortest + 1));
  }
  return peaks;
}

std::string Exact(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

Quor::String FiducialSettings::Text() const {
  const std::string text = "0 " + Exact(width) + " " + Exact(type) + " " + Exact(minRR) + " " +
                           Exact(maxRR) + " " + Exact(minFF) + " " + Exact(maxFF) + " " +
                           range + " " + Exact(excludeEctopic);
  return Quor::String(text);
}

BeatRecording::BeatRecording()
    : m_signal(std::make_shared<SampleData>()),
      m_references(std::make_shared<EventData>()),
      m_document(new ChildDataDocument),
      m_edits(new Rhyth::UserEventData),
      m_numbers(new Rhyth::EventIdCache) {
  m_document->SetChildData(Rhyth::UserEventDataTypeId::Id(), m_edits.Get());
  m_document->SetChildData(Rhyth::EventIdCacheTypeId::Id(), m_numbers.Get());
}

void BeatRecording::Use(std::vector<float> samples, const std::vector<LONG>& peaks) {
  m_signal->samples = std::move(samples);
  m_references->bytes.clear();
  for (const LONG peak : peaks) m_references->Add(PlainEvent{peak + kReferenceLag, 0.0f, 1.0});
  MakeAvailable(m_signal->samples.size(), false);
}

void BeatRecording::MakeAvailable(std::size_t available, bool growing) {
  m_signal->available = std::min(available, m_signal->samples.size());
  m_references->growing = growing;
  const std::size_t all = m_references->bytes.size() / m_references->recordSize;
  std::size_t known = 0;
  while (known < all && m_references->TickAt(known) < LONG(m_signal->available)) ++known;
  m_references->available = known;
}

void BeatRecording::Edit(LONG tick, LONG record, BOOL removed) {
  const Rhyth::BeatPosition place{tick, record};
  m_edits->Add(&place, removed);
}

Quor::ComPtr<ICalcEnum> BeatRecording::MakeEnumerator(const FiducialSettings& settings) const {
  Quor::ComPtr<ICalcEnum> enumerator;
  enumerator.Attach(new Rhyth::FiducialEnumeratorObject(nullptr));
  SetParamsText(enumerator.Get(), settings.Text());
  Start(enumerator.Get(), 0);
  return enumerator;
}

HRESULT BeatRecording::Start(ICalcEnum* enumerator, LONG record, bool online) const {
  Quor::ComPtr<IEnumFloatEx> signal;
  signal.Attach(new DocumentSamples(m_signal, m_inDocument ? m_document.Get() : nullptr));
  Quor::ComPtr<IEnumEventEx> references;
  references.Attach(new testing_sources::InMemoryEvents(m_references, 0));
  IUnknown* sources[] = {signal.Get(), references.Get()};
  return enumerator->StartRecord(record, 2, sources, 0, kTickInterval, online ? -1 : 0);
}

HRESULT SetParamsText(ICalcEnum* enumerator, const Quor::String& text) {
  IQuorString* object = text.GetInterface();
  const HRESULT hr = enumerator->SetParams(object);
  object->Release();
  return hr;
}

Quor::String ParamsText(ICalcEnum* enumerator) {
  IQuorString* text = nullptr;
  if (FAILED(enumerator->GetParams(&text))) return Quor::String();
  Quor::String result;
  result.Adopt(text);
  return result;
}

}  // namespace RhythTest
