// The host's test runner: it prepares every registered self-test object, lists its tests and
// runs each one, reading its outcome, as the host's own runner does, on a thread of its own.
// The run's seed goes to the tests through the registry so that a failure can be replayed.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/types.h"

namespace PendrelHost {

struct TestRunOptions {
  // Only tests whose name contains this text (any case); empty: all.
  std::string filter;
  // The seed the tests draw from; without one the runner takes the clock's.
  std::optional<LONG> seed;
  // List the tests without running them.
  bool listOnly = false;
};

struct TestOutcome {
  std::string name;
  double allowedSeconds = 0.0;  // the time the test may take
  bool ran = false;
  bool passed = false;
  double seconds = 0.0;  // taken
  std::string message;   // the failure text
  LONG seed = 0;
};

// Told of each test as it ends (or is listed), on the runner's thread.
using TestObserver = std::function<void(const TestOutcome&)>;

// Runs the registered tests on a thread of its own and waits for it.
std::vector<TestOutcome> RunRegisteredTests(const TestRunOptions& options,
                                            const TestObserver& observer = {});

}  // namespace PendrelHost
