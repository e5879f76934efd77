#include "analysis/engine/segment_means.h"

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/settings/change_flags.h"

namespace Rhyth {

namespace {

bool UsableLength(double length) { return length > 0 && std::isfinite(length); }

}  // namespace

double AdvanceSegmentEnd(double end, double length, double t) {
  if (!UsableLength(length) || !std::isfinite(end) || !(t >= end)) return end;
  if (std::isinf(t)) return t;
  double k = std::floor((t - end) / length) + 1;
  // The division rounds: a step or two either way finds the exact first end past t. Bounded,
  // because beyond 2^53 segments adding one to k changes nothing.
  for (int step = 0; step < 4 && end + k * length <= t; ++step) ++k;
  for (int step = 0; step < 4 && k > 1 && end + (k - 1) * length > t; ++step) --k;
  const double next = end + k * length;
  return next > t ? next : std::nextafter(t, std::numeric_limits<double>::infinity());
}

void SegmentMeans::AddMean(double mean) {
  ++meanCount;
  means.Add(mean);
}

DWORD SegmentMeans::FullPass(DWORD flags, const double* rr, const double* t, DWORD n,
                             double length, double regionStart, double regionEnd) {
  if (!(flags & kSegmentPass)) return meanCount;
  Clear();
  segmentLength = length;
  if (!UsableLength(length)) return 0;
  // Without the start of the region the segments start with the first beat.
  if (!std::isfinite(regionStart)) regionStart = n ? t[0] : 0;
  segmentEnd = AdvanceSegmentEnd(regionStart, length, n ? t[0] : regionStart);
  std::vector<double> segmentMeans;
  for (DWORD i = 0; i < n; ++i) {
    if (t[i] < segmentEnd) {
      runningSum += rr[i];
      ++runningCount;
      continue;
    }
    if (runningCount) segmentMeans.push_back(runningSum / runningCount);
    runningSum = rr[i];
    runningCount = 1;
    segmentEnd = AdvanceSegmentEnd(segmentEnd, length, t[i]);
  }
  if (runningCount && regionEnd >= segmentEnd) {
    segmentMeans.push_back(runningSum / runningCount);
    runningSum = 0;
    runningCount = 0;
    segmentEnd += length;
  }
  if (flags & kChangeSegments) means.Compute(segmentMeans.data(), DWORD(segmentMeans.size()));
  meanCount = DWORD(segmentMeans.size());
  return meanCount;
}

void SegmentMeans::AddSegmentBeat(double rr, double t) {
  if (!UsableLength(segmentLength)) return;
  if (t < segmentEnd) {
    runningSum += rr;
    ++runningCount;
    return;
  }
  if (runningCount) AddMean(runningSum / runningCount);
  runningSum = rr;
  runningCount = 1;
  segmentEnd = AdvanceSegmentEnd(segmentEnd, segmentLength, t);
}

void SegmentMeans::CloseSegment(double tEnd) {
  if (runningCount == 0 || !(tEnd >= segmentEnd)) return;
  AddMean(runningSum / runningCount);
  runningSum = 0;
  runningCount = 0;
  segmentEnd += segmentLength;
}

double SegmentMeans::SDARR() const {
  return meanCount < 2 ? 0 : std::sqrt(means.squaredDeviations / (meanCount - 1));
}

}  // namespace Rhyth
