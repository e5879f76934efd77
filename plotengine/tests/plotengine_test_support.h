// Helpers of the plot engine's tests: fixtures and source files by name, outside commands, and
// work run on a thread of its own.
#pragma once

#include <initializer_list>
#include <string>
#include <thread>

// The text of plotengine/tests/fixtures/<name>.
std::string Fixture(const std::string& name);

// The source of plotengine/scripts/<name>.
std::string ScriptSource(const std::string& name);

// The bytes of a file of the host's resources, host/resources/<name>.
std::string HostResourceFile(const std::string& name);

// What a shell command prints on its standard output; empty when it cannot run.
std::string CommandOutput(const std::string& command);
// True when every named program is on the PATH (the outside readers the tests check with).
bool CommandsInstalled(std::initializer_list<const char*> programs);

// Runs `work` on a new thread with the default stack, as the browser's script thread runs the
// compiler, and returns its result.
template <class Work>
auto RunOnThread(Work work) {
  decltype(work()) result{};
  std::thread thread([&] { result = work(); });
  thread.join();
  return result;
}
