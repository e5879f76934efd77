// The built-in sample as a preview sees it, for tests: its data document with a simulated
// sampling device, the source a preview pane base is given, and the shown document a preview
// window is made over.
#pragma once

#include <gtest/gtest.h>

#include "core/com_ptr.h"
#include "host/document/data_document.h"
#include "host/recording/synthetic_ecg.h"
#include "host/sampling/simulated_sampling_device.h"
#include "host/traces/trace_data_source.h"

struct PreviewSample {
  // Twenty seconds at 500 Hz.
  PreviewSample() {
    PendrelHost::SyntheticEcgSettings settings;
    settings.sampleRate = 500.0;
    settings.duration = 20.0;
    document = PendrelHost::OpenDocument(PendrelHost::MakeSyntheticEcg(settings).recording);
    device = &PendrelHost::AddSimulatedDevice(Data());
    source.reset(PendrelHost::CreateTraceDataSource(document.get()));
    IUnknown* shown = nullptr;
    if (const auto provider = Quor::QueryFace<IPendrelDocumentProvider>(source.get())) {
      provider->GetDocument(kProvideShownDocument, &shown);
    }
    shownDocument.reset(shown);
  }
  PendrelHost::DataDocument& Data() const { return *PendrelHost::AsDataDocument(document.get()); }

  Tarn::HeldReference<IUnknown> document;
  PendrelHost::SimulatedSamplingDevice* device = nullptr;
  Tarn::HeldReference<IPendrelTraceDataSource> source;
  Tarn::HeldReference<IUnknown> shownDocument;
};
