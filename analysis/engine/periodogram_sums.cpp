#include "analysis/engine/periodogram_sums.h"

#include <algorithm>
#include <cmath>

namespace Rhyth {

namespace {

// A sine and cosine per sample and frequency would dominate a 24-hour analysis (100,000 beats
// on 500 frequencies). Instead the phases follow by angle addition: per sample, a table of
// cos kδ and sin kδ for k < kRun (δ = 2π·df·t) turns the phase of the first frequency of a run
// of kRun neighbouring frequencies into all the others, and each run's first phase is the
// previous one turned by kRun·δ. Every sample starts from a direct sine and cosine at the
// first grid frequency, so no phase is more than about 80 rotations away from a direct value:
// a few hundred ulps, far inside 1e-9 of the direct formula.
constexpr DWORD kRun = 64;
// Samples taken together on each pass over the sums: fewer loads and stores per term.
constexpr DWORD kLanes = 4;

struct SamplePhase {
  double cosine[kRun];  // cos kδ
  double sine[kRun];    // sin kδ
  double runCosine;     // cos kRun·δ
  double runSine;
  double c0;            // phase of the first frequency of the current run
  double s0;

  void Start(double firstPhase, double delta, DWORD tableSize) {
    c0 = std::cos(firstPhase);
    s0 = std::sin(firstPhase);
    runCosine = std::cos(kRun * delta);
    runSine = std::sin(kRun * delta);
    FillTable(delta, tableSize);
  }

  void NextRun() {
    const double c = c0 * runCosine - s0 * runSine;
    s0 = s0 * runCosine + c0 * runSine;
    c0 = c;
  }

 private:
  // Eight steps one δ at a time, then eight independent chains of 8δ steps, which the
  // processor overlaps.
  void FillTable(double delta, DWORD size) {
    constexpr DWORD kChains = 8;
    cosine[0] = 1;
    sine[0] = 0;
    const double c1 = std::cos(delta), s1 = std::sin(delta);
    for (DWORD k = 1; k < std::min(size, kChains + 1); ++k) {
      cosine[k] = cosine[k - 1] * c1 - sine[k - 1] * s1;
      sine[k] = sine[k - 1] * c1 + cosine[k - 1] * s1;
    }
    if (size <= kChains + 1) return;
    const double c8 = cosine[kChains], s8 = sine[kChains];
    for (DWORD k = kChains + 1; k < size; ++k) {
      cosine[k] = cosine[k - kChains] * c8 - sine[k - kChains] * s8;
      sine[k] = sine[k - kChains] * c8 + cosine[k - kChains] * s8;
    }
  }
};

struct SumArrays {
  double* __restrict yc;
  double* __restrict ys;
  double* __restrict cc;
  double* __restrict ss;
  double* __restrict cs;
};

// Adds the terms of `Lanes` samples to the sums of `count` neighbouring frequencies. The
// frequencies are independent, so the compiler vectorises across them.
// The two helpers below are inlined into each build of ComputePeriodogramSums, so that they
// share its instruction set.
template <DWORD Lanes>
[[gnu::always_inline]] inline void AccumulateRun(const double* z, const SamplePhase* phase, DWORD count, SumArrays sums) {
  for (DWORD k = 0; k < count; ++k) {
    double yc = 0, ys = 0, cc = 0, ss = 0, cs = 0;
    for (DWORD lane = 0; lane < Lanes; ++lane) {
      const SamplePhase& p = phase[lane];
      const double c = p.c0 * p.cosine[k] - p.s0 * p.sine[k];
      const double s = p.s0 * p.cosine[k] + p.c0 * p.sine[k];
      yc += z[lane] * c;
      ys += z[lane] * s;
      cc += c * c;
      ss += s * s;
      cs += c * s;
    }
    sums.yc[k] += yc;
    sums.ys[k] += ys;
    sums.cc[k] += cc;
    sums.ss[k] += ss;
    sums.cs[k] += cs;
  }
}

template <DWORD Lanes>
[[gnu::always_inline]] inline void AccumulateSamples(const double* t, const double* z, const FrequencyGrid& grid,
                       PeriodogramSums& sums) {
  const DWORD frequencies = grid.count;
  const double firstOmega = grid.AngularFrequency(0);
  const double step = kTwoPi * grid.df;
  SamplePhase phase[Lanes];
  for (DWORD lane = 0; lane < Lanes; ++lane) {
    phase[lane].Start(firstOmega * t[lane], step * t[lane], std::min(kRun, frequencies));
  }
  for (DWORD j0 = 0; j0 < frequencies; j0 += kRun) {
    if (j0) {
      for (SamplePhase& p : phase) p.NextRun();
    }
    AccumulateRun<Lanes>(z, phase, std::min(kRun, frequencies - j0),
                         {&sums.yc[j0], &sums.ys[j0], &sums.cc[j0], &sums.ss[j0], &sums.cs[j0]});
  }
}

}  // namespace

// Built twice, for processors with AVX2 and for any other, and chosen when the module loads:
// four frequencies a vector instruction instead of two. Multiplications and additions stay
// separate (AVX2 alone has no fused multiply-add), so the sums are the same to the bit.
__attribute__((target_clones("avx2", "default")))
PeriodogramSums ComputePeriodogramSums(const double* t, const double* z, DWORD n,
                                       const FrequencyGrid& grid) {
  PeriodogramSums sums;
  for (auto* v : {&sums.yc, &sums.ys, &sums.cc, &sums.ss, &sums.cs}) v->assign(grid.count, 0.0);
  DWORD i = 0;
  for (; i + kLanes <= n; i += kLanes) AccumulateSamples<kLanes>(t + i, z + i, grid, sums);
  for (; i < n; ++i) AccumulateSamples<1>(t + i, z + i, grid, sums);
  return sums;
}

}  // namespace Rhyth
