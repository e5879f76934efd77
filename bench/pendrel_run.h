// `pendrel` run as a user runs it, as its own process with its standard output dropped: the
// wall time, the processor time, the page faults, the peak memory and the exit status.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <string>
#include <vector>

extern char** environ;

namespace BenchSupport {

struct Run {
  double seconds = 0.0;
  // On a busy machine the wall time says more about the neighbours than about pendrel: the
  // processor time and the page faults (each one costly on a virtual machine) are its own.
  double cpuSeconds = 0.0;
  long pageFaults = 0;
  double peakMegabytes = 0.0;
  int status = -1;
};

inline Run RunPendrel(std::vector<std::string> words) {
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

}  // namespace BenchSupport
