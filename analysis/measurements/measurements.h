// The 27 measurements the module offers to the host's Tabulon table: the analysis region's
// start and end, the beat counts, and every time-domain and spectral statistic of the analysis
// of the table's selection. Values are the engine's (Parts of the analysis core), scaled by
// their bases: times in ms, powers in ms², rates in BPM, percentages and ratios plain.
#pragma once

#include "analysis/measurements/measurement_function.h"

namespace Rhyth {

// The host's time of a position of the document's analysis region (not of the selection).
class RegionTimeMeasurement : public RhythTabulonFuncBase {
 protected:
  using RhythTabulonFuncBase::RhythTabulonFuncBase;
  HRESULT FinalValue(VARIANT& value) override;
  // The position whose time is shown; false when the region has none.
  virtual bool Position(LONG& offset, LONG& record) const = 0;
};

class AnalysisStart final : public RegionTimeMeasurement {
 public:
  using RegionTimeMeasurement::RegionTimeMeasurement;

 protected:
  bool Position(LONG& offset, LONG& record) const override;
  Quor::String NumberFormat() const override { return u"General"; }
};

class AnalysisEnd final : public RegionTimeMeasurement {
 public:
  using RegionTimeMeasurement::RegionTimeMeasurement;

 protected:
  bool Position(LONG& offset, LONG& record) const override;
  Quor::String NumberFormat() const override { return u"HH:mm:ss.00"; }
};

#define RHYTH_COUNT_MEASUREMENT(Name, expression)                      \
  class Name final : public CountMeasurement {                         \
   public:                                                             \
    using CountMeasurement::CountMeasurement;                          \
                                                                       \
   protected:                                                          \
    DWORD Count(const AnalysisEngine& e) const override { return expression; } \
  };

#define RHYTH_REAL_MEASUREMENT(Name, Base, unit, expression)                           \
  class Name final : public Base {                                                     \
   public:                                                                             \
    using Base::Base;                                                                  \
                                                                                       \
   protected:                                                                          \
    std::optional<double> Real(const AnalysisEngine& e) const override { return expression; } \
    unit                                                                               \
  };

#define RHYTH_NO_UNIT
#define RHYTH_UNIT(text) \
  Quor::String UnitText() const override { return text; }

// A share of a power; none when the whole it is a share of is no power at all.
inline std::optional<double> PercentOf(double part, double whole) {
  if (whole == 0) return std::nullopt;
  return 100.0 * part / whole;
}
inline std::optional<double> RatioOf(double part, double whole) {
  if (whole == 0) return std::nullopt;
  return part / whole;
}

RHYTH_COUNT_MEASUREMENT(TotalCount, e.NormalCount() + e.EctopicCount())
RHYTH_COUNT_MEASUREMENT(NormalCount, e.NormalCount())
RHYTH_COUNT_MEASUREMENT(EctopicCount, e.EctopicCount())

RHYTH_REAL_MEASUREMENT(MeanRR, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().MeanRR())
RHYTH_REAL_MEASUREMENT(MedianRR, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().medianRR)
RHYTH_REAL_MEASUREMENT(SDRR, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().SDRR())
RHYTH_REAL_MEASUREMENT(CVRR, RealMeasurement, RHYTH_NO_UNIT, e.TimeDomain().CVRR())
RHYTH_REAL_MEASUREMENT(MeanRate, RealMeasurement, RHYTH_UNIT(u"BPM"), e.TimeDomain().MeanRate())
RHYTH_REAL_MEASUREMENT(SDRate, RealMeasurement, RHYTH_UNIT(u"BPM"), e.TimeDomain().SDRate())
RHYTH_REAL_MEASUREMENT(SDSD, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().SDSD())
RHYTH_REAL_MEASUREMENT(RMSSD, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().RMSSD())
RHYTH_REAL_MEASUREMENT(pNNx, RealMeasurement, RHYTH_UNIT(u"%"), e.TimeDomain().PRRx())
RHYTH_REAL_MEASUREMENT(SD1, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().SD1())
RHYTH_REAL_MEASUREMENT(SD2, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.TimeDomain().SD2())
RHYTH_REAL_MEASUREMENT(SDANN, RhythTabulonTimeBase, RHYTH_NO_UNIT, e.Segments().SDARR())
RHYTH_REAL_MEASUREMENT(TotalPower, RhythTabulonPowerBase, RHYTH_NO_UNIT,
                       e.SpectrumResults().total)
RHYTH_REAL_MEASUREMENT(VLFPower, RhythTabulonPowerBase, RHYTH_NO_UNIT, e.SpectrumResults().vlf)
RHYTH_REAL_MEASUREMENT(VLFPowerPercent, RealMeasurement, RHYTH_NO_UNIT,
                       PercentOf(e.SpectrumResults().vlf, e.SpectrumResults().total))
RHYTH_REAL_MEASUREMENT(LFPower, RhythTabulonPowerBase, RHYTH_NO_UNIT, e.SpectrumResults().lf)
RHYTH_REAL_MEASUREMENT(LFPowerPercent, RealMeasurement, RHYTH_NO_UNIT,
                       PercentOf(e.SpectrumResults().lf, e.SpectrumResults().total))
RHYTH_REAL_MEASUREMENT(LFPowerNU, RealMeasurement, RHYTH_NO_UNIT,
                       PercentOf(e.SpectrumResults().lf,
                                 e.SpectrumResults().total - e.SpectrumResults().vlf))
RHYTH_REAL_MEASUREMENT(HFPower, RhythTabulonPowerBase, RHYTH_NO_UNIT, e.SpectrumResults().hf)
RHYTH_REAL_MEASUREMENT(HFPowerPercent, RealMeasurement, RHYTH_NO_UNIT,
                       PercentOf(e.SpectrumResults().hf, e.SpectrumResults().total))
RHYTH_REAL_MEASUREMENT(HFPowerNU, RealMeasurement, RHYTH_NO_UNIT,
                       PercentOf(e.SpectrumResults().hf,
                                 e.SpectrumResults().total - e.SpectrumResults().vlf))
RHYTH_REAL_MEASUREMENT(LFHFRatio, RealMeasurement, RHYTH_NO_UNIT,
                       RatioOf(e.SpectrumResults().lf, e.SpectrumResults().hf))

#undef RHYTH_COUNT_MEASUREMENT
#undef RHYTH_REAL_MEASUREMENT
#undef RHYTH_NO_UNIT
#undef RHYTH_UNIT

}  // namespace Rhyth
