// ZoomControlWin: the tool strip beside a data pane's scroll bar with which the user changes the
// horizontal compression and follows sampled data: Compress, the ratio button that drops the
// compression menu (XCOMPRESSEXPAND), Expand, and optionally "Show latest data" (flag
// 0x80000000) and Auto-scale (flag 0x20000000) in front. Every action goes to the data pane,
// which also decides what is enabled and checked; the strip keeps no compression of its own.
// The data window makes it when the pane asks (DataWinBase::CreateZoomControl); the pane owns it.
#pragma once

#include <string>

#include "controls/gadgets/ux_gadget_window.h"
#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "controls/menus/ux_menu_gadget.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "tracedisplay/scrolling/view_controls.h"

namespace PendrelDraw {

class DataPane;

class ZoomControlWin : public QuorControls::UxNoEraseGadgetWindow, public ZoomControl {
 public:
  // Flags: the optional gadgets, and WS_CLIPSIBLINGS.
  static constexpr DWORD kShowLatestData = 0x80000000;
  static constexpr DWORD kAutoScale = 0x20000000;
  static constexpr DWORD kClipSiblings = 0x10000000;
  // Commands.
  static constexpr UINT kExpand = 103;
  static constexpr UINT kCompress = 109;
  static constexpr UINT kAutoScaleCommand = 213;
  static constexpr UINT kRatioMenu = 214;
  static constexpr UINT kScrollWhileSampling = 102;
  static constexpr UINT kShowLatest = 2149;

  ZoomControlWin(OWL::TWindow* parent, DataPane* owner, DWORD flags);

  void SetupWindow() override;
  // Tiles the gadgets left to right, every one as tall as the ratio button measured with the
  // widest ratio text, the ratio button as wide as that text.
  void LayoutSession() override;
  bool Find(OWL::TEventInfo& info) override;

  // ZoomControl
  void SetRect(const RECT* rect) override;
  void Place(int x, int y, int width, int height) override;
  bool IsEnabled() const override;
  void Enable(bool enabled) override;
  void SetCompression(const QuorRational& ratio) override;
  // Pulses "Show latest data" while the pane samples and does not follow.
  void SetFollowState(bool following) override;
  int PreferredHeight() const override;
  int Width() const override;
  void Refresh() override;
  void SetRatioText(const std::u16string& text) override;
  void SetAutoScaleHint(const std::u16string& text) override { m_autoScaleHint = text; }

  UxSizableButtonGadget* LatestDataGadget() const { return m_latest; }
  UxSizableButtonGadget* AutoScaleGadget() const { return m_autoScale; }
  Quor::UxButtonMenuGadget* RatioGadget() const { return m_ratio; }

 private:
  LRESULT EvCommand(WPARAM wParam, LPARAM);
  LRESULT EvCommandEnable(WPARAM, LPARAM lParam);
  LRESULT EvInitMenuPopup(WPARAM menu, LPARAM);
  LRESULT EvZoomLButtonUp(WPARAM modifiers, LPARAM point);
  void EnableCommand(OWL::TCommandEnabler& enabler);
  // The ratio button's size with the widest ratio text.
  SIZE RatioSize() const;
  int GadgetWidth(OWL::TGadget& gadget, int ratioWidth) const;

  DataPane* m_owner;
  Quor::UxButtonMenuGadget* m_ratio = nullptr;
  UxSizableButtonGadget* m_latest = nullptr;
  UxSizableButtonGadget* m_compress = nullptr;
  UxSizableButtonGadget* m_expand = nullptr;
  UxSizableButtonGadget* m_autoScale = nullptr;
  std::u16string m_autoScaleHint;
};

}  // namespace PendrelDraw
