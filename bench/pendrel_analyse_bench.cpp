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
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/wfdb_file.h"

extern char** environ;

namespace {

constexpr double kGain = 200.0;

struct Run {
  double seconds = 0.0;
  // On a busy machine the wall time says more about the neighbours than about pendrel: the
  // processor time and the page faults (each one costly on a virtual machine) are its own.
  double cpuSeconds = 0.0;
  long pageFaults = 0;
  double peakMegabytes = 0.0;
  int status = -1;
};

Run RunPendrel(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  Run run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    run.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.pageFaults = usage.ru_minflt + usage.ru_majflt;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

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
