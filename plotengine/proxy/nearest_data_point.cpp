#include "plotengine/proxy/nearest_data_point.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "plotengine/proxy/buffered_float_enum_iterator.h"
#include "plotengine/proxy/plot_text.h"
#include "plotengine/proxy/script_integer.h"

namespace Quor {
namespace {

// Points further than 500 pixels never qualify in XY mode.
constexpr double kMaxSquaredDistance = 250000.0;

float F(double value) { return static_cast<float>(value); }

struct Best {
  double distance = std::numeric_limits<double>::max();
  double x = 0;
  double y = 0;
};

IEnumFloatEx* SeriesOf(const EtchProxyBase& model, const std::string& id) {
  const auto found = model.Series().find(id);
  return found == model.Series().end() ? nullptr : found->second.Get();
}

void SkipTo(IEnumFloatEx* series, std::int64_t target) {
  DWORD position = 0;
  series->GetPosition(&position);
  int skipped = 0;
  series->Skip(ScriptInt32(double(target - std::int64_t(position))), &skipped);
}

// The sample under the pointer, compared by vertical distance.
bool RegularStep(const EtchProxyBase& model, const std::string& key, const NearestPointQuery& q,
                 double px, double py, Best& best) {
  IEnumFloatEx* series = SeriesOf(model, key);
  if (!series) return false;
  const double k = std::floor(((F(px) - q.bx) / q.ax + q.spacing * 0.5) / q.spacing);
  const std::int32_t g = ScriptInt32(k * q.spacing);
  const std::int32_t j = ScriptInt32(double(g) - q.first);
  if (j < 0) return false;
  SkipTo(series, j);
  BufferedFloatEnumIterator reader(series);
  if (!reader.HasValue()) return false;
  const double xp = F(double(g)) * q.ax + q.bx;
  const double yp = F(reader.Value()) * q.ay + q.by;
  const double d = std::fabs(yp - py);
  if (!(best.distance > d)) return false;
  best = {d, xp, yp};
  return true;
}

// Every point (mode 1) or segment (mode 0) of an XY series, compared by squared distance.
bool XYStep(const EtchProxyBase& model, const EtchProxyBase::SeriesPlotter& plotter,
            const NearestPointQuery& q, double px, double py, Best& best) {
  IEnumFloatEx* xs = SeriesOf(model, plotter.first);
  IEnumFloatEx* ys = SeriesOf(model, plotter.dataId);
  if (!xs || !ys) return false;
  SkipTo(xs, 0);
  SkipTo(ys, 0);
  BufferedFloatEnumIterator xReader(xs);
  BufferedFloatEnumIterator yReader(ys);
  const double startDistance = best.distance;
  const SegmentPoint pointer{F(px), F(py)};
  auto next = [&] {
    const SegmentPoint point{F(F(xReader.Value()) * q.ax + q.bx), F(F(yReader.Value()) * q.ay + q.by)};
    xReader.Advance();
    yReader.Advance();
    return point;
  };
  auto have = [&] { return xReader.HasValue() && yReader.HasValue(); };
  const bool segments = plotter.mode == 0;
  SegmentPoint previous{-1.0f, -1.0f};
  if (segments && have()) previous = next();
  while (have()) {
    const SegmentPoint current = next();
    SegmentPoint chosen = current;
    float d;
    if (segments) {
      SegmentPoint closest;
      d = NearestPointOnSegment(pointer, previous, current, &closest);
      const float toCurrent = NearestPointOnSegment(closest, current, current);
      const float toPrevious = NearestPointOnSegment(closest, previous, previous);
      if (toCurrent > toPrevious) chosen = previous;
    } else {
      const float dx = pointer.x - current.x;
      const float dy = pointer.y - current.y;
      d = dx * dx + dy * dy;
    }
    if (d < kMaxSquaredDistance && best.distance > d) best = {d, chosen.x, chosen.y};
    previous = current;
  }
  return best.distance < startDistance && best.distance < kMaxSquaredDistance;
}

bool UsableScale(double a) { return std::isfinite(a) && a != 0.0; }

}  // namespace

EtchStringMap FindNearestDataPoint(const EtchProxyBase& model, const NearestPointQuery& q) {
  if (!UsableScale(q.ax) || !UsableScale(q.ay) || !std::isfinite(q.bx) || !std::isfinite(q.by)) {
    return {};
  }
  const double px = F(q.x) * q.ax + q.bx;
  const double py = F(q.y) * q.ay + q.by;
  Best best;
  const std::string* winner = nullptr;
  for (const auto& [key, plotter] : model.SeriesPlotters()) {
    // Only points (1) and segments (0) have a meaning; another mode is no plot to track.
    if (plotter.mode != 0 && plotter.mode != 1) continue;
    const bool improved = q.regular ? RegularStep(model, key, q, px, py, best)
                                    : XYStep(model, plotter, q, px, py, best);
    if (improved) winner = &key;
  }
  if (!winner) return {};
  const auto plotterId = model.Plotters().find(*winner);
  return {
      {String(u"distance"), String::FromUtf8(StreamNumberText(best.distance))},
      {String(u"x"), String::FromUtf8(StreamNumberText((F(best.x) - q.bx) / q.ax))},
      {String(u"y"), String::FromUtf8(StreamNumberText((F(best.y) - q.by) / q.ay))},
      {String(u"plotter_id"), plotterId == model.Plotters().end()
                                  ? String()
                                  : String::FromUtf8(plotterId->second)},
  };
}

}  // namespace Quor
