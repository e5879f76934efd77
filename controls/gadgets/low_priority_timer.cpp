#include "controls/gadgets/low_priority_timer.h"

#include <algorithm>
#include <map>

#include "platform/win32/message_queue.h"

namespace Quor {

namespace {

// The timers of this thread by id; timers fire on the thread that started them.
std::map<UINT_PTR, LowPriorityTimer*>& Owners() {
  thread_local std::map<UINT_PTR, LowPriorityTimer*> owners;
  return owners;
}

}  // namespace

LowPriorityTimer::LowPriorityTimer(double seconds) {
  if (seconds != 0) StartTimer(seconds);
}

LowPriorityTimer::~LowPriorityTimer() { StopTimer(); }

void LowPriorityTimer::StartTimer(double seconds) {
  StopTimer();
  const double milliseconds = std::min(seconds * 1000.0, 2147483647.0);
  m_id = SetTimer(nullptr, 0, UINT(milliseconds + 0.5), &LowPriorityTimer::Fire);
  if (m_id) Owners()[m_id] = this;
}

void LowPriorityTimer::StopTimer() {
  if (!m_id) return;
  KillTimer(nullptr, m_id);
  Owners().erase(m_id);
  m_id = 0;
}

void LowPriorityTimer::Fire(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = Owners().find(id);
  if (found != Owners().end()) found->second->OnTimer();
}

}  // namespace Quor
