// Messages and notices travel through the host to handler trees and event tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/com_object_root.h"
#include "hostframework/cpp_event_handler.h"
#include "hostframework/subject.h"
#include "hostframework/tests/host_fixture.h"

namespace {

constexpr DWORD kPing = 0x00770001;
constexpr DWORD kNotice = 0x00770002;

// A COM handler with a table: it answers kPing messages and kNotice notices.
class TableHandler final : public TarnEventHandlerT<1> {
  TARN_DECLARE_EVENT_TABLE();

 public:
  explicit TableHandler(std::vector<std::string>* log) : m_log(log) {}
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid == IUnknown::iid || iid == IMessageHandler::iid) {
      *out = static_cast<IMessageHandler*>(this);
    } else if (iid == IObserver::iid) {
      *out = static_cast<IObserver*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++m_count; }
  ULONG Release() override {
    const ULONG count = --m_count;
    if (count == 0) {
      m_count = 0xC0000001;
      delete this;
    }
    return count;
  }
  LONG OnPing(DWORD word) {
    m_log->push_back("ping " + std::to_string(word));
    return 0;
  }
  void OnNoticeWords(DWORD a, DWORD b) {
    m_log->push_back("notice " + std::to_string(a) + " " + std::to_string(b));
  }

 private:
  std::vector<std::string>* m_log;
  ULONG m_count = 1;
};

TARN_DEFINE_EVENT_TABLE(TableHandler, TarnEventHandlerT<1>,
                        EvMessage<&TableHandler::OnPing>(&TarnConstantId<kPing>),
                        EvNotice<&TableHandler::OnNoticeWords>(&TarnConstantId<kNotice>))

class Subject final : public TarnSubject {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid != IUnknown::iid && iid != ISubject::iid) return E_NOINTERFACE;
    *out = static_cast<ISubject*>(this);
    return S_OK;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
};

using HostMessages = HostFrameworkTest;

TEST_F(HostMessages, AMessageSentFromALeafReachesTheRootsTable) {
  std::vector<std::string> log;
  auto* root = new TableHandler(&log);
  auto* leaf = new TableHandler(&log);
  root->AddHandler(leaf);
  const DWORD word = 42;
  const TarnMessageDescription ping{kPing, 0, &word, sizeof word};
  IMessageHandler* target = leaf->GetSendTarget();
  EXPECT_EQ(target, root);
  EXPECT_EQ(leaf->CreateAndSend(target, ping), S_OK);
  EXPECT_EQ(log, std::vector<std::string>{"ping 42"});
  EXPECT_EQ(Tarn::CountCalls("MessageService.DeliverMessage"), 1u);
  target->Release();

  // Flagged "not for its sender": the leaf's message is the root's to handle, while the root's
  // own message is handled by nobody, children included.
  log.clear();
  target = leaf->GetSendTarget();
  EXPECT_EQ(leaf->CreateAndSend(target, ping, kTarnMessageNotForSender), S_OK);
  EXPECT_EQ(log, std::vector<std::string>{"ping 42"});
  target->Release();
  log.clear();
  target = root->GetSendTarget();
  EXPECT_EQ(root->CreateAndSend(target, ping, kTarnMessageNotForSender), S_FALSE);
  EXPECT_TRUE(log.empty());
  target->Release();

  leaf->Release();
  root->Release();
}

TEST_F(HostMessages, NoticesReachObserversThatSubscribedThroughTheirTables) {
  std::vector<std::string> log;
  auto* handler = new TableHandler(&log);
  Subject subject;
  ASSERT_EQ(subject.AttachObserver(handler, 1), S_OK);
  const DWORD words[2] = {3, 4};
  subject.Notify(kNotice, 0, words);
  subject.Notify(kNotice + 1, 0, words);
  EXPECT_EQ(log, std::vector<std::string>{"notice 3 4"});
  subject.DetachObserver(handler);
  subject.Notify(kNotice, 0, words);
  EXPECT_EQ(log.size(), 1u);
  handler->Release();
}

// A handler that is not a COM object: a window, say.
class Window : public TarnCppEventHandler {
  TARN_DECLARE_EVENT_TABLE();

 public:
  explicit Window(std::vector<std::string>* log) : m_log(log) {}
  void OnNoticeWords(DWORD a, DWORD) { m_log->push_back("window " + std::to_string(a)); }

 private:
  std::vector<std::string>* m_log;
};

TARN_DEFINE_EVENT_TABLE(Window, TarnCppEventHandler,
                        EvNotice<&Window::OnNoticeWords>(&TarnConstantId<kNotice>))

TEST_F(HostMessages, AProxyServesItsOwnerAndOutlivesItHarmlessly) {
  std::vector<std::string> log;
  Subject subject;
  auto* window = new Window(&log);
  window->ObserveSubject(&subject);
  TarnProxyEventHandler* proxy = window->GetProxy();
  proxy->AddRef();  // the host still holds the proxy when the window goes
  const DWORD words[2] = {9, 0};
  subject.Notify(kNotice, 0, words);
  EXPECT_EQ(log, std::vector<std::string>{"window 9"});

  delete window;
  EXPECT_EQ(proxy->GetOwner(), nullptr);
  subject.Notify(kNotice, 0, words);
  EXPECT_EQ(proxy->OnCommand(5), 0);
  EXPECT_EQ(log.size(), 1u);
  subject.DetachObserver(proxy);
  proxy->Release();  // its destructor takes it off the host's event manager
  EXPECT_GE(Tarn::CountCalls("EventManager.RemoveObserver"), 1u);
}

}  // namespace
