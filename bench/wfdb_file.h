// A one-channel MIT/WFDB record in format 212 (12-bit samples, two in three bytes), written
// from ADC values, with its header: the form in which a user most often brings an ECG.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace BenchSupport {

// Writes NAME.hea and NAME.dat into `folder`; `gain` is ADC units per mV.
void WriteWfdb212(const std::filesystem::path& folder, const std::string& name,
                  const std::vector<int>& adc, double rate, double gain);

// The built-in sample of `seconds` at `rate` Hz, quantised to 12 bits at `gain` per mV.
std::vector<int> QuantisedSample(double rate, double seconds, double gain);

}  // namespace BenchSupport
