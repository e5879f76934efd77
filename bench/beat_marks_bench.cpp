// The beat marks of a 24-hour analysis (about 100,000 beats): the colour and the tooltip of
// every beat through the draw class, as the host asks for them when it draws its traces.
// Target: under 200 ms for all of them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "core/com_ptr.h"
#include "views/marks/beat_mark_draw_class.h"

namespace {

constexpr int kBeats = 100'000;

std::vector<Rhyth::FiducialEvent> DayOfBeats() {
  // Normal beats mostly, with some of every other class.
  const DWORD kFlags[] = {0x300, 0x300, 0x300, 0x300, 0x301, 0x302, 0x303, 0x100, 0x103FF, 0x10300};
  std::vector<Rhyth::FiducialEvent> beats(kBeats, Rhyth::kEmptyBeat);
  for (int i = 0; i < kBeats; ++i) {
    Rhyth::FiducialEvent& beat = beats[std::size_t(i)];
    beat.position = i * 300;
    beat.beatNumber = i + 1;
    beat.rr = 0.8 + 0.1 * std::sin(i * 0.01);
    beat.deltaRR = 0.02 * std::sin(i * 0.37);
    beat.ff = 1.2 + 0.05 * std::cos(i * 0.1);
    beat.flags = kFlags[i % 10];
  }
  return beats;
}

void BM_ColourAndTooltipOfADayOfBeats(benchmark::State& state) {
  const std::vector<Rhyth::FiducialEvent> beats = DayOfBeats();
  Quor::ComPtr<ITarnClassObject> classObject;
  classObject.Attach(Rhyth::NewBeatMarkDrawClassObject());
  Quor::ComPtr<IPODEventDrawClass> draw;
  classObject->QueryInterface(IPODEventDrawClass::iid, Quor::ComPtrOut<IPODEventDrawClass>::Bind(draw));
  for (auto _ : state) {
    COLORREF colours = 0;
    for (const Rhyth::FiducialEvent& beat : beats) {
      COLORREF colour = 0;
      draw->GetMarkColour(0, &beat, &colour);
      colours ^= colour;
      IQuorString* text = nullptr;
      draw->GetMarkText(0, 0, 0, &beat, 0, 0, &text);
      text->Release();
    }
    benchmark::DoNotOptimize(colours);
  }
  state.SetItemsProcessed(state.iterations() * kBeats);
}
BENCHMARK(BM_ColourAndTooltipOfADayOfBeats)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
