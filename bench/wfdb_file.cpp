#include "bench/wfdb_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "host/recording/synthetic_ecg.h"

namespace BenchSupport {

void WriteWfdb212(const std::filesystem::path& folder, const std::string& name,
                  const std::vector<int>& adc, double rate, double gain) {
  std::string bytes;
  bytes.reserve(adc.size() / 2 * 3 + 3);
  long checksum = 0;
  for (std::size_t i = 0; i < adc.size(); i += 2) {
    const int next = i + 1 < adc.size() ? adc[i + 1] : 0;
    const unsigned first = unsigned(adc[i]) & 0xFFF, second = unsigned(next) & 0xFFF;
    bytes += char(first & 0xFF);
    bytes += char((first >> 8) | ((second >> 8) << 4));
    bytes += char(second & 0xFF);
    checksum += adc[i] + next;
  }
  std::ofstream(folder / (name + ".dat"), std::ios::binary) << bytes;
  std::ofstream(folder / (name + ".hea"))
      << name << " 1 " << rate << " " << adc.size() << "\n"
      << name << ".dat 212 " << gain << "(0)/mV 12 0 " << (adc.empty() ? 0 : adc[0]) << " "
      << int16_t(checksum & 0xFFFF) << " 0 ECG\n";
}

std::vector<int> QuantisedSample(double rate, double seconds, double gain) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = rate;
  settings.duration = seconds;
  const PendrelHost::Recording sample = PendrelHost::MakeSyntheticEcg(settings).recording;
  const auto samples = sample.Samples(0, 0);
  std::vector<int> adc(samples.size());
  for (std::size_t i = 0; i < adc.size(); ++i) {
    adc[i] = std::clamp(int(std::lround(samples[i] * gain)), -2048, 2047);
  }
  return adc;
}

}  // namespace BenchSupport
