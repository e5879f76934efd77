#include "views/base/markup_throttle.h"

#include <cmath>
#include <map>
#include <utility>

#include "platform/win32/clock.h"
#include "platform/win32/message_queue.h"

namespace Rhyth {

namespace {

// The throttles with an armed timer, by timer id; thread timers carry no object of their own.
std::map<UINT_PTR, MarkupThrottle*>& ArmedThrottles() {
  thread_local std::map<UINT_PTR, MarkupThrottle*> armed;
  return armed;
}

}  // namespace

MarkupThrottle::MarkupThrottle(std::function<void()> sendDue) : m_sendDue(std::move(sendDue)) {
  LARGE_INTEGER frequency{};
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    m_frequency = frequency.QuadPart;
    m_highResolution = true;
  }
}

MarkupThrottle::~MarkupThrottle() { Disarm(); }

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
  if (!m_timer) Arm(intervalSeconds - elapsed);
  return false;
}

void MarkupThrottle::MarkSent() {
  m_lastSent = Now();
  m_sentSinceRestart = true;
  // What went out is the newest markup: nothing is held back any more.
  Disarm();
}

void MarkupThrottle::Arm(double waitSeconds) {
  const UINT ms = UINT(std::ceil(std::max(waitSeconds, 0.0) * 1000.0));
  m_timer = SetTimer(nullptr, 0, std::max(ms, 1u), &MarkupThrottle::OnTimer);
  if (m_timer) ArmedThrottles()[m_timer] = this;
}

void MarkupThrottle::Disarm() {
  if (!m_timer) return;
  KillTimer(nullptr, m_timer);
  ArmedThrottles().erase(m_timer);
  m_timer = 0;
}

void MarkupThrottle::FallDue() {
  Disarm();
  m_sendDue();
}

void MarkupThrottle::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto& armed = ArmedThrottles();
  const auto found = armed.find(id);
  if (found == armed.end()) {
    KillTimer(nullptr, id);
    return;
  }
  found->second->FallDue();
}

}  // namespace Rhyth
