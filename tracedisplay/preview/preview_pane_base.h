// PreviewPaneBase: the base of a live trace preview that a settings dialog places over its
// placeholder control. It makes one preview window with buttons over the channels of a host
// document, reads three display preferences of the host for its subclass, finds the document's
// first sampling device so that the preview can sample, and passes time scale, unit prefix and
// axis ranges on to the window's data pane and its first channel pane. The subclass decides what
// the preview draws (UpdatePreview); the dialog owns the preview and deletes it with itself.
#pragma once

#include <memory>

#include "core/com_ptr.h"
#include "platform/pendrel/sampling_device.h"
#include "platform/win32/gdi_handles.h"

namespace OWL {
class TWindow;
}

namespace PendrelDraw {
class PreviewDataWinWButtons;
class PreviewDataPane;
}  // namespace PendrelDraw

namespace ExtLib {

// The smallest metric a preview works with.
inline constexpr LONG kMinimumPreviewMetric = 16;

class PreviewPaneBase {
 public:
  // The subclass fills its own members first; nothing else is called before this returns.
  PreviewPaneBase(IUnknown* document, IUnknown* source, OWL::TWindow* parent);
  virtual ~PreviewPaneBase();
  PreviewPaneBase(const PreviewPaneBase&) = delete;
  PreviewPaneBase& operator=(const PreviewPaneBase&) = delete;

  // The subclass rebuilds what the preview draws.
  virtual void UpdatePreview() = 0;
  // Attaches the sampling device to the data pane, or detaches it.
  virtual void EnableSampling(bool on);
  // Auto-scales the primary (or secondary) axis when a channel pane auto-scales it, else gives it
  // `range` (minimum, maximum) when there is one.
  virtual void AutoScale(bool secondary, const double* range);
  virtual void SetAxisRange(bool secondary, double minimum, double maximum);

  // Puts the preview over the dialog's placeholder control.
  void PlaceInDialog(HWND dialog);
  // Sets the compression (ticks per pixel) and shows the position of the record.
  void SetTimeScale(LONG tick, LONG record, double compression);
  // Gives the primary axis of the first channel pane a unit prefix (0 to 14, 8 none).
  void Refresh(LONG unitPrefix);
  // The channel source with one reference for the caller.
  IUnknown* GetSourceInterface() const;

  bool IsConstructed() const { return m_constructed; }
  LONG MinimumMetric() const { return m_minimumMetric; }
  COLORREF PreferenceColour() const { return m_preferenceColour; }
  DWORD PreferenceValue() const { return m_preferenceValue; }
  bool PreferenceFlag() const { return m_preferenceFlag; }
  IPendrelSamplingDevice* SamplingController() const { return m_samplingController.Get(); }

 protected:
  PendrelDraw::PreviewDataWinWButtons* Window() const { return m_window.get(); }
  PendrelDraw::PreviewDataPane& Pane() const;
  IUnknown* Document() const { return m_document; }
  IUnknown* Source() const { return m_source.Get(); }
  IUnknown* ChannelSource() const { return m_channelSource.Get(); }

  // Set by the subclass before the base is built; the grid colour when the host has none.
  COLORREF m_preferenceColour = 0;

 private:
  void TakeChannelSource();
  void ApplyDisplayChannelCount();
  void ReadDisplayPreferences();
  void FindSamplingController();
  // Whether any channel pane auto-scales the axis (1 or 2): none without data.
  bool AnyPaneAutoScales(LONG axis) const;

  DWORD m_preferenceValue = 0;
  bool m_preferenceFlag = true;
  LONG m_minimumMetric = 0;
  HWND m_ownerDialog = nullptr;
  bool m_constructed = false;
  std::unique_ptr<PendrelDraw::PreviewDataWinWButtons> m_window;
  OWL::TWindow* m_parent;
  Quor::ComPtr<IUnknown> m_channelSource;
  IUnknown* m_document;
  Quor::ComPtr<IUnknown> m_source;
  Quor::ComPtr<IPendrelSamplingDevice> m_samplingController;
};

}  // namespace ExtLib
