// The plot views on a 24-hour analysis (about 100,000 beats): the six option writers with their
// full ranges over the views' enumerators, and what a first refresh does with the data (wrap
// the series, find the ranges, write the markup, read every value as the script does).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/unit_entry.h"
#include "views/data/view_enumerators.h"
#include "views/options/plot_options.h"

namespace {

constexpr int kBeats = 100'000;

struct DayOfBeats {
  DayOfBeats() {
    for (int i = 0; i < kBeats; ++i) {
      const double rr = 0.8 + 0.1 * std::sin(i * 0.01) + 0.02 * std::sin(i * 0.37);
      const double next = 0.8 + 0.1 * std::sin((i + 1) * 0.01) + 0.02 * std::sin((i + 1) * 0.37);
      rr_.Add(rr);
      points.Add({rr, next, i, i * 200, i / 20000});
    }
    for (int i = 0; i < 500; ++i) power.Add(1e-4 / (1 + i));
    for (int i = 0; i < 60; ++i) histogram.Add(i * 40.0);
    settings = Quor::ComPtr<Rhyth::Settings>(new Rhyth::Settings);
    source.settings = settings.Get();
    source.spectrum = {0.001, 1};
    source.rrHistogram = {0.0078125, 77};
    source.deltaHistogram = {0.0078125, -26};
    source.meanRR = 0.8;
    source.sd1 = 0.02;
    source.sd2 = 0.07;
    Quor::UnitInfo ms;
    ms.prefixIndex = 7;
    ms.name = u"s";
    unit = Quor::ComPtr<Quor::UnitEntry>(new Quor::UnitEntry(ms));
  }
  Rhyth::DoubleArray rr_;
  Rhyth::PlotPointArray points;
  Rhyth::DoubleArray power;
  Rhyth::DoubleArray histogram;
  Quor::ComPtr<Rhyth::Settings> settings;
  Rhyth::PlotOptionSource source;
  Quor::ComPtr<Quor::UnitEntry> unit;
  Rhyth::ViewDataStatePtr state = std::make_shared<Rhyth::ViewDataState>();
};

Quor::ComPtr<Rhyth::IEtchEnumInfo> InfoOf(IEnumFloatEx* made) {
  Quor::ComPtr<IEnumFloatEx> enumerator;
  enumerator.Attach(made);
  Quor::ComPtr<Rhyth::IEtchEnumInfo> info;
  enumerator->QueryInterface(Rhyth::IEtchEnumInfo::iid,
                             Quor::ComPtrOut<Rhyth::IEtchEnumInfo>::Bind(info));
  return info;
}

// Reads every value as the script does on a first refresh, in blocks.
long long ReadAll(Rhyth::IEtchEnumInfo* info) {
  Quor::ComPtr<IEnumFloatEx> values;
  info->QueryInterface(IEnumFloatEx::iid, Quor::ComPtrOut<IEnumFloatEx>::Bind(values));
  float block[4096];
  int fetched = 0;
  long long total = 0;
  do {
    values->Next(4096, block, &fetched);
    total += fetched;
  } while (fetched > 0);
  return total;
}

void SixWritersAndFirstRefreshes(benchmark::State& state) {
  DayOfBeats day;
  for (auto _ : state) {
    auto rr = InfoOf(Rhyth::CreateSeriesEnum(&day.rr_, {u"$Rhyth_Tachogram", day.unit.Get(), 1000}, day.state));
    auto power = InfoOf(Rhyth::CreateSeriesEnum(&day.power, {u"$Rhyth_Spectrum", nullptr, 1e6}, day.state));
    auto bins = InfoOf(Rhyth::CreateSeriesEnum(&day.histogram, {u"$Rhyth_Histogram", nullptr, 1}, day.state));
    const Rhyth::ScatterEnums scatter = Rhyth::CreateScatterEnums(
        &day.points, {u"$X", day.unit.Get(), 1000}, {u"$Y", day.unit.Get(), 1000}, day.state);
    auto x = InfoOf(scatter.x);
    auto y = InfoOf(scatter.y);
    using namespace Rhyth::PlotOptions;
    benchmark::DoNotOptimize(WriteTachogram(day.source, rr.Get()));
    benchmark::DoNotOptimize(WriteSpectrum(day.source, power.Get()));
    benchmark::DoNotOptimize(WriteHistogram(day.source, bins.Get(), false));
    benchmark::DoNotOptimize(WriteHistogram(day.source, bins.Get(), true));
    benchmark::DoNotOptimize(WriteClassifier(day.source, x.Get(), y.Get()));
    benchmark::DoNotOptimize(WritePoincare(day.source, x.Get(), y.Get()));
    benchmark::DoNotOptimize(ReadAll(rr.Get()) + ReadAll(x.Get()) + ReadAll(y.Get()));
  }
}
BENCHMARK(SixWritersAndFirstRefreshes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
