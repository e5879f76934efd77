// The module's beat detection through the host, end to end: the chain its detector builds from
// the default settings, ending in its fiducial enumerator, whose beats are read from the host
// document as the engine reads them. Over a 1-hour 1 kHz synthetic recording every stage is
// computed afresh on each run; a 24-hour recording is detected and analysed by the engine three
// times over, as after changes of the settings, with the process's peak memory.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target detection_bench && build/release/bin/detection_bench
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>
#include <vector>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/change_flags.h"
#include "analysis/detection/detector.h"
#include "analysis/detection/enumerator_classes.h"
#include "host/app/host_start.h"
#include "host/document/data_document.h"
#include "host/recording/synthetic_ecg.h"
#include "hostframework/class_object_list.h"

namespace {

constexpr double kRate = 1000.0;

// Made at load time and linked into the module's list of class objects, as the module's own.
Rhyth::FiducialEnumClass fiducialClass(Rhyth::FiducialEnumDescriptor());

// The host started and the module's classes registered with it, as loading the module does.
void StartModuleHost() {
  static const bool started = [] {
    PendrelHost::StartHost();
    RegisterClassObjects();
    return true;
  }();
  benchmark::DoNotOptimize(started);
}

PendrelHost::Recording SyntheticRecording(double seconds) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = seconds;
  return PendrelHost::MakeSyntheticEcg(settings).recording;
}

// A document over the recording with the detector's chain on it, and settings over the whole
// record.
struct Detection {
  explicit Detection(PendrelHost::Recording recording)
      : ticks(recording.TickCount(0)), document(PendrelHost::OpenDocument(std::move(recording))) {
    settings->analysis.region = {0, 0, LONG(ticks), 0};
    detector.UpdateChannels(Rhyth::kChangeEverything, settings.Get());
  }

  IPendrelDataSource* Source() {
    return static_cast<IPendrelDataSource*>(PendrelHost::AsDataDocument(document.get()));
  }

  // Reads every beat of the fiducial channel; returns how many.
  std::size_t ReadBeats() {
    IUnknown* opened = nullptr;
    if (FAILED(Source()->OpenEventEnumerator(detector.GetFiducialChannel(), 0, 0, kRecordEndOffset,
                                             kEventKindExtended, &opened))) {
      return 0;
    }
    Tarn::HeldReference<IUnknown> held(opened);
    IEnumEventEx* events = nullptr;
    opened->QueryInterface(IEnumEventEx::iid, reinterpret_cast<void**>(&events));
    Tarn::HeldReference<IEnumEventEx> heldEvents(events);
    std::vector<Rhyth::FiducialEvent> buffer(256);
    std::size_t count = 0;
    for (;;) {
      int fetched = 0;
      LONG next = 0;
      const HRESULT hr = events->Next(int(buffer.size() * sizeof(Rhyth::FiducialEvent)),
                                      kRecordEndOffset, buffer.data(), &fetched, &next);
      count += std::size_t(std::max(fetched, 0));
      if (hr != S_OK || fetched == 0) return count;
    }
  }

  int64_t ticks;
  Tarn::HeldReference<IUnknown> document;
  Quor::ComPtr<Rhyth::Settings> settings{new Rhyth::Settings};
  Rhyth::RhythDetector detector{document.get()};
};

double PeakMemoryMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
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
