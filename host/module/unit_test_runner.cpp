#include "host/module/unit_test_runner.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <thread>

#include "host/framework/held_reference.h"
#include "host/framework/host_text.h"
#include "host/module/unit_test_registry.h"

namespace PendrelHost {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

// Takes over a text a test returned.
std::string Text(IQuorString* text) {
  Tarn::HeldReference<IQuorString> held(text);
  return Tarn::Utf8(Tarn::TextOf(text));
}

LONG ClockSeed() { return LONG(ULONGLONG(std::time(nullptr)) & 0x7FFFFFFF); }

void RunSuite(IUnitTest& suite, const TestRunOptions& options, LONG seed,
              const TestObserver& observer, std::vector<TestOutcome>& outcomes) {
  if (FAILED(suite.Prepare())) return;
  DWORD count = 0;
  if (FAILED(suite.GetTestCount(&count))) return;
  const std::string filter = Lower(options.filter);
  for (DWORD index = 0; index < count; ++index) {
    TestOutcome outcome;
    IQuorString* name = nullptr;
    if (FAILED(suite.GetTestName(index, &name))) continue;
    outcome.name = Text(name);
    if (!filter.empty() && Lower(outcome.name).find(filter) == std::string::npos) continue;
    suite.GetTestTime(index, &outcome.allowedSeconds);
    outcome.seed = seed;
    if (!options.listOnly) {
      const auto begun = std::chrono::steady_clock::now();
      const HRESULT hr = suite.RunTest(index);
      outcome.seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
      VARIANT_BOOL passed = VARIANT_FALSE;
      IQuorString* message = nullptr;
      suite.GetLastResult(&passed, &message);
      outcome.message = Text(message);
      outcome.ran = true;
      outcome.passed = SUCCEEDED(hr) && passed != VARIANT_FALSE;
      if (FAILED(hr) && outcome.message.empty()) outcome.message = "The test could not run.";
    }
    if (observer) observer(outcome);
    outcomes.push_back(std::move(outcome));
  }
}

}  // namespace

std::vector<TestOutcome> RunRegisteredTests(const TestRunOptions& options,
                                            const TestObserver& observer) {
  std::vector<TestOutcome> outcomes;
  const LONG seed = options.seed.value_or(ClockSeed());
  UnitTestRegistry& registry = UnitTestRegistry::Instance();
  registry.SetRunSeed(seed);
  // The host runs its tests away from the thread that owns its windows and documents.
  std::thread runner([&] {
    for (const auto& suite : registry.Tests()) {
      RunSuite(*suite, options, seed, observer, outcomes);
    }
  });
  runner.join();
  registry.SetRunSeed(std::nullopt);
  return outcomes;
}

}  // namespace PendrelHost
