// normalizeSec(x, W, H, noise): each sample's height above the mean of a window, in units of
// the window's peak level. The window of a sample lasts W seconds and starts H seconds before
// it. Its peak level s is a twelfth of the height above the window's mean m of its
// second-highest peak, a peak being a sample that is the largest within W/20 on either side
// (the first of equal ones); with one peak in the window that peak's height, with none 0. The
// value is (x - m) / s, with `noise` as a floor for s; where s is 0 and there is no floor, the
// value is 0. NaN samples count neither in the mean nor as peaks.
//
// Over the envelope of an ECG's QRS complexes, the beats' peaks stand near 12 and the envelope
// between them (T waves, noise, baseline) near 0, whatever share of each beat the complex takes
// and however few beats the window holds, down to two; so the detection chain's height of 3
// is a quarter of the beats' level at every heart rate and QRS width. One beat of any height,
// or one artefact, in the window changes nothing: only the second-highest peak counts.
//
// The stage is zero-phase when H is W/2, and computes each block afresh from its input, so a
// block's values never depend on the order in which blocks are read. It belongs to the
// document's channels and lives as long as the channel that uses it.
#pragma once

#include <memory>
#include <vector>

#include "host/channels/cached_signal_node.h"
#include "host/channels/window_peaks.h"

namespace PendrelHost {

class PeakLevelNode : public CachedSignalNode {
 public:
  // window >= 2 ticks; the window of tick i is [i - lead, i - lead + window).
  PeakLevelNode(std::shared_ptr<BlockCache> cache, std::shared_ptr<SignalNode> input,
                int64_t window, int64_t lead, double noiseFloor);

  RecordExtent Extent(std::size_t record) override;

 protected:
  void Compute(std::size_t record, int64_t start, std::span<float> values) override;

 private:
  std::shared_ptr<SignalNode> m_input;
  int64_t m_window;
  int64_t m_lead;
  int64_t m_peakReach;  // ticks
  double m_noiseFloor;
  std::vector<float> m_inputValues;
  WindowPeaks m_peaks;
};

}  // namespace PendrelHost
