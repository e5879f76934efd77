// A preview data pane for tests: its window makes recording stand-ins for the sampling and
// trace controls, the scroll bar and the zoom control.
#pragma once

#include <memory>
#include <vector>

#include "tracedisplay/preview/preview_data_pane.h"
#include "tracedisplay/tests/trace_display_test.h"

// A sampling or trace control that records where it is put and what it is asked.
class FakePreviewControl final : public PendrelDraw::PreviewControl {
 public:
  explicit FakePreviewControl(PendrelDraw::PreviewDataPane* pane) : m_pane(pane) {}
  void SetRect(const RECT* placed) override { rect = *placed; }
  bool IsEnabled() const override { return enabled; }
  void Enable(bool on) override { enabled = on; }
  void GetPreferredSize(SIZE* size) override { *size = preferred; }
  void SetModes(DWORD mask) override { modes.push_back(mask); }
  void PressStop() override {
    ++stopsPressed;
    if (m_pane) m_pane->Stop();
  }

  RECT rect = {};
  bool enabled = false;
  SIZE preferred = {40, 18};
  std::vector<DWORD> modes;
  int stopsPressed = 0;

 private:
  PendrelDraw::PreviewDataPane* m_pane;
};

class TestPreviewPane final : public PendrelDraw::PreviewDataPane {
 public:
  explicit TestPreviewPane(IUnknown* document, bool traceControl = false)
      : PreviewDataPane(document) {
    GetTimeScale().InjectLabelMetrics(kTestLabelMetrics);
    if (traceControl)
      SetTraceCallback(0xF, [this](DWORD value) { traceCallbacks.push_back(value); });
  }

  FakePreviewControl* Sampling() const {
    return static_cast<FakePreviewControl*>(SamplingControl());
  }
  FakePreviewControl* Trace() const { return static_cast<FakePreviewControl*>(TraceControl()); }

  std::vector<DWORD> traceCallbacks;
  std::vector<RECT> windowPlaces;

 protected:
  std::unique_ptr<PendrelDraw::PreviewControl> CreateSamplingControl(DWORD) override {
    return std::make_unique<FakePreviewControl>(this);
  }
  std::unique_ptr<PendrelDraw::PreviewControl> CreateTraceControl(DWORD) override {
    return std::make_unique<FakePreviewControl>(nullptr);
  }
  std::unique_ptr<PendrelDraw::ScrollBar> CreateScrollBar() override {
    return std::make_unique<FakeScrollBar>();
  }
  std::unique_ptr<PendrelDraw::ZoomControl> CreateZoomControl(DWORD) override {
    return std::make_unique<FakeZoomControl>();
  }
  void PlaceControls(int x, int y, int width, int height, bool) override {
    windowPlaces.push_back({x, y, x + width, y + height});
  }
};
