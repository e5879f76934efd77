// The cost of the module's 27 measurements against one analysis: a 24-hour synthetic recording
// (250 Hz) opened in the host and analysed once, so that the detection channels exist; then,
// over the whole day as one selection, the engine's analysis alone and the host's Tabulon table
// evaluating all 27 measurements (functions made afresh each time, as a new table makes them).
// The measurements share one analysis, so the table should cost little more than the engine.
// Prints the best of three of each and their ratio.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target tabulon_bench && build/release/bin/tabulon_bench
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "analysis/document/document.h"
#include "analysis/document/document_class.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "bench/module_detection.h"
#include "bench/module_documents.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tabulon/measurement_table.h"
#include "hostframework/host_services.h"
#include "hostframework/messages/message_class_list.h"

namespace {

constexpr double kRate = 250.0;
constexpr double kDay = 24.0 * 3600.0;
constexpr int kRepeats = 3;

double BestSeconds(const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < kRepeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                              .count());
  }
  return best;
}

}  // namespace

int main() {
  BenchSupport::StartDocumentHost();
  PendrelHost::SyntheticEcgSettings ecg;
  ecg.sampleRate = kRate;
  ecg.duration = kDay;
  PendrelHost::HostedDocument hosted(
      PendrelHost::OpenDocument(PendrelHost::MakeSyntheticEcg(ecg).recording));
  hosted.StartNew();
  auto& document = *static_cast<Rhyth::Document*>(hosted.ModuleOfType(Rhyth::DocumentTypeId::Id()));
  // The synthetic heart's beats are normal under a lower form-factor limit than the presets'.
  document.GetSettings().classifier.complexityLow = 0.5;
  document.SendToHost(Rhyth::AnalyzeMsg::Id());

  const LONG ticks = LONG(hosted.Data().Source().TickCount(0));
  const PendrelHost::MeasurementSelection day{"day", {0, 0}, {ticks, 0}};
  Quor::ComPtr<Rhyth::Settings> settings;
  settings.Attach(document.GetSettings().Clone());
  settings->source.selectionOnly = 1;
  settings->analysis.region = {0, 0, ticks, 0};

  DWORD intervals = 0;
  const double analysis = BestSeconds([&] {
    Rhyth::AnalysisEngine engine;
    intervals = engine.AnalyseRange(Rhyth::kChangeEverything, document.DataSource(),
                                    *settings.Get(), document.Detector().GetFiducialChannel());
  });
  std::size_t shown = 0;
  const double measurements = BestSeconds([&] {
    PendrelHost::MeasurementTable table(hosted);
    table.AddRow(day);
    table.Evaluate();
    shown = 0;
    for (std::size_t column = 0; column < table.Columns().size(); ++column) {
      shown += table.Cell(0, column).result == S_OK;
    }
  });
  std::printf("24-hour selection, %u RR intervals\n", intervals);
  std::printf("one analysis:         %.3f s\n", analysis);
  std::printf("all 27 measurements:  %.3f s (%zu with a value)\n", measurements, shown);
  std::printf("ratio:                %.3f (at most 1.2)\n", measurements / analysis);
  hosted.Close();
  return measurements <= 1.2 * analysis ? 0 : 1;
}
