#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostframework/event_handler.h"
#include "hostframework/tests/test_message.h"
#include "platform/win32/com_object.h"

namespace {

using Calls = std::vector<std::string>;

// A COM handler whose table exercises every kind of entry.
class BaseHandler : public TarnEventHandlerT<1> {
  TARN_DECLARE_EVENT_TABLE();

 public:
  HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG AddRef() override { return ++m_count; }
  ULONG Release() override {
    const ULONG count = --m_count;
    if (count == 0) delete this;
    return count;
  }

  Calls calls;

  void OnExact() { calls.push_back("exact"); }
  void OnRange() { calls.push_back("range"); }
  void OnStated() { calls.push_back("stated"); }
  void OnStateQuery(TarnCommandState& state) {
    calls.push_back("state");
    state.SetCheck(1);
  }
  LONG OnNotifyOne(DWORD a) { return LONG(a + 1); }
  LONG OnNotifyTwo(DWORD a, DWORD b) { return LONG(a * b); }
  void OnNotice(DWORD first, DWORD second) {
    calls.push_back("notice " + std::to_string(first) + " " + std::to_string(second));
  }
  LONG OnExactMessage() {
    calls.push_back("exact message");
    return 0;
  }
  LONG OnAnyOfFamily(DWORD word) {
    calls.push_back("family " + std::to_string(word));
    return 0;
  }
  LONG OnDeclined() {
    calls.push_back("declined");
    return 1;  // not handled: the children are asked
  }
  LONG OnOverridden() {
    calls.push_back("base overridden");
    return 0;
  }

 protected:
  ~BaseHandler() override = default;

 private:
  ULONG m_count = 1;
};

TARN_DEFINE_EVENT_TABLE(BaseHandler, TarnEventHandlerT<1>,
                        EvCommand<&BaseHandler::OnExact>(&TarnConstantId<10>),
                        EvCommand<&BaseHandler::OnExact>(&TarnConstantId<11>),
                        EvCommandRange<&BaseHandler::OnRange>(&TarnConstantId<100>,
                                                              &TarnConstantId<110>),
                        EvCommand<&BaseHandler::OnStated>(&TarnConstantId<20>),
                        EvCommandState<&BaseHandler::OnStateQuery>(&TarnConstantId<20>),
                        EvCommandNotify<&BaseHandler::OnNotifyOne>(&TarnConstantId<30>),
                        EvCommandNotify<&BaseHandler::OnNotifyTwo>(&TarnConstantId<31>),
                        EvNotice<&BaseHandler::OnNotice>(&TarnConstantId<0x00420007>),
                        EvMessage<&BaseHandler::OnExactMessage>(&TarnConstantId<0x00500100>),
                        EvMessage<&BaseHandler::OnAnyOfFamily>(&TarnConstantId<0x00600000>, 0),
                        EvMessage<&BaseHandler::OnDeclined>(&TarnConstantId<0x00700001>),
                        EvMessage<&BaseHandler::OnOverridden>(&TarnConstantId<0x00800001>))

class DerivedHandler : public BaseHandler {
  TARN_DECLARE_EVENT_TABLE();

 public:
  void OnDerivedExact() { calls.push_back("derived exact"); }
  LONG OnOverriding() {
    calls.push_back("derived overriding");
    return 0;
  }
};

TARN_DEFINE_EVENT_TABLE(DerivedHandler, BaseHandler,
                        EvCommand<&DerivedHandler::OnDerivedExact>(&TarnConstantId<11>),
                        EvMessage<&DerivedHandler::OnOverriding>(&TarnConstantId<0x00800001>))

class EmptyHandler : public BaseHandler {
  TARN_DECLARE_EVENT_TABLE();
};
TARN_DEFINE_EVENT_TABLE(EmptyHandler, TarnEventHandlerT<1>)

class RecordingState : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override {
    enabled = enable == VARIANT_TRUE;
    return S_OK;
  }
  HRESULT SetCheck(LONG value) override {
    check = value;
    return S_OK;
  }
  HRESULT SetText(IQuorString*) override { return S_OK; }
  bool enabled = false;
  LONG check = 0;
};

class RecordingRegistrar : public SimpleUnknownImp1<ITarnEventRegistrar, 1> {
 public:
  HRESULT Subscribe(IObserver*, DWORD eventId, DWORD) override {
    events.push_back(eventId);
    return S_OK;
  }
  std::vector<DWORD> events;
};

TEST(EventTable, CommandsMatchExactIdsAndHalfOpenRanges) {
  auto* handler = new DerivedHandler;
  struct Case {
    DWORD id;
    LONG result;
    const char* call;
  } cases[] = {
      {10, 0, "exact"},   {11, 0, "derived exact"},  // the derived class's table wins
      {100, 0, "range"},  {109, 0, "range"},
      {110, 1, nullptr},  {99, 1, nullptr},
      {12, 1, nullptr},
  };
  for (const Case& c : cases) {
    handler->calls.clear();
    EXPECT_EQ(handler->OnCommand(c.id), c.result) << c.id;
    EXPECT_EQ(handler->calls, c.call ? Calls{c.call} : Calls{}) << c.id;
  }
  handler->Release();
}

TEST(EventTable, CommandStateFallsBackToEnablingAKnownCommand) {
  auto* handler = new DerivedHandler;
  RecordingState state;
  EXPECT_EQ(handler->OnCommandEnable(20, &state), 0);
  EXPECT_EQ(handler->calls, Calls{"state"});
  EXPECT_EQ(state.check, 1);
  EXPECT_FALSE(state.enabled);

  EXPECT_EQ(handler->OnCommandEnable(10, &state), 0);
  EXPECT_TRUE(state.enabled);

  RecordingState unknown;
  EXPECT_EQ(handler->OnCommandEnable(55, &unknown), 1);
  EXPECT_FALSE(unknown.enabled);
  handler->Release();
}

TEST(EventTable, CommandNotificationsReturnTheMembersResult) {
  auto* handler = new DerivedHandler;
  EXPECT_EQ(handler->OnCommandNotify(30, kTarnEventCommandNotify1, 41, 0), 42);
  EXPECT_EQ(handler->OnCommandNotify(31, kTarnEventCommandNotify2, 6, 7), 42);
  EXPECT_EQ(handler->OnCommandNotify(31, kTarnEventCommandNotify1, 6, 7), 1);  // wrong kind
  EXPECT_EQ(handler->OnCommandNotify(32, kTarnEventCommandNotify1, 6, 7), 1);
  handler->Release();
}

TEST(EventTable, NoticesAreRegisteredAndDispatchedWithTheirWords) {
  auto* handler = new DerivedHandler;
  RecordingRegistrar registrar;
  EXPECT_EQ(handler->RegisterEvents(&registrar), 0);
  EXPECT_EQ(registrar.events, std::vector<DWORD>{0x00420007});
  const DWORD block[2] = {5, 9};
  EXPECT_EQ(handler->OnNotify(nullptr, 0x00420007, 0, block), 0);
  EXPECT_EQ(handler->OnNotify(nullptr, 0x00420008, 0, block), 0);
  EXPECT_EQ(handler->calls, Calls{"notice 5 9"});
  handler->Release();
}

TEST(EventTable, MessagesMatchUnderTheirMask) {
  auto* handler = new DerivedHandler;
  struct Case {
    DWORD id;
    std::vector<DWORD> words;
    LONG handled;
    const char* call;
  } cases[] = {
      {0x00500100, {}, 1, "exact message"},
      {0x00500101, {}, 0, nullptr},  // mask 0xFFFF: only the exact id
      {0x00600000, {3}, 1, "family 3"},
      {0x0060ABCD, {4}, 1, "family 4"},  // mask 0: any message of the high word
      {0x00610000, {}, 0, nullptr},
      {0x00700001, {}, 0, "declined"},
      {0x00800001, {}, 1, "derived overriding"},
  };
  for (const Case& c : cases) {
    handler->calls.clear();
    TestMessage message(c.id, 0, c.words);
    EXPECT_EQ(handler->HandleMessage(&message), c.handled) << std::hex << c.id;
    EXPECT_EQ(handler->calls, c.call ? Calls{c.call} : Calls{}) << std::hex << c.id;
  }
  handler->Release();
}

TEST(EventTable, AHandlerDoesNotHandleItsOwnMessageWhenFlaggedSo) {
  auto* handler = new DerivedHandler;
  TestMessage flagged(0x00500100, kTarnMessageNotForSender);
  flagged.SetSender(handler);
  EXPECT_EQ(handler->HandleMessage(&flagged), 0);
  TestMessage plain(0x00500100, 0);
  plain.SetSender(handler);
  EXPECT_EQ(handler->HandleMessage(&plain), 1);
  TestMessage fromElsewhere(0x00500100, kTarnMessageNotForSender);
  EXPECT_EQ(handler->HandleMessage(&fromElsewhere), 1);
  handler->Release();
}

TEST(EventTable, ATableWithoutEntriesResolvesAndFindsNothing) {
  auto* handler = new EmptyHandler;
  EXPECT_EQ(handler->OnCommand(10), 1);
  TestMessage message(0x00500100, 0);
  EXPECT_EQ(handler->HandleMessage(&message), 0);
  RecordingRegistrar registrar;
  handler->RegisterEvents(&registrar);
  EXPECT_TRUE(registrar.events.empty());
  handler->Release();
}

}  // namespace
