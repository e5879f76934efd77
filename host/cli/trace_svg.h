// A stretch of one sampled channel drawn as an SVG picture: the samples as a polyline, and at
// each event mark a line across the trace and a dot on it in the mark's colour, with the mark's
// tooltip as the SVG title of the mark, so that a browser shows it on hover. Plain text output;
// the caller writes the file.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "host/cli/event_marks.h"

namespace PendrelHost {

struct TracePicture {
  std::string caption;  // UTF-8, shown above the trace
  std::string unit;     // of the samples; may be empty
  double start = 0;     // s of the first sample from the document start
  double period = 1;    // s between samples
  std::span<const float> samples;
  std::vector<EventMark> marks;  // within the samples' span
};

// The picture's SVG text (UTF-8).
std::string TraceSvg(const TracePicture& picture);

}  // namespace PendrelHost
