// The thread of one browser on which its resource loader and its script objects are called:
// tasks run one at a time in the order they were queued. When the object goes, the thread
// finishes the task it runs, drops the rest and ends on its own, so the object may go on any
// thread, the script thread included.
#pragma once

#include <functional>
#include <memory>

#include "platform/win32/types.h"

namespace PendrelBrowser {

class ScriptThread {
 public:
  ScriptThread();
  ~ScriptThread();
  ScriptThread(const ScriptThread&) = delete;
  ScriptThread& operator=(const ScriptThread&) = delete;

  void Queue(std::function<void()> task);
  DWORD ThreadId() const { return m_threadId; }

 private:
  struct State;
  static void Run(const std::shared_ptr<State>& state);

  std::shared_ptr<State> m_state;
  DWORD m_threadId = 0;
};

}  // namespace PendrelBrowser
