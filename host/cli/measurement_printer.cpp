#include "host/cli/measurement_printer.h"

#include <cmath>
#include <string>

#include "host/cli/csv_numbers.h"

namespace PendrelHost {

namespace {

// As the measurement table shows its numbers ("0.0###"): at least one decimal, at most four;
// counts are whole.
std::string TableValue(const Measurement& m) {
  if (std::isnan(m.value)) return "-";
  char text[64];
  if (m.name.find("Beats") != std::string::npos) {
    std::snprintf(text, sizeof text, "%.0f", m.value);
    return text;
  }
  std::snprintf(text, sizeof text, "%.4f", m.value);
  std::string value = text;
  while (value.size() > 2 && value.back() == '0' && value[value.size() - 2] != '.') value.pop_back();
  return value;
}

// Display width of UTF-8 text: continuation bytes take no column.
std::size_t Columns(const std::string& text) {
  std::size_t n = 0;
  for (unsigned char c : text) n += (c & 0xC0) != 0x80;
  return n;
}

std::string Pad(const std::string& text, std::size_t width) {
  const std::size_t used = Columns(text);
  return text + std::string(used < width ? width - used : 0, ' ');
}

void PrintCsvRows(const std::vector<Measurement>& measurements, const std::string& prefix,
                  std::FILE* out) {
  for (const Measurement& m : measurements) {
    // Full precision: a program reading the file may compare the numbers.
    if (std::isnan(m.value)) {
      std::fprintf(out, "%s%s,,%s\n", prefix.c_str(), m.name.c_str(), m.unit.c_str());
    } else {
      std::fprintf(out, "%s%s,%.17g,%s\n", prefix.c_str(), m.name.c_str(), m.value,
                   m.unit.c_str());
    }
  }
}

}  // namespace

void PrintMeasurementTable(const std::vector<Measurement>& measurements, std::FILE* out) {
  std::size_t nameWidth = Columns("Measurement"), valueWidth = Columns("Value");
  for (const Measurement& m : measurements) {
    nameWidth = std::max(nameWidth, Columns(m.name));
    valueWidth = std::max(valueWidth, TableValue(m).size());
  }
  std::fprintf(out, "%s  %*s  Unit\n", Pad("Measurement", nameWidth).c_str(), int(valueWidth),
               "Value");
  for (const Measurement& m : measurements) {
    std::fprintf(out, "%s  %*s%s%s\n", Pad(m.name, nameWidth).c_str(), int(valueWidth),
                 TableValue(m).c_str(), m.unit.empty() ? "" : "  ", m.unit.c_str());
  }
}

void PrintMeasurementCsv(const std::vector<Measurement>& measurements, std::FILE* out) {
  std::fputs("measurement,value,unit\n", out);
  PrintCsvRows(measurements, "", out);
}

void PrintTimedMeasurementCsv(const std::vector<Measurement>& measurements, double seconds,
                              bool header, std::FILE* out) {
  if (header) std::fputs("time_s,measurement,value,unit\n", out);
  std::string time;
  AppendTime(time, seconds);
  PrintCsvRows(measurements, time + ",", out);
}

}  // namespace PendrelHost
