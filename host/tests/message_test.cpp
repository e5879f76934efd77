// Messages: the objects the host makes, their delivery to a handler and the message classes
// the host finds by name.
#include "host/tests/host_test.h"

#include <cstring>

#include "platform/pendrel/framework_services.h"
#include "platform/pendrel/messages.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

HeldReference<IMessage> NewMessage(DWORD id, DWORD flags, const void* parameters, DWORD bytes) {
  IMessage* message = nullptr;
  EXPECT_EQ(HostObject<ITarnMessageValueService>(kTarnTypeMessageValueService)
                ->CreateMessage(id, flags, 0, 0, 0, parameters, bytes, &message),
            S_OK);
  return HeldReference<IMessage>(message);
}

std::vector<DWORD> WordsOf(IMessage* message) {
  DWORD bytes = 0;
  const void* data = message->GetData(&bytes);
  std::vector<DWORD> words(bytes / sizeof(DWORD));
  if (data) std::memcpy(words.data(), data, bytes);
  return words;
}

class FakeHandler final : public SimpleUnknownImp1<IMessageHandler, 1> {
 public:
  explicit FakeHandler(LONG answer) : m_answer(answer) {}
  LONG HandleMessage(IMessage* message) override {
    received = message;
    return m_answer;
  }
  HRESULT AddHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT RemoveHandler(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
  HRESULT GetSender(IMessageHandler**) override { return E_NOTIMPL; }

  IMessage* received = nullptr;

 private:
  LONG m_answer;
};

class FakeMessageClass final : public SimpleUnknownImp1<IMsgIdMessageClassObject, 1> {
 public:
  explicit FakeMessageClass(const char16_t* name) : m_name(name) {}
  DWORD GetMessageId() override { return 0x01000100; }
  HRESULT GetName(IQuorString** name) override {
    *name = m_name.GetInterface();
    return S_OK;
  }
  HRESULT GetDescription(IQuorString**) override { return E_NOTIMPL; }
  HRESULT GetCategory(IQuorString**) override { return E_NOTIMPL; }
  HRESULT IsPublic(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT HasParameters(DWORD*) override { return E_NOTIMPL; }
  HRESULT CreateFromArguments(const DISPPARAMS*, IMessage**) override { return E_NOTIMPL; }
  HRESULT WriteTextForm(IMessage*, ITarnTextLineWriter*, DWORD) override { return E_NOTIMPL; }
  HRESULT ToText(IMessage*, IQuorString**, DWORD) override { return E_NOTIMPL; }
  HRESULT WriteHelpText(ITarnTextLineWriter*, DWORD) override { return E_NOTIMPL; }

 private:
  Quor::String m_name;
};

using Messages = HostFixture;

TEST_F(Messages, KeepAPrivateCopyOfTheirParameters) {
  DWORD parameters[] = {7, 8, 9};
  auto message = NewMessage(0x01000101, 8, parameters, sizeof parameters);
  parameters[0] = 70;
  EXPECT_EQ(message->GetMessageId(), 0x01000101u);
  EXPECT_EQ(message->GetFlags(), 8u);
  EXPECT_EQ(WordsOf(message.get()), (std::vector<DWORD>{7, 8, 9}));

  DWORD bytes = 99;
  EXPECT_EQ(NewMessage(0x01000101, 0, nullptr, 0)->GetData(&bytes), nullptr);
  EXPECT_EQ(bytes, 0u);
  IMessage* refused = nullptr;
  EXPECT_EQ(HostObject<ITarnMessageValueService>(kTarnTypeMessageValueService)
                ->CreateMessage(1, 0, 0, 0, 0, nullptr, 4, &refused),
            E_INVALIDARG);
  EXPECT_EQ(refused, nullptr);
}

TEST_F(Messages, KnowTheirSenderButClonesStartWithout) {
  HeldReference<FakeHandler> sender(new FakeHandler(0));
  HeldReference<FakeHandler> other(new FakeHandler(0));
  const DWORD parameters[] = {5};
  auto message = NewMessage(0x01000102, 8, parameters, sizeof parameters);
  BOOL isSender = TRUE;
  message->IsSender(nullptr, &isSender);
  EXPECT_FALSE(isSender);

  message->SetSender(sender.get());
  message->IsSender(sender.get(), &isSender);
  EXPECT_TRUE(isSender);
  message->IsSender(other.get(), &isSender);
  EXPECT_FALSE(isSender);
  // The sender is not held: the message only tells whether it came from there.
  EXPECT_EQ(References(sender.get()), 1u);

  IMessage* clone = nullptr;
  ASSERT_EQ(message->Clone(&clone), S_OK);
  HeldReference<IMessage> heldClone(clone);
  EXPECT_EQ(clone->GetMessageId(), 0x01000102u);
  EXPECT_EQ(clone->GetFlags(), 8u);
  EXPECT_EQ(WordsOf(clone), std::vector<DWORD>{5});
  clone->IsSender(sender.get(), &isSender);
  EXPECT_FALSE(isSender);

  message->SetSender(nullptr);
  message->IsSender(sender.get(), &isSender);
  EXPECT_FALSE(isSender);
}

TEST_F(Messages, AreNeverStored) {
  auto message = NewMessage(1, 0, nullptr, 0);
  DWORD type = 99;
  EXPECT_EQ(message->Load(nullptr), E_NOTIMPL);
  EXPECT_EQ(message->Save(nullptr), E_NOTIMPL);
  EXPECT_EQ(message->GetTypeId(&type), E_NOTIMPL);
  EXPECT_EQ(type, 0u);
}

TEST_F(Messages, SharedServiceMakesKeysFromTheirTypeAndParameters) {
  auto shared = HostObject<ITarnSharedService>(kTarnTypeSharedService);
  IMessage* key = nullptr;
  ASSERT_EQ(shared->CreateKeyMessage(0x800C0084, 3, 1, &key), S_OK);
  HeldReference<IMessage> heldKey(key);
  EXPECT_EQ(key->GetMessageId(), 0x800C0084u);
  EXPECT_EQ(WordsOf(key), (std::vector<DWORD>{3, 1}));

  IMessage* object = nullptr;
  ASSERT_EQ(shared->CreateMessageObject(0x01000202, Text(u"plot1").get(), GUID_TarnCore, &object), S_OK);
  HeldReference<IMessage> heldObject(object);
  EXPECT_EQ(object->GetMessageId(), 0x01000202u);
  EXPECT_EQ(Tarn::CountCalls("SharedService.CreateMessageObject"), 1u);
}

TEST_F(Messages, DeliveryReportsWhetherTheTargetHandledTheMessage) {
  auto service = Framework<ITarnMessageService>();
  auto message = NewMessage(0x01000100, 0, nullptr, 0);
  HeldReference<FakeHandler> handles(new FakeHandler(1));
  HeldReference<FakeHandler> ignores(new FakeHandler(0));
  Tarn::ClearRecordedCalls();
  EXPECT_EQ(service->DeliverMessage(message.get(), handles.get()), S_OK);
  EXPECT_EQ(handles->received, message.get());
  EXPECT_EQ(service->DeliverMessage(message.get(), ignores.get()), S_FALSE);
  EXPECT_EQ(service->DeliverMessage(nullptr, handles.get()), E_POINTER);
  EXPECT_EQ(service->DeliverMessage(message.get(), nullptr), E_POINTER);
  // The log shows what was delivered, not the host's own look at the message.
  EXPECT_EQ(Tarn::RecordedCallTexts().front(),
            "MessageService.DeliverMessage(id=0x01000100, flags=0x00000000, data=[], target=set)");
  EXPECT_EQ(Tarn::CountCalls("Message.GetMessageId"), 0u);
}

TEST_F(Messages, FactoryFindsClassesByNameWhateverTheCase) {
  auto factory = Framework<ITarnMessageFactory>();
  HeldReference<FakeMessageClass> analyze(new FakeMessageClass(u"Rhyth_Analyze"));
  HeldReference<FakeMessageClass> clear(new FakeMessageClass(u"Rhyth_ClearAnalysis"));
  HeldReference<FakeMessageClass> sameName(new FakeMessageClass(u"RHYTH_ANALYZE"));
  EXPECT_EQ(factory->RegisterMessageClass(analyze.get()), S_OK);
  EXPECT_EQ(factory->RegisterMessageClass(clear.get()), S_OK);
  EXPECT_EQ(factory->RegisterMessageClass(analyze.get()), S_FALSE);
  EXPECT_EQ(factory->RegisterMessageClass(sameName.get()), E_INVALIDARG);

  struct Case {
    const char16_t* name;
    IMsgIdMessageClassObject* found;
  };
  const Case cases[] = {{u"Rhyth_Analyze", analyze.get()},
                        {u"rhyth_analyze", analyze.get()},
                        {u"RHYTH_CLEARANALYSIS", clear.get()},
                        {u"Rhyth_Analyse", nullptr},
                        {u"Rhyth", nullptr},
                        {u"", nullptr}};
  for (const Case& c : cases) {
    IMsgIdMessageClassObject* found = nullptr;
    const HRESULT hr = factory->FindMessageClass(Text(c.name).get(), &found);
    EXPECT_EQ(hr, c.found ? S_OK : REGDB_E_CLASSNOTREG);
    EXPECT_EQ(found, c.found);
    if (found) found->Release();
  }
  EXPECT_EQ(References(analyze.get()), 2u);
}

}  // namespace
}  // namespace HostTest
