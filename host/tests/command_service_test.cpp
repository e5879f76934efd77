// The command service routes commands, state queries and command notices to the handlers that
// modules connect to command ids.
#include "host/tests/host_test.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/pendrel/commands.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

// Notes each call and answers with its preset result.
class FakeCommandHandler final : public SimpleUnknownImp1<ITarnCommandHandler, 1> {
 public:
  explicit FakeCommandHandler(LONG answer = 0) : m_answer(answer) {}

  LONG OnCommand(DWORD id) override {
    calls.push_back("command " + std::to_string(id));
    if (onCommand) onCommand();
    return m_answer;
  }
  LONG OnCommandEnable(DWORD id, ITarnCommandState* state) override {
    calls.push_back("enable " + std::to_string(id));
    state->Enable(VARIANT_TRUE);
    return m_answer;
  }
  LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) override {
    calls.push_back("notify " + std::to_string(id) + " " + std::to_string(kind) + " " +
                    std::to_string(a) + " " + std::to_string(b));
    return m_answer;
  }

  std::vector<std::string> calls;
  std::function<void()> onCommand;

 private:
  LONG m_answer;
};

class FakeCommandState final : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override {
    enabled = enable;
    return S_OK;
  }
  HRESULT SetCheck(LONG) override { return S_OK; }
  HRESULT SetText(IQuorString*) override { return S_OK; }

  VARIANT_BOOL enabled = VARIANT_FALSE;
};

class CommandFixture : public HostFixture {
 protected:
  HeldReference<ITarnCommandService> commands = HostObject<ITarnCommandService>(kTarnTypeCommandService);

  HeldReference<ITarnCommand> Add(DWORD id, ITarnCommandHandler* handler) {
    ITarnCommand* command = nullptr;
    EXPECT_EQ(commands->AddCommand(id, handler, &command), S_OK);
    return HeldReference<ITarnCommand>(command);
  }
};

using CommandService = CommandFixture;

TEST_F(CommandService, RoutesEachKindOfCallToTheCommandsHandler) {
  HeldReference<FakeCommandHandler> handler(new FakeCommandHandler(0));
  HeldReference<FakeCommandHandler> other(new FakeCommandHandler(0));
  auto command = Add(11, handler.get());
  auto otherCommand = Add(12, other.get());
  DWORD id = 0;
  command->GetId(&id);
  EXPECT_EQ(id, 11u);

  HeldReference<FakeCommandState> state(new FakeCommandState);
  LONG result = -1;
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_OK);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(commands->QueryCommandState(11, state.get(), &result), S_OK);
  EXPECT_EQ(state->enabled, VARIANT_TRUE);
  EXPECT_EQ(commands->NotifyCommand(11, 7, 5, 9, &result), S_OK);
  EXPECT_EQ(handler->calls, (std::vector<std::string>{"command 11", "enable 11", "notify 11 7 5 9"}));
  EXPECT_TRUE(other->calls.empty());
}

TEST_F(CommandService, PassesOnTheHandlersAnswerAndReportsUnknownCommandsAsNotHandled) {
  HeldReference<FakeCommandHandler> declines(new FakeCommandHandler(1));
  auto command = Add(11, declines.get());
  LONG result = -1;
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_OK);
  EXPECT_EQ(result, 1);
  result = -1;
  EXPECT_EQ(commands->ExecuteCommand(99, &result), S_FALSE);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(commands->NotifyCommand(99, 0, 0, 0, &result), S_FALSE);
  EXPECT_EQ(commands->ExecuteCommand(11, nullptr), E_POINTER);
}

TEST_F(CommandService, HoldsTheHandlerUntilTheCommandIsRemovedOrReplaced) {
  HeldReference<FakeCommandHandler> first(new FakeCommandHandler);
  HeldReference<FakeCommandHandler> second(new FakeCommandHandler);
  auto command = Add(11, first.get());
  EXPECT_EQ(References(first.get()), 2u);
  // The same id again: the new handler takes the command over.
  auto replacing = Add(11, second.get());
  EXPECT_EQ(References(first.get()), 1u);
  LONG result = -1;
  commands->ExecuteCommand(11, &result);
  EXPECT_TRUE(first->calls.empty());
  EXPECT_EQ(second->calls.size(), 1u);

  EXPECT_EQ(commands->RemoveCommand(command.get()), S_FALSE);
  EXPECT_EQ(commands->RemoveCommand(replacing.get()), S_OK);
  EXPECT_EQ(References(second.get()), 1u);
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_FALSE);
}

TEST_F(CommandService, AHandlerMayRemoveItsOwnCommandWhileRunningIt) {
  auto* handler = new FakeCommandHandler;
  auto command = Add(11, handler);
  handler->onCommand = [&] { commands->RemoveCommand(command.get()); };
  handler->Release();
  LONG result = -1;
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_OK);
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_FALSE);
}

TEST_F(CommandService, AStateQueryWithoutAStateRecordsWhatTheHandlerSets) {
  HeldReference<FakeCommandHandler> handler(new FakeCommandHandler);
  auto command = Add(11, handler.get());
  Tarn::ClearRecordedCalls();
  LONG result = -1;
  EXPECT_EQ(commands->QueryCommandState(11, nullptr, &result), S_OK);
  EXPECT_EQ(Tarn::RecordedCallTexts(),
            (std::vector<std::string>{"CommandService.QueryCommandState(id=0x0000000B, state=null)",
                                      "CommandState.Enable(enable=-1)"}));
}

TEST_F(CommandService, EachNamedGuidHasACommandServiceOfItsOwnThatRoutesHere) {
  static const GUID first = win32::ParseGuid("2e8a4c61-7b03-4d9f-a1c5-6f0e3b9d7a21");
  static const GUID second = win32::ParseGuid("2e8a4c61-7b03-4d9f-a1c5-6f0e3b9d7a22");
  static const GUID unnamed = win32::ParseGuid("2e8a4c61-7b03-4d9f-a1c5-6f0e3b9d7a23");
  WORD id = 0;
  Framework<ITarnIdRegistry>()->GetGuidId(first, &id);
  Framework<ITarnIdRegistry>()->GetGuidId(second, &id);
  auto serviceOf = [&](REFGUID guid, HRESULT expected) {
    IUnknown* service = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(commands->QueryCommandService(guid, 5, nullptr, &service), expected);
    return HeldReference<IUnknown>(service);
  };
  auto firstService = serviceOf(first, S_OK);
  ASSERT_TRUE(firstService);
  EXPECT_EQ(serviceOf(first, S_OK).get(), firstService.get());
  EXPECT_NE(serviceOf(second, S_OK).get(), firstService.get());
  EXPECT_EQ(serviceOf(unnamed, E_INVALIDARG), nullptr);
  EXPECT_EQ(commands->QueryCommandService(first, 5, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(Tarn::RecordedCallTexts().back(),
            "CommandService.QueryCommandService(guid={2e8a4c61-7b03-4d9f-a1c5-6f0e3b9d7a21}, "
            "argument=0x00000005, classObject=null)");

  // A command added through a GUID's service is routed by the host's menus.
  ITarnCommandService* scoped = nullptr;
  ASSERT_EQ(firstService->QueryInterface(ITarnCommandService::iid,
                                         reinterpret_cast<void**>(&scoped)), S_OK);
  HeldReference<ITarnCommandService> heldScoped(scoped);
  HeldReference<FakeCommandHandler> handler(new FakeCommandHandler);
  ITarnCommand* command = nullptr;
  ASSERT_EQ(scoped->AddCommand(11, handler.get(), &command), S_OK);
  HeldReference<ITarnCommand> heldCommand(command);
  LONG result = -1;
  EXPECT_EQ(commands->ExecuteCommand(11, &result), S_OK);
  EXPECT_EQ(handler->calls, (std::vector<std::string>{"command 11"}));
}

}  // namespace
}  // namespace HostTest
