#include <cmath>

#include "analysis/settings/settings.h"

namespace Rhyth {

namespace {

// Histogram bins narrower than this would number in the millions over a second of RR range.
constexpr double kMinimumBinWidth = 1e-5;
constexpr DWORD kMaximumFrequencyCount = 100000;

bool Positive(double value) { return std::isfinite(value) && value > 0.0; }

}  // namespace

bool AreUsableValues(const AnalysisParams& analysis, const SpectrumParams& spectrum) {
  if (!Positive(analysis.sdarrSegmentLength)) return false;
  if (!std::isfinite(analysis.binWidth) || analysis.binWidth < kMinimumBinWidth) return false;
  if (!std::isfinite(analysis.prrxThreshold)) return false;
  if (spectrum.frequencyCount == 0 || spectrum.frequencyCount > kMaximumFrequencyCount) return false;
  if (!Positive(spectrum.maxFrequency)) return false;
  const double edges[] = {spectrum.vlfLow, spectrum.vlfHigh, spectrum.lfLow,
                          spectrum.lfHigh, spectrum.hfLow,   spectrum.hfHigh};
  if (!std::isfinite(edges[0]) || edges[0] < 0.0) return false;
  for (int i = 1; i < 6; ++i) {
    if (!std::isfinite(edges[i]) || edges[i] < edges[i - 1]) return false;
  }
  return true;
}

}  // namespace Rhyth
