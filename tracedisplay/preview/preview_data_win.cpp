#include "tracedisplay/preview/preview_data_win.h"

#include <algorithm>
#include <set>

#include "tracedisplay/preview/preview_control_win.h"
#include "tracedisplay/windows/trace_control_window.h"

namespace PendrelDraw {

namespace {

// Every trace mode the trace control offers.
constexpr DWORD kAllTraceModes = 0xF;
// The lane kind of a drawer of the second trace.
constexpr DWORD kSecondTraceKind = 2;

}  // namespace

PreviewDataWin::PreviewDataWin(OWL::TWindow* parent, IUnknown* sourceDocument)
    : DataWin<PreviewDataPane>(parent, sourceDocument) {
  Pane().SetControlFactory(this);
}

template <class Control>
std::unique_ptr<PreviewControl> PreviewDataWin::Made(std::unique_ptr<Control> control) {
  if (GetHandle() && !control->Create()) return nullptr;
  return control;
}

std::unique_ptr<PreviewControl> PreviewDataWin::CreateSamplingControl(PreviewDataPane& pane,
                                                                      DWORD channelFlags) {
  return Made(std::make_unique<PreviewControlWin>(this, &pane, channelFlags));
}

std::unique_ptr<PreviewControl> PreviewDataWin::CreateTraceControl(PreviewDataPane&, DWORD) {
  return nullptr;
}

PreviewDataWinWButtons::PreviewDataWinWButtons(OWL::TWindow* parent, IUnknown* sourceDocument)
    : PreviewDataWin(parent, sourceDocument) {
  Pane().SetTraceCallback(kAllTraceModes, [this](DWORD show) { SetShowSecondTrace(show != 0); });
}

std::unique_ptr<PreviewControl> PreviewDataWinWButtons::CreateTraceControl(PreviewDataPane& pane,
                                                                           DWORD mask) {
  auto target = [&pane](LONG mode, LONG argument) {
    pane.SetTraceMode(DWORD(mode), DWORD(argument));
  };
  return Made(std::make_unique<TraceControlWin>(this, target, mask));
}

bool PreviewDataWinWButtons::HasSecondTrace() const {
  return std::any_of(m_drawers.begin(), m_drawers.end(),
                     [](const TraceDrawerItem& item) { return item.secondTrace; });
}

void PreviewDataWinWButtons::AddDrawer(IPendrelRecordDrawer* drawer) {
  if (!drawer) return;
  DWORD kind = 0;
  drawer->GetChannel(&kind);
  TraceDrawerItem item;
  item.drawer = Quor::ComPtr<IPendrelRecordDrawer>(drawer);
  item.secondTrace = kind == kSecondTraceKind;
  m_drawers.push_back(item);
  PreviewDataPane& pane = Pane();
  if (m_showSecondTrace || !item.secondTrace) pane.AddDrawerToPane(0, drawer, 0);
  const bool second = HasSecondTrace();
  if (second && pane.TraceControl()) pane.TraceControl()->SetModes(kAllTraceModes);
  pane.SetSourceOption(second, 2, 0);
}

void PreviewDataWinWButtons::RemoveListedDrawersFromPanes() {
  PreviewDataPane& pane = Pane();
  std::set<LONG> panes;
  for (const TraceDrawerItem& item : m_drawers) panes.insert(item.paneIndex);
  for (const LONG index : panes) {
    if (ChannelPane* band = pane.ChannelPaneAt(index)) {
      band->RemoveDrawers(0, LONG(0x80000000), LONG(0xC0000000));
    }
  }
  if (!panes.empty()) pane.Invalidate(kRedrawEverything);
}

void PreviewDataWinWButtons::ClearDrawers() {
  RemoveListedDrawersFromPanes();
  m_drawers.clear();
  Pane().SetSourceOption(false, 2, 0);
}

void PreviewDataWinWButtons::SetShowSecondTrace(bool show) {
  m_showSecondTrace = show;
  PreviewDataPane& pane = Pane();
  RemoveListedDrawersFromPanes();
  for (const TraceDrawerItem& item : m_drawers) {
    if (show || !item.secondTrace)
      pane.AddDrawerToPane(DWORD(item.laneWord), item.drawer.Get(), item.paneIndex);
  }
}

}  // namespace PendrelDraw
