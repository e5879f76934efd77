// The band below a data pane's channel panes that shows the time axis: a child pane whose one
// drawer, the time label drawer, draws the ticks and labels. The scale owns the label font and
// takes its height from a probe text in that font; it adds the "(ms)" caption when the labels
// count milliseconds. The data pane makes it and keeps it for its whole life.
#pragma once

#include <memory>
#include <optional>

#include "platform/owl/gdi_objects.h"
#include "tracedisplay/panes/channel_pane_owner.h"
#include "tracedisplay/panes/child_pane_base.h"

namespace PendrelDraw {

// What the tick spacing and the scale's height take from the label font.
struct LabelMetrics {
  LONG averageCharWidth;
  LONG height;
};

class TimeScale final : public ChildPaneBase {
 public:
  explicit TimeScale(ChannelPaneOwner& owner);

  LONG ScaleHeight() const { return m_hidden ? 0 : m_height; }
  void SetScaleHeight(LONG height) { m_height = height; }
  // A hidden scale takes no height and an empty rectangle.
  void Hide() {
    m_hidden = true;
    rect.bottom = rect.top;
  }
  bool IsHidden() const { return m_hidden; }
  // Whether the view may scroll under it.
  bool AllowsScrolling() const { return true; }

  void SetLayout(DWORD id, const LONG* pair, const RECT& rect, LONG leftWidth, LONG rightWidth,
                 LONG gap) override;
  HRESULT RemoveDrawers(DWORD capabilityMask, LONG channelIndex, LONG dataKind);
  // Every drawer hears of the record being sampled; the band is drawn again.
  void SetChannel(DWORD record, bool moreData);
  void Paint(HDC dc, LONG markerX, bool marker) override;
  // The stored version must be one this reader knows (below 3).
  void LoadState(Quor::BinIStream& stream) override;
  void SaveState(Quor::BinOStream& stream) override;
  // The data pane's source changed: n >= 0 makes the label drawer anew over the pane's data
  // view; a negative n hands every drawer the source.
  void OnSourceChanged(LONG n, IUnknown* source);
  // The label font is made for the printer while the pane prints, and for the screen again.
  void BeginPrint(HDC dc);
  void EndPrint();

  HFONT LabelFont() const { return m_font ? HFONT(*m_font) : nullptr; }
  // The label font's metrics on a context (the injected ones when a test gave some).
  LabelMetrics MetricsOn(HDC dc) const;
  // Tests fix the metrics, so that the tick spacing does not depend on the installed font.
  void InjectLabelMetrics(const LabelMetrics& metrics);
  // The width of the probe text in the label font; measured (on `dc`, or the screen) when not
  // yet known.
  LONG LabelWidth(HDC dc);
  DWORD LabelState() const { return m_labelState; }
  void SetLabelState(DWORD state) { m_labelState = state; }
  ChannelPaneOwner& PaneOwner() const { return m_paneOwner; }

 private:
  ~TimeScale() override = default;

  void MakeLabelFont(HDC dc);
  void CreateLabelDrawerIfNone();
  void DrawUnitCaption(HDC dc);

  ChannelPaneOwner& m_paneOwner;
  LONG m_height = 20;
  LONG m_labelWidth = 0;
  std::unique_ptr<OWL::TFont> m_font;
  DWORD m_labelState = 2;
  bool m_hidden = false;
  std::optional<LabelMetrics> m_injected;
};

}  // namespace PendrelDraw
