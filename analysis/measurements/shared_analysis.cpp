#include "analysis/measurements/shared_analysis.h"

#include <atomic>
#include <mutex>
#include <vector>

namespace Rhyth {

namespace {

// Every change flag: read the beats and run every pass.
constexpr DWORD kAnalyseEverything = 0xFFFFFFFF;

std::mutex registryMutex;
std::vector<std::weak_ptr<SharedAnalysis>> registry;
std::atomic<unsigned long> runs{0};

// A live analysis of the same inputs; drops the entries nobody holds any more.
std::shared_ptr<SharedAnalysis> FindLocked(const AnalysisInputs& inputs) {
  std::shared_ptr<SharedAnalysis> found;
  std::erase_if(registry, [&](const std::weak_ptr<SharedAnalysis>& entry) {
    std::shared_ptr<SharedAnalysis> live = entry.lock();
    if (!live) return true;
    if (!found && live->inputs.Matches(inputs)) found = std::move(live);
    return false;
  });
  return found;
}

}  // namespace

bool AnalysisInputs::Matches(const AnalysisInputs& other) const {
  return document == other.document && source.Get() == other.source.Get() &&
         channel == other.channel && extent == other.extent && settings && other.settings &&
         settings->Compare(other.settings.Get()) == 0 && added == other.added &&
         removed == other.removed;
}

std::shared_ptr<const SharedAnalysis> AnalyseShared(AnalysisInputs inputs) {
  {
    std::lock_guard lock(registryMutex);
    if (std::shared_ptr<SharedAnalysis> found = FindLocked(inputs)) return found;
  }
  auto analysis = std::make_shared<SharedAnalysis>(std::move(inputs));
  const AnalysisInputs& used = analysis->inputs;
  analysis->intervals = analysis->engine.AnalyseRange(kAnalyseEverything, used.source.Get(),
                                                      *used.settings.Get(), used.channel);
  ++runs;
  std::lock_guard lock(registryMutex);
  // Another function may have run the same analysis meanwhile; either result serves.
  registry.push_back(analysis);
  return analysis;
}

unsigned long SharedAnalysisRuns() { return runs.load(); }

}  // namespace Rhyth
