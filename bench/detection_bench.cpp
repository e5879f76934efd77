// The module's beat detection through the host, end to end: the chain its detector builds from
// the default settings, ending in its fiducial enumerator, whose beats are read from the host
// document as the engine reads them. Over a 1-hour 1 kHz synthetic recording every stage is
// computed afresh on each run; a 24-hour recording is detected and analysed by the engine three
// times over, as after changes of the settings, with the process's peak memory.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target detection_bench && build/release/bin/detection_bench
#include <benchmark/benchmark.h>

#include <memory>

#include "analysis/engine/analysis_engine.h"
#include "bench/module_detection.h"
#include "host/recording/synthetic_ecg.h"

namespace {

using BenchSupport::Detection;
using BenchSupport::PeakMemoryMegabytes;
using BenchSupport::StartModuleHost;

constexpr double kRate = 1000.0;

PendrelHost::Recording SyntheticRecording(double seconds) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = seconds;
  return PendrelHost::MakeSyntheticEcg(settings).recording;
}

void DetectionHour(benchmark::State& state) {
  StartModuleHost();
  Detection detection(SyntheticRecording(3600.0));
  std::size_t beats = 0;
  for (auto _ : state) {
    // Every stage computes again, as after a change of the source channel.
    detection.detector.ResetChannels(Rhyth::kChangeEverything, detection.settings.Get());
    beats = detection.ReadBeats();
  }
  state.SetItemsProcessed(state.iterations() * detection.ticks);
  state.counters["beats"] = double(beats);
}
BENCHMARK(DetectionHour)->Unit(benchmark::kMillisecond);

void AnalysedDay(benchmark::State& state) {
  StartModuleHost();
  auto detection = std::make_unique<Detection>(SyntheticRecording(24.0 * 3600.0));
  Rhyth::AnalysisEngine engine;
  for (auto _ : state) {
    detection->detector.ResetChannels(Rhyth::kChangeEverything, detection->settings.Get());
    engine.AnalyseRange(Rhyth::kChangeEverything, detection->Source(), *detection->settings.Get(),
                        detection->detector.GetFiducialChannel());
  }
  state.SetItemsProcessed(state.iterations() * detection->ticks);
  state.counters["intervals"] = double(engine.RRIntervals().GetCount());
  state.counters["normal"] = double(engine.NormalCount());
  state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(AnalysedDay)->Unit(benchmark::kSecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
