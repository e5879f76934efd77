// The analysis of a 24-hour recording: 100,000 beats. The periodogram runs on the default 500
// frequencies; the full analysis reads every beat event through the host's enumerator and runs
// every pass. Each benchmark also reports how far its periodogram lies from the direct formula
// (one sine and cosine per beat and frequency), relative to each value.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/change_flags.h"
#include "analysis/engine/lomb_scargle.h"
#include "analysis/tests/beat_list_source.h"
#include "analysis/tests/direct_periodogram.h"
#include "bench/day_of_intervals.h"

namespace {

constexpr DWORD kBeats = 100000;
constexpr DWORD kFrequencies = 500;

struct Day {
  std::vector<double> rr = BenchSupport::DayOfIntervals(kBeats);
  std::vector<double> t;
  Day() {
    double elapsed = 0;
    for (double interval : rr) t.push_back(elapsed += interval);
  }
};

const Day& TheDay() {
  static const Day day;
  return day;
}

const Rhyth::FrequencyGrid kGrid{0.5 / kFrequencies, 1, kFrequencies};

double DeviationFromDirect(const std::vector<double>& t, const std::vector<double>& rr,
                           const std::vector<double>& power) {
  std::vector<double> z(rr.size());
  Rhyth::DetrendAndWindow(Rhyth::kWindowHann, t.data(), rr.data(), DWORD(rr.size()), z.data());
  return RhythTest::LargestRelativeDifference(power, RhythTest::DirectPeriodogram(t, z, kGrid));
}

std::vector<double> Values(const Rhyth::DoubleArray& a) { return {a.begin(), a.end()}; }

void Periodogram(benchmark::State& state) {
  const Day& day = TheDay();
  std::vector<double> power(kFrequencies);
  for (auto _ : state) {
    Rhyth::LombScarglePeriodogram(Rhyth::kWindowHann, day.t.data(), day.rr.data(), kBeats, kGrid,
                                  power.data());
    benchmark::DoNotOptimize(power.data());
  }
  state.counters["s_per_beat_frequency"] =
      benchmark::Counter(double(kBeats) * kFrequencies,
                         benchmark::Counter::kIsIterationInvariantRate |
                             benchmark::Counter::kInvert);
  state.counters["deviation_from_direct"] = DeviationFromDirect(day.t, day.rr, power);
}
BENCHMARK(Periodogram)->Unit(benchmark::kMillisecond);

void FullAnalysis(benchmark::State& state) {
  const Day& day = TheDay();
  auto source = RhythTest::BeatListSource::Create();
  source->AddRecord(RhythTest::BeatsWithIntervals(day.rr));
  auto* settings = new Rhyth::Settings;
  settings->AddRef();
  settings->analysis.region = {0, 0, kRecordEndOffset, 0};
  Rhyth::AnalysisEngine engine;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings, {7, 0xC0000000}));
  }
  state.counters["beats"] = engine.RRIntervals().GetCount();
  state.counters["deviation_from_direct"] =
      DeviationFromDirect(Values(engine.BeatTimes()), Values(engine.RRIntervals()),
                          Values(engine.SpectrumResults().power));
  settings->Release();
}
BENCHMARK(FullAnalysis)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
