// The header of a WFDB record (`100.hea`): the record line (name, segments, signal count,
// sampling and counter frequency, length, base time and date) and one signal line per
// signal (its file, format, gain, baseline, units, ADC figures, checksum and description), in
// the published header format. Parsing only reads the text: whether the record can be loaded is
// the loader's question. The values are plain data, owned by whoever parsed them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace PendrelHost {

struct WfdbSignal {
  std::size_t line = 0;  // of the header, for messages
  std::string fileName;
  int format = 0;
  int samplesPerFrame = 1;
  int skew = 0;
  int64_t byteOffset = 0;
  // ADC units per physical unit. The format reads a missing gain as 200 (an uncalibrated
  // signal); a gain written as 0 is kept as 0 for the loader to refuse.
  double gain = 200.0;
  int64_t baseline = 0;  // the ADC zero unless given
  std::string units = "mV";
  int adcResolution = 0;
  int64_t adcZero = 0;
  int64_t initialValue = 0;  // the ADC zero unless given
  std::optional<int64_t> checksum;
  int64_t blockSize = 0;
  std::string description;
};

struct WfdbDate {
  int day = 0;
  int month = 0;
  int year = 0;
};

struct WfdbHeader {
  std::string recordName;
  std::optional<int64_t> segments;  // only multi-segment records say it
  int64_t signalCount = 0;
  double samplingFrequency = 250.0;
  std::optional<double> counterFrequency;
  double baseCounter = 0.0;
  std::optional<int64_t> samplesPerSignal;  // absent when missing or 0
  std::optional<double> baseTime;           // seconds after midnight
  std::optional<WfdbDate> baseDate;
  std::vector<WfdbSignal> signals;  // as many as the record line names
};

// Throws RecordingError with "name:line: reason" for text that is not a header.
WfdbHeader ParseWfdbHeader(std::string_view text, std::string_view name);

}  // namespace PendrelHost
