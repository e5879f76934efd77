#include "host/channels/fir_filter.h"

#include <algorithm>

namespace PendrelHost {

namespace {

// Outputs are built a tile at a time, adding the taps' terms pass by pass, so that the tile and
// the input under it stay in the first-level cache and each pass is a loop the compiler turns
// into vector instructions.
constexpr std::size_t kTile = 1024;

template <bool kAntisymmetric>
inline float Term(float later, float earlier) {
  if constexpr (kAntisymmetric) {
    return later - earlier;
  } else {
    return later + earlier;
  }
}

// Four pairs per pass: a quarter of the loads and stores of the tile.
// The helpers are inlined into each build of ApplyFir below, so that they share its
// instruction set.
template <bool kAntisymmetric>
[[gnu::always_inline]] inline void AddFourPairs(const FirTaps::Pair* p, const float* in, float* __restrict out, std::size_t count) {
  const float* __restrict a0 = in + p[0].offset;
  const float* __restrict b0 = in - p[0].offset;
  const float* __restrict a1 = in + p[1].offset;
  const float* __restrict b1 = in - p[1].offset;
  const float* __restrict a2 = in + p[2].offset;
  const float* __restrict b2 = in - p[2].offset;
  const float* __restrict a3 = in + p[3].offset;
  const float* __restrict b3 = in - p[3].offset;
  const float w0 = p[0].weight, w1 = p[1].weight, w2 = p[2].weight, w3 = p[3].weight;
  for (std::size_t i = 0; i < count; ++i) {
    out[i] += w0 * Term<kAntisymmetric>(a0[i], b0[i]) + w1 * Term<kAntisymmetric>(a1[i], b1[i]) +
              w2 * Term<kAntisymmetric>(a2[i], b2[i]) + w3 * Term<kAntisymmetric>(a3[i], b3[i]);
  }
}

template <bool kAntisymmetric>
[[gnu::always_inline]] inline void AddPair(const FirTaps::Pair& p, const float* in, float* __restrict out, std::size_t count) {
  const float* __restrict a = in + p.offset;
  const float* __restrict b = in - p.offset;
  const float w = p.weight;
  for (std::size_t i = 0; i < count; ++i) out[i] += w * Term<kAntisymmetric>(a[i], b[i]);
}

template <bool kAntisymmetric>
[[gnu::always_inline]] inline void FilterTile(const FirTaps& taps, const float* in, float* __restrict out, std::size_t count) {
  const float centre = taps.centre;
  for (std::size_t i = 0; i < count; ++i) out[i] = centre * in[i];
  const std::size_t pairs = taps.pairs.size();
  std::size_t k = 0;
  for (; k + 4 <= pairs; k += 4) AddFourPairs<kAntisymmetric>(&taps.pairs[k], in, out, count);
  for (; k < pairs; ++k) AddPair<kAntisymmetric>(taps.pairs[k], in, out, count);
}

}  // namespace

// Built twice, for processors with AVX2 and for any other, and chosen when the program loads:
// eight samples a vector instruction instead of four. Multiplications and additions stay
// separate (AVX2 alone has no fused multiply-add), so the outputs are the same to the bit.
__attribute__((target_clones("avx2", "default")))
void ApplyFir(const FirTaps& taps, const float* input, float* output, std::size_t count) {
  for (std::size_t first = 0; first < count; first += kTile) {
    const std::size_t tile = std::min(kTile, count - first);
    if (taps.antisymmetric) {
      FilterTile<true>(taps, input + first, output + first, tile);
    } else {
      FilterTile<false>(taps, input + first, output + first, tile);
    }
  }
}

}  // namespace PendrelHost
