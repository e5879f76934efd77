// The data document's state messages: the document's site keeps each state message a module
// sends (the latest per object, in the order of sending, with its mode) and offers it to its
// children; the store gives them back by class; the document file keeps them.
#include "host/tests/document/document_test_support.h"

#include <filesystem>

#include <unistd.h>

#include "host/document/document_site.h"
#include "host/document/host_words.h"
#include "host/document/hosted_document.h"
#include "host/documentfile/document_file.h"
#include "host/framework/call_arguments.h"
#include "host/framework/host_message.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/persist_messages.h"

namespace DocumentTest {
namespace {

using PersistMessages = HostTest;

#pragma pack(push, 1)
struct RangeRecord {
  DWORD type;
  DWORD header;
  DWORD signature;
  IQuorString* plotId;
  double min;
  double max;
  DWORD autoScale;
};
#pragma pack(pop)

// A state message for the range of `plot`, named by type and plot as the plot engine names it.
HeldReference<IMessage> RangeMessage(DWORD type, const std::u16string& plot, double min,
                                     double max, DWORD mode) {
  auto id = Text(plot);
  const RangeRecord record{type, 32, 0x1337, id.get(), min, max, mode == 0x100000 ? 1u : 0u};
  IMessage* object = nullptr;
  GetTarnSharedService()->CreateMessageObject(type, id.get(), GUID_TarnCore, &object);
  HeldReference<IMessage> held(object);
  IMessage* message = nullptr;
  GetTarnMessageValueService()->CreateMessage(type, mode, 0, 0, object, &record, sizeof record,
                                              &message);
  return HeldReference<IMessage>(message);
}

// Each kept message as "type name min..max mode".
std::vector<std::string> Replayed(IUnknown* document, DWORD classId) {
  std::vector<std::string> texts;
  auto store = Face<IPendrelPersistMessages>(document);
  IEnumUnknown* items = nullptr;
  EXPECT_EQ(store->EnumMessagesOfClass(classId, &items), S_OK);
  HeldReference<IEnumUnknown> held(items);
  IUnknown* item = nullptr;
  ULONG fetched = 0;
  while (items->Next(1, &item, &fetched) == S_OK) {
    HeldReference<IMessage> message = Face<IMessage>(item);
    item->Release();
    DWORD bytes = 0;
    RangeRecord record{};
    std::memcpy(&record, message->GetData(&bytes), sizeof record);
    EXPECT_EQ(bytes, sizeof record);
    texts.push_back(Tarn::Utf8(Tarn::TextOf(record.plotId)) + " " + std::to_string(record.type) +
                    " " + std::to_string(int(record.min)) + ".." + std::to_string(int(record.max)) +
                    " " + Tarn::HexWord(message->GetFlags()));
  }
  return texts;
}

// A child of the site: logs the range messages it hears.
class ListeningChild final : public SimpleUnknownImp1<IMessageHandler, 1> {
 public:
  LONG HandleMessage(IMessage* message) override {
    DWORD bytes = 0;
    RangeRecord record{};
    std::memcpy(&record, message->GetData(&bytes), sizeof record);
    heard.push_back(Tarn::Utf8(Tarn::TextOf(record.plotId)));
    return 0;
  }
  HRESULT AddHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT RemoveHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT SetParent(IMessageHandler* parent) override {
    this->parent = parent;
    return S_OK;
  }
  HRESULT GetSender(IMessageHandler**) override { return E_NOTIMPL; }
  std::vector<std::string> heard;
  IMessageHandler* parent = nullptr;
};

class SiteOverDocument {
 public:
  explicit SiteOverDocument(IUnknown* document) : site(new PendrelHost::DocumentSite) {
    site->Attach(nullptr, document);
  }
  ~SiteOverDocument() { site->Release(); }
  LONG Send(const HeldReference<IMessage>& message) {
    return static_cast<IMessageHandler*>(site)->HandleMessage(message.get());
  }
  PendrelHost::DocumentSite* site;
};

TEST_F(PersistMessages, TheLatestOfEachObjectIsKeptInTheOrderOfSendingWithItsMode) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  SiteOverDocument site(document.get());
  EXPECT_EQ(site.Send(RangeMessage(0x00440004, u"Plot1", 1, 2, 0x20)), 1);
  EXPECT_EQ(site.Send(RangeMessage(0x00440005, u"Plot1", 3, 4, 0x20)), 1);
  EXPECT_EQ(site.Send(RangeMessage(0x00440004, u"Plot2", 5, 6, 0x20)), 1);
  EXPECT_EQ(site.Send(RangeMessage(0x00440004, u"Plot1", 7, 8, 0x100000)), 1);
  // A message that is no state message is not the store's.
  HeldReference<IMessage> plain(Tarn::NewHostMessage(0x00440004, 0x20, nullptr, 0));
  EXPECT_EQ(site.Send(plain), 0);

  const DWORD stateClass = PendrelHost::StateMessageClass();
  EXPECT_EQ(Replayed(document.get(), stateClass),
            (std::vector<std::string>{"Plot1 4456453 3..4 0x00000020", "Plot2 4456452 5..6 0x00000020",
                                      "Plot1 4456452 7..8 0x00100000"}));
  EXPECT_TRUE(Replayed(document.get(), stateClass + 1).empty());
  EXPECT_EQ(CallsOf("PersistMessages", "Keep").back(),
            "Keep(type=0x00440004, name=\"Plot1\", mode=0x00100000)");
}

TEST_F(PersistMessages, TheSiteIsTheRootOfItsChildrenAndOffersThemWhatItKeeps) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  SiteOverDocument site(document.get());
  auto* root = static_cast<IMessageHandler*>(site.site);
  ListeningChild first, second;
  ASSERT_EQ(root->AddHandler(&first), S_OK);
  ASSERT_EQ(root->AddHandler(&second), S_OK);
  EXPECT_EQ(first.parent, root);
  IMessageHandler* sender = nullptr;
  ASSERT_EQ(root->GetSender(&sender), S_OK);
  EXPECT_EQ(sender, root);
  sender->Release();

  site.Send(RangeMessage(0x00440004, u"Plot1", 1, 2, 0x20));
  EXPECT_EQ(root->RemoveHandler(&first), S_OK);
  EXPECT_EQ(first.parent, nullptr);
  EXPECT_EQ(root->RemoveHandler(&first), E_FAIL);
  site.Send(RangeMessage(0x00440004, u"Plot2", 1, 2, 0x20));
  EXPECT_EQ(first.heard, std::vector<std::string>{"Plot1"});
  EXPECT_EQ(second.heard, (std::vector<std::string>{"Plot1", "Plot2"}));
  root->RemoveHandler(&second);
}

TEST_F(PersistMessages, TheDocumentFileKeepsThemAndAClosedDocumentGivesThemBack) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() /
                        ("rhyth-persist-messages-" + std::to_string(::getpid()) + ".pdoc");
  std::vector<std::string> before;
  {
    PendrelHost::HostedDocument hosted(PendrelHost::OpenDocument(SmallRecording()));
    hosted.StartNew();
    SiteOverDocument site(hosted.DataObject());
    site.Send(RangeMessage(0x00440005, u"Plot1", -1, 9, 0x20));
    site.Send(RangeMessage(0x00440004, u"Plot\u00e91", 2, 3, 0x100000));
    before = Replayed(hosted.DataObject(), PendrelHost::StateMessageClass());
    PendrelHost::SaveDocumentFile(hosted, file);
    hosted.Close();
  }
  PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
  fs::remove(file);
  EXPECT_TRUE(opened.problems.empty());
  EXPECT_EQ(before.size(), 2u);
  EXPECT_EQ(Replayed(opened.document->DataObject(), PendrelHost::StateMessageClass()), before);
  opened.document->Close();
}

}  // namespace
}  // namespace DocumentTest
