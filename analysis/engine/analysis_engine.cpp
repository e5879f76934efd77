#include "analysis/engine/analysis_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

#include "analysis/settings/change_flags.h"
#include "analysis/engine/record_time.h"
#include "analysis/engine/wait_cursor.h"

namespace Rhyth {

namespace {

constexpr DWORD kInitialCapacity = 64;

// The time of a position, or `unknown` when the host cannot describe its record.
double PositionTime(IPendrelDataSource* source, LONG record, LONG offset, double unknown) {
  PendrelRecordInfo info;
  if (!source || FAILED(source->GetRecordInfo(record, &info))) return unknown;
  return TickTime(info, offset);
}

}  // namespace

AnalysisEngine::AnalysisEngine() {
  m_timeDomain.rrHistogram.counts.Reallocate(kInitialCapacity);
  m_timeDomain.deltaHistogram.counts.Reallocate(kInitialCapacity);
  m_spectrum.power.Reallocate(kInitialCapacity);
}

void AnalysisEngine::Reset() {
  m_timeDomain.Clear();
  m_segments.Clear();
  m_spectrum.Clear();
  m_spectrumStale = false;
  m_poincare.RemoveAll();
  m_classifier.RemoveAll();
  m_ranges = ClassifierRanges::Empty();
  m_normalCount = m_ectopicCount = 0;
  for (DoubleArray* series : {&m_rr, &m_delta, &m_rate, &m_time}) series->RemoveAll();
  // Left online, the engine would refuse every later range analysis and keep stale results.
  m_events.Close();
  m_online = false;
  m_onlineRecord = -1;
  m_readFailed = false;
}

DWORD AnalysisEngine::AnalyseRange(DWORD flags, IPendrelDataSource* source,
                                   const Settings& settings, PendrelChannelRef channel) {
  if (m_online || !(flags & kChangeEngine)) return 0;
  if (flags & ~kChangeEngine) {
    WaitCursor wait;
    Reset();
    ReadRegion(source, settings.analysis.region, channel);
  }
  RunPasses(flags, source, settings);
  return m_rr.GetCount();
}

void AnalysisEngine::ReadRegion(IPendrelDataSource* source, const AnalysisRegion& region,
                                PendrelChannelRef channel) {
  LONG records = 0;
  if (!source || FAILED(source->GetRecordCount(&records))) return;
  // The open end of online analysis names no record: the region runs to the last one.
  const LONG last = std::min(region.endRecord, records - 1);
  for (LONG record = std::max(region.startRecord, 0); record <= last; ++record) {
    const LONG from = record == region.startRecord ? region.startOffset : 0;
    const LONG to = record == region.endRecord ? region.endOffset : kRecordEndOffset;
    ReadRecord(source, channel, record, from, to);
  }
}

void AnalysisEngine::ReadRecord(IPendrelDataSource* source, PendrelChannelRef channel,
                                LONG record, LONG from, LONG to) {
  // Beats without a time would corrupt the segments and the spectrum: a record the host cannot
  // describe contributes nothing.
  PendrelRecordInfo info;
  if (FAILED(source->GetRecordInfo(record, &info))) return;
  if (!m_events.Open(source, channel, record, from, to)) {
    m_readFailed = true;
    return;
  }
  FiducialEvent beat;
  while (m_events.Next(beat)) {
    if (beat.position == kNoBeatPosition || std::isnan(beat.rr) || std::isnan(beat.deltaRR)) {
      continue;
    }
    if (Classify(beat, record)) Admit(beat, record, TickTime(info, beat.position));
  }
  m_events.Close();
}

bool AnalysisEngine::Classify(const FiducialEvent& beat, LONG record) {
  m_classifier.Add({beat.rr, beat.ff, beat.beatNumber, beat.position, record});
  m_ranges.Widen(beat.rr, beat.ff);
  return beat.IsAdmitted();
}

void AnalysisEngine::Admit(const FiducialEvent& beat, LONG record, double time) {
  m_poincare.Add({beat.rr - beat.deltaRR, beat.rr, beat.beatNumber, beat.position, record});
  m_rr.Add(beat.rr);
  m_delta.Add(beat.deltaRR);
  m_rate.Add(beat.rate);
  m_time.Add(time);
  if (beat.IsNormal()) {
    ++m_normalCount;
  } else {
    ++m_ectopicCount;
  }
}

void AnalysisEngine::RunPasses(DWORD flags, IPendrelDataSource* source, const Settings& settings) {
  const DWORD n = m_rr.GetCount();
  m_timeDomain.FullPass(flags, m_rr.begin(), m_delta.begin(), m_rate.begin(), n,
                        settings.analysis);
  if (flags & kSegmentPass) {
    const AnalysisRegion& region = settings.analysis.region;
    // An end the host cannot place (the open end of online analysis) lies beyond every beat.
    const double start = PositionTime(source, region.startRecord, region.startOffset,
                                      std::numeric_limits<double>::quiet_NaN());
    const double end = PositionTime(source, region.endRecord, region.endOffset,
                                    std::numeric_limits<double>::infinity());
    m_segments.FullPass(flags, m_rr.begin(), m_time.begin(), n,
                        settings.analysis.sdarrSegmentLength, start, end);
  }
  // A spectrum left behind by the online steps is brought up to date with the rest.
  const DWORD spectrumFlags = m_spectrumStale ? flags | kChangeSpectrum : flags;
  if (m_spectrum.Pass(spectrumFlags, m_rr.begin(), m_time.begin(), n, settings.spectrum)) {
    m_spectrumStale = false;
  }
}

int AnalysisEngine::WriteRRIntervals(std::wostream& stream) const {
  for (double rr : m_rr) stream << rr << std::endl;
  return m_rr.GetCount() == 0 ? 1 : 0;
}

}  // namespace Rhyth
