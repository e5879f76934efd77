#include "views/plots/plot_edits.h"

#include <algorithm>
#include <cmath>

namespace Rhyth {

namespace {

bool AnyNaN(const double* values, int count) {
  return std::any_of(values, values + count, [](double v) { return std::isnan(v); });
}

// `a` and `b` in [0, maximum], the smaller into `low`.
void StorePair(double a, double b, double maximum, double& low, double& high) {
  const auto clamp = [maximum](double v) { return std::fmax(0.0, std::fmin(v, maximum)); };
  low = clamp(std::fmin(a, b));
  high = clamp(std::fmax(a, b));
}

}  // namespace

bool StoreBandEdges(SpectrumParams& bands, const double* edges) {
  if (AnyNaN(edges, 6)) return false;
  const double maximum = bands.maxFrequency;
  StorePair(edges[0], edges[1], maximum, bands.vlfLow, bands.vlfHigh);
  StorePair(edges[2], edges[3], maximum, bands.lfLow, bands.lfHigh);
  StorePair(edges[4], edges[5], maximum, bands.hfLow, bands.hfHigh);
  return true;
}

bool StoreClassifierBox(ClassifierLimits& limits, const double* box) {
  if (AnyNaN(box, 4)) return false;
  StorePair(box[0], box[1], kMaximumClassifierRR, limits.rrLow, limits.rrHigh);
  StorePair(box[2], box[3], kMaximumClassifierFF, limits.complexityLow, limits.complexityHigh);
  return true;
}

}  // namespace Rhyth

#include "analysis/document/document.h"

namespace Rhyth {

void ReanalyseAfterEdit(Document& document, DWORD changeFlags) {
  document.OnSettingsEdited();
  if (!document.IsHostBusy()) document.Reanalyse(changeFlags, 6);
}

}  // namespace Rhyth
