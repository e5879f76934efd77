// The RR interval export of a 24-hour analysis (about 100,000 intervals): the text file written
// beside its target and moved into place, as a save writes it. Target: under 50 ms.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "analysis/settings/change_flags.h"
#include "analysis/tests/beat_list_source.h"
#include "analysis/tests/held_settings.h"
#include "bench/day_of_intervals.h"
#include "views/export/rr_interval_file.h"

namespace {

constexpr std::size_t kIntervals = 100'000;

void ExportOfADay(benchmark::State& state) {
  Quor::ComPtr<RhythTest::BeatListSource> source = RhythTest::BeatListSource::Create();
  source->AddRecord(RhythTest::BeatsWithIntervals(BenchSupport::DayOfIntervals(kIntervals)));
  RhythTest::HeldSettings settings;
  settings->analysis.region = {0, 0, kRecordEndOffset, 0};
  Rhyth::AnalysisEngine engine;
  engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings, RhythTest::kBeatChannel);
  const std::string target =
      (std::filesystem::temp_directory_path() / ("rr-export-bench-" + std::to_string(::getpid()) + ".txt"))
          .string();
  for (auto _ : state) {
    if (Rhyth::WriteRRIntervalFile(engine, target) != S_OK) state.SkipWithError("export failed");
  }
  state.counters["intervals"] = double(engine.RRIntervals().GetCount());
  state.counters["bytes"] = double(std::filesystem::file_size(target));
  std::filesystem::remove(target);
}
BENCHMARK(ExportOfADay)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
