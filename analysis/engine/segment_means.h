// The means of the RR intervals in consecutive segments of fixed length (for SDARR), built over
// the whole series or one beat at a time while sampling.
#pragma once

#include "analysis/engine/series_sums.h"
#include "platform/win32/types.h"

namespace Rhyth {

// The first segment end after t: end + k·length for the smallest whole k >= 0 that lies past t.
// It jumps there at once, so a long gap between beats costs nothing; a length that is not a
// positive number, or an end or time that is NaN, leaves the end where it is.
double AdvanceSegmentEnd(double end, double length, double t);

struct SegmentMeans {
  SeriesSums means;      // S_seg, Q_seg, D_seg of the segment means
  DWORD meanCount = 0;   // m
  double segmentEnd = 0; // end time of the current segment
  double runningSum = 0; // of the current segment
  DWORD runningCount = 0;
  double segmentLength = 0;

  void Clear() { *this = {}; }

  // Rebuilds the means over the stored series for a region from regionStart to regionEnd
  // (seconds); with flag 0x100 also their statistics. A segment that the region covers only in
  // part yields no mean. Returns m. A length that is not positive yields no segments.
  DWORD FullPass(DWORD flags, const double* rr, const double* t, DWORD n, double length,
                 double regionStart, double regionEnd);

  // One admitted beat while sampling.
  void AddSegmentBeat(double rr, double t);
  // The data ended at tEnd: the current segment yields its mean when it is complete.
  void CloseSegment(double tEnd);

  double SDARR() const;

 private:
  void AddMean(double mean);
};

}  // namespace Rhyth
