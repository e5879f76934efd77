// The plot window's scale menu: the drop-down menu the page asks for under a scale's menu
// button, its commands, and the scale range dialog that "Set Scale..." opens once the menu has
// closed. The menu's messages come through the browser window's message hook.
#include <iterator>

#include "hostframework/host_services.h"
#include "hostframework/this_module.h"
#include "platform/pendrel/host_app.h"
#include "platform/win32/cursor.h"
#include "platform/win32/menus.h"
#include "platform/win32/monitors.h"
#include "plotengine/markup/plot_script_calls.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/plot_window/scale_range_dialog.h"

namespace Quor {
namespace {

constexpr UINT kAutoScaleCommand = 113;
constexpr UINT kUnipolarCommand = 127;
constexpr UINT kBipolarCommand = 131;
constexpr UINT kInvertCommand = 137;
constexpr UINT kSetScaleCommand = 139;

struct ScaleMenuItem {
  UINT id;
  const char16_t* text;
  bool needsEnable;  // enabled only when the page lets the scale's commands run
};

constexpr ScaleMenuItem kScaleMenu[] = {
    {kAutoScaleCommand, u"Auto Scale", true},
    {kUnipolarCommand, u"Unipolar", true},
    {kBipolarCommand, u"Bipolar", true},
    {kInvertCommand, u"Invert Scale and Data", false},
    {kSetScaleCommand, u"Set Scale...", true},
};

// The menu's anchor: the button's bottom right corner; one on no monitor is moved across into
// the work area of the nearest.
POINT MenuAnchor(POINT corner) {
  if (MonitorFromPoint(corner, MONITOR_DEFAULTTONULL)) return corner;
  MONITORINFO info{sizeof info, {}, {}, 0};
  if (GetMonitorInfoW(MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST), &info)) {
    if (corner.x < info.rcWork.left) corner.x = info.rcWork.left;
    if (corner.x > info.rcWork.right) corner.x = info.rcWork.right;
  }
  return corner;
}

HWND HostMainWindow() {
  HWND window = nullptr;
  if (ITarnHostApp* host = GetTarnHostApp()) host->GetMainWindow(&window);
  return window;
}

}  // namespace

void EtchPlotWin::MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                               int bottom, bool enableCommands, bool vertical, double min,
                               double max) {
  const HWND window = GetBrowserWindow();
  if (!window) return;
  m_menuPending = true;
  m_menuPlotId = elementId;
  m_menuScale = scaleId;
  m_menuEnabled = enableCommands;
  m_menuVertical = vertical;

  // Until the user sets a range, the document keeps the one the page shows.
  ScaleProxy* scale = MenuScale();
  if (scale && scale->GetMax() == scale->GetMin()) scale->SetRange(max, min);

  POINT corners[2] = {{left, top}, {right, bottom}};
  ClientToScreen(window, &corners[0]);
  ClientToScreen(window, &corners[1]);
  if (m_menu) DestroyMenu(m_menu);
  m_menu = CreatePopupMenu();
  const POINT anchor = MenuAnchor(corners[1]);
  const TPMPARAMS params{sizeof(TPMPARAMS), {corners[0].x, corners[0].y, corners[1].x, corners[1].y}};
  if (!TrackPopupMenuEx(m_menu, TPM_RIGHTALIGN | TPM_VERTICAL, anchor.x, anchor.y, window, &params)) {
    // Never shown: no menu-closed notice will end the request.
    DestroyMenu(m_menu);
    m_menu = nullptr;
    m_menuPending = false;
  }
}

bool EtchPlotWin::HandleMenuMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      FillMenu(reinterpret_cast<HMENU>(wParam));
      return true;
    case WM_UNINITMENUPOPUP:
      // The browser's own popups close here too: only the plot's menu ends the request.
      if (!m_menuPending || reinterpret_cast<HMENU>(wParam) != m_menu) return false;
      MenuClosed(m_menu);
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kAutoScaleCommand:
        case kUnipolarCommand:
        case kBipolarCommand:
        case kInvertCommand:
        case kSetScaleCommand:
          RunMenuCommand(LOWORD(wParam));
          return true;
        default:
          return false;
      }
    default:
      return false;
  }
}

void EtchPlotWin::FillMenu(HMENU menu) {
  if (!m_menuPending) {
    // A popup of the browser's own: the plot shows no menu but its scales'.
    while (DeleteMenu(menu, 0, MF_BYPOSITION)) {
    }
    return;
  }
  ScaleProxy* scale = MenuScale();
  for (const ScaleMenuItem& item : kScaleMenu) {
    UINT flags = MF_STRING;
    if (!(m_menuEnabled && item.needsEnable)) flags |= MF_GRAYED | MF_DISABLED;
    if (item.id == kInvertCommand && scale && scale->GetMin() > scale->GetMax()) flags |= MF_CHECKED;
    AppendMenuW(menu, flags, item.id, item.text);
  }
}

void EtchPlotWin::MenuClosed(HMENU menu) {
  m_menuPending = false;
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  ScreenToClient(GetBrowserWindow(), &cursor);
  RunScript(String::FromUtf8(MenuClosedCall(m_menuPlotId.ToUtf8String(), m_menuScale, cursor.x, cursor.y)));
  m_menu = nullptr;
  DestroyMenu(menu);
}

void EtchPlotWin::RunMenuCommand(UINT id) {
  switch (id) {
    case kAutoScaleCommand:
      RunScaleCall("auto_scale");
      break;
    case kUnipolarCommand:
      RunScaleCall("set_unipolar");
      break;
    case kBipolarCommand:
      RunScaleCall("set_bipolar");
      break;
    case kInvertCommand:
      if (ScaleProxy* scale = MenuScale()) {
        scale->Invert();
        if (!Markup().IsEmpty()) SetMarkup(Markup());
      }
      break;
    case kSetScaleCommand:
      // The dialog is modal: it opens once the menu's loop has ended.
      if (MenuScale()) PostMessageW(WindowHandle(), QuorInterThreadNotifierImpl::kNotify, 0, 0);
      break;
  }
}

ScaleProxy* EtchPlotWin::MenuScale() const { return m_menuVertical ? YScale() : XScale(); }

void EtchPlotWin::RunScaleCall(const std::string& method) {
  RunScript(String::FromUtf8(ScaleCommandCall(m_menuPlotId.ToUtf8String(), m_menuScale, method)));
}

LRESULT EtchPlotWin::OnNotify(WPARAM first, LPARAM) {
  if (first != 0) return 0;
  ScaleProxy* scale = MenuScale();
  if (!scale) return 1;
  HMODULE resources = ExtLib::GetThisModule();
  OWL::TModule module(u"rhyth", resources ? resources : GetModuleHandleW(nullptr), false);
  ScaleRange dialog(nullptr, m_menuVertical ? u"SCALERANGE" : u"SCALERANGE_HORIZ", &module);
  dialog.SetParentHandle(HostMainWindow());
  dialog.SetScale(scale);
  if (dialog.Execute() == IDOK && !Markup().IsEmpty()) SetMarkup(Markup());
  return 1;
}

}  // namespace Quor
