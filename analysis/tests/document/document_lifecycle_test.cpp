// The analysis document as the host creates, drives and releases it: one per data document,
// its faces and persistent parts, its class object, and what stays in the host when it goes.
#include <gtest/gtest.h>

#include <new>

#include "analysis/document/document_class.h"
#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/framework/call_log.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/bstr.h"

namespace AnalysisDocumentTest {
namespace {

using Rhyth::Document;

DWORD ComputedChannelCount(IUnknown* document) {
  DWORD count = 0;
  DocumentTest::Face<IPendrelArithmeticChannels>(document)->GetChannelCount(0, &count);
  return count;
}

using DocumentLifecycle = AnalysisHost;

TEST_F(DocumentLifecycle, EachDataDocumentGetsOneAnalysisDocumentWithItsTwoParts) {
  Open(SyntheticRecording(5.0));
  ASSERT_EQ(hosted->Modules().size(), 1u);
  EXPECT_EQ(hosted->Modules()[0].className, u"Rhyth2 Document");
  EXPECT_EQ(Tarn::CountCalls("HostedDocument.CreateDocument"), 1u);

  Document& document = Analysis();
  // One identity behind every face.
  auto identity = DocumentTest::Face<IUnknown>(static_cast<ICustomDocument2*>(&document));
  for (const IID& face : {Rhyth::IRhythDocument::iid, IOnlineDataSink::iid,
                          ICustomDocument2::iid, ITarnCommandHandler::iid, IObserver::iid,
                          IMessageHandler::iid}) {
    void* object = nullptr;
    ASSERT_EQ(document.QueryInterface(face, &object), S_OK);
    auto held = Tarn::HeldReference<IUnknown>(static_cast<IUnknown*>(object));
    EXPECT_EQ(DocumentTest::Face<IUnknown>(held.get()).get(), identity.get());
  }
  DWORD tag = 0;
  document.GetDocumentTag(&tag);
  EXPECT_EQ(tag, Rhyth::DocumentTypeId::Id());

  const auto parts = PendrelHost::PersistentParts(&document);
  ASSERT_EQ(parts.size(), 2u);
  EXPECT_EQ(static_cast<IPersistStreamInit*>(&document.GetSettings()), parts[0].get());
  EXPECT_EQ(static_cast<IPersistStreamInit*>(&document.GetData()), parts[1].get());
  IUnknown* other = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(document.GetPersistObject(0, 1, 0, &other, nullptr), S_FALSE);
  EXPECT_EQ(other, nullptr);
}

TEST_F(DocumentLifecycle, ItsChannelsOutliveTheDocumentButNotItsClosing) {
  // A document the host releases without closing leaves its channels in the data document.
  auto data = PendrelHost::OpenDocument(SyntheticRecording(5.0));
  {
    Quor::ComPtr<Document> loose(new Document(data.get(), nullptr, nullptr));
    ASSERT_TRUE(loose->SetRegionFromHost(loose->GetSettings(), 4));
    ASSERT_TRUE(loose->Reanalyse(Rhyth::kChangeEverything, Rhyth::kNoticeAnalysis));
    EXPECT_EQ(ComputedChannelCount(data.get()), 7u);
  }
  EXPECT_EQ(ComputedChannelCount(data.get()), 7u);

  Open(SyntheticRecording(5.0));
  Send(Rhyth::AnalyzeMsg::Id());
  EXPECT_EQ(ComputedChannelCount(hosted->DataObject()), 7u);
  hosted->Close();
  EXPECT_EQ(ComputedChannelCount(hosted->DataObject()), 0u);
}

TEST_F(DocumentLifecycle, WithoutAHostObjectEveryHostMemberIsNullAndNothingFails) {
  Quor::ComPtr<Document> document(new Document(nullptr, nullptr, nullptr));
  EXPECT_EQ(document->RecordingDocument(), nullptr);
  EXPECT_EQ(document->DataDocument(), nullptr);
  EXPECT_EQ(document->DataSource(), nullptr);
  EXPECT_EQ(document->SamplingController(), nullptr);
  EXPECT_EQ(document->Selection(), nullptr);
  EXPECT_EQ(document->OnAnalyzeMsg(), 0);
  EXPECT_FALSE(document->RegionIsSet());
  EXPECT_EQ(document->Close(), S_OK);
}

// A document whose destruction takes and gives back a reference to itself, as code it calls
// while it goes may do.
class SelfHoldingDocument : public PendrelChildDocument {
 public:
  SelfHoldingDocument(IUnknown* host, IUnknown* documentClass, IUnknown*)
      : PendrelChildDocument(documentClass, host, 0, 0) {}
  static void RegisterCommands(TarnCommandHolder&) {}
  static inline int destroyed = 0;

 protected:
  ~SelfHoldingDocument() override {
    AddRef();
    Release();
    ++destroyed;
  }
};

TEST_F(DocumentLifecycle, TheLastReleaseDeletesTheDocumentOnce) {
  auto data = PendrelHost::OpenDocument(SyntheticRecording(2.0));
  auto* document = new SelfHoldingDocument(data.get(), nullptr, nullptr);
  document->AddRef();
  document->Release();
  EXPECT_EQ(SelfHoldingDocument::destroyed, 1);
}

TEST_F(DocumentLifecycle, MessagesNobodyHandlesReachTheHostAndComeBackUnhandled) {
  Open(SyntheticRecording(2.0));
  IMessage* message = nullptr;
  ASSERT_EQ(GetTarnMessageValueService()->CreateMessage(0x7E000001, 0, 0, 0, 0, nullptr, 0,
                                                        &message),
            S_OK);
  Tarn::HeldReference<IMessage> held(message);
  EXPECT_EQ(Analysis().HandleMessage(message), 0);
  EXPECT_EQ(Tarn::CountCalls("DocumentSite.HandleMessage"), 1u);
}

// ---- The class object ----------------------------------------------------------------------

// A document whose making runs out of memory part of the way.
class ThrowingDocument : public PendrelChildDocument {
 public:
  ThrowingDocument(IUnknown* host, IUnknown* documentClass, IUnknown*)
      : PendrelChildDocument(documentClass, host, 0, 0) {
    throw std::bad_alloc();
  }
  static void RegisterCommands(TarnCommandHolder&) {}
};

TEST_F(DocumentLifecycle, TheClassObjectDescribesTheDocumentType) {
  Quor::ComPtr<Rhyth::DocumentClass> documentClass;
  documentClass.Attach(Rhyth::NewDocumentClass());
  BSTR name = SysAllocString(u"stale");
  EXPECT_EQ(documentClass->GetName(&name), S_OK);
  EXPECT_EQ(std::u16string(name, SysStringLen(name)), u"Rhyth2 Document");
  SysFreeString(name);
  DWORD flags = 0, type = 0;
  documentClass->GetFlags(&flags);
  documentClass->GetTypeId(&type);
  EXPECT_EQ(flags, 1u);
  EXPECT_EQ(type, Rhyth::DocumentTypeId::Id());
  const GUID* guid = nullptr;
  documentClass->GetDocumentGuid(&guid);
  EXPECT_EQ(guid, &Rhyth::GUID_RhythDocumentObj);
  // A category is recognised by its value wherever it lies.
  const GUID copy = GUID_TarnDocumentClassCategory;
  EXPECT_EQ(documentClass->IsCategory(copy), S_OK);
  EXPECT_EQ(documentClass->IsCategory(Rhyth::GUID_RhythDocumentObj), S_FALSE);
  EXPECT_EQ(documentClass->Reserved10(), E_NOTIMPL);
  EXPECT_TRUE(documentClass->HasHostPart());

  Quor::ComPtr<Rhyth::DocumentClass> unnamed;
  unnamed.Attach(new Rhyth::DocumentClass(u"", &Rhyth::GUID_RhythDocumentObj,
                                          &GUID_TarnDocumentClassCategory, 0x7E0000, 0, 0));
  unnamed->AddRef();
  BSTR none = SysAllocString(u"freed first");
  EXPECT_EQ(unnamed->GetName(&none), S_OK);
  EXPECT_EQ(none, nullptr);
}

TEST_F(DocumentLifecycle, ADocumentThatCannotBeMadeIsOutOfMemoryNotAnException) {
  Quor::ComPtr<TarnDocumentClass<ThrowingDocument>> documentClass;
  documentClass.Attach(new TarnDocumentClass<ThrowingDocument>(
      u"Throwing", &Rhyth::GUID_RhythDocumentObj, &GUID_TarnDocumentClassCategory, 0x7E0001, 1,
      0));
  documentClass->AddRef();
  auto data = PendrelHost::OpenDocument(SyntheticRecording(2.0));
  ICustomDocument2* made = reinterpret_cast<ICustomDocument2*>(1);
  EXPECT_EQ(documentClass->CreateDocument(0, data.get(), nullptr, &made, 0), E_OUTOFMEMORY);
  EXPECT_EQ(made, nullptr);
}

TEST_F(DocumentLifecycle, CommandsReachTheActiveDocumentOnlyThroughTheHostsPart) {
  Quor::ComPtr<ITarnClassObject> found;
  GetTarnClassRegistry()->FindClassObject(Rhyth::DocumentTypeId::Id(),
                                          Quor::ComPtrOut<ITarnClassObject>::Bind(found));
  auto handler = DocumentTest::Face<ITarnCommandHandler>(found.Get());
  ASSERT_TRUE(handler);
  const DWORD analyse = Rhyth::CommandWord(18);
  // No data document is open: the host's part has nobody to route to, and the class's own
  // table is empty.
  EXPECT_EQ(handler->OnCommandEnable(analyse, nullptr), 1);
  EXPECT_EQ(handler->OnCommand(0x7E000001), 1);
  Open(SyntheticRecording(2.0));
  EXPECT_EQ(handler->OnCommandEnable(analyse, nullptr), 0);
  EXPECT_EQ(handler->OnCommand(0x7E000001), 1);
}

}  // namespace
}  // namespace AnalysisDocumentTest
