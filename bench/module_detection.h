// The module's beat detection over a host document, as the benchmarks drive it: the host
// started with the module's classes, a document over a recording with the detector's chain from
// the default settings, its beats read as the engine reads them, and the process's peak memory.
// Each benchmark owns its Detection for as long as it measures.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <vector>

#include "analysis/detection/detector.h"
#include "analysis/detection/enumerator_classes.h"
#include "analysis/settings/change_flags.h"
#include "host/app/host_start.h"
#include "host/document/data_document.h"
#include "hostframework/class_object_list.h"

namespace BenchSupport {

// Made at load time and linked into the module's list of class objects, as the module's own.
inline Rhyth::FiducialEnumClass fiducialClass(Rhyth::FiducialEnumDescriptor());

// The host started and the module's classes registered with it, as loading the module does.
inline void StartModuleHost() {
  static const bool started = [] {
    PendrelHost::StartHost();
    RegisterClassObjects();
    return true;
  }();
  benchmark::DoNotOptimize(started);
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

inline double PeakMemoryMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace BenchSupport
