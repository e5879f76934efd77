// DataWin<Pane>: a data window that holds its data pane (a DataPane or a class derived from it)
// and hands it the window's messages: the size and origin, painting under the pane's lock, the
// mouse, timers and the cursor; the arrow keys' commands go to the pane's scroll bar. The pane
// gets the window's services (timers, invalidation, scrolling the contents, placing the window,
// the controls' factories) through a subclass bound to the window. The window owns the pane;
// the pane goes after the window has been cleaned up.
#pragma once

#include <mutex>
#include <utility>

#include "platform/win32/input.h"
#include "platform/win32/message_queue.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/windows/data_window_base.h"
#include "tracedisplay/windows/scroll_bar_window.h"

namespace PendrelDraw {

template <class Pane>
class DataWin : public DataWinBase {
 public:
  // The arguments after the parent are the pane's.
  template <class... PaneArguments>
  explicit DataWin(OWL::TWindow* parent, PaneArguments&&... arguments)
      : DataWinBase(parent), m_pane(*this, std::forward<PaneArguments>(arguments)...) {}
  // The window goes first, so that its clean-up still finds the pane.
  ~DataWin() override { Destroy(); }

  Pane& GetPane() { return m_pane; }
  const Pane& GetPane() const { return m_pane; }

  void SetupWindow() override {
    DataWinBase::SetupWindow();
    const HWND handle = GetHandle();
    if (handle) SetFocus(handle);
    m_pane.AttachWindow(handle ? reinterpret_cast<void*>(::GetParent(handle)) : nullptr, handle);
  }

  void CleanupWindow() override {
    m_pane.DetachWindow();
    DataWinBase::CleanupWindow();
  }

  // The arrow keys' commands reach the pane's scroll bar as its scroll codes; without a scroll
  // bar they stay unhandled.
  LRESULT EvCommand(WPARAM wParam, LPARAM lParam) override {
    const UINT id = LOWORD(wParam);
    if (id < kLineLeftCommand || id > kPageRightCommand) return DataWinBase::EvCommand(wParam, lParam);
    const HWND bar = m_pane.ScrollBarHandle();
    if (!bar) return 1;
    ::SendMessageW(bar, WM_HSCROLL, WPARAM(SB_LINELEFT + (id - kLineLeftCommand)), reinterpret_cast<LPARAM>(bar));
    return 0;
  }

  LRESULT EvNotify(WPARAM control, LPARAM header) override {
    m_pane.OnNotify(control, reinterpret_cast<const NMHDR*>(header));
    return 0;
  }

  void EvMove(POINT origin) override {
    DataWinBase::EvMove(origin);
    m_pane.SetOrigin(origin);
  }

  // A window without height gives the pane nothing to lay out.
  void EvSize(UINT type, SIZE size) override {
    DataWinBase::EvSize(type, size);
    if (size.cx >= 0 && size.cy >= 1) m_pane.SetPaneSize(size);
  }

  void EvPaint() override {
    const HWND handle = GetHandle();
    if (!m_pane.PaintingEnabled()) {
      // Nothing is drawn, but the area must not ask again at once.
      ValidateRect(handle, nullptr);
      return;
    }
    std::lock_guard lock(m_pane.PaneLock());
    m_pane.FlushPendingUpdates();
    m_hadUpdateRegion = GetUpdateRect(handle, &m_updateRect, FALSE);
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(handle, &paint);
    if (dc) m_pane.Paint(dc, paint.rcPaint, 0);
    EndPaint(handle, &paint);
  }

  void EvLButtonDown(DWORD keys, POINT point) override {
    DataWinBase::EvLButtonDown(keys, point);
    m_pane.OnLButtonDown(keys, point);
  }
  void EvLButtonDblClk(DWORD keys, POINT point) override {
    DataWinBase::EvLButtonDblClk(keys, point);
    m_pane.OnLButtonDblClk(keys, point);
  }
  void EvLButtonUp(DWORD keys, POINT point) override {
    DataWinBase::EvLButtonUp(keys, point);
    m_pane.OnLButtonUp(keys, point);
  }
  void EvRButtonDown(DWORD keys, POINT point) override {
    DataWinBase::EvRButtonDown(keys, point);
    m_pane.OnRButtonDown(keys, point);
  }
  void EvRButtonUp(DWORD keys, POINT point) override {
    DataWinBase::EvRButtonUp(keys, point);
    m_pane.OnRButtonUp(keys, point);
  }
  void EvTimer(UINT_PTR id) override {
    DataWinBase::EvTimer(id);
    m_pane.OnTimer(id);
  }
  bool EvMouseWheel(DWORD keys, SHORT delta, POINT screenPoint) override {
    m_pane.OnMouseWheel(keys, delta, screenPoint);
    return false;
  }
  void EvMouseMove(DWORD keys, POINT point) override {
    if (!m_tracking) {
      TRACKMOUSEEVENT track = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetHandle(), 0};
      TrackMouseEvent(&track);
      m_tracking = true;
    }
    DataWinBase::EvMouseMove(keys, point);
    m_pane.OnMouseMove(keys, point);
  }
  void EvMouseLeave() override {
    m_tracking = false;
    DataWinBase::EvMouseLeave();
    m_pane.OnMouseLeave();
  }
  bool EvSetCursor(HWND window, UINT hitTest, UINT message) override {
    if (m_pane.OnSetCursor(LONG(hitTest)) || window != GetHandle()) return true;
    return DataWinBase::EvSetCursor(window, hitTest, message);
  }

  // Whether the last paint had an update region, and its bounds.
  bool HadUpdateRegion() const { return m_hadUpdateRegion; }
  const RECT& LastUpdateRect() const { return m_updateRect; }

 private:
  // The pane with the window's services.
  class BoundPane : public Pane {
   public:
    template <class... PaneArguments>
    explicit BoundPane(DataWin& window, PaneArguments&&... arguments)
        : Pane(std::forward<PaneArguments>(arguments)...), m_window(window) {}

    OWL::TWindow* OwningWindow() const override { return &m_window; }
    HWND ScrollBarHandle() const {
      const auto* bar = dynamic_cast<const ScrollBarWin*>(this->GetScrollBar());
      return bar ? bar->GetHandle() : nullptr;
    }
    HRESULT StartTimer(UINT_PTR id, UINT milliseconds) override {
      return ::SetTimer(m_window.GetHandle(), id, milliseconds, nullptr) ? S_OK : E_FAIL;
    }
    bool StopTimer(UINT_PTR id) override { return ::KillTimer(m_window.GetHandle(), id); }
    bool IsCommandEnabled(LONG) override { return IsWindowEnabled(m_window.GetHandle()); }
    void ScrollWindowContents(int dx, const RECT& scroll, const RECT& clip) override {
      m_window.ScrollWindow(dx, &scroll, &clip);
    }

   protected:
    std::unique_ptr<ScrollBar> CreateScrollBar() override { return m_window.CreateScrollBar(*this); }
    std::unique_ptr<ZoomControl> CreateZoomControl(DWORD flags) override {
      return m_window.CreateZoomControl(*this, flags);
    }
    void RequestRedraw(bool erase) override { m_window.InvalidateWindow(erase); }
    void PlaceControls(int x, int y, int width, int height, bool repaint) override {
      m_window.MoveWindow(x, y, width, height, repaint);
    }
    void UpdateWindowNow() override {
      if (m_window.GetHandle()) ::UpdateWindow(m_window.GetHandle());
    }

   private:
    DataWin& m_window;
  };

  BoundPane m_pane;
  RECT m_updateRect = {};
  bool m_hadUpdateRegion = false;
  bool m_tracking = false;
};

}  // namespace PendrelDraw
