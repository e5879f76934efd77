// A thread timer (no window) that calls a virtual member: it fires through the thread's message
// loop at the low priority of timer messages. The timer's id leads to its owner through one
// thread-local map, so nothing needs to be made executable. The owner starts and stops it on its
// own thread; the destructor stops it.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

class LowPriorityTimer {
 public:
  // Starts at once unless `seconds` is exactly 0.
  explicit LowPriorityTimer(double seconds = 0);
  virtual ~LowPriorityTimer();
  LowPriorityTimer(const LowPriorityTimer&) = delete;
  LowPriorityTimer& operator=(const LowPriorityTimer&) = delete;

  virtual void OnTimer() = 0;

  // (Re)starts with a period of trunc(min(seconds × 1000, 2^31 − 1) + 0.5) ms.
  void StartTimer(double seconds);
  void StopTimer();
  bool IsTimerRunning() const { return m_id != 0; }
  UINT_PTR TimerId() const { return m_id; }

 private:
  static void Fire(HWND, UINT, UINT_PTR id, DWORD);
  UINT_PTR m_id = 0;
};

}  // namespace Quor
