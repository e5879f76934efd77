#include "host/channels/fir_taps.h"

#include <cmath>
#include <numbers>

namespace PendrelHost {

namespace {

constexpr double kPi = std::numbers::pi;

// The Hamming window at offset k of a kernel reaching `reach` ticks to either side.
double Hamming(int64_t k, int64_t reach) {
  return 0.54 + 0.46 * std::cos(kPi * static_cast<double>(k) / static_cast<double>(reach));
}

}  // namespace

int64_t LowpassReach(double cutoff, double sampleRate) {
  return static_cast<int64_t>(std::ceil(2.0 * sampleRate / cutoff));
}

FirTaps LowpassTaps(double cutoff, double sampleRate) {
  const int64_t reach = LowpassReach(cutoff, sampleRate);
  const double band = 2.0 * cutoff / sampleRate;  // cutoff over Nyquist
  std::vector<double> weights(static_cast<std::size_t>(reach + 1));
  double sum = 0.0;
  for (int64_t k = 0; k <= reach; ++k) {
    const double x = kPi * band * static_cast<double>(k);
    const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
    weights[static_cast<std::size_t>(k)] = band * sinc * Hamming(k, reach);
    sum += (k == 0 ? 1.0 : 2.0) * weights[static_cast<std::size_t>(k)];
  }
  FirTaps taps;
  taps.centre = static_cast<float>(weights[0] / sum);
  for (int64_t k = 1; k <= reach; ++k) {
    taps.pairs.push_back({k, static_cast<float>(weights[static_cast<std::size_t>(k)] / sum)});
  }
  return taps;
}

FirTaps SlopeTaps(int64_t points, double sampleRate) {
  const int64_t reach = points / 2;
  // The line through (j, x[i+j]), j = -reach..reach, has slope sum(j x) / sum(j^2) per tick.
  double squares = 0.0;
  for (int64_t j = 1; j <= reach; ++j) squares += 2.0 * static_cast<double>(j * j);
  FirTaps taps;
  taps.antisymmetric = true;
  for (int64_t j = 1; j <= reach; ++j) {
    taps.pairs.push_back({j, static_cast<float>(static_cast<double>(j) / squares * sampleRate)});
  }
  return taps;
}

FirTaps HilbertTaps(int64_t taps) {
  const int64_t reach = taps / 2;
  // The ideal transformer's response is 2 / (pi k) at odd k and 0 at even k; as
  // y[i] = sum h_k x[i-k], the later side enters with -h_k.
  FirTaps result;
  result.antisymmetric = true;
  for (int64_t k = 1; k <= reach; k += 2) {
    const double ideal = 2.0 / (kPi * static_cast<double>(k));
    result.pairs.push_back({k, static_cast<float>(-ideal * Hamming(k, reach))});
  }
  return result;
}

}  // namespace PendrelHost
