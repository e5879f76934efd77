#include "host/recording/csv_recording.h"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

// Units that a column name's last "_" part may be; anything else stays part of the title.
constexpr std::array<std::string_view, 16> kKnownUnits = {
    "V", "mV", "uV", "\xC2\xB5V", "nV", "mmHg", "kPa", "Pa", "bpm", "Hz", "s", "ms", "%", "degC", "A", "mA"};

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    std::string_view field = line.substr(start, comma == std::string_view::npos ? comma : comma - start);
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
    fields.push_back(field);
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

std::optional<double> ParseNumber(std::string_view field) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || field.empty()) return std::nullopt;
  return value;
}

ChannelInfo ChannelFromColumn(std::string_view column) {
  const std::size_t underscore = column.rfind('_');
  if (underscore != std::string_view::npos && underscore > 0) {
    const std::string_view unit = column.substr(underscore + 1);
    for (std::string_view known : kKnownUnits) {
      if (unit == known) return {std::string(column.substr(0, underscore)), std::string(unit)};
    }
  }
  return {std::string(column), ""};
}

// Lines without their line ends; blank lines dropped, their numbers kept for messages.
struct Line {
  std::size_t number;
  std::string_view text;
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") != std::string_view::npos) lines.push_back({number, line});
  }
  return lines;
}

class CsvReader {
 public:
  explicit CsvReader(std::string_view name) : m_name(name) {}

  Recording Read(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<Line> lines = SplitLines(text);
    if (lines.empty()) Fail("the file is empty");
    ReadHeader(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) ReadRow(lines[i]);
    if (m_times.size() < 2) Fail("at least two rows of samples are needed to know the sample rate");
    return Build();
  }

 private:
  [[noreturn]] void Fail(const std::string& reason, std::size_t line = 0) const {
    throw RecordingError(std::string(m_name) + (line ? ":" + std::to_string(line) : "") + ": " + reason);
  }

  void ReadHeader(const Line& line) {
    m_columns = SplitFields(line.text);
    if (m_columns.front() != "time_s") {
      Fail("the first column must be time_s, not '" + std::string(m_columns.front()) + "'", line.number);
    }
    if (m_columns.size() < 2) Fail("there is no channel column after time_s", line.number);
    m_samples.resize(m_columns.size() - 1);
  }

  [[noreturn]] void NotANumber(std::string_view field, std::size_t column, std::size_t line) const {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about the chain of + here.
    std::string reason = "'";
    reason.append(field).append("' in column ").append(m_columns[column]).append(" is not a number");
    Fail(reason, line);
  }

  void ReadRow(const Line& line) {
    const std::vector<std::string_view> fields = SplitFields(line.text);
    if (fields.size() != m_columns.size()) {
      Fail("expected " + std::to_string(m_columns.size()) + " values, found " + std::to_string(fields.size()),
           line.number);
    }
    for (std::size_t column = 0; column < fields.size(); ++column) {
      const std::optional<double> value = ParseNumber(fields[column]);
      if (!value) NotANumber(fields[column], column, line.number);
      if (column == 0) {
        m_times.push_back(*value);
      } else {
        m_samples[column - 1].push_back(static_cast<float>(*value));
      }
    }
    m_lineNumbers.push_back(line.number);
  }

  // The rate that the times span, snapped to a whole number of hertz when it is one: times are
  // usually written rounded, and 1/360 s becomes 0.002778.
  double SampleRate() const {
    const double span = m_times.back() - m_times.front();
    if (!(span > 0.0)) Fail("the times do not increase");
    const double rate = static_cast<double>(m_times.size() - 1) / span;
    const double whole = std::round(rate);
    return std::abs(rate - whole) < 1e-4 * rate ? whole : rate;
  }

  void CheckGrid(double rate) const {
    for (std::size_t i = 0; i < m_times.size(); ++i) {
      const double expected = m_times.front() + static_cast<double>(i) / rate;
      if (std::abs(m_times[i] - expected) * rate > 0.5) {
        std::ostringstream reason;
        reason << "the time " << m_times[i] << " s is off the sample grid of " << rate << " Hz (expected "
               << expected << " s)";
        Fail(reason.str(), m_lineNumbers[i]);
      }
    }
  }

  Recording Build() {
    const double rate = SampleRate();
    CheckGrid(rate);
    try {
      Recording recording(rate);
      for (std::size_t column = 1; column < m_columns.size(); ++column) {
        recording.AddChannel(ChannelFromColumn(m_columns[column]));
      }
      const std::size_t record = recording.AddRecord(m_times.front());
      std::vector<std::span<const float>> blocks(m_samples.begin(), m_samples.end());
      recording.AppendSamples(record, blocks);
      recording.CloseRecord(record);
      return recording;
    } catch (const RecordingError& error) {
      Fail(error.what());
    }
  }

  std::string_view m_name;
  std::vector<std::string_view> m_columns;
  std::vector<double> m_times;
  std::vector<std::vector<float>> m_samples;
  std::vector<std::size_t> m_lineNumbers;
};

}  // namespace

Recording ParseCsvRecording(std::string_view text, std::string_view name) { return CsvReader(name).Read(text); }

Recording LoadCsvRecording(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw RecordingError(path.string() + ": cannot be opened for reading");
  std::ostringstream text;
  text << file.rdbuf();
  if (file.bad()) throw RecordingError(path.string() + ": reading failed");
  return ParseCsvRecording(text.str(), path.string());
}

}  // namespace PendrelHost
