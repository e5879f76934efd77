#include "analysis/module/analysis_results_object.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "analysis/document/document.h"
#include "analysis/engine/event_cache.h"
#include "analysis/engine/record_time.h"
#include "core/quor_string.h"
#include "platform/win32/com_object.h"

namespace Rhyth {

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct MeasurementRow {
  std::u16string name;
  std::u16string unit;
  double value;
};

double RegionTime(IPendrelDataSource* source, LONG record, LONG offset) {
  PendrelRecordInfo info;
  if (!source || FAILED(source->GetRecordInfo(record, &info))) return kNoValue;
  return TickTime(info, offset);
}

// A ratio of two results; 0 when the divisor is 0, as the statistics are when too few beats
// exist.
double Ratio(double a, double b) { return b != 0 ? a / b : 0.0; }

// The measurements in the order of the host's measurement table: times in milliseconds,
// powers in milliseconds squared, rates in beats per minute.
std::vector<MeasurementRow> Measurements(Document& document) {
  const AnalysisEngine& engine = document.Engine();
  const TimeDomainStatistics& time = engine.TimeDomain();
  const Spectrum& power = engine.SpectrumResults();
  const AnalysisRegion& region = document.GetSettings().analysis.region;
  IPendrelDataSource* source = document.DataSource();
  const bool set = region.IsSet();
  const std::u16string ms = u"ms", ms2 = u"ms\u00B2", none;
  const double ms1 = 1000.0, msSquared = 1e6;
  const double nonVlf = power.total - power.vlf;
  return {
      {u"Analysis Start", u"s", set ? RegionTime(source, region.startRecord, region.startOffset) : kNoValue},
      {u"Analysis End", u"s", set ? RegionTime(source, region.endRecord, region.endOffset) : kNoValue},
      {u"Total Beats", none, double(engine.NormalCount() + engine.EctopicCount())},
      {u"Normal Beats", none, double(engine.NormalCount())},
      {u"Ectopic Beats", none, double(engine.EctopicCount())},
      {u"Average RR", ms, time.MeanRR() * ms1},
      {u"Median RR", ms, time.medianRR * ms1},
      {u"SDRR", ms, time.SDRR() * ms1},
      {u"CVRR", none, time.CVRR()},
      {u"Average Rate", u"BPM", time.MeanRate()},
      {u"SD Rate", u"BPM", time.SDRate()},
      {u"SDSD", ms, time.SDSD() * ms1},
      {u"RMSSD", ms, time.RMSSD() * ms1},
      {u"pRRx", u"%", time.PRRx()},
      {u"SD1", ms, time.SD1() * ms1},
      {u"SD2", ms, time.SD2() * ms1},
      {u"SDARR", ms, engine.Segments().SDARR() * ms1},
      {u"Total Power", ms2, power.total * msSquared},
      {u"VLF Power", ms2, power.vlf * msSquared},
      {u"VLF Power (%)", none, 100.0 * Ratio(power.vlf, power.total)},
      {u"LF Power", ms2, power.lf * msSquared},
      {u"LF Power (%)", none, 100.0 * Ratio(power.lf, power.total)},
      {u"LF Power (nu)", none, 100.0 * Ratio(power.lf, nonVlf)},
      {u"HF Power", ms2, power.hf * msSquared},
      {u"HF Power (%)", none, 100.0 * Ratio(power.hf, power.total)},
      {u"HF Power (nu)", none, 100.0 * Ratio(power.hf, nonVlf)},
      {u"LF/HF", none, Ratio(power.lf, power.hf)},
  };
}

// Every beat of the analysed region on the document's beat channel, as the engine read them
// (removed beats are not emitted by the channel).
std::vector<RhythBeatRow> Beats(Document& document) {
  std::vector<RhythBeatRow> rows;
  const AnalysisRegion& region = document.GetSettings().analysis.region;
  IPendrelDataSource* source = document.DataSource();
  LONG records = 0;
  if (!region.IsSet() || !source || FAILED(source->GetRecordCount(&records))) return rows;
  const PendrelChannelRef channel = document.Detector().GetFiducialChannel();
  const LONG last = std::min(region.endRecord, records - 1);
  EventCache events;
  for (LONG record = std::max(region.startRecord, 0); record <= last; ++record) {
    PendrelRecordInfo info;
    if (FAILED(source->GetRecordInfo(record, &info))) continue;
    const LONG from = record == region.startRecord ? region.startOffset : 0;
    const LONG to = record == region.endRecord ? region.endOffset : kRecordEndOffset;
    if (!events.Open(source, channel, record, from, to)) continue;
    FiducialEvent beat;
    while (events.Next(beat)) {
      if (beat.position == kNoBeatPosition) continue;
      rows.push_back({record, beat.position, TickTime(info, beat.position), beat.rr,
                      beat.flags & kBeatClassMask, beat.ff,
                      (beat.flags & kBeatAddedByUser) ? 1u : 0u});
    }
    events.Close();
  }
  return rows;
}

class AnalysisResults final : public SimpleUnknownImp1<IRhythAnalysisResults, 1> {
 public:
  explicit AnalysisResults(Document& document)
      : m_measurements(Measurements(document)), m_beats(Beats(document)) {}

  HRESULT GetMeasurementCount(DWORD* count) override {
    if (!count) return E_POINTER;
    *count = DWORD(m_measurements.size());
    return S_OK;
  }

  HRESULT GetMeasurement(DWORD index, BSTR* name, BSTR* unit, double* value) override {
    if (index >= m_measurements.size()) return E_INVALIDARG;
    const MeasurementRow& row = m_measurements[index];
    if (name) *name = SysAllocString(row.name.c_str());
    if (unit) *unit = SysAllocString(row.unit.c_str());
    if (value) *value = row.value;
    return S_OK;
  }

  HRESULT GetBeatCount(DWORD* count) override {
    if (!count) return E_POINTER;
    *count = DWORD(m_beats.size());
    return S_OK;
  }

  HRESULT GetBeat(DWORD index, RhythBeatRow* row) override {
    if (!row) return E_POINTER;
    if (index >= m_beats.size()) return E_INVALIDARG;
    *row = m_beats[index];
    return S_OK;
  }

 private:
  std::vector<MeasurementRow> m_measurements;
  std::vector<RhythBeatRow> m_beats;
};

}  // namespace

IRhythAnalysisResults* NewAnalysisResults(Document& document) {
  try {
    return new AnalysisResults(document);
  } catch (...) {
    return nullptr;
  }
}

}  // namespace Rhyth
