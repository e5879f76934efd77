#include "host/browser/script_thread.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

#include "platform/win32/message_queue.h"

namespace PendrelBrowser {

struct ScriptThread::State {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::function<void()>> tasks;
  bool stopping = false;
};

ScriptThread::ScriptThread() : m_state(std::make_shared<State>()) {
  std::promise<DWORD> started;
  std::future<DWORD> id = started.get_future();
  std::thread([state = m_state, &started] {
    started.set_value(GetCurrentThreadId());
    Run(state);
  }).detach();
  m_threadId = id.get();
}

ScriptThread::~ScriptThread() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(m_state->mutex);
    m_state->stopping = true;
    dropped.swap(m_state->tasks);
  }
  m_state->wake.notify_all();
}

void ScriptThread::Queue(std::function<void()> task) {
  {
    std::lock_guard lock(m_state->mutex);
    if (m_state->stopping) return;
    m_state->tasks.push_back(std::move(task));
  }
  m_state->wake.notify_one();
}

void ScriptThread::Run(const std::shared_ptr<State>& state) {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(state->mutex);
      state->wake.wait(lock, [&] { return state->stopping || !state->tasks.empty(); });
      if (state->stopping) return;
      task = std::move(state->tasks.front());
      state->tasks.pop_front();
    }
    task();
  }
}

}  // namespace PendrelBrowser
