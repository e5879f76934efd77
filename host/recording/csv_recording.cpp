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
    "V",   "mV", "uV", "\xC2\xB5V", "nV", "mmHg", "kPa", "Pa",  //
    "bpm", "Hz", "s",  "ms",        "%",  "degC", "A",   "mA"};

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

// Reads one field's number in place, as ParseNumber reads it. A field before the last is left
// past its comma; the last is left at its line end (LF, CR LF or the end of the text). False
// when the field is not a number, or the row ends before its last field or goes on after it.
bool ReadValue(const char*& at, const char* end, double& value, bool last) {
  while (at < end && (*at == ' ' || *at == '\t')) ++at;
  if (at < end && *at == '+') ++at;
  const auto [after, error] = std::from_chars(at, end, value);
  if (error != std::errc()) return false;
  at = after;
  while (at < end && (*at == ' ' || *at == '\t')) ++at;
  if (last) return at == end || *at == '\n' || (*at == '\r' && at + 1 < end && at[1] == '\n');
  if (at == end || *at != ',') return false;
  ++at;
  return true;
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
      const double perSecond = 1.0 / (time - m_first), index = double(m_count);
      m_low = std::max(m_low, (index - 0.5) * perSecond);
      m_high = std::min(m_high, (index + 0.5) * perSecond);
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
    ReadRows();
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
      // Files saved with another separator, or without the line of names, say so.
      for (const char* separator : {";", "\t"}) {
        if (fields == 1 && line.find(separator) != std::string_view::npos) {
          Fail(std::string("the columns are separated by ") + (*separator == ';' ? "';'" : "tabs") +
                   ": commas separate them, and numbers have a decimal point",
               m_lines.Number());
        }
      }
      std::string reason = "the first column must be time_s, not '" + m_columns.front() + "'";
      if (ParseNumber(m_columns.front())) {
        reason += ": the first line names the columns, time_s and then one per channel";
      }
      Fail(reason, m_lines.Number());
    }
    if (m_columns.size() < 2) Fail("there is no channel column after time_s", m_lines.Number());
    m_samples.resize(m_columns.size() - 1);
    m_values.resize(m_columns.size() - 1);
  }

  [[noreturn]] void NotANumber(std::string_view field, std::size_t column, const char* what) const {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about the chain of + here.
    std::string reason = "'";
    reason.append(TrimBlanks(field)).append("' in column ").append(m_columns[column]).append(what);
    Fail(reason, m_lines.Number());
  }

  // Rows are read in place from the block of lines at hand, without finding their ends first.
  // A row that does not read as one (a blank line, a bad row) is taken as a line and read again.
  void ReadRows() {
    for (std::string_view lines; !(lines = m_lines.Lines()).empty();) {
      const char* at = lines.data();
      const char* const end = at + lines.size();
      while (at < end) {
        const char* const row = at;
        if (ParseRow(at, end)) {
          const std::string_view line(row, std::size_t(at - row));
          if (at < end && *at == '\r') ++at;
          if (at < end) ++at;  // the line feed
          m_lines.Take(std::size_t(at - row), 1);
          AddRow(line);
          continue;
        }
        const auto* newline =
            static_cast<const char*>(std::memchr(row, '\n', std::size_t(end - row)));
        at = newline ? newline + 1 : end;
        m_lines.Take(std::size_t(at - row), 1);
        std::string_view line(row, std::size_t((newline ? newline : end) - row));
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!IsBlank(line)) ReadRow(line);
      }
    }
  }

  // The time and values of one row, read in place from `at` up to its line end.
  bool ParseRow(const char*& at, const char* end) {
    if (!ReadValue(at, end, m_time, false)) return false;
    for (std::size_t channel = 0; channel < m_values.size(); ++channel) {
      if (!ReadValue(at, end, m_values[channel], channel + 1 == m_values.size())) return false;
    }
    return true;
  }

  // A row taken as a line: read, or refused saying what is wrong with it.
  void ReadRow(std::string_view line) {
    const char* at = line.data();
    if (!ParseRow(at, line.data() + line.size())) RowError(line);
    AddRow(line);
  }

  void AddRow(std::string_view line) {
    AddTime(m_time, line);
    for (std::size_t channel = 0; channel < m_values.size(); ++channel) {
      m_samples[channel].push_back(static_cast<float>(m_values[channel]));
    }
    if (m_times.Count() == kRowsBeforeReserving) ReserveForTheRest();
  }

  [[noreturn]] void RowError(std::string_view line) const {
    const std::size_t fields = FieldCount(line);
    if (fields != m_columns.size()) {
      Fail("expected " + std::to_string(m_columns.size()) + " values, found " +
               std::to_string(fields),
           m_lines.Number());
    }
    std::string_view rest = line;
    for (std::size_t column = 0; column < fields; ++column) {
      const std::string_view field = NextField(rest);
      if (!ParseNumber(field)) NotANumber(field, column, " is not a number");
    }
    Fail("the row cannot be read", m_lines.Number());
  }

  void AddTime(double time, std::string_view line) {
    if (!std::isfinite(time)) NotANumber(NextField(line), 0, " is not a time");
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
  double m_time = 0.0;                        // of the row being read
  std::vector<double> m_values;               // of the row being read, per channel
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
