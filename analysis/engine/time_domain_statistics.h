// The time-domain statistics of the RR series: sums, histograms, the count of large successive
// differences (pRRx) and the median, built over the whole series or one beat at a time while
// sampling. The statistics themselves are formed from these fields when read.
#pragma once

#include "analysis/engine/histogram.h"
#include "analysis/engine/series_sums.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

// True when a change of RR counts towards pRRx: its size exceeds the threshold by more than
// rounding. RR values come from whole ticks, so a change of exactly the threshold (18 ticks
// at 360 Hz for 50 ms) may land a few ulps either side of it, and must not count either way.
bool ExceedsThreshold(double delta, double threshold);

// The exact median: the middle value, or the mean of the two middle values; 0 for no values.
double ExactMedian(const double* values, DWORD n);

struct TimeDomainStatistics {
  Histogram rrHistogram;
  Histogram deltaHistogram;
  SeriesSums rr;
  SeriesSums delta;
  SeriesSums rate;  // beats per second
  DWORD intervalCount = 0;        // n
  DWORD largeDifferenceCount = 0; // k
  double threshold = 0;           // of pRRx, s
  double medianRR = 0;

  // Everything 0 and no bins; the arrays keep their capacity.
  void Clear();

  // Recomputes what the change flags ask for (sums 0x10000, histograms 0x20000, pRRx and
  // median 0x40000) over the stored series; false when flags ask for none of the time domain.
  bool FullPass(DWORD flags, const double* rrSeries, const double* deltaSeries,
                const double* rateSeries, DWORD n, const AnalysisParams& settings);

  // k over a series of changes of RR, at the present threshold.
  void CountLargeDifferences(const double* deltaSeries, DWORD n);

  // One admitted beat while sampling. A NaN change of RR counts for RR and rate only.
  void AddBeat(double rrValue, double deltaValue, double rateValue);

  // Seconds unless stated; 0 when there are too few intervals.
  double MeanRR() const;
  double SDRR() const;
  double CVRR() const;       // ratio
  double MeanRate() const;   // beats per minute
  double SDRate() const;     // beats per minute
  double SDSD() const;
  double RMSSD() const;
  double PRRx() const;       // percent
  double SD1() const;
  double SD2() const;
};

}  // namespace Rhyth
