// Online analysis over a whole day: a 24-hour recording at 1 kHz (the built-in sample) sampled
// by the host's simulated device in blocks of the sink's 200 ms, as fast as possible, while the
// analysis document follows it; a view reads the spectrum once per minute of recording. Prints
// the CPU time of the session as a share of the recording's duration (the device's own work,
// copying blocks, is measured alone and shown apart) and the process's peak memory.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target online_bench && build/release/bin/online_bench [hours]
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "analysis/document/document.h"
#include "analysis/document/document_class.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "bench/module_detection.h"
#include "bench/module_documents.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/document/hosted_document.h"
#include "host/recording/synthetic_ecg.h"
#include "host/sampling/sampling_simulator.h"
#include "hostframework/host_services.h"
#include "hostframework/messages/message_class_list.h"

namespace {

constexpr double kRate = 1000.0;
constexpr double kSpectrumReadEvery = 60.0;  // s of recording

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// CPU seconds of one session replaying `source` into a new document; with `analyse`, the
// analysis document follows online and a view reads its spectrum once a minute.
double Session(const PendrelHost::Recording& source, bool analyse, DWORD* intervals) {
  auto target = PendrelHost::EmptyRecordingLike(source);
  PendrelHost::HostedDocument hosted(PendrelHost::OpenDocument(target));
  hosted.StartNew();
  auto* analysis =
      static_cast<Rhyth::Document*>(hosted.ModuleOfType(Rhyth::DocumentTypeId::Id()));
  // The synthetic heart's beats are normal under a lower form-factor limit.
  analysis->GetSettings().classifier.complexityLow = 0.5;
  if (analyse) analysis->SendToHost(Rhyth::ToggleOnlineModeMsg::Id());
  PendrelHost::SamplingSimulator simulator(source, target, hosted.Data());
  double nextRead = kSpectrumReadEvery;
  double sink = 0;
  const double begun = ProcessCpuSeconds();
  simulator.Replay({}, [&](const PendrelHost::SamplingStep& step) {
    const double seconds = double(step.from + step.count) / kRate;
    if (analyse && step.phase == PendrelHost::SamplingPhase::kBlock && seconds >= nextRead) {
      sink += analysis->Engine().SpectrumResults().total;
      nextRead += kSpectrumReadEvery;
    }
    return true;
  });
  const double used = ProcessCpuSeconds() - begun;
  benchmark::DoNotOptimize(sink);
  *intervals = analysis->Engine().RRIntervals().GetCount();
  hosted.Close();
  return used;
}

}  // namespace

int main(int argc, char** argv) {
  const double hours = argc > 1 ? std::atof(argv[1]) : 24.0;
  if (!(hours > 0)) {
    std::fprintf(stderr, "usage: online_bench [hours]\n");
    return 2;
  }
  BenchSupport::StartDocumentHost();
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = kRate;
  settings.duration = hours * 3600.0;
  std::printf("making a %.1f h recording at %.0f Hz...\n", hours, kRate);
  std::fflush(stdout);
  const PendrelHost::Recording source = PendrelHost::MakeSyntheticEcg(settings).recording;

  DWORD intervals = 0;
  const double device = Session(source, false, &intervals);
  const double online = Session(source, true, &intervals);
  const double duration = settings.duration;
  std::printf("recording:            %.1f h, %.0f Hz, blocks of 200 ms\n", hours, kRate);
  std::printf("RR intervals:         %u\n", unsigned(intervals));
  std::printf("device alone:         %.1f s CPU (%.3f %% of the recording)\n", device,
              100.0 * device / duration);
  std::printf("session with analysis: %.1f s CPU (%.3f %% of the recording)\n", online,
              100.0 * online / duration);
  std::printf("analysis's own:       %.1f s CPU (%.3f %% of the recording; target 2 %%)\n",
              online - device, 100.0 * (online - device) / duration);
  std::printf("peak memory:          %.0f MB (target 2048 MB)\n",
              BenchSupport::PeakMemoryMegabytes());
  return 0;
}
