#include "tracedisplay/windows/zoom_control_window.h"

#include <algorithm>

#include "controls/menus/load_menu_resource.h"
#include "controls/menus/menu_base.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/scrolling/compression_menu.h"
#include "tracedisplay/windows/gadget_strip.h"
#include "tracedisplay/windows/trace_display_resources.h"

namespace PendrelDraw {

namespace {

// The ratio button is measured with the widest text it shows.
constexpr char16_t kWidestRatioText[] = u" 5000:1 ";
constexpr int kHighlightPulse = 3;

// The hints of the commands.
constexpr UINT kExpandHint = 307;
constexpr UINT kCompressHint = 308;
constexpr UINT kRatioMenuHint = 309;
constexpr UINT kScrollWhileSamplingHint = 310;
constexpr UINT kAutoScaleHint = 312;
constexpr UINT kShowLatestHint = 317;

Quor::UxButtonMenuGadget* NewRatioGadget() {
  const auto found = LoadMenuResource(TraceDisplayResources(), u"XCOMPRESSEXPAND", 0);
  const Quor::MenuBase menu(found->menuTemplate);
  // The menu's one popup holds the items.
  const OWL::TPopupMenu items(menu, 0);
  return new Quor::UxButtonMenuGadget(items, nullptr, u"", nullptr, UxSizableButtonGadget::kThemeButton,
                                      OWL::TButtonTextGadget::sText, OWL::TButtonGadget::Command);
}

}  // namespace

ZoomControlWin::ZoomControlWin(OWL::TWindow* parent, DataPane* owner, DWORD flags)
    : QuorControls::UxNoEraseGadgetWindow(parent, HFONT(GetStockObject(DEFAULT_GUI_FONT))),
      m_owner(owner) {
  Attr.Style &= ~DWORD(WS_BORDER);
  if (flags & kClipSiblings) Attr.Style |= WS_CLIPSIBLINGS;
  if (flags & kShowLatestData) {
    m_latest = new UxSizableButtonGadget(kShowLatest, kShowLatest);
    Insert(*m_latest);
  }
  if (flags & kAutoScale) {
    m_autoScale = new UxSizableButtonGadget(kAutoScaleCommand, kAutoScaleCommand);
    Insert(*m_autoScale);
  }
  m_compress = new UxSizableButtonGadget(kCompress, kCompress);
  Insert(*m_compress);
  m_ratio = NewRatioGadget();
  Insert(*m_ratio);
  m_expand = new UxSizableButtonGadget(kExpand, kExpand);
  Insert(*m_expand);
}

void ZoomControlWin::SetupWindow() {
  m_ratio->SetOwner(GetHandle());
  QuorControls::UxNoEraseGadgetWindow::SetupWindow();
  EnableGadgetCommands(*this);
}

SIZE ZoomControlWin::RatioSize() const {
  const std::u16string shown = m_ratio->GetText();
  m_ratio->SetText(kWidestRatioText);
  OWL::TSize size;
  m_ratio->GetDesiredSize(size);
  m_ratio->SetText(shown);
  return {size.cx, size.cy};
}

int ZoomControlWin::GadgetWidth(OWL::TGadget& gadget, int ratioWidth) const {
  if (&gadget == m_ratio) return ratioWidth;
  OWL::TSize size(0, 0);
  if (gadget.IsVisible()) gadget.GetDesiredSize(size);
  return size.cx;
}

void ZoomControlWin::LayoutSession() {
  const SIZE ratio = RatioSize();
  int at = 0;
  for (const auto& gadget : Gadgets()) {
    const int width = GadgetWidth(*gadget, ratio.cx);
    gadget->SetBounds(OWL::TRect(at, 0, at + width, ratio.cy));
    at += width;
  }
  if (GetHandle()) Invalidate();
}

bool ZoomControlWin::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table = [] {
    OWL::TResponseTable entries{
        {OWL::WM_COMMAND_ENABLE, 0, OWL::Handler(&ZoomControlWin::EvCommandEnable)},
        {WM_INITMENUPOPUP, 0, OWL::Handler(&ZoomControlWin::EvInitMenuPopup)},
        {WM_LBUTTONUP, 0, OWL::Handler(&ZoomControlWin::EvZoomLButtonUp)},
    };
    for (UINT id : {kExpand, kCompress, kAutoScaleCommand, kScrollWhileSampling, kShowLatest})
      entries.push_back({WM_COMMAND, id, OWL::Handler(&ZoomControlWin::EvCommand)});
    for (int id = kFirstCompressionMenuId; id < kCompressionMenuEndId; ++id)
      entries.push_back({WM_COMMAND, UINT(id), OWL::Handler(&ZoomControlWin::EvCommand)});
    return entries;
  }();
  return SearchResponseTable(table, info) || QuorControls::UxNoEraseGadgetWindow::Find(info);
}

LRESULT ZoomControlWin::EvCommand(WPARAM wParam, LPARAM) {
  const UINT id = LOWORD(wParam);
  if (!m_owner) return 0;
  switch (id) {
    case kExpand: m_owner->Zoom(true); break;
    case kCompress: m_owner->Zoom(false); break;
    case kAutoScaleCommand: m_owner->AutoScaleTime(0); break;
    case kScrollWhileSampling:
      if (m_latest) m_owner->SetFollow(m_latest->GetButtonState() == OWL::TButtonGadget::Up, true);
      break;
    case kShowLatest: m_owner->ScrollToEnd(); break;
    default: m_owner->OnCompressionMenuCommand(1, int(id)); break;
  }
  return 0;
}

LRESULT ZoomControlWin::EvCommandEnable(WPARAM, LPARAM lParam) {
  if (auto* enabler = reinterpret_cast<OWL::TCommandEnabler*>(lParam)) EnableCommand(*enabler);
  return 0;
}

void ZoomControlWin::EnableCommand(OWL::TCommandEnabler& enabler) {
  const UINT id = enabler.GetId();
  if (id >= UINT(kFirstCompressionMenuId) && id < UINT(kCompressionMenuEndId)) {
    if (m_owner) m_owner->GetCompressionMenuState(1, enabler);
    return;
  }
  UINT hint = 0;
  LONG kind = 0;  // the kind of command the pane is asked about; 0: hint only
  switch (id) {
    case kExpand: hint = kExpandHint, kind = 1; break;
    case kCompress: hint = kCompressHint, kind = 2; break;
    case kRatioMenu: hint = kRatioMenuHint, kind = 3; break;
    case kAutoScaleCommand: hint = kAutoScaleHint, kind = 4; break;
    case kScrollWhileSampling: hint = kScrollWhileSamplingHint; break;
    case kShowLatest: hint = kShowLatestHint; break;
    default: return;
  }
  const bool overridden = id == kAutoScaleCommand && !m_autoScaleHint.empty();
  enabler.SetText(overridden ? m_autoScaleHint.c_str() : TraceDisplayString(hint).c_str());
  if (kind != 0 && m_owner) enabler.Enable(m_owner->IsCommandEnabled(kind));
}

LRESULT ZoomControlWin::EvInitMenuPopup(WPARAM menu, LPARAM) {
  if (m_owner) m_owner->BuildCompressionMenu(reinterpret_cast<HMENU>(menu), kFirstCompressionMenuId,
                                             kCompressionMenuEndId);
  return 0;
}

LRESULT ZoomControlWin::EvZoomLButtonUp(WPARAM modifiers, LPARAM point) {
  if (m_owner && m_owner->Window()) SetFocus(m_owner->Window());
  return EvLButtonUp(modifiers, point);
}

void ZoomControlWin::SetRect(const RECT* rect) {
  if (!rect || !GetHandle()) return;
  ShowWindow(IsRectEmpty(rect) ? SW_HIDE : SW_SHOW);
  ::MoveWindow(GetHandle(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, FALSE);
}

void ZoomControlWin::Place(int x, int y, int width, int height) {
  const RECT rect = {x, y, x + width, y + height};
  SetRect(&rect);
}

bool ZoomControlWin::IsEnabled() const { return GetHandle() && IsWindowEnabled(GetHandle()); }

void ZoomControlWin::Enable(bool enabled) {
  if (GetHandle()) EnableWindow(GetHandle(), enabled);
}

void ZoomControlWin::SetCompression(const QuorRational& ratio) {
  SetRatioText(FormatRatio(ratio.Numerator(), ratio.Denominator()));
}

void ZoomControlWin::SetRatioText(const std::u16string& text) {
  m_ratio->SetText(text);
  m_ratio->Invalidate();
}

void ZoomControlWin::SetFollowState(bool following) {
  if (!m_latest) return;
  const bool sampling = m_owner && m_owner->IsSampling() == S_OK;
  m_latest->SetAnimationState(sampling && !following ? kHighlightPulse : 0);
}

int ZoomControlWin::PreferredHeight() const { return RatioSize().cy; }

int ZoomControlWin::Width() const {
  const int ratioWidth = RatioSize().cx;
  int width = 0;
  for (const auto& gadget : Gadgets()) width += GadgetWidth(*gadget, ratioWidth);
  return width;
}

void ZoomControlWin::Refresh() {
  if (GetHandle()) Invalidate();
}

}  // namespace PendrelDraw
