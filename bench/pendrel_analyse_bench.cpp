// `pendrel analyse` timed as a user runs it: the whole process (start, loading the module,
// reading the file, the detection chain, the analysis and the printed table) on MIT/WFDB
// records made from the built-in sample: 30 minutes at 360 Hz, and a day at 1 kHz. Prints the
// wall time, the samples per second, the processor time, the page faults and the peak memory of
// the process (the run of least wall time of ten for 30 minutes, of three for the day), after the
// same for the process start alone (`pendrel analyse --help`, the least of ten).
// The records are written once to a temporary folder and kept for later runs.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target pendrel_analyse_bench pendrel
//   build/release/bin/pendrel_analyse_bench
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/pendrel_run.h"
#include "bench/wfdb_file.h"

namespace {

using BenchSupport::Run;
using BenchSupport::RunPendrel;

constexpr double kGain = 200.0;

std::filesystem::path Record(const std::string& name, double rate, double seconds) {
  const auto folder = std::filesystem::temp_directory_path() / "rhyth-pendrel-analyse-bench";
  std::filesystem::create_directories(folder);
  const auto header = folder / (name + ".hea");
  if (!std::filesystem::exists(header)) {
    std::fprintf(stderr, "writing %s ...\n", header.c_str());
    BenchSupport::WriteWfdb212(folder, name, BenchSupport::QuantisedSample(rate, seconds, kGain),
                               rate, kGain);
  }
  return header;
}

// The run of least wall time of `runs`; an empty run when one fails.
Run Best(const char* title, const std::vector<std::string>& words, int runs) {
  Run best;
  for (int i = 0; i < runs; ++i) {
    const Run run = RunPendrel(words);
    if (run.status != 0) {
      std::printf("%s: pendrel failed with status %d\n", title, run.status);
      return {};
    }
    if (i == 0 || run.seconds < best.seconds) best = run;
  }
  return best;
}

// What every run pays before it reads anything: starting the process and its libraries.
void MeasureStart() {
  const char* title = "process start (--help)";
  const Run best = Best(title, {PENDREL_EXECUTABLE, "analyse", "--help"}, 10);
  if (best.status != 0) return;
  std::printf("%-26s %8.3f s  %12s samples/s  %8.3f s CPU  %7ld page faults  %8.1f MB peak\n",
              title, best.seconds, "-", best.cpuSeconds, best.pageFaults, best.peakMegabytes);
}

// The least of `runs` runs: short runs are many, since on a busy machine a tenth of a second
// is easily disturbed.
void Measure(const char* title, const std::string& name, double rate, double seconds, int runs) {
  const auto record = Record(name, rate, seconds);
  const Run best = Best(title, {PENDREL_EXECUTABLE, "analyse", record.string(), "--csv"}, runs);
  if (best.status != 0) return;
  const double samples = rate * seconds;
  std::printf("%-26s %8.3f s  %12.0f samples/s  %8.3f s CPU  %7ld page faults  %8.1f MB peak\n",
              title, best.seconds, samples / best.seconds, best.cpuSeconds, best.pageFaults,
              best.peakMegabytes);
}

}  // namespace

int main() {
  MeasureStart();
  Measure("30 min at 360 Hz (WFDB)", "half_hour_360", 360.0, 1800.0, 10);
  Measure("24 h at 1 kHz (WFDB)", "day_1000", 1000.0, 86400.0, 3);
  return 0;
}
