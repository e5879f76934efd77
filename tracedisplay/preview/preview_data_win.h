// The windows that hold a preview data pane. PreviewDataWin gives the pane its sampling control;
// PreviewDataWinWButtons adds the trace control and keeps the list of trace drawers the preview
// shows, so that the second trace's drawers can be hidden (the source trace only) and shown
// again. Each window owns its pane; the pane owns the controls, which are child windows of the
// preview window. PreviewDataWinWButtons owns the drawer list and lets every drawer go with it.
#pragma once

#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "tracedisplay/preview/preview_data_pane.h"
#include "tracedisplay/windows/data_window.h"

namespace PendrelDraw {

class PreviewDataWin : public DataWin<PreviewDataPane>, public PreviewControlFactory {
 public:
  PreviewDataWin(OWL::TWindow* parent, IUnknown* sourceDocument);

  PreviewDataPane& Pane() { return GetPane(); }

  std::unique_ptr<PreviewControl> CreateSamplingControl(PreviewDataPane& pane,
                                                        DWORD channelFlags) override;
  std::unique_ptr<PreviewControl> CreateTraceControl(PreviewDataPane& pane, DWORD mask) override;

 protected:
  // Makes the control's window when this one exists; null when it cannot be made.
  template <class Control>
  std::unique_ptr<PreviewControl> Made(std::unique_ptr<Control> control);
};

// A drawer of the preview: where it is drawn and whether it draws the second trace.
struct TraceDrawerItem {
  LONG paneIndex = 0;
  LONG laneWord = 0;
  Quor::ComPtr<IPendrelRecordDrawer> drawer;
  bool secondTrace = false;
};

class PreviewDataWinWButtons : public PreviewDataWin {
 public:
  PreviewDataWinWButtons(OWL::TWindow* parent, IUnknown* sourceDocument);

  std::unique_ptr<PreviewControl> CreateTraceControl(PreviewDataPane& pane, DWORD mask) override;

  // Lists the drawer and draws it in channel pane 0, unless it draws the second trace while
  // that is hidden.
  void AddDrawer(IPendrelRecordDrawer* drawer);
  // Shows or hides the drawers of the second trace.
  void SetShowSecondTrace(bool show);
  // Lets every listed drawer go, from the list and from the channel panes, for a preview that
  // rebuilds what it draws.
  void ClearDrawers();
  bool ShowsSecondTrace() const { return m_showSecondTrace; }
  const std::vector<TraceDrawerItem>& Drawers() const { return m_drawers; }

 private:
  bool HasSecondTrace() const;
  // Takes the listed drawers out of their channel panes; the list stays.
  void RemoveListedDrawersFromPanes();

  std::vector<TraceDrawerItem> m_drawers;
  bool m_showSecondTrace = true;
};

}  // namespace PendrelDraw
