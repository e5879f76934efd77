#include "plotengine/tasks/etch_persist_task.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/document/data_document.h"
#include "host/document/document_site.h"
#include "hostframework/tests/host_fixture.h"
#include "platform/win32/com_object.h"
#include "plotengine/proxy/etch_events.h"
#include "plotengine/tasks/persist_records.h"

namespace {

using Quor::EtchPersistTask;
using Quor::String;

// The texts of a record's string fields, read while the record is delivered: the strings are
// the sender's, alive only during the send.
std::vector<std::u16string> TextsOf(const unsigned char* data, DWORD bytes) {
  DWORD tag = 0;
  if (bytes >= 12) std::memcpy(&tag, data + 8, sizeof tag);
  const int fields = tag == Quor::kEtchRegionTextTag ? 3 : tag == Quor::kEtchRegionPosTag ? 2 : 1;
  std::vector<std::u16string> texts;
  for (int i = 0; i < fields && 12 + 8 * (i + 1) <= int(bytes); ++i) {
    IQuorString* text = nullptr;
    std::memcpy(&text, data + 12 + 8 * i, sizeof text);
    texts.push_back(String(static_cast<IAutoQuorString*>(text)).ToStdWString());
  }
  return texts;
}

// Stands for the handler that keeps a plot's messages with the document: copies each message
// and hands it on to the task, as the host does when it replays a document's messages.
class DocumentMessages final : public SimpleUnknownImp1<IMessageHandler, 1> {
 public:
  LONG HandleMessage(IMessage* message) override {
    DWORD bytes = 0;
    const auto* data = static_cast<const unsigned char*>(message->GetData(&bytes));
    records.emplace_back(data, data + bytes);
    texts.push_back(TextsOf(data, bytes));
    flags.push_back(message->GetFlags());
    return replayTo ? replayTo->HandleMessage(message) : 1;
  }
  HRESULT AddHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT RemoveHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT GetSender(IMessageHandler**) override { return E_NOTIMPL; }

  std::vector<std::vector<unsigned char>> records;
  std::vector<std::vector<std::u16string>> texts;
  std::vector<DWORD> flags;
  IMessageHandler* replayTo = nullptr;
};

// Byte-wise reads of a stored record.
struct Bytes {
  const std::vector<unsigned char>& data;
  DWORD Word(size_t offset) const { return Read<DWORD>(offset); }
  double Double(size_t offset) const { return Read<double>(offset); }
  template <class T>
  T Read(size_t offset) const {
    EXPECT_LE(offset + sizeof(T), data.size());
    T value{};
    if (offset + sizeof(T) <= data.size()) std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
  }
};

// The message of a record, as the host would deliver it.
IMessage* MessageOf(const void* record, DWORD bytes) {
  IMessage* message = nullptr;
  DWORD id = 0;
  std::memcpy(&id, record, sizeof id);
  GetTarnMessageValueService()->CreateMessage(id, 0x20, 0, 0, 0, record, bytes, &message);
  return message;
}

class PersistTaskTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    task = new EtchPersistTask(u"Plot1", &document);
    task->AddRef();
  }
  void TearDown() override {
    task->Release();
    HostFrameworkTest::TearDown();
  }
  // A received range record of type n for `plotId`.
  void Receive(DWORD type, const char16_t* plotId, double min, double max) {
    const String id(plotId);
    IQuorString* text = id.GetInterface();
    const Quor::EtchRangeRecord record{type, 32, Quor::kEtchRangeTag, text, min, max, 0};
    IMessage* message = MessageOf(&record, sizeof record);
    EXPECT_EQ(task->HandleMessage(message), 1);
    message->Release();
    text->Release();
  }

  DocumentMessages document;
  EtchPersistTask* task = nullptr;
};

TEST_F(PersistTaskTest, RangeRecordsAreLaidOutByteByByte) {
  const double range[] = {2.5, 8.25};
  EXPECT_EQ(task->SetXScaling(u"ignored", range, 2, true), S_OK);
  EXPECT_EQ(task->SetYScaling(u"ignored", range, 2, false), S_OK);
  ASSERT_EQ(document.records.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const Bytes record{document.records[i]};
    ASSERT_EQ(record.data.size(), 40u);
    EXPECT_EQ(record.Word(0), (i == 0 ? Quor::EtchXScalingMsgType::Id() : Quor::EtchYScalingMsgType::Id()));
    EXPECT_EQ(record.Word(4), 32u);
    EXPECT_EQ(record.Word(8), 0x1337u);
    EXPECT_EQ(document.texts[i], std::vector<std::u16string>{u"Plot1"});
    EXPECT_EQ(record.Double(20), 2.5);
    EXPECT_EQ(record.Double(28), 8.25);
    EXPECT_EQ(record.Word(36), i == 0 ? 1u : 0u);
  }
  EXPECT_EQ(document.flags[0] & 0x100000u, 0x100000u);
  EXPECT_EQ(document.flags[1] & 0x20u, 0x20u);
  EXPECT_EQ(Tarn::CountCalls("SharedService.CreateMessageObject"), 2u);
  // A range without both ends sends nothing.
  EXPECT_EQ(task->SetXScaling(u"", range, 1, false), E_INVALIDARG);
  EXPECT_EQ(task->SetXScaling(u"", nullptr, 2, false), E_INVALIDARG);
  EXPECT_EQ(document.records.size(), 2u);
}

TEST_F(PersistTaskTest, RegionRecordsCarryThePlotTheRegionAndTheirValues) {
  document.replayTo = task;
  EXPECT_EQ(task->SendRegionPos(u"L1", 12.5, 87.5), S_OK);
  EXPECT_EQ(task->SendRegionText(u"T1", u"new text"), S_OK);
  ASSERT_EQ(document.records.size(), 2u);
  const Bytes position{document.records[0]};
  ASSERT_EQ(position.data.size(), 44u);
  EXPECT_EQ(position.Word(0), Quor::EtchRegionPosMsgType::Id());
  EXPECT_EQ(position.Word(8), 0x3377u);
  EXPECT_EQ(document.texts[0], (std::vector<std::u16string>{u"Plot1", u"L1"}));
  EXPECT_EQ(position.Double(28), 12.5);
  EXPECT_EQ(position.Double(36), 87.5);
  const Bytes text{document.records[1]};
  ASSERT_EQ(text.data.size(), 36u);
  EXPECT_EQ(text.Word(8), 0x777u);
  EXPECT_EQ(document.texts[1], (std::vector<std::u16string>{u"Plot1", u"T1", u"new text"}));
  // Delivered back, they are the task's state.
  EXPECT_EQ(task->State().regionPositions.at(u"L1"), std::make_pair(12.5, 87.5));
  EXPECT_EQ(task->State().regionTexts.at(u"T1"), u"new text");
}

TEST_F(PersistTaskTest, TheFirstRangeIsAlsoTheInitialOneAndOtherPlotsAreIgnored) {
  Receive(Quor::EtchStoredXRangeType::Id(), u"Plot1", 1, 2);
  Receive(Quor::EtchXScalingMsgType::Id(), u"Plot1", 3, 4);
  Receive(Quor::EtchXScalingMsgType::Id(), u"PLOT1", 5, 6);  // ranges compare exactly
  Receive(Quor::EtchYScalingMsgType::Id(), u"Plot1", -1, 1);
  EXPECT_EQ(task->InitialX().min, 1);
  EXPECT_EQ(task->InitialX().max, 2);
  EXPECT_EQ(task->State().x.min, 3);
  EXPECT_EQ(task->State().x.max, 4);
  EXPECT_EQ(task->InitialY().min, -1);
  EXPECT_EQ(task->State().y.max, 1);
}

TEST_F(PersistTaskTest, RegionMessagesMatchThePlotIgnoringCase) {
  const String other(u"PLOT1"), region(u"T1"), body(u"kept");
  EXPECT_EQ(task->StoreRegionText(other, region, body), 0);
  EXPECT_EQ(task->StoreRegionPos(u"plot1", u"L1", 1, 2), 0);
  EXPECT_EQ(task->StoreRegionPos(u"Plot12", u"L2", 1, 2), 0);
  EXPECT_EQ(task->State().regionTexts.at(u"T1"), u"kept");
  EXPECT_EQ(task->State().regionPositions.count(u"L1"), 1u);
  EXPECT_EQ(task->State().regionPositions.count(u"L2"), 0u);
}

TEST_F(PersistTaskTest, ATruncatedOrMistaggedRecordIsNotHandled) {
  const String id(u"Plot1");
  IQuorString* text = id.GetInterface();
  const Quor::EtchRangeRecord record{Quor::EtchXScalingMsgType::Id(), 32, Quor::kEtchRangeTag,
                                     text, 1, 2, 0};
  IMessage* truncated = MessageOf(&record, 28);
  EXPECT_EQ(task->HandleMessage(truncated), 0);
  truncated->Release();
  Quor::EtchRangeRecord mistagged = record;
  mistagged.tag = 0x3377;
  IMessage* wrong = MessageOf(&mistagged, sizeof mistagged);
  EXPECT_EQ(task->HandleMessage(wrong), 0);
  wrong->Release();
  text->Release();
  EXPECT_EQ(task->State().x.max, 0);
}

TEST_F(PersistTaskTest, ScalingAndRegionEventsBecomeStateMessages) {
  document.replayTo = task;
  const double values[] = {4, 9, 0};
  const Quor::EtchScalingPayload scaling{u"Plot1", values, 2, 0};
  task->OnNotify(nullptr, Quor::EtchYScalingChangedType::Id(), 0, &scaling);
  const Quor::EtchRegionPosPayload moved{u"L1", 5, 6};
  task->OnNotify(nullptr, Quor::EtchRegionPosChangedType::Id(), 0, &moved);
  const Quor::EtchRegionTextPayload retitled{u"T1", u"title"};
  task->OnNotify(nullptr, Quor::EtchRegionTextChangedType::Id(), 0, &retitled);
  ASSERT_EQ(document.records.size(), 3u);
  EXPECT_EQ(task->State().y.min, 4);
  EXPECT_EQ(task->State().y.max, 9);
  std::u16string options = u"legend: {id: 'L1'}, text_region: {id: 'T1'}";
  task->WritePlotSettings(options);
  EXPECT_EQ(options,
            u"legend: {id: 'L1', x_percent: 5, y_percent: 6}, text_region: {id: 'T1', text: 'title'},"
            u"yscalemin: 4,yscalemax: 9, do_initial_autoscale_y: false, "
            u"xscalemin: 0.0, xscalemax: 1.0, do_initial_autoscale_x: true, ");
}

TEST_F(PersistTaskTest, ATaskBoundToADocumentReplaysWhatThePlotSentBefore) {
  Tarn::HeldReference<IUnknown> data = PendrelHost::OpenEmptyDocument();
  auto* site = new PendrelHost::DocumentSite;
  site->Attach(nullptr, data.get());
  IMessageHandler* parent = site;
  const double first[] = {1, 2}, latest[] = {2, 8};
  {
    Quor::ComPtr<EtchPersistTask> sender(new EtchPersistTask(u"Plot1", data.get(), nullptr, parent));
    EXPECT_EQ(sender->SetYScaling(u"", first, 2, false), S_OK);
    EXPECT_EQ(sender->SetYScaling(u"", latest, 2, false), S_OK);
    EXPECT_EQ(sender->SendRegionPos(u"L1", 5, 6), S_OK);
    EXPECT_EQ(sender->SendRegionText(u"T1", u"kept"), S_OK);
    // The document hands each message straight back to the task that sent it.
    EXPECT_EQ(sender->State().y.max, 8);
    EXPECT_EQ(sender->InitialY().max, 2);
  }
  {
    Quor::ComPtr<EtchPersistTask> again(new EtchPersistTask(u"Plot1", data.get(), nullptr, parent));
    EXPECT_EQ(again->State().y.min, 2);
    EXPECT_EQ(again->State().y.max, 8);
    // Only the latest range was kept, so it is the initial one too.
    EXPECT_EQ(again->InitialY().min, 2);
    EXPECT_EQ(again->State().regionPositions.at(u"L1"), std::make_pair(5.0, 6.0));
    EXPECT_EQ(again->State().regionTexts.at(u"T1"), u"kept");
  }
  site->Release();
}

}  // namespace
