// Writes small EDF and GDF files for the tests of the file readers: 16-bit samples, one-second
// data records, every channel at the same rate.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace PendrelHost::Testing {

struct EdfChannel {
  std::string label;
  std::string unit;
  double physicalMinimum;
  double physicalMaximum;
  std::vector<double> values;  // physical, a whole number of records long
};

void WriteEdf(const std::filesystem::path& path, int sampleRate, const std::vector<EdfChannel>& channels);

// GDF of the given version ("GDF 1.25", "GDF 2.20"): the same channels as int16 samples.
void WriteGdf(const std::filesystem::path& path, const std::string& version, int sampleRate,
              const std::vector<EdfChannel>& channels);

}  // namespace PendrelHost::Testing
