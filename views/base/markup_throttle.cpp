#include "views/base/markup_throttle.h"

#include <cmath>
#include <algorithm>
#include <utility>

#include "platform/win32/clock.h"
#include "platform/win32/message_queue.h"

namespace Rhyth {

MarkupThrottle::MarkupThrottle(std::function<void()> sendDue) : m_sendDue(std::move(sendDue)) {
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    m_frequency = frequency.QuadPart;
    m_highResolution = true;
  }
}

LONGLONG MarkupThrottle::Now() const {
  if (m_highResolution) {
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
  }
  return LONGLONG(GetTickCount());
}

void MarkupThrottle::Restart() {
  m_on = true;
  m_sentSinceRestart = false;
}

bool MarkupThrottle::Admit(double intervalSeconds) {
  if (!m_on || !m_sentSinceRestart) return true;
  const double elapsed = double(Now() - m_lastSent) / double(m_frequency);
  if (elapsed >= intervalSeconds) return true;
  if (!m_timer.IsTimerRunning()) Arm(intervalSeconds - elapsed);
  return false;
}

void MarkupThrottle::MarkSent() {
  m_lastSent = Now();
  m_sentSinceRestart = true;
  // What went out is the newest markup: nothing is held back any more.
  Disarm();
}

void MarkupThrottle::Arm(double waitSeconds) {
  // Whole milliseconds, never before the interval has passed.
  const UINT ms = UINT(std::ceil(std::max(waitSeconds, 0.0) * 1000.0));
  m_timer.StartTimer(std::max(ms, 1u) / 1000.0);
}

void MarkupThrottle::Disarm() { m_timer.StopTimer(); }

void MarkupThrottle::FallDue() {
  Disarm();
  m_sendDue();
}

}  // namespace Rhyth
