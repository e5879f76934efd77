// The host's evaluation of the beat detection chain (stages 1 to 6: low-pass, slope, Hilbert
// transformer, envelope, moving z-score, peak detector) over synthetic recordings at 1 kHz: the
// whole chain over one hour, each stage alone, and the whole chain over 24 hours with the
// process's peak memory.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target signal_bench && build/release/bin/signal_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

#include "host/channels/computed_channels.h"
#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {
namespace {

constexpr double kRate = 1000.0;

const Recording& HourRecording() {
  static const SyntheticEcg ecg = [] {
    SyntheticEcgSettings settings;
    settings.sampleRate = kRate;
    settings.duration = 3600.0;
    return MakeSyntheticEcg(settings);
  }();
  return ecg.recording;
}

void DefineChain(ComputedChannels& channels) {
  channels.SetFormula(channels.Add("Rhyth_vLPF"), "lowpass(Ch1,30)");
  channels.SetFormula(channels.Add("Rhyth_vDIF"), "differentiate(Rhyth_vLPF,3)");
  channels.SetFormula(channels.Add("Rhyth_vHLB"), "resample(Rhyth_vDIF,1,1,1,160,0,2)");
  channels.SetFormula(channels.Add("Rhyth_vENV"), "Rhyth_vDIF * Rhyth_vDIF + Rhyth_vHLB * Rhyth_vHLB");
  channels.SetFormula(channels.Add("Rhyth_vNRM"), "normalizeSec(Rhyth_vENV,5,2.5,0)");
  channels.SetFormula(channels.Add("Rhyth_vDET"), "cmpeakdet(Rhyth_vNRM,3,0.3,30)");
}

// Finds every event of the chain in record 0, computing every stage afresh; returns how many.
// The document's channels (and their cache's memory) stay from one run to the next, as in the
// host, where a changed setting recomputes the chain of an open document.
std::size_t RunChain(ComputedChannels& channels) {
  channels.Reset(*channels.Find("Rhyth_vLPF"));
  const ChannelValue detected = channels.Channel(*channels.Find("Rhyth_vDET"));
  detected.events->SettleTo(0, kAllSettled);
  return detected.events->Found(0).Count();
}

double PeakMemoryMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void DetectionChainOneHour(benchmark::State& state) {
  const Recording& recording = HourRecording();
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  DefineChain(channels);
  std::size_t beats = 0;
  for (auto _ : state) beats = RunChain(channels);
  state.SetItemsProcessed(state.iterations() * recording.TickCount(0));
  state.counters["beats"] = static_cast<double>(beats);
}
BENCHMARK(DetectionChainOneHour)->Unit(benchmark::kMillisecond);

// One stage over the recording's own channel.
void Stage(benchmark::State& state, const char* formula) {
  const Recording& recording = HourRecording();
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  const std::size_t stage = channels.Add("Stage");
  channels.SetFormula(stage, formula);
  std::vector<float> values(static_cast<std::size_t>(kBlockTicks));
  for (auto _ : state) {
    channels.Reset(stage);
    const ChannelValue channel = channels.Channel(stage);
    if (channel.IsEvents()) {
      channel.events->SettleTo(0, kAllSettled);
      benchmark::DoNotOptimize(channel.events->Found(0).Count());
      continue;
    }
    for (int64_t tick = 0; tick < recording.TickCount(0); tick += kBlockTicks) {
      const auto count = std::min<int64_t>(kBlockTicks, recording.TickCount(0) - tick);
      channel.samples->Read(0, tick, std::span<float>(values).first(static_cast<std::size_t>(count)));
      benchmark::DoNotOptimize(values.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * recording.TickCount(0));
}
BENCHMARK_CAPTURE(Stage, lowpass, "lowpass(Ch1,30)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stage, differentiate, "differentiate(Ch1,3)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stage, hilbert, "resample(Ch1,1,1,1,160,0,2)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stage, envelope, "Ch1 * Ch1 + Ch1 * Ch1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stage, normalizeSec, "normalizeSec(Ch1,5,2.5,0)")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Stage, cmpeakdet, "cmpeakdet(Ch1,0.5,0.3,30)")->Unit(benchmark::kMillisecond);

void DetectionChainDay(benchmark::State& state) {
  SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = 24.0 * 3600.0;
  auto ecg = std::make_unique<SyntheticEcg>(MakeSyntheticEcg(settings));
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(ecg->recording, registry);
  DefineChain(channels);
  std::size_t beats = 0;
  for (auto _ : state) beats = RunChain(channels);
  state.SetItemsProcessed(state.iterations() * ecg->recording.TickCount(0));
  state.counters["beats"] = static_cast<double>(beats);
  state.counters["true_beats"] = static_cast<double>(ecg->beatTimes.size());
  state.counters["peak_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(DetectionChainDay)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace PendrelHost

BENCHMARK_MAIN();
