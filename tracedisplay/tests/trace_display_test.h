// Tests of the trace display against the stand-in host: the host is started with its trace
// objects, and every test begins with an empty call log. TestPane is a data pane whose window
// makes a recording scroll bar and zoom control.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/app/host_start.h"
#include "host/framework/call_log.h"
#include "host/traces/scale_factory.h"
#include "tracedisplay/datapane/data_pane.h"

// A rectangle as one comparable value: left, top, right, bottom.
inline std::array<LONG, 4> Box(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

class TraceDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PendrelHost::StartHost();
    PendrelHost::AddTraceObjectMakers();
    Tarn::ClearRecordedCalls();
  }

  // The recorded calls whose text starts with `prefix`.
  static std::vector<std::string> CallsStartingWith(const std::string& prefix) {
    std::vector<std::string> found;
    for (const std::string& call : Tarn::RecordedCallTexts()) {
      if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
  }
};

class FakeScrollBar final : public PendrelDraw::ScrollBar {
 public:
  void SetScrollInfo(const SCROLLINFO& set, bool redraw) override {
    if (set.fMask & SIF_RANGE) {
      info.nMin = set.nMin;
      info.nMax = set.nMax;
    }
    if (set.fMask & SIF_PAGE) info.nPage = set.nPage;
    if (set.fMask & SIF_POS) info.nPos = set.nPos;
    last = set;
    redraws.push_back(redraw);
  }
  void GetScrollInfo(SCROLLINFO& out) override {
    if (onGetScrollInfo) onGetScrollInfo();
    out = info;
    out.nTrackPos = trackPosition;
  }
  void Enable(bool on) override { enabled = on; }
  bool IsEnabled() const override { return enabled; }
  void Refresh() override {}
  void Place(int, int, int, int) override {}

  SCROLLINFO info = {sizeof(SCROLLINFO), 0x17, 0, 0, 0, 0, 0};
  SCROLLINFO last = {};
  int trackPosition = 0;
  bool enabled = false;
  std::function<void()> onGetScrollInfo;  // runs whenever the pane reads the bar
  std::vector<bool> redraws;
};

class FakeZoomControl final : public PendrelDraw::ZoomControl {
 public:
  void SetCompression(const QuorRational& ratio) override { compression = ratio.ToDouble(); }
  void SetFollowState(bool on) override { following = on; }
  int PreferredHeight() const override { return 20; }
  int Width() const override { return 100; }
  void Refresh() override {}
  void Place(int, int, int, int) override {}

  double compression = 0.0;
  bool following = false;
};

// The label font's metrics the test panes use: a time scale 20 pixels high whatever fonts are
// installed.
inline constexpr PendrelDraw::LabelMetrics kTestLabelMetrics = {6, 15};

class TestPane : public PendrelDraw::DataPane {
 public:
  explicit TestPane(IPendrelTraceDataSource* source = nullptr) : DataPane(source) {
    GetTimeScale().InjectLabelMetrics(kTestLabelMetrics);
  }
  using DataPane::GetScrollBar;

  FakeScrollBar* Bar() const { return static_cast<FakeScrollBar*>(GetScrollBar()); }
  FakeZoomControl* Zoomer() const { return static_cast<FakeZoomControl*>(GetZoomControl()); }
  int redrawRequests = 0;

 protected:
  std::unique_ptr<PendrelDraw::ScrollBar> CreateScrollBar() override {
    return std::make_unique<FakeScrollBar>();
  }
  std::unique_ptr<PendrelDraw::ZoomControl> CreateZoomControl(DWORD) override {
    return std::make_unique<FakeZoomControl>();
  }
  void RequestRedraw(bool) override { ++redrawRequests; }
};
