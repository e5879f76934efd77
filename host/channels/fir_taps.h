// Centred FIR filters, which delay nothing: y[i] = centre x[i] + sum over k of c_k (x[i+k] +- x[i-k]).
// Symmetric filters (low-pass) add the two sides, antisymmetric ones (slopes, the Hilbert
// transformer) subtract the earlier side from the later one.
#pragma once

#include <cstdint>
#include <vector>

namespace PendrelHost {

struct FirTaps {
  struct Pair {
    int64_t offset;  // k > 0
    float weight;    // c_k
  };
  float centre = 0.0f;
  std::vector<Pair> pairs;  // only the non-zero ones
  bool antisymmetric = false;

  // Ticks the filter looks to either side.
  int64_t Reach() const { return pairs.empty() ? 0 : pairs.back().offset; }
};

// Windowed-sinc low-pass (Hamming window) with cutoff fc and exactly unit gain at DC. The kernel
// spans 2 fs / fc ticks to either side, so its transition band is about fc / 1.5 wide.
FirTaps LowpassTaps(double cutoff, double sampleRate);
int64_t LowpassReach(double cutoff, double sampleRate);

// The least-squares slope of a straight line through `points` samples centred on each tick, per
// second; points is odd.
FirTaps SlopeTaps(int64_t points, double sampleRate);

// A Hilbert transformer of `taps` taps (odd), Hamming-windowed: a sinusoid comes out a quarter
// period later (cos -> sin) with about its amplitude above a few times fs / taps.
FirTaps HilbertTaps(int64_t taps);

}  // namespace PendrelHost
