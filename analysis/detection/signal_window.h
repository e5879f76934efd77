// A stretch of a sampled source read into memory: the samples from a tick on, as many as the
// source has up to a count.
#pragma once

#include <vector>

#include "hostframework/eeh3/float_ex_wrapper.h"

namespace Rhyth {

struct SignalWindow {
  std::vector<float> samples;
  // False when the source stopped short of the count while its record can still grow: the
  // rest of the window is yet to be sampled. At the end of the data a short window is complete.
  bool complete = true;
};

SignalWindow ReadSignalWindow(EEH3::FloatExWrapper& signal, LONG from, LONG count);

}  // namespace Rhyth
