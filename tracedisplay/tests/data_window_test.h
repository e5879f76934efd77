// Tests of the data windows and their controls: a top-level window to hold them, the trace
// display's resources as the module's, and a data pane that records the scroll codes it gets.
#pragma once

#include <memory>
#include <vector>

#include "host/tests/traces/record_lengths_source.h"
#include "host/traces/trace_data_source.h"
#include "hostframework/this_module.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"
#include "platform/win32/menus.h"
#include "tracedisplay/tests/trace_display_test.h"
#include "tracedisplay/windows/data_window.h"
#include "tracedisplay/windows/zoom_control_window.h"

HMODULE TraceDisplayTestResources();

class ScrollRecordingPane : public PendrelDraw::DataPane {
 public:
  using DataPane::DataPane;
  using DataPane::GetScrollBar;
  using DataPane::GetZoomControl;

  void ScrollPages(LONG code) override {
    codes.push_back(code);
    DataPane::ScrollPages(code);
  }
  PendrelDraw::ZoomControlWin* Zoom() const {
    return dynamic_cast<PendrelDraw::ZoomControlWin*>(GetZoomControl());
  }

  std::vector<LONG> codes;
};

using RecordingDataWin = PendrelDraw::DataWin<ScrollRecordingPane>;

class DataWindowTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    ExtLib::SetThisModule(TraceDisplayTestResources());
    win32::ResetInputSimulator();
    win32::ClearShownMenusAndShellRequests();
    host.Attr.Style = WS_POPUP | WS_VISIBLE;
    host.Attr.W = 700;
    host.Attr.H = 400;
    ASSERT_TRUE(host.Create());
    source->AddRef();
  }
  void TearDown() override {
    win32::ResetInputSimulator();
    win32::ClearShownMenusAndShellRequests();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    ExtLib::SetThisModule(nullptr);
  }

  // A data window over ten seconds at 1 kHz (1000 pixels at the first compression), made
  // with its controls unless the pane has none.
  std::unique_ptr<RecordingDataWin> MakeDataWindow(DWORD paneStyle = 0x80000000) {
    auto window = std::make_unique<RecordingDataWin>(&host, source.get());
    window->GetPane().SetStyleFlags(paneStyle);
    window->Attr.W = 502;
    window->Attr.H = 300;
    if (!window->Create()) return nullptr;
    return window;
  }

  RecordLengthsSource tenSeconds{{10000}};
  Tarn::HeldReference<IPendrelTraceDataSource> source{
      new PendrelHost::TraceDataSource(&tenSeconds, nullptr)};
  OWL::TWindow host{static_cast<OWL::TWindow*>(nullptr)};
};
