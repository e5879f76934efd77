#include "host/recording/wfdb_header.h"

#include <charconv>
#include <climits>
#include <chrono>
#include <cmath>
#include <string>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The whitespace-separated fields of a line, as views into it.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t at = line.find_first_not_of(kBlanks);
  while (at != std::string_view::npos) {
    const std::size_t end = std::min(line.find_first_of(kBlanks, at), line.size());
    fields.push_back(line.substr(at, end - at));
    at = line.find_first_not_of(kBlanks, end);
  }
  return fields;
}

std::string_view WithoutPlus(std::string_view text) {
  if (text.size() > 1 && text.front() == '+') text.remove_prefix(1);
  return text;
}

// A whole field as a number of type T, with an optional leading '+'.
template <typename T>
std::optional<T> ParsedAs(std::string_view text) {
  text = WithoutPlus(text);
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<int64_t> Integer(std::string_view text) { return ParsedAs<int64_t>(text); }

std::optional<double> Real(std::string_view text) {
  const std::optional<double> value = ParsedAs<double>(text);
  return value && std::isfinite(*value) ? value : std::nullopt;
}

// Splits `text` at the first of `separators`: the part before it, and the rest from it on.
std::pair<std::string_view, std::string_view> SplitAt(std::string_view text,
                                                      std::string_view separators) {
  const std::size_t at = std::min(text.find_first_of(separators), text.size());
  return {text.substr(0, at), text.substr(at)};
}

class HeaderParser {
 public:
  explicit HeaderParser(std::string_view name) : m_name(name) {}

  WfdbHeader Parse(std::string_view text) {
    std::string_view line;
    if (!NextLine(text, line)) Fail("there is no record line: the header is empty");
    ReadRecordLine(line);
    // A multi-segment header lists segments, not signals; the loader says what it makes of it.
    if (m_header.segments) return m_header;
    while (static_cast<int64_t>(m_header.signals.size()) < m_header.signalCount) {
      if (!NextLine(text, line)) {
        Fail("the record line names " + std::to_string(m_header.signalCount) + " signals, but " +
             std::to_string(m_header.signals.size()) + " signal lines follow");
      }
      ReadSignalLine(line);
    }
    return m_header;
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    const std::string at = m_line ? ":" + std::to_string(m_line) : "";
    throw RecordingError(std::string(m_name) + at + ": " + reason);
  }

  // The next line that is neither blank nor a comment, without its line end and blanks.
  bool NextLine(std::string_view& text, std::string_view& line) {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      ++m_line;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      line = Trim(line);
      if (!line.empty() && line.front() != '#') return true;
    }
    return false;
  }

  void ReadRecordLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    const auto [name, segments] = SplitAt(fields[0], "/");
    if (name.empty()) Fail("the record line does not start with the record's name");
    m_header.recordName = name;
    if (!segments.empty()) m_header.segments = Count(segments.substr(1), "number of segments", 1);
    if (fields.size() < 2) Fail("the record line gives no number of signals");
    m_header.signalCount = Count(fields[1], "number of signals", 0);
    if (fields.size() > 2) ReadFrequencies(fields[2]);
    if (fields.size() > 3) {
      const int64_t samples = Count(fields[3], "number of samples per signal", 0);
      if (samples > 0) m_header.samplesPerSignal = samples;
    }
    if (fields.size() > 4) m_header.baseTime = TimeOfDay(fields[4]);
    if (fields.size() > 5) m_header.baseDate = Date(fields[5]);
  }

  // "360", "360/720" or "360/720(15)": sampling frequency, counter frequency, base counter.
  void ReadFrequencies(std::string_view field) {
    const auto [sampling, counter] = SplitAt(field, "/");
    m_header.samplingFrequency = Positive(sampling, "sampling frequency");
    if (counter.empty()) return;
    const auto [frequency, base] = SplitAt(counter.substr(1), "(");
    m_header.counterFrequency = Number(frequency, "counter frequency");
    if (base.empty()) return;
    if (base.back() != ')')
      Fail("the base counter value '" + std::string(base) + "' lacks its ')'");
    m_header.baseCounter = Number(base.substr(1, base.size() - 2), "base counter value");
  }

  // "13:05:00", "13:5:0" or "13:05:00.250"; minutes and seconds alone are taken as such.
  double TimeOfDay(std::string_view field) {
    std::vector<std::string_view> parts;
    for (std::string_view rest = field;;) {
      const auto [part, next] = SplitAt(rest, ":");
      parts.push_back(part);
      if (next.empty()) break;
      rest = next.substr(1);
    }
    double seconds = 0.0;
    bool valid = parts.size() <= 3;
    for (std::size_t i = 0; valid && i < parts.size(); ++i) {
      const bool last = i + 1 == parts.size();
      const std::optional<double> value =
          last ? Real(parts[i]) : std::optional<double>(Integer(parts[i]));
      const double limit = parts.size() == 3 && i == 0 ? 24.0 : 60.0;
      valid = value && *value >= 0.0 && *value < limit;
      if (valid) seconds = seconds * 60.0 + *value;
    }
    if (!valid) Fail("the base time '" + std::string(field) + "' is not a time of day (HH:MM:SS)");
    return seconds;
  }

  // "25/4/1989"; "0/0/0" stands for a date that was not recorded.
  std::optional<WfdbDate> Date(std::string_view field) {
    const auto [day, afterDay] = SplitAt(field, "/");
    const auto [month, afterMonth] = SplitAt(afterDay.substr(afterDay.empty() ? 0 : 1), "/");
    const std::optional<int64_t> d = Integer(day), m = Integer(month),
                                 y = Integer(afterMonth.substr(afterMonth.empty() ? 0 : 1));
    if (d == 0 && m == 0 && y == 0) return std::nullopt;
    const bool inRange =
        d && m && y && *d >= 1 && *d <= 31 && *m >= 1 && *m <= 12 && *y >= 1 && *y <= 9999;
    if (!inRange ||
        !std::chrono::year_month_day(std::chrono::year(int(*y)), std::chrono::month(unsigned(*m)),
                                     std::chrono::day(unsigned(*d)))
             .ok()) {
      Fail("the base date '" + std::string(field) + "' is not a date (DD/MM/YYYY)");
    }
    return WfdbDate{int(*d), int(*m), int(*y)};
  }

  void ReadSignalLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    WfdbSignal signal;
    signal.line = m_line;
    signal.fileName = fields[0];
    if (fields.size() < 2) Fail("the signal line for '" + signal.fileName + "' gives no format");
    ReadFormat(fields[1], signal);
    std::optional<int64_t> baseline;
    if (fields.size() > 2) baseline = ReadGain(fields[2], signal);
    if (fields.size() > 3) signal.adcResolution = int(Bounded(fields[3], "ADC resolution", 0, 64));
    if (fields.size() > 4) signal.adcZero = AdcValue(fields[4], "ADC zero");
    signal.baseline = baseline.value_or(signal.adcZero);
    signal.initialValue = fields.size() > 5 ? AdcValue(fields[5], "initial value") : signal.adcZero;
    if (fields.size() > 6) signal.checksum = Whole(fields[6], "checksum");
    if (fields.size() > 7) signal.blockSize = Whole(fields[7], "block size");
    if (fields.size() > 8) {
      const std::size_t after = std::size_t(fields[7].data() + fields[7].size() - line.data());
      signal.description = Trim(line.substr(after));
    }
    m_header.signals.push_back(std::move(signal));
  }

  // "212", or with its modifiers: "212x2" (samples per frame), ":3" (skew), "+512" (byte offset).
  void ReadFormat(std::string_view field, WfdbSignal& signal) {
    auto [format, modifiers] = SplitAt(field, "x:+");
    signal.format = int(Bounded(format, "format", 0, 9999));
    while (!modifiers.empty()) {
      const char kind = modifiers.front();
      const auto [number, rest] = SplitAt(modifiers.substr(1), "x:+");
      if (kind == 'x')
        signal.samplesPerFrame = int(Bounded(number, "samples per frame", 1, 1 << 20));
      if (kind == ':') signal.skew = int(Bounded(number, "skew", 0, INT32_MAX));
      if (kind == '+') signal.byteOffset = Count(number, "byte offset", 0);
      modifiers = rest;
    }
  }

  // "200", "200(1024)", "200/mV" or "200(1024)/mV": gain, baseline and units. Returns the
  // baseline when it is given.
  std::optional<int64_t> ReadGain(std::string_view field, WfdbSignal& signal) {
    auto [gain, rest] = SplitAt(field, "(/");
    signal.gain = Number(gain, "ADC gain");
    std::optional<int64_t> baseline;
    if (!rest.empty() && rest.front() == '(') {
      const std::size_t close = rest.find(')');
      if (close == std::string_view::npos)
        Fail("the baseline in '" + std::string(field) + "' lacks its ')'");
      baseline = AdcValue(rest.substr(1, close - 1), "baseline");
      rest.remove_prefix(close + 1);
    }
    if (!rest.empty()) {
      if (rest.front() != '/' || rest.size() == 1) {
        Fail("'" + std::string(field) + "' is not a gain with its baseline and units");
      }
      signal.units = rest.substr(1);
    }
    return baseline;
  }

  double Number(std::string_view text, const char* what) {
    const std::optional<double> value = Real(text);
    if (!value) Fail("the " + std::string(what) + " '" + std::string(text) + "' is not a number");
    return *value;
  }

  double Positive(std::string_view text, const char* what) {
    const double value = Number(text, what);
    if (!(value > 0.0))
      Fail("the " + std::string(what) + " " + std::string(text) + " is not positive");
    return value;
  }

  int64_t Whole(std::string_view text, const char* what) {
    const std::optional<int64_t> value = Integer(text);
    if (!value)
      Fail("the " + std::string(what) + " '" + std::string(text) + "' is not a whole number");
    return *value;
  }

  // No format has samples wider than 32 bits; a wider value would only let the first
  // differences of format 8 and the sums of the checksum run past 64 bits.
  int64_t AdcValue(std::string_view text, const char* what) {
    return Bounded(text, what, INT32_MIN, INT32_MAX);
  }

  int64_t Bounded(std::string_view text, const char* what, int64_t low, int64_t high) {
    const int64_t value = Whole(text, what);
    if (value < low || value > high) {
      Fail("the " + std::string(what) + " " + std::string(text) + " is outside " +
           std::to_string(low) + " to " + std::to_string(high));
    }
    return value;
  }

  int64_t Count(std::string_view text, const char* what, int64_t low) {
    return Bounded(text, what, low, INT64_MAX);
  }

  std::string_view m_name;
  std::size_t m_line = 0;
  WfdbHeader m_header;
};

}  // namespace

WfdbHeader ParseWfdbHeader(std::string_view text, std::string_view name) {
  return HeaderParser(name).Parse(text);
}

}  // namespace PendrelHost
