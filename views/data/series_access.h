// How an enumerator over the analysis results reads one element: its value and its label. A
// series of doubles gives the element itself and labels it with its index and value; a series
// of beat points gives the point's x or y and labels it with the beat's tick and record, which
// the scatter views read back when a point is clicked.
#pragma once

#include <ostream>

#include "analysis/engine/beat_point.h"
#include "analysis/engine/double_array.h"

namespace Rhyth {

// The point type of the scatter plots.
using PlotPoint = BeatPoint;
using PlotPointArray = BeatPointArray;

struct AccessDirect {
  using Container = DoubleArray;
  static double Value(const Container& data, DWORD i) { return data[i]; }
  // "12<TAB>0.845": the index, then the unscaled value with six significant digits.
  static void Label(std::wostream& out, const Container& data, DWORD i) {
    out << i << L'\t' << data[i];
  }
};

// The beat's tick, a TAB, then its record.
inline void PointLabel(std::wostream& out, const PlotPoint& point) {
  out << point.position << L'\t' << point.record;
}

struct AccessX {
  using Container = PlotPointArray;
  static double Value(const Container& data, DWORD i) { return data[i].x; }
  static void Label(std::wostream& out, const Container& data, DWORD i) {
    PointLabel(out, data[i]);
  }
};

struct AccessY {
  using Container = PlotPointArray;
  static double Value(const Container& data, DWORD i) { return data[i].y; }
  static void Label(std::wostream& out, const Container& data, DWORD i) {
    PointLabel(out, data[i]);
  }
};

}  // namespace Rhyth
