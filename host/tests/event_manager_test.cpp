// The event manager keeps the observers of each subject and passes notices to those that want
// them, without keeping any of them alive.
#include "host/tests/host_test.h"

#include <functional>
#include <string>
#include <vector>

#include "platform/pendrel/events.h"
#include "platform/win32/com_object.h"

namespace HostTest {
namespace {

class FakeSubject final : public SimpleUnknownImp1<ISubject, 1> {
 public:
  HRESULT AttachObserver(IObserver*, DWORD) override { return E_NOTIMPL; }
  HRESULT DetachObserver(IObserver*) override { return E_NOTIMPL; }
  HRESULT DetachAllObservers(DWORD) override { return E_NOTIMPL; }
  HRESULT Notify(DWORD, LONG_PTR, const void*) override { return E_NOTIMPL; }
};

// Notes each notice it hears in a list shared by the test's observers.
class FakeObserver final : public SimpleUnknownImp1<IObserver, 1> {
 public:
  FakeObserver(std::string name, std::vector<std::string>* heard, std::vector<DWORD> wanted = {})
      : m_name(std::move(name)), m_heard(heard), m_wanted(std::move(wanted)) {}

  LONG RegisterEvents(ITarnEventRegistrar* registrar) override {
    ++registrations;
    for (DWORD id : m_wanted) registrar->Subscribe(this, id, 0);
    return 0;
  }
  LONG OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void*) override {
    m_heard->push_back(m_name + ":" + std::to_string(eventId));
    if (onNotify) onNotify();
    return 0;
  }

  int registrations = 0;
  std::function<void()> onNotify;

 private:
  std::string m_name;
  std::vector<std::string>* m_heard;
  std::vector<DWORD> m_wanted;
};

using EventManager = HostFixture;

TEST_F(EventManager, ObserversHearWhatTheirMaskAndSubscriptionsAsk) {
  struct Case {
    const char* what;
    DWORD mask;
    std::vector<DWORD> subscribed;
    DWORD event;
    bool heard;
  };
  const Case cases[] = {
      {"mask 0 hears everything", 0, {5}, 7, true},
      {"a subscribed event", 1, {5, 6}, 6, true},
      {"an event not subscribed", 1, {5, 6}, 7, false},
      {"no subscriptions hear everything", 0x10, {}, 7, true},
  };
  auto manager = Framework<ITarnEventManager>();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> heard;
    HeldReference<FakeSubject> subject(new FakeSubject);
    HeldReference<FakeObserver> observer(new FakeObserver("o", &heard, c.subscribed));
    ASSERT_EQ(manager->AttachObserver(subject.get(), observer.get(), c.mask), S_OK);
    EXPECT_EQ(observer->registrations, 1);
    manager->Notify(subject.get(), c.event, 0, nullptr);
    EXPECT_EQ(heard.size(), c.heard ? 1u : 0u);
    manager->ForgetSubject(subject.get());
  }
}

TEST_F(EventManager, NotifiesTheSubjectsObserversInTheOrderTheyCame) {
  auto manager = Framework<ITarnEventManager>();
  std::vector<std::string> heard;
  HeldReference<FakeSubject> subject(new FakeSubject);
  HeldReference<FakeSubject> otherSubject(new FakeSubject);
  HeldReference<FakeObserver> first(new FakeObserver("first", &heard));
  HeldReference<FakeObserver> second(new FakeObserver("second", &heard));
  HeldReference<FakeObserver> elsewhere(new FakeObserver("elsewhere", &heard));
  manager->AttachObserver(subject.get(), second.get(), 0);
  manager->AttachObserver(subject.get(), first.get(), 0);
  manager->AttachObserver(otherSubject.get(), elsewhere.get(), 0);
  // Attaching again renews the entry rather than adding one.
  manager->AttachObserver(subject.get(), second.get(), 0);

  manager->Notify(subject.get(), 4, 0, nullptr);
  EXPECT_EQ(heard, (std::vector<std::string>{"second:4", "first:4"}));

  heard.clear();
  EXPECT_EQ(manager->DetachObserver(subject.get(), second.get()), S_OK);
  EXPECT_EQ(manager->DetachObserver(subject.get(), second.get()), S_FALSE);
  manager->Notify(subject.get(), 5, 0, nullptr);
  EXPECT_EQ(heard, std::vector<std::string>{"first:5"});

  heard.clear();
  manager->DetachAllObservers(subject.get(), 0);
  manager->Notify(subject.get(), 6, 0, nullptr);
  manager->Notify(otherSubject.get(), 6, 0, nullptr);
  EXPECT_EQ(heard, std::vector<std::string>{"elsewhere:6"});
}

// The objects here are deleted by their own last release while the manager still lists them:
// a reference held by the manager would leak them, and a notice to a forgotten one would
// reach freed memory.
TEST_F(EventManager, HoldsNoReferencesAndForgetsWhatGoes) {
  auto manager = Framework<ITarnEventManager>();
  std::vector<std::string> heard;
  auto* subject = new FakeSubject;
  auto* observer = new FakeObserver("observer", &heard);
  auto* leaving = new FakeObserver("leaving", &heard);
  manager->AttachObserver(subject, observer, 0);
  manager->AttachObserver(subject, leaving, 0);
  EXPECT_EQ(References(subject), 1u);
  EXPECT_EQ(References(observer), 1u);

  // As an observer proxy does from its destructor.
  manager->RemoveObserver(leaving);
  leaving->Release();
  manager->Notify(subject, 1, 0, nullptr);
  EXPECT_EQ(heard, std::vector<std::string>{"observer:1"});

  // As a subject does from its destructor.
  manager->ForgetSubject(subject);
  subject->Release();
  observer->Release();
}

TEST_F(EventManager, AnObserverThatDetachesAnotherDuringANoticeSparesIt) {
  auto manager = Framework<ITarnEventManager>();
  std::vector<std::string> heard;
  HeldReference<FakeSubject> subject(new FakeSubject);
  HeldReference<FakeObserver> first(new FakeObserver("first", &heard));
  auto* second = new FakeObserver("second", &heard);
  first->onNotify = [&] {
    manager->RemoveObserver(second);
    second->Release();
  };
  manager->AttachObserver(subject.get(), first.get(), 0);
  manager->AttachObserver(subject.get(), second, 0);
  manager->Notify(subject.get(), 3, 0, nullptr);
  EXPECT_EQ(heard, std::vector<std::string>{"first:3"});
}

TEST_F(EventManager, RecordsSubscriptionsUnderTheAttachment) {
  auto manager = Framework<ITarnEventManager>();
  std::vector<std::string> heard;
  HeldReference<FakeSubject> subject(new FakeSubject);
  HeldReference<FakeObserver> observer(new FakeObserver("o", &heard, {0x01000004}));
  Tarn::ClearRecordedCalls();
  manager->AttachObserver(subject.get(), observer.get(), 1);
  EXPECT_EQ(Tarn::RecordedCallTexts(),
            (std::vector<std::string>{
                "EventManager.AttachObserver(mask=0x00000001)",
                "EventRegistrar.Subscribe(observer=set, event=0x01000004, flags=0x00000000)"}));
  EXPECT_EQ(manager->AttachObserver(nullptr, observer.get(), 0), E_POINTER);
  EXPECT_EQ(manager->Notify(nullptr, 1, 0, nullptr), E_POINTER);
}

}  // namespace
}  // namespace HostTest
