// The analysis engine: reads the beats of an analysis region, builds the RR series and holds
// every result of the analysis (time-domain statistics, segment means, spectrum, the classifier
// and Poincaré points). The document owns one; every measurement the host tabulates runs its
// own. A full analysis reads the region at once; while the host samples, the online operations
// add beats as they arrive.
#pragma once

#include <iosfwd>

#include "analysis/engine/beat_point.h"
#include "analysis/engine/classifier_ranges.h"
#include "analysis/engine/double_array.h"
#include "analysis/engine/event_cache.h"
#include "analysis/engine/segment_means.h"
#include "analysis/settings/settings.h"
#include "analysis/engine/hrv_spectrum.h"
#include "analysis/engine/time_domain_statistics.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/data_source.h"

namespace Rhyth {

class AnalysisEngine {
 public:
  AnalysisEngine();
  AnalysisEngine(const AnalysisEngine&) = delete;
  AnalysisEngine& operator=(const AnalysisEngine&) = delete;

  // Forgets every result (the arrays keep their capacity) and leaves the online analysis: a
  // reset engine analyses ranges again.
  void Reset();

  // Analyses the settings' region of the beat channel. `flags` are change flags: bits above
  // 0xFFFFFF read the beats again; the low three bytes select the spectrum, segment and
  // time-domain passes. Returns the number of RR intervals; 0 with nothing changed while online
  // or when no pass is asked for.
  DWORD AnalyseRange(DWORD flags, IPendrelDataSource* source, const Settings& settings,
                     PendrelChannelRef channel);

  // The incremental analysis while the host samples: prepare with the source, settings and
  // channel; start on the current record (E_FAIL when its beats cannot be read); update with
  // the beats that arrived (S_OK when one was admitted, else S_FALSE); stop at the end.
  HRESULT PrepareOnline(IPendrelDataSource* source, Settings* settings, PendrelChannelRef channel);
  HRESULT StartOnline();
  HRESULT UpdateOnline();
  HRESULT StopOnline();

  // One RR interval per line; 1 when there is none to write, else 0.
  int WriteRRIntervals(std::wostream& stream) const;

  // The SI prefix letter of a power-of-ten exponent (-24 to 24 in steps of 3, not 0); 0 else.
  static WCHAR SIPrefixChar(int exponent);
  // The prefix letter followed by the unit; empty without a unit.
  static Quor::String FormatWithSIPrefix(int exponent, const Quor::String& unit);

  const TimeDomainStatistics& TimeDomain() const { return m_timeDomain; }
  const SegmentMeans& Segments() const { return m_segments; }
  // While online the spectrum is brought up to date here, when it is read.
  const Spectrum& SpectrumResults() const;
  const BeatPointArray& PoincarePoints() const { return m_poincare; }
  const BeatPointArray& ClassifierPoints() const { return m_classifier; }
  const ClassifierRanges& Ranges() const { return m_ranges; }
  DWORD NormalCount() const { return m_normalCount; }
  DWORD EctopicCount() const { return m_ectopicCount; }
  const DoubleArray& RRIntervals() const { return m_rr; }
  const DoubleArray& DeltaRR() const { return m_delta; }
  const DoubleArray& Rates() const { return m_rate; }
  const DoubleArray& BeatTimes() const { return m_time; }
  bool IsOnline() const { return m_online; }
  // Whether the last full analysis could not read the beats of a record of its region.
  bool ReadFailed() const { return m_readFailed; }

  double MeanRR() const { return m_timeDomain.MeanRR(); }
  double SD1() const { return m_timeDomain.SD1(); }
  double SD2() const { return m_timeDomain.SD2(); }

 private:
  void ReadRegion(IPendrelDataSource* source, const AnalysisRegion& region,
                  PendrelChannelRef channel);
  void ReadRecord(IPendrelDataSource* source, PendrelChannelRef channel, LONG record, LONG from,
                  LONG to);
  // Adds a readable beat to the classifier points; true when it enters the series.
  bool Classify(const FiducialEvent& beat, LONG record);
  void Admit(const FiducialEvent& beat, LONG record, double time);
  void RunPasses(DWORD flags, IPendrelDataSource* source, const Settings& settings);
  // Leaves the online pass that could not start; E_FAIL.
  HRESULT FailOnline();

  TimeDomainStatistics m_timeDomain;
  SegmentMeans m_segments;
  // Mutable: the online analysis computes the spectrum when it is read.
  mutable Spectrum m_spectrum;
  mutable bool m_spectrumStale = false;
  BeatPointArray m_poincare;
  BeatPointArray m_classifier;
  ClassifierRanges m_ranges;
  DWORD m_normalCount = 0;
  DWORD m_ectopicCount = 0;
  DoubleArray m_rr;
  DoubleArray m_delta;
  DoubleArray m_rate;
  DoubleArray m_time;

  // Online state.
  Quor::ComPtr<IPendrelDataSource> m_source;
  Quor::ComPtr<Settings> m_settings;
  PendrelChannelRef m_channel = kNoChannel;
  bool m_online = false;
  bool m_readFailed = false;
  LONG m_onlineRecord = -1;
  PendrelRecordInfo m_recordInfo{};
  double m_timeBase = 0;
  EventCache m_events;
};

}  // namespace Rhyth
