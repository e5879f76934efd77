// The two-monitor desktop with time on the manual clock and a fresh input simulator: what the
// tests of hover, timeout and click behaviour start from.
#pragma once

#include <memory>

#include "controls/tests/two_monitor_desktop.h"
#include "platform/owl/window.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/input.h"

namespace controls_testing {

class ClockedDesktop : public TwoMonitorDesktop {
 protected:
  void SetUp() override {
    TwoMonitorDesktop::SetUp();
    clock = std::make_shared<win32::FixedClock>(133000000000000000ULL, 0);
    win32::SetClock(clock);
    win32::ResetInputSimulator();
  }
  void TearDown() override {
    win32::testing::PumpWaiting();
    win32::SetClock(nullptr);
    TwoMonitorDesktop::TearDown();
  }
  // Moves the clock on and lets what became due run.
  void Advance(int milliseconds) {
    clock->Advance(ULONGLONG(milliseconds) * 1000000);
    win32::testing::PumpWaiting();
  }

  // Makes `dialog` the visible 300 x 200 popup at (400, 300) that a test's controls live in.
  static void PlaceTestDialog(OWL::TWindow& dialog) {
    dialog.Attr.Style = WS_POPUP | WS_VISIBLE;
    dialog.Attr.X = 400;
    dialog.Attr.Y = 300;
    dialog.Attr.W = 300;
    dialog.Attr.H = 200;
  }

  std::shared_ptr<win32::FixedClock> clock;
};

}  // namespace controls_testing
