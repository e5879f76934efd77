#include "analysis/tests/document/analysis_host.h"

#include "analysis/detection/enumerator_classes.h"
#include "analysis/document/document_class.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
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
  Rhyth::SetSettingsEditor(nullptr);
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

PendrelHost::Recording SyntheticRecording(double seconds, double rate) {
  PendrelHost::SyntheticEcgSettings settings;
  settings.sampleRate = rate;
  settings.duration = seconds;
  return PendrelHost::MakeSyntheticEcg(settings).recording;
}

void AcceptSyntheticBeats(Rhyth::Settings& settings) { settings.classifier.complexityLow = 0.5; }

}  // namespace AnalysisDocumentTest
