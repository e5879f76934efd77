// The spectrum of the RR series: the periodogram on a grid up to the maximum frequency, and its
// integration into total, VLF, LF and HF power.
#pragma once

#include "analysis/engine/double_array.h"
#include "analysis/engine/frequency_grid.h"
#include "analysis/settings/settings.h"

namespace Rhyth {

// The unit of spectral power: seconds squared.
inline constexpr char16_t kPowerUnitText[] = u"s\u00B2";

struct Spectrum {
  double df = 0;         // Hz
  LONG first = 0;        // grid index of the first frequency; 1 once computed
  DoubleArray power;     // one value per grid frequency
  double total = 0;      // powers in s²
  double vlf = 0;
  double lf = 0;
  double hf = 0;

  // Everything 0 and no periodogram; the array keeps its capacity.
  void Clear();

  // Recomputes what the flags ask for (0x1 the periodogram and total power, 0x2 the bands) over
  // the RR series and its beat times; false when no spectrum flag is set. With fewer than two
  // beats the block stays as it is.
  bool Pass(DWORD flags, const double* rr, const double* t, DWORD n,
            const SpectrumParams& settings);

  // df·T·Σ P_j over the grid points of [lo, hi]; a band edge that lies on the grid belongs to
  // both bands that meet there.
  double BandPower(double lo, double hi, double T) const;

  FrequencyGrid Grid() const { return {df, first, power.GetCount()}; }
};

}  // namespace Rhyth
