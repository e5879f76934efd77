// A day's analysis for the benchmarks of the views: the engine's analysis of a day of beats
// (100,000 RR intervals) made from the beats directly, and an analysis document whose engine
// holds it. The document's data document is a short recording of the built-in sample, which
// gives the views and the report their time texts. The host is started with the module's
// classes; each benchmark registers the view classes it opens.
#pragma once

#include <memory>

#include "analysis/document/document_ids.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/beat_list_source.h"
#include "bench/day_of_intervals.h"
#include "bench/module_documents.h"
#include "host/document/hosted_document.h"
#include "host/recording/synthetic_ecg.h"

namespace BenchSupport {

inline constexpr DWORD kDayIntervals = 100'000;

// The engine's analysis of a day of beats, with the settings' region over it.
inline void AnalyseDay(Rhyth::AnalysisEngine& engine, Rhyth::Settings& settings) {
  auto source = RhythTest::BeatListSource::Create();
  source->AddRecord(RhythTest::BeatsWithIntervals(DayOfIntervals(kDayIntervals)));
  settings.analysis.region = {0, 0, kRecordEndOffset, 0};
  engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), settings, {7, 0xC0000000});
}

struct DayAnalysisDocument {
  DayAnalysisDocument() {
    StartDocumentHost();
    PendrelHost::SyntheticEcgSettings heart;
    heart.duration = 10;
    hosted = std::make_unique<PendrelHost::HostedDocument>(
        PendrelHost::OpenDocument(PendrelHost::MakeSyntheticEcg(heart).recording));
    hosted->StartNew();
    for (const PendrelHost::HostedModule& module : hosted->Modules()) {
      Quor::ComPtr<Rhyth::IRhythDocument> rhyth;
      module.document->QueryInterface(Rhyth::IRhythDocument::iid,
                                      Quor::ComPtrOut<Rhyth::IRhythDocument>::Bind(rhyth));
      if (rhyth) analysis = static_cast<Rhyth::Document*>(rhyth.Get());
    }
    AnalyseDay(analysis->Engine(), analysis->GetSettings());
    // The region within the short recording, for its time texts.
    analysis->GetSettings().analysis.region = {0, 0, 1000, 0};
  }
  // The analysis document as the view classes take it.
  IUnknown* ViewDocument() const { return static_cast<Rhyth::IRhythDocument*>(analysis); }

  std::unique_ptr<PendrelHost::HostedDocument> hosted;
  Rhyth::Document* analysis = nullptr;
};

}  // namespace BenchSupport
