#include "host/cli/calculated_channel_printer.h"

#include <charconv>
#include <string>

#include "host/calc/channel_calculations.h"

namespace PendrelHost {

namespace {

void AppendNumber(std::string& line, double value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  line.append(text, result.ptr);
}

void AppendTime(std::string& line, double seconds) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 6);
  line.append(text, result.ptr);
}

}  // namespace

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
    AppendNumber(lines, point.value);
    lines += '\n';
  }
  std::fwrite(lines.data(), 1, lines.size(), out);
}

}  // namespace PendrelHost
