#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

using namespace win32::testing;

namespace {

constexpr UINT kAsk = WM_APP + 1;      // lParam: a window to send kAnswer to, or 0
constexpr UINT kAnswer = WM_APP + 2;
constexpr UINT kWhoSent = WM_APP + 3;

LRESULT AskingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kAsk:
      // Sends back to the asking thread's window while that thread is itself blocked sending.
      return lParam ? 100 + SendMessageW(reinterpret_cast<HWND>(lParam), kAnswer, 0, 0) : 100;
    case kAnswer:
      return 7;
    case kWhoSent:
      return InSendMessage() ? LRESULT(win32::SenderThreadOfCurrentMessage()) : -1;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

LPCWSTR AskingClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = AskingProcedure;
    windowClass.lpszClassName = u"AskingWindow";
    return RegisterClassExW(&windowClass) != 0;
  }();
  EXPECT_TRUE(registered);
  return u"AskingWindow";
}

HWND MakeAskingWindow() { return MakeWindow(WS_POPUP, nullptr, {0, 0, 10, 10}, AskingClass()); }

// A thread that owns one window and pumps its queue until told to stop.
class PumpingThread {
 public:
  PumpingThread() {
    std::promise<HWND> made;
    auto future = made.get_future();
    m_thread = std::thread([this, &made] {
      m_threadId = GetCurrentThreadId();
      made.set_value(MakeAskingWindow());
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
    });
    m_window = future.get();
  }
  ~PumpingThread() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
  }
  HWND window() const { return m_window; }
  DWORD threadId() const { return m_threadId; }

 private:
  std::thread m_thread;
  HWND m_window = nullptr;
  std::atomic<DWORD> m_threadId{0};
};

class CrossThreadSend : public ::testing::Test {
 protected:
  void TearDown() override { win32::SetSendTimeout(m_oldTimeout); }
  DWORD m_oldTimeout = win32::SetSendTimeout(30'000);
};

TEST_F(CrossThreadSend, TwoThreadsSendingToEachOtherBothComplete) {
  const HWND mine = MakeAskingWindow();
  std::promise<HWND> theirsMade;
  std::promise<LRESULT> theirAnswer;
  std::atomic<bool> go{false};
  std::thread other([&] {
    const HWND theirs = MakeAskingWindow();
    theirsMade.set_value(theirs);
    while (!go) std::this_thread::yield();
    // Blocked here in a send to `mine` while this thread's window is asked by the main thread.
    theirAnswer.set_value(SendMessageW(mine, kAsk, 0, 0));
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    DestroyWindow(theirs);
  });
  const HWND theirs = theirsMade.get_future().get();
  go = true;
  // Each handler sends back to the other thread, which is itself blocked in a send.
  EXPECT_EQ(SendMessageW(theirs, kAsk, 0, reinterpret_cast<LPARAM>(mine)), 107);
  auto answer = theirAnswer.get_future();
  while (answer.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
    win32::WaitDispatchingSentMessages([] { return false; }, 5);
  EXPECT_EQ(answer.get(), 100);
  other.join();
  DestroyWindow(mine);
}

TEST_F(CrossThreadSend, AHandlerKnowsWhichThreadSent) {
  PumpingThread pumping;
  EXPECT_EQ(DWORD(SendMessageW(pumping.window(), kWhoSent, 0, 0)), GetCurrentThreadId());
  const HWND mine = MakeAskingWindow();
  EXPECT_EQ(SendMessageW(mine, kWhoSent, 0, 0), -1) << "a send on the same thread is a call";
  DestroyWindow(mine);
}

TEST_F(CrossThreadSend, ASendToAThreadThatNeverPumpsTimesOut) {
  win32::SetSendTimeout(50);
  std::promise<HWND> made;
  std::promise<void> release;
  std::thread idle([&] {
    made.set_value(MakeAskingWindow());
    release.get_future().wait();  // never retrieves a message
  });
  const HWND window = made.get_future().get();
  const auto start = std::chrono::steady_clock::now();
  SetLastError(0);
  EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  release.set_value();
  idle.join();
  // The thread ended, and its window with it: a send now fails at once.
  EXPECT_FALSE(IsWindow(window));
  SetLastError(0);
  EXPECT_EQ(SendMessageW(window, kAsk, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(CrossThreadSend, AWaitingSenderIsReleasedWhenTheTargetThreadEnds) {
  std::promise<HWND> made;
  std::promise<void> sent;
  std::thread ending([&] {
    made.set_value(MakeAskingWindow());
    sent.get_future().wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  });
  const HWND window = made.get_future().get();
  auto result = std::async(std::launch::async, [&] {
    SetLastError(0);
    const LRESULT value = SendMessageW(window, kAsk, 0, 0);
    return std::make_pair(value, GetLastError());
  });
  sent.set_value();
  const auto [value, error] = result.get();
  EXPECT_EQ(value, 0);
  EXPECT_EQ(error, ERROR_INVALID_WINDOW_HANDLE);
  ending.join();
}

TEST_F(CrossThreadSend, TheSharedWaitRunsSendsToTheWaiter) {
  const HWND mine = MakeAskingWindow();
  std::atomic<bool> done{false};
  std::thread other([&] {
    EXPECT_EQ(SendMessageW(mine, kAnswer, 0, 0), 7);
    done = true;
    win32::WakeThread(0);
  });
  EXPECT_TRUE(win32::WaitDispatchingSentMessages([&] { return done.load(); }, 5'000));
  other.join();
  EXPECT_FALSE(win32::WaitDispatchingSentMessages([] { return false; }, 10));
  DestroyWindow(mine);
}

}  // namespace
