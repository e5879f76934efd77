// A day of ECG at 360 Hz loaded from a file and detected, in the two forms a user brings it in:
// a WFDB record in format 212 (47 MB) and a two-column CSV of about 1 GB. The files are written
// once, to a temporary folder, from the built-in sample quantised to 12 bits, so both forms
// hold the same samples. Each measurement runs in a process of its own, so that its peak
// memory is its own: the load, the detector's chain over the whole day and every beat read.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target recording_load_bench
//   build/release/bin/recording_load_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/module_detection.h"
#include "bench/wfdb_file.h"
#include "host/recording/recording_file.h"
#include "host/recording/synthetic_ecg.h"

namespace {

constexpr double kRate = 360.0;
constexpr double kDay = 24.0 * 3600.0;
constexpr double kGain = 200.0;  // ADC units per mV

struct Measurement {
  double loadSeconds = 0.0;
  double totalSeconds = 0.0;
  double beats = 0.0;
  double peakMegabytes = 0.0;
};

// Runs `work` in a child process; its result comes back through a pipe, its peak memory from
// the kernel's accounting of the child.
template <typename Work>
Measurement InChild(Work work) {
  int channel[2];
  if (::pipe(channel) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    const Measurement measured = work();
    const ssize_t written = ::write(channel[1], &measured, sizeof measured);
    ::_exit(written == sizeof measured ? 0 : 1);
  }
  ::close(channel[1]);
  Measurement measured;
  const bool read = ::read(channel[0], &measured, sizeof measured) == sizeof measured;
  ::close(channel[0]);
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  if (!read) return {};
  measured.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
  return measured;
}

// The day written in both forms (in a child, so that the measuring process stays small).
struct DayFiles {
  DayFiles() : folder(std::filesystem::temp_directory_path() / "rhyth-recording-load-bench") {
    std::filesystem::create_directories(folder);
    if (std::filesystem::exists(folder / "day.csv")) return;  // written whole by an earlier run
    InChild([this] {
      Write();
      return Measurement{};
    });
  }

  void Write() const {
    const std::vector<int> adc = BenchSupport::QuantisedSample(kRate, kDay, kGain);
    BenchSupport::WriteWfdb212(folder, "day", adc, kRate, kGain);
    WriteCsv(adc, folder / "day.csv.part");
    std::filesystem::rename(folder / "day.csv.part", folder / "day.csv");
  }

  // Times with six decimals, values with the 17 digits that give back the sample exactly.
  void WriteCsv(const std::vector<int>& adc, const std::filesystem::path& path) const {
    std::ofstream file(path, std::ios::binary);
    file << "time_s,ECG_mV\n";
    std::string block;
    char text[64];
    for (std::size_t i = 0; i < adc.size(); ++i) {
      char* end =
          std::to_chars(text, text + 32, double(i) / kRate, std::chars_format::fixed, 6).ptr;
      *end++ = ',';
      const double value = double(float(double(adc[i]) / kGain));
      end = std::to_chars(end, text + 64, value, std::chars_format::general, 17).ptr;
      *end++ = '\n';
      block.append(text, end);
      if (block.size() > (1 << 20)) {
        file << block;
        block.clear();
      }
    }
    file << block;
  }

  std::filesystem::path folder;
};

const DayFiles& Files() {
  static const DayFiles files;
  return files;
}

Measurement LoadAndDetect(const std::filesystem::path& path) {
  using Clock = std::chrono::steady_clock;
  BenchSupport::StartModuleHost();
  const auto start = Clock::now();
  PendrelHost::Recording recording = PendrelHost::LoadRecordingFile(path);
  const auto loaded = Clock::now();
  BenchSupport::Detection detection(std::move(recording));
  Measurement measured;
  measured.beats = double(detection.ReadBeats());
  measured.loadSeconds = std::chrono::duration<double>(loaded - start).count();
  measured.totalSeconds = std::chrono::duration<double>(Clock::now() - start).count();
  return measured;
}

// `file` is loaded; `data` is the file that holds the samples.
void LoadedAndDetectedDay(benchmark::State& state, const char* file, const char* data) {
  const std::filesystem::path path = Files().folder / file;
  Measurement measured;
  for (auto _ : state) {
    measured = InChild([&] { return LoadAndDetect(path); });
    state.SetIterationTime(measured.totalSeconds);
  }
  state.counters["load_s"] = measured.loadSeconds;
  state.counters["beats"] = measured.beats;
  state.counters["peak_MB"] = measured.peakMegabytes;
  state.counters["file_MB"] = double(std::filesystem::file_size(Files().folder / data)) / 1e6;
}
BENCHMARK_CAPTURE(LoadedAndDetectedDay, wfdb_212, "day.hea", "day.dat")
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(LoadedAndDetectedDay, csv, "day.csv", "day.csv")
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
