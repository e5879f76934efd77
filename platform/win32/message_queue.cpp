#include "platform/win32/message_queue.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win32/clock.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/window_table.h"

using win32::detail::CallProcedure;
using win32::detail::ClockMilliseconds;
using win32::detail::CurrentQueueLocked;
using win32::detail::FindWindowLocked;
using win32::detail::QueueOfThreadLocked;
using win32::detail::SentCall;
using win32::detail::TableMutex;
using win32::detail::ThreadQueue;
using win32::detail::Window;
using Lock = std::unique_lock<std::mutex>;

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(-1);
std::atomic<DWORD> sendTimeoutMs{30'000};
constexpr int kSpinMicroseconds = 50;
std::atomic<UINT_PTR> nextThreadTimerId{0x7FFF0000};

bool InRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool WindowMatches(HWND candidate, HWND filter) {
  if (filter == kThreadMessagesOnly) return candidate == nullptr;
  return !filter || candidate == filter;
}

// Runs one message that another thread sent to the calling thread; the lock is released while the
// window procedure runs.
void DispatchOneSent(Lock& lock, ThreadQueue& queue) {
  std::shared_ptr<SentCall> call = queue.inbox.front();
  queue.inbox.pop_front();
  Window* window = FindWindowLocked(call->window);
  if (!window) {
    call->failed = call->done = true;
    call->senderWake->notify_all();
    return;
  }
  queue.handling.push_back(call);
  lock.unlock();
  const LRESULT result = CallProcedure(call->window, call->message, call->wParam, call->lParam);
  lock.lock();
  queue.handling.pop_back();
  if (!call->done) {
    call->result = result;
    call->done = true;
    if (!call->abandoned) call->senderWake->notify_all();
  }
}

void DispatchAllSent(Lock& lock, ThreadQueue& queue) {
  while (!queue.inbox.empty()) DispatchOneSent(lock, queue);
}

// The next due timer matching the filters, or timers.end().
std::vector<win32::detail::Timer>::iterator DueTimer(ThreadQueue& queue, HWND filter, UINT first,
                                                      UINT last, ULONGLONG now) {
  if (!InRange(WM_TIMER, first, last)) return queue.timers.end();
  return std::find_if(queue.timers.begin(), queue.timers.end(), [&](const auto& timer) {
    return timer.dueMs <= now && WindowMatches(timer.window, filter);
  });
}

// Takes the next message by the retrieval order (posted, quit, paint, timers); sent messages
// have been dispatched before.
bool TakeMessageLocked(ThreadQueue& queue, MSG* message, HWND filter, UINT first, UINT last,
                       bool remove) {
  auto posted = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const MSG& m) {
    return WindowMatches(m.hwnd, filter) && InRange(m.message, first, last);
  });
  if (posted != queue.posted.end()) {
    *message = *posted;
    if (remove) queue.posted.erase(posted);
    return true;
  }
  if (queue.quitRequested && InRange(WM_QUIT, first, last)) {
    *message = {nullptr, WM_QUIT, WPARAM(queue.quitCode), 0, DWORD(ClockMilliseconds()), {}};
    if (remove) queue.quitRequested = false;
    return true;
  }
  if (InRange(WM_PAINT, first, last) && filter != kThreadMessagesOnly) {
    for (Window* window : win32::detail::AllWindowsLocked()) {
      if (window->threadId != queue.threadId || !window->needsPaint) continue;
      if (filter && window->handle != filter) continue;
      *message = {window->handle, WM_PAINT, 0, 0, DWORD(ClockMilliseconds()), {}};
      return true;
    }
  }
  const ULONGLONG now = ClockMilliseconds();
  auto timer = DueTimer(queue, filter, first, last, now);
  if (timer != queue.timers.end()) {
    *message = {timer->window, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->procedure),
                DWORD(now), {}};
    // Periods that passed unread are not made up: the next one counts from now.
    if (remove) timer->dueMs = now + timer->elapseMs;
    return true;
  }
  return false;
}

// Milliseconds until the next timer is due on the process clock, or -1 without timers.
long long UntilNextTimer(const ThreadQueue& queue) {
  if (queue.timers.empty()) return -1;
  ULONGLONG due = queue.timers.front().dueMs;
  for (const auto& timer : queue.timers) due = std::min(due, timer.dueMs);
  const ULONGLONG now = ClockMilliseconds();
  return due > now ? (long long)(due - now) : 0;
}

}  // namespace

BOOL GetMessageW(MSG* message, HWND window, UINT first, UINT last) {
  Lock lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  for (;;) {
    DispatchAllSent(lock, queue);
    if (TakeMessageLocked(queue, message, window, first, last, true)) {
      queue.lastMessageTime = message->time;
      return message->message != WM_QUIT;
    }
    const long long untilTimer = UntilNextTimer(queue);
    if (untilTimer < 0) {
      queue.wake.wait(lock);
    } else if (untilTimer > 0) {
      // Waiting for a timer is a pause: a manual clock moves to it at once.
      if (!win32::CurrentClock()->AdvanceForPause(ULONGLONG(untilTimer) * 1'000'000))
        queue.wake.wait_for(lock, std::chrono::milliseconds(untilTimer));
    }
  }
}

BOOL PeekMessageW(MSG* message, HWND window, UINT first, UINT last, UINT removal) {
  Lock lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  DispatchAllSent(lock, queue);
  if (!TakeMessageLocked(queue, message, window, first, last, removal & PM_REMOVE)) return FALSE;
  queue.lastMessageTime = message->time;
  return TRUE;
}

LRESULT DispatchMessageW(const MSG* message) {
  if (!message) return 0;
  if (message->message == WM_TIMER && message->lParam) {
    reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                  message->time);
    return 0;
  }
  if (!message->hwnd) return 0;
  return CallProcedure(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL TranslateMessage(const MSG* message) {
  return message && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN);
}

namespace {

BOOL PostToQueueLocked(ThreadQueue& queue, const MSG& message) {
  queue.posted.push_back(message);
  queue.wake.notify_all();
  return TRUE;
}

}  // namespace

BOOL PostMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(TableMutex());
  if (!handle) return PostToQueueLocked(CurrentQueueLocked(), {nullptr, message, wParam, lParam, 0, {}});
  Window* window = FindWindowLocked(handle);
  ThreadQueue* queue = window ? QueueOfThreadLocked(window->threadId) : nullptr;
  if (!queue) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return PostToQueueLocked(*queue, {handle, message, wParam, lParam,
                                    DWORD(ClockMilliseconds()), {}});
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(TableMutex());
  ThreadQueue* queue = QueueOfThreadLocked(threadId);
  if (!queue) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return PostToQueueLocked(*queue, {nullptr, message, wParam, lParam,
                                    DWORD(ClockMilliseconds()), {}});
}

void PostQuitMessage(int exitCode) {
  std::lock_guard lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  queue.quitRequested = true;
  queue.quitCode = exitCode;
  queue.wake.notify_all();
}

LRESULT SendMessageW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  Lock lock(TableMutex());
  Window* window = FindWindowLocked(handle);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const DWORD self = GetCurrentThreadId();
  if (window->threadId == self) {
    lock.unlock();
    return CallProcedure(handle, message, wParam, lParam);
  }
  ThreadQueue* target = QueueOfThreadLocked(window->threadId);
  if (!target || !target->alive) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const DWORD targetThread = window->threadId;
  ThreadQueue& mine = CurrentQueueLocked();
  auto call = std::make_shared<SentCall>();
  call->window = handle;
  call->message = message;
  call->wParam = wParam;
  call->lParam = lParam;
  call->senderThread = self;
  call->senderWake = &mine.wake;
  target->inbox.push_back(call);
  target->wake.notify_all();
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(sendTimeoutMs.load());
  while (!call->done) {
    if (!mine.inbox.empty()) {
      DispatchOneSent(lock, mine);
      continue;
    }
    // Most answers come within microseconds: a short spin saves the sender a sleep and a wake.
    lock.unlock();
    const auto spinUntil = std::chrono::steady_clock::now() + std::chrono::microseconds(kSpinMicroseconds);
    while (!call->done && std::chrono::steady_clock::now() < spinUntil) std::this_thread::yield();
    lock.lock();
    if (call->done) break;
    if (!mine.inbox.empty()) {
      DispatchOneSent(lock, mine);
      continue;
    }
    if (mine.wake.wait_until(lock, deadline) == std::cv_status::timeout && !call->done) {
      call->abandoned = true;
      if (ThreadQueue* stillThere = QueueOfThreadLocked(targetThread))
        std::erase(stillThere->inbox, call);
      SetLastError(ERROR_TIMEOUT);
      return 0;
    }
  }
  if (call->failed) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return call->result;
}

BOOL InSendMessage() { return win32::SenderThreadOfCurrentMessage() != 0; }

BOOL ReplyMessage(LRESULT result) {
  std::lock_guard lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  if (queue.handling.empty()) return FALSE;
  auto& call = queue.handling.back();
  if (call->done) return FALSE;
  call->result = result;
  call->done = true;
  if (!call->abandoned) call->senderWake->notify_all();
  return TRUE;
}

DWORD GetMessageTime() {
  std::lock_guard lock(TableMutex());
  return CurrentQueueLocked().lastMessageTime;
}

BOOL GetInputState() {
  std::lock_guard lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  return std::any_of(queue.posted.begin(), queue.posted.end(), [](const MSG& m) {
    return (m.message >= WM_KEYDOWN && m.message <= WM_SYSKEYUP) ||
           (m.message >= WM_MOUSEMOVE && m.message <= WM_MOUSEWHEEL);
  });
}

UINT_PTR SetTimer(HWND handle, UINT_PTR id, UINT elapseMs, TIMERPROC procedure) {
  std::lock_guard lock(TableMutex());
  if (handle) {
    Window* window = FindWindowLocked(handle);
    if (!window || window->threadId != GetCurrentThreadId()) {
      SetLastError(window ? ERROR_ACCESS_DENIED : ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
  } else {
    id = nextThreadTimerId++;
  }
  ThreadQueue& queue = CurrentQueueLocked();
  // The shortest period is 10 ms, as a zero period would make a timer that is always due.
  elapseMs = std::max<UINT>(elapseMs, 10);
  const ULONGLONG due = ClockMilliseconds() + elapseMs;
  for (auto& timer : queue.timers)
    if (timer.window == handle && timer.id == id) {
      timer = {handle, id, elapseMs, due, procedure};
      return handle ? 1 : id;
    }
  queue.timers.push_back({handle, id, elapseMs, due, procedure});
  queue.wake.notify_all();
  return handle ? 1 : id;
}

BOOL KillTimer(HWND handle, UINT_PTR id) {
  std::lock_guard lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  const auto removed = std::erase_if(queue.timers, [&](const auto& timer) {
    return timer.window == handle && timer.id == id;
  });
  // A WM_TIMER already posted by value is not kept in the queue, so nothing else to drop.
  return removed ? TRUE : FALSE;
}

void Sleep(DWORD milliseconds) { win32::Pause(milliseconds); }

namespace win32 {

DWORD SenderThreadOfCurrentMessage() {
  std::lock_guard lock(TableMutex());
  ThreadQueue& queue = CurrentQueueLocked();
  return queue.handling.empty() ? 0 : queue.handling.back()->senderThread;
}

DWORD SetSendTimeout(DWORD milliseconds) { return sendTimeoutMs.exchange(milliseconds); }

bool WaitDispatchingSentMessages(const std::function<bool()>& ready, DWORD timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (ready()) return true;
    Lock lock(TableMutex());
    ThreadQueue& queue = CurrentQueueLocked();
    if (!queue.inbox.empty()) {
      DispatchAllSent(lock, queue);
      continue;
    }
    const auto now = std::chrono::steady_clock::now();
    if (timeoutMs != INFINITE && now >= deadline) {
      lock.unlock();
      return ready();
    }
    // Woken by a send, by WakeThread, or after a short slice in case the waited-for state
    // changed without a wake.
    auto until = now + std::chrono::milliseconds(1);
    if (timeoutMs != INFINITE) until = std::min(until, deadline);
    queue.wake.wait_until(lock, until);
  }
}

void WakeThread(DWORD threadId) {
  std::lock_guard lock(TableMutex());
  if (ThreadQueue* queue = QueueOfThreadLocked(threadId)) queue->wake.notify_all();
}

void Pause(DWORD milliseconds) {
  if (CurrentClock()->AdvanceForPause(ULONGLONG(milliseconds) * 1'000'000)) return;
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace win32
