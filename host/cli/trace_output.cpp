#include "host/cli/trace_output.h"

#include <algorithm>
#include <cmath>

#include "host/cli/csv_numbers.h"
#include "host/cli/event_marks.h"
#include "host/cli/output_files.h"
#include "host/cli/trace_svg.h"

namespace PendrelHost {

void WriteTrace(AnalysisSession& session, const std::filesystem::path& path,
                std::optional<double> from, std::optional<double> to) {
  session.CheckOutputTarget(path);
  DataDocument& data = session.Data();
  const std::optional<MarkedEventChannel> marked = MarkedEventChannel::Find(data);
  if (!marked) throw SessionError("no trace to draw: the analysis has no beat marks");
  const std::optional<std::size_t> channel = marked->ShownOn(data);
  if (!channel) throw SessionError("no trace to draw: the beat marks are shown on no channel");

  const Recording& recording = data.Source();
  if (recording.RecordCount() == 0) throw SessionError("no trace to draw: the recording is empty");
  const std::span<const float> samples = recording.Samples(0, *channel);
  const double start = from.value_or(0);
  const double end = to.value_or(start + kDefaultTraceSeconds);
  if (!(start >= 0) || !(end > start)) {
    throw SessionError("the trace must start at 0 s or later and end after it starts");
  }
  const int64_t ticks = std::min<int64_t>(recording.TickCount(0), int64_t(samples.size()));
  const double rate = recording.SampleRate();
  const int64_t first = std::llround(start * rate);
  const int64_t last = std::min<int64_t>(std::llround(std::min(end * rate, 9.0e18)), ticks);
  if (first >= ticks) throw SessionError("the trace starts after the recording ends");

  const ChannelInfo& info = recording.Channel(*channel);
  TracePicture picture;
  picture.caption = info.title + ", " + SecondsText(double(first) / rate) + " to " +
                    SecondsText(double(last) / rate);
  picture.unit = info.unit;
  picture.start = recording.RecordStartTime(0) + double(first) / rate;
  picture.period = recording.TickPeriod();
  picture.samples = samples.subspan(std::size_t(first), std::size_t(last - first));
  picture.marks = marked->Marks(0, first, last);

  WriteWholeFile(path, TraceSvg(picture));
}

}  // namespace PendrelHost
