// How often a plot view sends new markup to its plotting script. While throttling is on (from a
// view's first refresh during sampling until sampling stops), markup goes out at most once per
// interval, so that a stream of updates does not flood the script. A request that comes too
// early is not lost: a timer fires once the interval has passed and the view then sends the
// markup current at that moment, so the plot never keeps stale ranges after a burst.
//
// Owned by its view, used on the view's thread only. Time comes from the process clock through
// the performance counter (milliseconds from the tick count when there is none).
#pragma once

#include <functional>

#include "controls/gadgets/low_priority_timer.h"
#include "platform/win32/types.h"

namespace Rhyth {

class MarkupThrottle {
 public:
  // `sendDue` builds and sends the view's current markup when a held-back request falls due.
  explicit MarkupThrottle(std::function<void()> sendDue);
  MarkupThrottle(const MarkupThrottle&) = delete;
  MarkupThrottle& operator=(const MarkupThrottle&) = delete;

  // Throttling on, with the next request sent at once.
  void Restart();
  void Stop() { m_on = false; }
  bool IsOn() const { return m_on; }

  // Whether a markup requested now may go out now; when it may not, the due send is armed.
  bool Admit(double intervalSeconds);
  // Records that a markup went out now.
  void MarkSent();
  bool IsHoldingBack() const { return m_timer.IsTimerRunning(); }

 private:
  // Calls the throttle back when a held-back request falls due.
  class DueTimer final : public Quor::LowPriorityTimer {
   public:
    explicit DueTimer(MarkupThrottle& owner) : m_owner(owner) {}
    void OnTimer() override { m_owner.FallDue(); }

   private:
    MarkupThrottle& m_owner;
  };

  LONGLONG Now() const;
  void Arm(double waitSeconds);
  void Disarm();
  void FallDue();

  std::function<void()> m_sendDue;
  LONGLONG m_frequency = 1000;
  bool m_highResolution = false;
  LONGLONG m_lastSent = 0;
  // The first markup after a restart always goes out, whatever the clock reads.
  bool m_sentSinceRestart = false;
  bool m_on = false;
  DueTimer m_timer{*this};
};

}  // namespace Rhyth
