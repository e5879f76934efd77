#include "analysis/tests/document/analysis_host.h"

#include "analysis/detection/enumerator_classes.h"
#include "analysis/dialogs/settings_dialog.h"
#include "analysis/document/document_class.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/recording/synthetic_ecg.h"
#include "hostframework/class_object_list.h"
#include "hostframework/host_services.h"
#include "hostframework/messages/message_class_list.h"
#include "platform/win32/message_box.h"

namespace AnalysisDocumentTest {

namespace {

// Made at load time and linked into the module's list of class objects, as the module's own.
Rhyth::FiducialEnumClass fiducialClass(Rhyth::FiducialEnumDescriptor());

}  // namespace

void AnalysisHost::SetUp() {
  DocumentTest::HostTest::SetUp();
  win32::ClearShownMessageBoxes();
  win32::ClearQueuedMessageBoxAnswers();
  PendrelHost::AddArithmeticObjectMaker();
  PendrelHost::AddDocumentObjectMakers();
  RegisterClassObjects();
  (void)Rhyth::DocumentMessageClasses();
  RegisterMessageClasses();
  Quor::ComPtr<Rhyth::DocumentClass> documentClass;
  documentClass.Attach(Rhyth::NewDocumentClass());
  GetTarnClassRegistry()->RegisterClassObject(documentClass.Get());
}

void AnalysisHost::TearDown() {
  // The module documents close while the host still knows their classes.
  hosted.reset();
  Rhyth::ClearSettingsDialogScripts();
  win32::ClearShownMessageBoxes();
  win32::ClearQueuedMessageBoxAnswers();
  DocumentTest::HostTest::TearDown();
}

PendrelHost::HostedDocument& AnalysisHost::Open(PendrelHost::Recording recording) {
  hosted.reset();
  hosted = std::make_unique<PendrelHost::HostedDocument>(
      PendrelHost::OpenDocument(std::move(recording)));
  hosted->StartNew();
  return *hosted;
}

Rhyth::Document& AnalysisHost::Analysis() {
  ICustomDocument2* document = hosted->ModuleOfType(Rhyth::DocumentTypeId::Id());
  EXPECT_NE(document, nullptr);
  return *static_cast<Rhyth::Document*>(document);
}

std::vector<std::string> AnalysisHost::Notices() {
  std::vector<std::string> notices;
  for (const DocumentNotice& notice : Data().Log().Notices()) {
    const char* kind = notice.type == Rhyth::AnalysisChangingMsg::Id()  ? "start "
                       : notice.type == Rhyth::AnalysisChangedMsg::Id() ? "end "
                                                                       : "other ";
    notices.push_back(kind + std::to_string(notice.code));
  }
  return notices;
}

void AnalysisHost::Send(DWORD messageId) { Analysis().SendToHost(messageId); }

Quor::ComPtr<Rhyth::IEventIdCache> AnalysisHost::EventIdCache() {
  Quor::ComPtr<Rhyth::IEventIdCache> cache;
  Analysis().GetChildData(Rhyth::EventIdCacheTypeId::Id(), Rhyth::IEventIdCache::iid,
                          Quor::ComPtrOut<Rhyth::IEventIdCache>::Bind(cache));
  return cache;
}

namespace {
const Rhyth::BeatPosition kAdded{1234, 0}, kRemoved{2345, 0};
}  // namespace

AnalysisHost::KeptState AnalysisHost::AnalyseAndEdit() {
  Open(SyntheticRecording(20.0));
  Rhyth::Settings& settings = Settings();
  AcceptSyntheticBeats(settings);
  settings.analysis.binWidth = 0.02;
  settings.detection.qrsWidth = 0.07;
  settings.spectrum.frequencyCount = 400;
  settings.source.markersShown = 0;
  Send(Rhyth::AnalyzeMsg::Id());
  Analysis().GetData().UserEvents()->Add(&kAdded, FALSE);
  Analysis().GetData().UserEvents()->Add(&kRemoved, TRUE);
  EventIdCache()->SetId(999, 41);
  Data().Selected().SelectRange({100, 0}, {300, 0});
  KeptState kept;
  kept.settings.Attach(settings.Clone());
  const auto samples = Data().Source().Samples(0, 0);
  kept.samples.assign(samples.begin(), samples.end());
  return kept;
}

void AnalysisHost::ExpectKept(const KeptState& kept) {
  // The attached document analyses its stored region again.
  EXPECT_EQ(Notices(), (std::vector<std::string>{"start 4", "end 4"}));
  EXPECT_GT(Analysis().Engine().RRIntervals().GetCount(), 10u);
  EXPECT_EQ(Settings().Compare(kept.settings.Get()), 0u);
  EXPECT_EQ(Settings().source.markersShown, 0);
  EXPECT_EQ(Analysis().GetData().UserEvents()->Added(), Rhyth::UserEventData::Positions{kAdded});
  EXPECT_EQ(Analysis().GetData().UserEvents()->Removed(),
            Rhyth::UserEventData::Positions{kRemoved});
  DWORD id = 0;
  ASSERT_TRUE(EventIdCache());
  EXPECT_EQ(EventIdCache()->GetId(999, &id), S_OK);
  EXPECT_EQ(id, 41u);
  const auto samples = Data().Source().Samples(0, 0);
  EXPECT_EQ(std::vector<float>(samples.begin(), samples.end()), kept.samples);
  ASSERT_TRUE(Data().Source().CurrentSelection());
  EXPECT_EQ(Data().Source().CurrentSelection()->end.tick, 300);
}

PendrelHost::Recording SyntheticRecording(double seconds, double rate) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = rate;
  settings.duration = seconds;
  return PendrelHost::MakeSyntheticEcg(settings).recording;
}

PendrelHost::Recording TwoRecords() {
  const PendrelHost::Recording one = SyntheticRecording(20.0);
  PendrelHost::Recording two(one.SampleRate());
  two.AddChannel(one.Channel(0));
  for (std::size_t record = 0; record < 2; ++record) {
    two.AddRecord(20.0 * double(record));
    two.AppendSamples(record, std::vector<std::span<const float>>{one.Samples(0, 0)});
    two.CloseRecord(record);
  }
  return two;
}

void AcceptSyntheticBeats(Rhyth::Settings& settings) { settings.classifier.complexityLow = 0.5; }

}  // namespace AnalysisDocumentTest
