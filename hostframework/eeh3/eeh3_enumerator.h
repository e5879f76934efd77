// A calculated event enumerator over an event-detection algorithm (see enumerator_algorithm.h
// for what the algorithm supplies). The enumerator positions, searches both ways, keeps
// checkpoints, buffers the output and follows growing (online) records; the algorithm only finds
// the next event.
#pragma once

#include <cmath>
#include <cstring>
#include <istream>
#include <locale>
#include <optional>

#include "core/com_call_guard.h"
#include "core/ostring_stream.h"
#include "core/string_streambuf.h"
#include "hostframework/calcenums/calc_enum_event_base.h"
#include "hostframework/eeh3/channel_cache.h"
#include "hostframework/eeh3/param_text.h"

namespace EEH3 {

// SourceGrowBy is the growth step of the parameter block's source array.
template <EnumeratorAlgorithm Algo, DWORD SourceGrowBy>
class EEH3Enumerator : public CalcEnums::CalcEnumEventBase {
 public:
  using Params = typename Algo::Params;
  using Event = typename Algo::Event;
  static constexpr DWORD kEventSize = sizeof(Event);

  explicit EEH3Enumerator(ICalcEnumClass2* classObject) : CalcEnumEventBase(classObject) {
    m_params.SetSourceGrowBy(SourceGrowBy);
  }

  // ICalcEnum
  HRESULT SetParams(IAutoQuorString* text) override {
    return Quor::GuardedCall([&] { return ReadParams(Quor::String(text)); });
  }
  HRESULT GetParams(IQuorString** text) override {
    if (!text) return E_POINTER;
    *text = nullptr;
    return Quor::GuardedCall([&] {
      Quor::OStringStream out;
      m_params.Write(out);
      *text = out.str().GetInterface();
      return S_OK;
    });
  }
  HRESULT Clone(ICalcEnum** copy) override { return CloneAs(copy); }
  HRESULT StartRecord(LONG record, LONG count, IUnknown* const* sources, LONG /*reserved*/,
                      double tickInterval, LONG online) override {
    if (count < 0 || (count > 0 && !sources) || !std::isfinite(tickInterval) ||
        tickInterval <= 0.0) {
      return E_INVALIDARG;
    }
    return Quor::GuardedCall([&] {
      m_started = false;
      ForgetPosition();
      m_params.record = record;
      m_params.sourceCount = count;
      m_params.tickInterval = tickInterval;
      m_params.RemoveSources();
      const HRESULT hr = m_params.BuildSources(sources, count);
      if (FAILED(hr)) return hr;
      m_online = online < 0;
      m_position = 0;
      m_started = true;
      return S_OK;
    });
  }
  HRESULT SetPosition(LONG tick) override {
    if (tick < 0) return E_INVALIDARG;
    ForgetPosition();
    const RecordPositionRange& range = m_params.range;
    if (m_params.record == range.startRecord) tick = std::max(tick, range.startOffset);
    m_position = tick;
    for (DWORD i = 0; i < m_params.SourceCount(); ++i) m_params.Source(i)->SetPosition(tick);
    return S_OK;
  }
  HRESULT Reset() override {
    m_cache.Reset();
    return S_OK;
  }
  HRESULT GetUnits(double* tickInterval, IUnitName** unit) override {
    if (!tickInterval || !unit) return E_POINTER;
    *tickInterval = m_params.tickInterval;
    return Quor::GuardedCall([&] { return CreateValueUnit(unit); });
  }
  HRESULT GetRateRatio(PendrelRateRatio* ratio) override {
    if (!ratio) return E_POINTER;
    *ratio = m_paramsSet && m_params.SourceCount() > 0 ? m_params.Source(0)->GetRateRatio()
                                                       : PendrelRateRatio{1, 1, 1.0};
    return S_OK;
  }

  // IEnumEventEx
  HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) override {
    if (fetched) *fetched = 0;
    if (!m_started) return E_UNEXPECTED;
    const int capacity = bytes > 0 ? bytes / int(kEventSize) : 0;
    if (capacity > 0 && !buffer) return E_POINTER;
    return Quor::GuardedCall(
        [&] { return ReadEvents(capacity, end, static_cast<BYTE*>(buffer), fetched, next); });
  }
  HRESULT Seek(BOOL backward, LONG pos, LONG from, LONG to) override {
    if (!m_started) return E_UNEXPECTED;
    return Quor::GuardedCall([&] { return SeekEvent(backward, pos, from, to); });
  }
  HRESULT GetPosition(LONG* position) override {
    if (!position) return E_POINTER;
    *position = m_position;
    return S_OK;
  }
  HRESULT Clone(IEnumEventEx** copy) override { return CloneAs(copy); }
  HRESULT GetEventSize(DWORD* bytes) override {
    if (!bytes) return E_POINTER;
    *bytes = kEventSize;
    return S_OK;
  }
  HRESULT GetEventTypeId(DWORD* type) override {
    if (!type) return E_POINTER;
    return Quor::GuardedCall([&] {
      *type = Algo::EventTypeId();
      return S_OK;
    });
  }

  // EEH3::EnumeratorBase
  HRESULT CreateValueUnit(IUnitName** unit) override {
    return Algo::CreateValueUnit(m_params, unit);
  }

 protected:
  // A copy without sources; CloneAs gives it copies of this one's.
  EEH3Enumerator(const EEH3Enumerator& other)
      : CalcEnumEventBase(other),
        m_position(other.m_position),
        m_paramsSet(other.m_paramsSet),
        m_online(other.m_online),
        m_started(other.m_started),
        m_params(other.m_params),
        m_cache(other.m_cache),
        m_peeked(other.m_peeked) {}

 private:
  using Cache = ChannelCache<Algo>;

  // What a new position makes stale: the working state, and an event found for the old one.
  void ForgetPosition() {
    m_cache.DropWorkingState();
    m_peeked.reset();
  }

  HRESULT ReadParams(const Quor::String& text) {
    Quor::StringStreamBuf buffer(std::ios_base::in, text);
    std::wistream in(&buffer);
    in.imbue(std::locale::classic());
    Params read(m_params);
    read.range.Reset();
    if (!ReadOptional(in, read.headWord, 0) || !read.Read(in)) return E_INVALIDARG;
    // Four zeros say nothing about the range: they leave it open.
    if (read.range.AllZero()) read.range = RecordPositionRange();
    read.range.Normalise();
    m_params = read;
    // Checkpoints made with other parameters would give other events.
    m_cache.Reset();
    m_peeked.reset();
    m_position = 0;
    m_paramsSet = true;
    return S_OK;
  }

  HRESULT ReadEvents(int capacity, LONG end, BYTE* buffer, int* fetched, LONG* next) {
    if (end < 0) end = kRecordEndOffset;
    int count = 0;
    while (m_position < end && count < capacity) {
      Event event;
      if (m_peeked) {
        event = *m_peeked;
        m_peeked.reset();
      } else {
        const typename Cache::SearchResult found =
            m_cache.SearchForward(m_params, m_online, m_position, end);
        m_position = found.position;
        m_cache.ResumeAt(m_position);
        if (!found.found) break;
        event = found.event;
      }
      std::memcpy(buffer + std::size_t(count) * kEventSize, &event, kEventSize);
      ++count;
    }
    if (m_position != kRecordEndOffset) m_position = std::min(m_position, end);
    if (fetched) *fetched = count;
    if (next) *next = m_position;
    return m_position == kRecordEndOffset ? S_FALSE : S_OK;
  }

  HRESULT SeekEvent(BOOL backward, LONG pos, LONG from, LONG to) {
    ForgetPosition();
    if (backward && pos == 0) {
      m_position = from;
      return S_FALSE;
    }
    if (to == 0 || from == to) {
      m_position = to;
      return S_FALSE;
    }
    if (to < 0) to = kRecordEndOffset;
    from = std::max(from, 0);
    if (from > to) return E_INVALIDARG;
    LONG q = std::max(pos, from);
    typename Cache::SearchResult found;
    if (backward) {
      q = std::min(q, to);
      found = m_cache.SearchBackward(m_params, m_online, q, from);
    } else {
      q = std::min(q, to - 1);
      found = m_cache.SearchForward(m_params, m_online, q, to);
    }
    if (found.found) {
      m_peeked = found.event;
      m_position = found.position;
      return S_OK;
    }
    if (backward ? q <= m_position : q > m_position) m_position = q;
    return S_FALSE;
  }

  template <class I>
  HRESULT CloneAs(I** copy) {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    return Quor::GuardedCall([&] {
      Quor::ComPtr<ICalcEnum> holder;
      auto* clone = new EEH3Enumerator(*this);
      holder.Attach(clone);  // releases the copy if copying its sources fails
      const HRESULT hr = clone->m_params.CopySourcesFrom(m_params);
      if (FAILED(hr)) return hr;
      *copy = clone;
      holder.Detach();
      return S_OK;
    });
  }

  LONG m_position = -1;
  bool m_paramsSet = false;
  bool m_online = false;
  bool m_started = false;
  Params m_params;
  Cache m_cache;
  std::optional<Event> m_peeked;
};

}  // namespace EEH3
