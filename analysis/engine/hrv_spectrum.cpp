#include "analysis/engine/hrv_spectrum.h"

#include <algorithm>
#include <cmath>

#include "analysis/settings/change_flags.h"
#include "analysis/engine/lomb_scargle.h"

namespace Rhyth {

namespace {

// x clamped to [0, count]; NaN (no frequency step) counts as 0.
DWORD ClampedIndex(double x, DWORD count) {
  if (!(x > 0)) return 0;
  return x >= count ? count : static_cast<DWORD>(x);
}

}  // namespace

void Spectrum::Clear() {
  df = 0;
  first = 0;
  power.RemoveAll();
  total = vlf = lf = hf = 0;
}

bool Spectrum::Pass(DWORD flags, const double* rr, const double* t, DWORD n,
                    const SpectrumParams& settings) {
  if (!(flags & kSpectrumPass)) return false;
  if (n < 2) return true;
  const double span = t[n - 1] - t[0];
  if (flags & kChangePeriodogram) {
    // Without frequencies the grid stays as it was; the bands are still integrated over it.
    if (const DWORD frequencies = settings.frequencyCount) {
      df = settings.maxFrequency / frequencies;
      first = 1;
      if (power.GetCount() != frequencies) {
        power.RemoveAll();
        power.SetSize(frequencies);
      }
      LombScarglePeriodogram(settings.window, t, rr, n, Grid(), power.begin());
    }
    total = BandPower(0, settings.maxFrequency, span);
  }
  if (flags & kChangeSpectrumBands) {
    vlf = BandPower(settings.vlfLow, settings.vlfHigh, span);
    lf = BandPower(settings.lfLow, settings.lfHigh, span);
    hf = BandPower(settings.hfLow, settings.hfHigh, span);
  }
  return true;
}

double Spectrum::BandPower(double lo, double hi, double T) const {
  const DWORD count = power.GetCount();
  const DWORD i0 = ClampedIndex(std::floor(lo / df - first + 0.5), count);
  const DWORD i1 = ClampedIndex(std::ceil(hi / df - first + 0.5), count);
  double sum = 0;
  for (DWORD j = i0; j < i1; ++j) sum += power[j];
  return i1 > i0 ? df * T * sum : 0.0;
}

}  // namespace Rhyth
