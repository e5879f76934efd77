// State messages: a sender hands a state record and the object that names it to the host under a
// mode word, and a handler replays a document's stored messages through its own table.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "hostframework/event_handler.h"
#include "hostframework/tests/host_fixture.h"
#include "hostframework/tests/test_message.h"
#include "host/framework/state_message.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/persist_messages.h"

namespace {

constexpr DWORD kStateTestPing = 0x00780001;

// A root handler whose table logs each ping's first word.
class StateTestHandler final : public TarnEventHandlerT<1> {
  TARN_DECLARE_EVENT_TABLE();

 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IUnknown::iid && iid != IMessageHandler::iid) return E_NOINTERFACE;
    *out = static_cast<IMessageHandler*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }

  LONG OnPing(DWORD word) {
    log.push_back(word);
    return 0;
  }

  std::vector<DWORD> log;
  ULONG count = 1;
};

TARN_DEFINE_EVENT_TABLE(StateTestHandler, TarnEventHandlerT<1>,
                        EvMessage<&StateTestHandler::OnPing>(&TarnConstantId<kStateTestPing>))

// An object that counts its references and is no message.
class StateTestObject final : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IUnknown::iid) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }
  ULONG count = 1;
};

// A counted test message.
class StateTestMessage final : public TestMessage {
 public:
  using TestMessage::TestMessage;
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }
  ULONG count = 1;
};

// Hands out its items one at a time, each with a reference; counts its own.
class StateTestEnumeration final : public IEnumUnknown {
 public:
  explicit StateTestEnumeration(std::vector<IUnknown*> items) : m_items(std::move(items)) {}
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }
  HRESULT Next(ULONG n, IUnknown** out, ULONG* fetched) override {
    ULONG given = 0;
    for (; given < n && m_next < m_items.size(); ++given) {
      out[given] = m_items[m_next++];
      out[given]->AddRef();
    }
    *fetched = given;
    return given == n ? S_OK : S_FALSE;
  }
  HRESULT Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT Reset() override { return E_NOTIMPL; }
  HRESULT Clone(IEnumUnknown**) override { return E_NOTIMPL; }
  ULONG count = 0;

 private:
  std::vector<IUnknown*> m_items;
  size_t m_next = 0;
};

class StateTestStore final : public IPendrelPersistMessages {
 public:
  explicit StateTestStore(StateTestEnumeration* items) : m_items(items) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IUnknown::iid && iid != IPendrelPersistMessages::iid) return E_NOINTERFACE;
    *out = static_cast<IPendrelPersistMessages*>(this);
    return S_OK;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  HRESULT EnumMessagesOfClass(DWORD classId, IEnumUnknown** messages) override {
    askedClasses.push_back(classId);
    m_items->AddRef();
    *messages = m_items;
    return S_OK;
  }
  std::vector<DWORD> askedClasses;

 private:
  StateTestEnumeration* m_items;
};

using StateMessages = HostFrameworkTest;

TEST_F(StateMessages, StoredMessagesReplayInOrderSkippingWhatIsNoMessage) {
  StateTestMessage first(kStateTestPing, 0, {1}), second(kStateTestPing, 0, {2}),
      other(kStateTestPing + 1, 0, {3});
  StateTestObject notAMessage;
  StateTestEnumeration items({&first, &notAMessage, &other, &second});
  StateTestStore store(&items);
  StateTestHandler handler;
  handler.HandleMessagesOfType(&store);

  EXPECT_EQ(handler.log, (std::vector<DWORD>{1, 2}));
  EXPECT_EQ(store.askedClasses, std::vector<DWORD>{GetTarnGuidId(GUID_TarnStateMessageClass)});
  // The enumeration and every item are given back.
  EXPECT_EQ(items.count, 0u);
  for (const ULONG count : {first.count, second.count, other.count, notAMessage.count}) {
    EXPECT_EQ(count, 1u);
  }
}

TEST_F(StateMessages, AnEmptyOrMissingSourceReplaysNothing) {
  StateTestEnumeration none({});
  StateTestStore store(&none);
  StateTestObject notAStore;
  StateTestHandler handler;
  handler.HandleMessagesOfType(&store);
  handler.HandleMessagesOfType(&notAStore);
  handler.HandleMessagesOfType(nullptr);
  EXPECT_TRUE(handler.log.empty());
  EXPECT_EQ(none.count, 0u);
  EXPECT_EQ(notAStore.count, 1u);
}

#pragma pack(push, 1)
struct StateTestRecord {
  DWORD type;
  DWORD header;
  DWORD signature;
  IQuorString* name;
  double value;
  DWORD flag;
};
#pragma pack(pop)

// What reached the root: the delivered message's parts and its packed bytes.
class StateTestRoot final : public TarnMessageHandler {
 public:
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  LONG HandleMessage(IMessage* message) override {
    parts = Tarn::StateOfMessage(message);
    DWORD bytes = 0;
    const auto* data = static_cast<const unsigned char*>(message->GetData(&bytes));
    packed.assign(data, data + bytes);
    return 1;
  }
  std::optional<Tarn::StateMessageParts> parts;
  std::vector<unsigned char> packed;
};

TEST_F(StateMessages, TheRecordAndItsObjectReachTheHostWithTheMode) {
  const Quor::String name(u"plot A");
  IQuorString* text = name.GetInterface();
  const StateTestRecord record{0x00790004, 32, 0x137, text, 2.5, 1};
  IMessage* object = nullptr;
  ASSERT_EQ(GetTarnSharedService()->CreateMessageObject(0x00790004, text, GUID_TarnCore, &object),
            S_OK);
  StateTestRoot root;
  EXPECT_EQ(root.CreateAndSend2(&root, &record, sizeof record, object, 0x100000), S_OK);
  object->Release();

  ASSERT_TRUE(root.parts);
  EXPECT_EQ(root.parts->id, 0x00790004u);
  EXPECT_EQ(root.parts->flags, 0x100000u);
  EXPECT_EQ(root.parts->objectType, 0x00790004u);
  EXPECT_EQ(root.parts->objectName, u"plot A");
  // The record comes back byte for byte, its text a copy the host holds.
  ASSERT_EQ(root.packed.size(), sizeof record);
  StateTestRecord delivered;
  std::memcpy(&delivered, root.packed.data(), sizeof delivered);
  EXPECT_EQ(std::memcmp(&delivered, &record, offsetof(StateTestRecord, name)), 0);
  const double value = delivered.value;
  const DWORD flag = delivered.flag;
  IQuorString* const copied = delivered.name;
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(flag, 1u);
  EXPECT_NE(copied, text);
  EXPECT_EQ(root.parts->record.fields[0].text, u"plot A");
  text->Release();
  EXPECT_EQ(Tarn::CountCalls("MessageValueService.CreateMessage"), 1u);
}

TEST_F(StateMessages, ADisabledSenderOrABadRecordSendsNothing) {
  const StateTestRecord record{0x00790004, 32, 0x31, nullptr, 1.0, 0};
  StateTestRoot root;
  IMessage* object = nullptr;
  ASSERT_EQ(GetTarnSharedService()->CreateMessageObject(1, nullptr, GUID_TarnCore, &object), S_OK);
  root.SetEnabled(false);
  EXPECT_EQ(root.CreateAndSend2(&root, &record, 24, object, 0x20), E_FAIL);
  EXPECT_EQ(root.CreateAndSend(&root, {kStateTestPing, 0, nullptr, 0}), E_FAIL);
  EXPECT_EQ(Tarn::CountCalls("MessageValueService.CreateMessage"), 0u);
  root.SetEnabled(true);
  // Shorter than its signature, or naming a field kind no record has.
  EXPECT_EQ(root.CreateAndSend2(&root, &record, 20, object, 0x20), E_INVALIDARG);
  StateTestRecord unknown = record;
  unknown.signature = 0x35;
  EXPECT_EQ(root.CreateAndSend2(&root, &unknown, sizeof unknown, object, 0x20), E_INVALIDARG);
  EXPECT_FALSE(root.parts);
  EXPECT_EQ(root.CreateAndSend2(&root, &record, 24, object, 0x20), S_OK);
  ASSERT_TRUE(root.parts);
  EXPECT_EQ(root.parts->record.fields.size(), 2u);
  object->Release();
}

}  // namespace
