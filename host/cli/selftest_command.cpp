#include "host/cli/selftest_command.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "host/module/unit_test_registry.h"
#include "host/module/unit_test_runner.h"

namespace PendrelHost {

const char* const kSelftestCommandUsage =
    "Usage: pendrel selftest [--list] [--filter TEXT] [--seed N]\n"
    "\n"
    "Runs the self-tests the analysis module registered with the host's test registry, as the\n"
    "host's test runner does, and prints a line per test: PASS or FAIL, its name, the time it\n"
    "took and, for a failure, the seed of the run and the failure text. The status is 1 when a\n"
    "test failed.\n"
    "\n"
    "  --list         print the tests and the time each may take, without running them\n"
    "  --filter TEXT  only the tests whose name contains TEXT (any case)\n"
    "  --seed N       the seed of the tests' random choices (a failure prints the one it had),\n"
    "                 so that a failure can be replayed; without it the clock gives one\n";

namespace {

bool ReadSeed(const std::string& text, LONG& seed) {
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || value < LONG_MIN || value > LONG_MAX) {
    return false;
  }
  seed = LONG(value);
  return true;
}

// The options; a message on `err` and false for one it cannot take.
bool ReadOptions(const std::vector<std::string>& arguments, TestRunOptions& options,
                 std::FILE* err) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (option == "--list") {
      options.listOnly = true;
    } else if (option == "--filter" && hasValue) {
      options.filter = arguments[++i];
    } else if (option == "--seed" && hasValue) {
      LONG seed = 0;
      if (!ReadSeed(arguments[++i], seed)) {
        std::fprintf(err, "pendrel selftest: --seed takes a 32-bit integer, not '%s'\n",
                     arguments[i].c_str());
        return false;
      }
      options.seed = seed;
    } else {
      std::fprintf(err, "pendrel selftest: %s '%s' (pendrel selftest --help)\n",
                   option == "--filter" || option == "--seed" ? "a value is missing after"
                                                              : "unknown argument",
                   option.c_str());
      return false;
    }
  }
  return true;
}

void PrintOutcome(const TestOutcome& outcome, std::FILE* out) {
  if (!outcome.ran) {
    std::fprintf(out, "%s  (%.1f s allowed)\n", outcome.name.c_str(), outcome.allowedSeconds);
  } else if (outcome.passed) {
    std::fprintf(out, "PASS  %s  %.2f s\n", outcome.name.c_str(), outcome.seconds);
  } else {
    std::fprintf(out, "FAIL  %s  %.2f s  seed %d: %s\n", outcome.name.c_str(), outcome.seconds,
                 int(outcome.seed), outcome.message.c_str());
  }
  std::fflush(out);
}

}  // namespace

int RunSelftestCommand(const std::vector<std::string>& arguments, std::FILE* out,
                       std::FILE* err) {
  TestRunOptions options;
  if (!ReadOptions(arguments, options, err)) return 2;
  if (UnitTestRegistry::Instance().Tests().empty()) {
    std::fputs("pendrel selftest: the module registered no self-tests\n", err);
    return 1;
  }
  const auto outcomes =
      RunRegisteredTests(options, [out](const TestOutcome& outcome) { PrintOutcome(outcome, out); });
  // The host shuts down: the registry lets go of the tests.
  UnitTestRegistry::Instance().Clear();
  // A filter that matches nothing is most likely mistyped; "0 of 0 passed" would hide that.
  if (outcomes.empty()) {
    std::fprintf(err,
                 "pendrel selftest: no self-test's name contains '%s' (pendrel selftest --list)\n",
                 options.filter.c_str());
    return 1;
  }
  std::size_t failed = 0;
  for (const TestOutcome& outcome : outcomes) failed += outcome.ran && !outcome.passed;
  if (!options.listOnly) {
    std::fprintf(out, "%zu of %zu passed\n", outcomes.size() - failed, outcomes.size());
  }
  return failed ? 1 : 0;
}

}  // namespace PendrelHost
