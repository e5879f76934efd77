// The plot engine's two hot paths: compiling the largest plot option text the views write (the
// beat classifier's), target under 200 us; and a formula of 10 operators evaluated for 10^6
// values of t, target under 20 ms.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "plotengine/formula/evaluate_formula.h"
#include "plotengine/markup/compile_markup.h"

namespace {

std::string LargestOptionText() {
  std::ifstream file(std::string(PLOTENGINE_FIXTURES) + "/classifier.txt", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void BM_CompileLargestOptionText(benchmark::State& state) {
  const std::string markup = LargestOptionText();
  std::string script;
  for (auto _ : state) {
    if (!Quor::CompileEtchMarkup(markup, script)) state.SkipWithError("did not compile");
    benchmark::DoNotOptimize(script.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * markup.size()));
}
BENCHMARK(BM_CompileLargestOptionText)->Unit(benchmark::kMicrosecond);

void BM_EvaluateTenOperatorFormula(benchmark::State& state) {
  const std::string formula = "2*t*t - 3*t + t/4 - 7*t*0.5 + 1";
  std::vector<double> values;
  for (auto _ : state) {
    if (!Quor::EvaluateEtchFormula(formula, 1000000, -10, 2e-5, values)) {
      state.SkipWithError("did not parse");
    }
    benchmark::DoNotOptimize(values.data());
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_EvaluateTenOperatorFormula)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
