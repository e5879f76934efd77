#include "host/cli/calculated_channel_printer.h"

#include <string>

#include "host/calc/channel_calculations.h"
#include "host/cli/csv_numbers.h"

namespace PendrelHost {

void PrintCalculatedChannel(DataDocument& document, std::string_view name, const TimeRange& range,
                            std::FILE* out) {
  const std::vector<CalculatedPoint> points = CalculatedChannelValues(document, name);
  std::string lines = "record,tick,time_s,value\n";
  const Recording& recording = document.Source();
  for (const CalculatedPoint& point : points) {
    const double fromRecordStart = point.time - recording.RecordStartTime(point.record);
    if (fromRecordStart < range.from || fromRecordStart >= range.to) continue;
    lines += std::to_string(point.record) + ',' + std::to_string(point.tick) + ',';
    AppendTime(lines, point.time);
    lines += ',';
    AppendShortest(lines, point.value);
    lines += '\n';
  }
  std::fwrite(lines.data(), 1, lines.size(), out);
}

}  // namespace PendrelHost
