#include "host/recording/csv_recording.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "host/recording/line_reader.h"
#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

// Units that a column name's last "_" part may be; anything else stays part of the title.
constexpr std::array<std::string_view, 16> kKnownUnits = {
    "V", "mV", "uV", "\xC2\xB5V", "nV", "mmHg", "kPa", "Pa",  //
    "bpm", "Hz", "s", "ms", "%", "degC", "A", "mA"};

// Rows read before the sample vectors are sized from the file's length.
constexpr std::size_t kRowsBeforeReserving = 1024;

std::string_view TrimBlanks(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
  return field;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// A whole field as a number: blanks around it and a leading '+' allowed, nothing else.
std::optional<double> ParseNumber(std::string_view field) {
  field = TrimBlanks(field);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  const bool whole = error == std::errc() && end == field.data() + field.size();
  return whole && !field.empty() ? std::optional<double>(value) : std::nullopt;
}

std::size_t FieldCount(std::string_view line) {
  return std::size_t(std::count(line.begin(), line.end(), ',')) + 1;
}

// The field up to the next comma (or the line's end), and the rest after that comma.
std::string_view NextField(std::string_view& rest) {
  const auto* comma = static_cast<const char*>(std::memchr(rest.data(), ',', rest.size()));
  const std::size_t length = comma ? std::size_t(comma - rest.data()) : rest.size();
  const std::string_view field = rest.substr(0, length);
  rest.remove_prefix(comma ? length + 1 : length);
  return field;
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

std::string Seconds(double time) {
  std::ostringstream text;
  text << time;
  return text.str();
}

// Whether the times seen so far can lie on one regular grid, decided without keeping them:
// each time after the first narrows the range of rates that put every time within half a
// sample of its grid point.
class RateRange {
 public:
  void Add(double time) {
    if (m_count == 0) m_first = time;
    if (m_count > 0) {
      const double span = time - m_first, index = double(m_count);
      m_low = std::max(m_low, (index - 0.5) / span);
      m_high = std::min(m_high, (index + 0.5) / span);
    }
    m_last = time;
    ++m_count;
  }

  std::size_t Count() const { return m_count; }
  double First() const { return m_first; }
  double Last() const { return m_last; }
  // Lenient by a hair: a rate at the edge is settled by the exact check of every time.
  bool Admits(double rate) const {
    return rate >= m_low * (1 - 1e-9) && rate <= m_high * (1 + 1e-9);
  }

 private:
  std::size_t m_count = 0;
  double m_first = 0.0;
  double m_last = 0.0;
  double m_low = 0.0;
  double m_high = std::numeric_limits<double>::infinity();
};

class CsvReader {
 public:
  explicit CsvReader(ByteSource& source) : m_source(source), m_lines(source) {}

  Recording Read() {
    std::string_view line;
    if (!NextContentLine(line)) Fail("the file is empty");
    ReadHeader(line);
    while (NextContentLine(line)) ReadRow(line);
    if (m_times.Count() < 2)
      Fail("at least two rows of samples are needed to know the sample rate");
    const double rate = SampleRate();
    if (!m_times.Admits(rate)) CheckGrid(rate);
    return Build(rate);
  }

 private:
  [[noreturn]] void Fail(const std::string& reason, std::size_t line = 0) const {
    throw RecordingError(m_source.Name() + (line ? ":" + std::to_string(line) : "") + ": " +
                         reason);
  }

  // The next line that is not blank; a byte-order mark before the first is dropped.
  bool NextContentLine(std::string_view& line) {
    while (m_lines.Next(line)) {
      if (m_lines.Number() == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
      if (!IsBlank(line)) return true;
    }
    return false;
  }

  void ReadHeader(std::string_view line) {
    const std::size_t fields = FieldCount(line);
    std::string_view rest = line;
    for (std::size_t column = 0; column < fields; ++column)
      m_columns.emplace_back(TrimBlanks(NextField(rest)));
    if (m_columns.front() != "time_s") {
      Fail("the first column must be time_s, not '" + m_columns.front() + "'", m_lines.Number());
    }
    if (m_columns.size() < 2) Fail("there is no channel column after time_s", m_lines.Number());
    m_samples.resize(m_columns.size() - 1);
  }

  [[noreturn]] void NotANumber(std::string_view field, std::size_t column, const char* what) const {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about the chain of + here.
    std::string reason = "'";
    reason.append(TrimBlanks(field)).append("' in column ").append(m_columns[column]).append(what);
    Fail(reason, m_lines.Number());
  }

  void ReadRow(std::string_view line) {
    const std::size_t fields = FieldCount(line);
    if (fields != m_columns.size()) {
      Fail("expected " + std::to_string(m_columns.size()) + " values, found " +
               std::to_string(fields),
           m_lines.Number());
    }
    std::string_view rest = line;
    for (std::size_t column = 0; column < fields; ++column) {
      const std::string_view field = NextField(rest);
      const std::optional<double> value = ParseNumber(field);
      if (!value) NotANumber(field, column, " is not a number");
      if (column == 0) {
        AddTime(*value, field);
      } else {
        m_samples[column - 1].push_back(static_cast<float>(*value));
      }
    }
    if (m_times.Count() == kRowsBeforeReserving) ReserveForTheRest();
  }

  void AddTime(double time, std::string_view field) {
    if (!std::isfinite(time)) NotANumber(field, 0, " is not a time");
    if (m_times.Count() > 0 && !(time > m_times.Last())) {
      Fail("the times do not increase: " + Seconds(time) + " s follows " + Seconds(m_times.Last()) +
               " s",
           m_lines.Number());
    }
    m_times.Add(time);
  }

  // Rows so far tell the length of a row; the file's length tells how many may follow.
  void ReserveForTheRest() {
    const double rows =
        double(m_source.Size()) / double(m_lines.Consumed()) * double(m_times.Count());
    const std::size_t expected = std::size_t(std::min(rows * 1.05 + 16.0, double(INT32_MAX)));
    for (std::vector<float>& samples : m_samples) samples.reserve(expected);
  }

  // The rate that the times span, snapped to a whole number of hertz when it is one: times are
  // usually written rounded, and 1/360 s becomes 0.002778.
  double SampleRate() const {
    const double rate = double(m_times.Count() - 1) / (m_times.Last() - m_times.First());
    const double whole = std::round(rate);
    return std::abs(rate - whole) < 1e-4 * rate ? whole : rate;
  }

  // Reads the times again to name the first one off the grid of this rate.
  void CheckGrid(double rate) {
    m_lines.Restart();
    std::string_view line;
    NextContentLine(line);
    for (std::size_t row = 0; NextContentLine(line); ++row) {
      std::string_view rest = line;
      const double time = ParseNumber(NextField(rest)).value_or(0.0);
      const double expected = m_times.First() + static_cast<double>(row) / rate;
      if (std::abs(time - expected) * rate > 0.5) {
        std::ostringstream reason;
        reason << "the time " << time << " s is off the sample grid of " << rate << " Hz (expected "
               << expected << " s)";
        Fail(reason.str(), m_lines.Number());
      }
    }
  }

  Recording Build(double rate) {
    try {
      Recording recording(rate);
      for (std::size_t column = 1; column < m_columns.size(); ++column) {
        recording.AddChannel(ChannelFromColumn(m_columns[column]));
      }
      const std::size_t record = recording.AddRecord(m_times.First());
      recording.AppendSamples(record, std::move(m_samples));
      recording.CloseRecord(record);
      return recording;
    } catch (const RecordingError& error) {
      Fail(error.what());
    }
  }

  ByteSource& m_source;
  LineReader m_lines;
  std::vector<std::string> m_columns;
  RateRange m_times;
  std::vector<std::vector<float>> m_samples;  // per channel
};

}  // namespace

Recording ReadCsvRecording(ByteSource& source) { return CsvReader(source).Read(); }

Recording ParseCsvRecording(std::string_view text, std::string_view name) {
  const std::unique_ptr<ByteSource> source = MemoryBytes(text, std::string(name));
  return ReadCsvRecording(*source);
}

Recording LoadCsvRecording(const std::filesystem::path& path) {
  return ReadCsvRecording(*OpenFileBytes(path));
}

}  // namespace PendrelHost
