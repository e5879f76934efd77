#include "core/inter_thread_notifier.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "platform/win32/message_queue.h"

namespace {

class Adder : public Quor::InterThreadNotifier {
 public:
  LRESULT OnNotify(WPARAM first, LPARAM second) override {
    lastThread = GetCurrentThreadId();
    return LRESULT(first) + second;
  }
  std::atomic<DWORD> lastThread{0};
};

TEST(InterThreadNotifier, ACallFromTheOwningThreadRunsDirectly) {
  Adder adder;
  EXPECT_EQ(adder.Notify(2, 3), 5);
  EXPECT_EQ(adder.lastThread, GetCurrentThreadId());
}

TEST(InterThreadNotifier, ACallFromAnotherThreadRunsOnTheOwnersThread) {
  Adder adder;
  auto result = std::async(std::launch::async, [&] { return adder.Notify(40, 2); });
  // The owner's thread runs the call while it waits for the answer.
  ASSERT_TRUE(win32::WaitDispatchingSentMessages(
      [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10'000));
  EXPECT_EQ(result.get(), 42);
  EXPECT_EQ(adder.lastThread, GetCurrentThreadId());
}

TEST(InterThreadNotifier, TheWindowGoesWithTheOwnerAndOtherMessagesTakeDefaults) {
  HWND window;
  {
    Adder adder;
    window = adder.WindowHandle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & LONG(WS_POPUP), LONG(WS_POPUP));
    EXPECT_EQ(SendMessageW(window, WM_USER + 3, 1, 2), 0);
    EXPECT_TRUE(SetWindowTextW(window, u"default processing"));
    EXPECT_EQ(GetWindowTextLengthW(window), 18);
  }
  EXPECT_FALSE(IsWindow(window));
}

TEST(InterThreadNotifier, TheLockHolderLeavesOnceAndThenHoldsNothing) {
  CRITICAL_SECTION section;
  InitializeCriticalSection(&section);
  {
    CritSecLock lock(&section);
    lock.Unlock();
    lock.Unlock();
    // Left: another thread can enter now.
    std::thread other([&] {
      EXPECT_TRUE(TryEnterCriticalSection(&section));
      LeaveCriticalSection(&section);
    });
    other.join();
  }
  DeleteCriticalSection(&section);
}

}  // namespace
