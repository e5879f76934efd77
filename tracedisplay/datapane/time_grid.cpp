// The vertical time lines a record's graticule draws: at the time scale's ticks, majors at whole
// multiples of the major interval in the view's time display mode and minors between them.

#include <cmath>

#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/panes/time_scale.h"
#include "tracedisplay/timescale/record_time.h"
#include "tracedisplay/timescale/tick_layout.h"

namespace PendrelDraw {

TimeGrid DataPane::TimeGridOf(HDC dc, const PendrelTraceRecordInfo& info) const {
  RecordTime time;
  if (!m_timeScale || !RecordTimeOf(m_dataView, info, &time)) return {};
  const LabelMetrics metrics = m_timeScale->MetricsOn(dc);
  const TickLayout layout =
      ComputeTickLayout(metrics.averageCharWidth, time.secondsPerPixel, DataWidth());
  if (!(layout.minorSpacing >= 1.0) || !std::isfinite(layout.minorSpacing)) return {};
  const double firstMajorSeconds =
      std::ceil(time.startSeconds / layout.major.seconds) * layout.major.seconds;
  TimeGrid grid;
  grid.firstMajor =
      double(info.firstPixel) + (firstMajorSeconds - time.startSeconds) / time.secondsPerPixel;
  grid.firstMinor = grid.firstMajor;
  grid.minorStep = layout.minorSpacing;
  grid.minorPerMajor = layout.minorPerMajor;
  return grid;
}

}  // namespace PendrelDraw
