// The engine's incremental analysis while the host samples.
#include <cmath>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/change_flags.h"
#include "analysis/engine/record_time.h"

namespace Rhyth {

namespace {

// Counts binned at one width and added to at another would no longer be a histogram: beats
// already analysed (at the automatic width, say) are binned again at the new width.
void AdoptBinWidth(Histogram& histogram, const DoubleArray& series, double width) {
  if (histogram.binWidth == width) return;
  if (histogram.counts.GetCount() == 0) {
    histogram.binWidth = width;
    return;
  }
  histogram.Build(series.begin(), series.GetCount(), width);
}

}  // namespace

HRESULT AnalysisEngine::PrepareOnline(IPendrelDataSource* source, Settings* settings,
                                      PendrelChannelRef channel) {
  m_source = Quor::ComPtr<IPendrelDataSource>(source);
  m_settings = Quor::ComPtr<Settings>(settings);
  m_channel = channel;
  if (!settings) return S_OK;
  // Beats arriving one at a time are binned at the fixed width, not the automatic one.
  const double width = settings->analysis.binWidth;
  AdoptBinWidth(m_timeDomain.rrHistogram, m_rr, width);
  AdoptBinWidth(m_timeDomain.deltaHistogram, m_delta, width);
  const double threshold = settings->analysis.prrxThreshold;
  if (threshold != m_timeDomain.threshold) {
    // Changes counted at the old threshold would be mixed with those counted at the new one.
    m_timeDomain.threshold = threshold;
    m_timeDomain.CountLargeDifferences(m_delta.begin(), m_delta.GetCount());
  }
  if (const DWORD frequencies = settings->spectrum.frequencyCount) {
    if (m_spectrum.power.GetCount() != frequencies) {
      m_spectrum.power.RemoveAll();
      m_spectrum.power.SetSize(frequencies);
    }
    m_spectrum.df = settings->spectrum.maxFrequency / frequencies;
    m_spectrum.first = 1;
  }
  return S_OK;
}

HRESULT AnalysisEngine::StartOnline() {
  LONG record = 0;
  PendrelRecordInfo info{};
  if (!m_source || !m_settings || FAILED(m_source->GetCurrentRecord(&record)) ||
      FAILED(m_source->GetRecordInfo(record, &info))) {
    return FailOnline();
  }
  // The host starts the pass again whenever data arrives: an enumerator already reading this
  // record goes on where it is, since opening it again would read every beat a second time.
  if (m_online && m_events.IsOpen() && m_events.Record() == record) return S_OK;
  if (!m_events.Open(m_source.Get(), m_channel, record, 0, kRecordEndOffset)) return FailOnline();
  m_online = true;
  m_recordInfo = info;
  m_onlineRecord = record;
  m_timeBase = RecordTimeBase(m_recordInfo);
  SegmentMeans& segments = m_segments;
  segments.segmentLength = m_settings->analysis.sdarrSegmentLength;
  if (!(segments.segmentEnd > 0)) segments.segmentEnd = m_timeBase;
  segments.segmentEnd = AdvanceSegmentEnd(segments.segmentEnd, segments.segmentLength, m_timeBase);
  return S_OK;
}

HRESULT AnalysisEngine::FailOnline() {
  // A pass that could not start is no pass: left online, the engine would refuse every later
  // range analysis.
  m_events.Close();
  m_online = false;
  return E_FAIL;
}

HRESULT AnalysisEngine::UpdateOnline() {
  if (!m_online) return S_FALSE;
  bool admitted = false;
  FiducialEvent beat;
  while (m_online && m_events.Next(beat)) {
    if (beat.position == kNoBeatPosition || std::isnan(beat.rr)) continue;
    if (!Classify(beat, m_onlineRecord)) continue;
    const double time = TickTime(m_recordInfo, beat.position);
    Admit(beat, m_onlineRecord, time);
    m_timeDomain.AddBeat(beat.rr, beat.deltaRR, beat.rate);
    m_segments.AddSegmentBeat(beat.rr, time);
    admitted = true;
  }
  // A periodogram of every beat so far at every step would cost more than all else over a
  // day: the spectrum is computed when it is read (SpectrumResults), from the series then.
  if (admitted) m_spectrumStale = true;
  return admitted ? S_OK : S_FALSE;
}

const Spectrum& AnalysisEngine::SpectrumResults() const {
  if (m_spectrumStale && m_settings) {
    m_spectrum.Pass(kChangeSpectrum, m_rr.begin(), m_time.begin(), m_rr.GetCount(),
                    m_settings->spectrum);
  }
  m_spectrumStale = false;
  return m_spectrum;
}

HRESULT AnalysisEngine::StopOnline() {
  UpdateOnline();
  LONG end = kRecordEndOffset;
  if (m_online && m_source && m_onlineRecord >= 0 &&
      SUCCEEDED(m_source->GetEndOfData(kSourceChannelWord, m_onlineRecord, &end)) &&
      end != kRecordEndOffset) {
    m_segments.CloseSegment(TickTime(m_recordInfo, end));
  }
  m_events.Close();
  m_online = false;
  return S_OK;
}

}  // namespace Rhyth
