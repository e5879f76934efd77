// DataPane: the model and controller of one trace display. One band (a channel pane) per
// displayed lane, stacked top to bottom, with the time scale below them; the horizontal view
// (compression in ticks per pixel and the scroll position, the data pixel at the right edge of
// the visible data) over the host's per-pane data view; the invalidation bookkeeping that
// layout and scrolling set; and the services its drawers use. The pane is not a window: the
// window that owns it forwards its messages and implements the few window operations (virtual
// here, without effect in a bare pane). The owner controls the pane's lifetime.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "core/bitset_rep.h"
#include "core/quor_rational.h"
#include "hostframework/subject.h"
#include "platform/pendrel/trace_data.h"
#include "tracedisplay/drawers/draw_printable.h"
#include "tracedisplay/panes/channel_pane.h"
#include "tracedisplay/panes/interactive_objects.h"
#include "tracedisplay/panes/time_scale.h"
#include "tracedisplay/scrolling/view_controls.h"

namespace OWL {
class TCommandEnabler;
class TWindow;
}

namespace PendrelDraw {

class DataPane;
class DirtySpans;

// Invalidation reasons: everything, layout or size, and the two kinds of scroll shift.
inline constexpr DWORD kRedrawEverything = 0xFF000000;
inline constexpr DWORD kRedrawLayout = 0x80000000;
inline constexpr DWORD kRedrawBufferedShift = 0x40000000;
inline constexpr DWORD kRedrawPlainShift = 0x20000000;

// Style flags of a data pane.
inline constexpr DWORD kPaneIgnoresOnline = 0x40000;
inline constexpr DWORD kPaneNoControls = 0x80000;
inline constexpr DWORD kPaneMonochrome = 0x800000;
inline constexpr DWORD kPaneNoTimedRedraw = 0x20000000;
inline constexpr DWORD kPaneReuseDataView = 0x40000000;

// A range of sample positions: 0x7FFFFFFF is the open end.
struct RecordPositionRange {
  LONG startOffset;
  LONG startRecord;
  LONG endOffset;
  LONG endRecord;
};

// A place in the recording that the pane's owner reports (the Ctrl-zoom anchor).
class PositionSource {
 public:
  virtual ~PositionSource() = default;
  // False when it has no position.
  virtual bool CurrentPosition(LONG* record, LONG* tick) = 0;
};

// The owner's callables; each is called only when set.
struct DataPaneCallbacks {
  std::function<void(LONG channel, LONG a, LONG b, IUnknown* c2)> paneAction;
  std::function<void(LONG channel, LONG argument)> autoScale;
  std::function<void(double compression, LONG record, double seconds)> compressionChanged;
  std::function<void(double compression, LONG record, double seconds)> positionChanged;
  std::function<void(double compression, LONG record, double seconds)> viewMoved;
  std::function<void()> viewChanged;
  std::function<void(bool follow)> followChanged;
  std::function<void()> jumpToEnd;
  // Told 1 at each record start and 0 when the pane leaves online mode.
  std::function<void(LONG state)> recordChange;
  std::function<void(LONG record)> afterUpdate;
  std::function<void(LONG record, LONG start, LONG count, bool more)> onlineData;
  // After each paint: the DC clipped to the data area, the free width right of the data and the
  // pane; true when it changed something, which then is redrawn.
  std::function<bool(HDC dc, LONG freeWidth, DataPane& pane)> afterPaint;
};

class DataPane : public IOnlineDataSink,
                 public TarnSubject,
                 public IDrawerDataPane,
                 public InteractiveObjectContainer,
                 public DrawPrintableBase,
                 public ChannelPaneOwner {
 public:
  explicit DataPane(IPendrelTraceDataSource* source = nullptr);
  ~DataPane() override;

  // IUnknown: counting does nothing; the owner controls the lifetime.
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }

  // IOnlineDataSink: the data view hears each notice first; a pane that ignores online data
  // stops there. The pane never refuses a notice.
  HRESULT OnSamplingStarting(DWORD flags, VARIANT_BOOL* proceed) override;
  HRESULT OnRecordStart(LONG record) override;
  HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) override;
  HRESULT OnRecordEnd(LONG record) override;
  HRESULT OnSamplingStopped(DWORD reason, DWORD reserved) override;
  HRESULT OnDataChanged(DWORD reserved) override;
  HRESULT OnChannelChanged(DWORD channel) override;
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override;
  HRESULT GetDataInterest(DWORD* interest) override;

  // Window and source.
  virtual void AttachWindow(void* owner, HWND window);
  virtual void DetachWindow();
  void SetSource(DWORD flags, IPendrelTraceDataSource* source, const LONGLONG* start);
  virtual void SetPaneRect(const RECT& rect);
  const RECT& GetPaneRect() const { return m_paneRect; }
  virtual void SetPaneSize(SIZE size);
  HWND Window() const { return m_window; }
  // The framework window that holds the pane and gives it its window services; null for a bare
  // pane. A pane that needs more of its window (the preview's controls) asks it through this.
  virtual OWL::TWindow* OwningWindow() const { return nullptr; }
  // The pane's origin in its window.
  void SetOrigin(POINT origin) { m_origin = origin; }
  POINT Origin() const { return m_origin; }

  // Mouse and timer messages of the owning window (client co-ordinates), handed to the
  // interactive objects. A double click and the cursor report whether an object took them.
  virtual void OnLButtonDown(DWORD keys, POINT point);
  virtual bool OnLButtonDblClk(DWORD keys, POINT point);
  virtual void OnLButtonUp(DWORD keys, POINT point);
  virtual void OnRButtonDown(DWORD keys, POINT point);
  virtual void OnRButtonUp(DWORD keys, POINT point);
  virtual void OnMouseMove(DWORD keys, POINT point);
  virtual void OnMouseLeave();
  virtual void OnTimer(UINT_PTR id);
  virtual void OnNotify(WPARAM control, const NMHDR* header);
  virtual bool OnSetCursor(LONG hitTest);

  // Window services, without effect in a bare pane: a timer of the window, and whether the
  // window takes commands of a kind (1 expand, 2 compress, 3 compression menu, 4 auto-scale).
  virtual HRESULT StartTimer(UINT_PTR, UINT) { return S_OK; }
  virtual bool StopTimer(UINT_PTR) { return false; }
  virtual bool IsCommandEnabled(LONG) { return true; }
  // Fits the time axis to the traces; a bare pane cannot.
  virtual HRESULT AutoScaleTime(LONG) { return E_NOTIMPL; }
  void SetReadyFlag(bool bound) override { m_windowBound = bound; }
  bool ReadyFlag() const { return m_windowBound; }
  // The flags every new channel pane gets.
  DWORD ChannelFlags() const { return m_channelFlags; }

  // Lanes.
  LONG GetLaneCount() const { return LONG(m_channelPanes.size()); }
  void SetLaneCount(LONG count);
  ChannelPane* ChannelPaneAt(LONG index) const;
  TimeScale& GetTimeScale() const { return *m_timeScale; }
  void LayoutPanes();
  void OnRectsDragged(const std::vector<LONG>& tops, const std::vector<LONG>& heights);
  // The lane under a client point: 0x80000000 outside, -1 on the time scale.
  LONG HitTestPane(POINT point) const;
  HRESULT NotifyPaneAction(LONG pane, LONG a, LONG b, IUnknown* c2) override;
  void LoadDisplayState(Quor::BinIStream& stream);
  void SaveDisplayState(Quor::BinOStream& stream);
  HRESULT AddDrawerToPane(DWORD a, IPendrelRecordDrawer* drawer, LONG pane);
  // Which drawer and source a channel pane's kind (1 or 2) refers to.
  void SetPaneDrawerSource(LONG pane, LONG kind, IUnknown* source,
                           IPendrelRecordDrawer* drawer = nullptr);
  // The drawer of a kind (1 or 2) of a channel pane, with a reference; null when it has none.
  HRESULT GetPaneDrawer(LONG pane, LONG x, LONG kind, IPendrelRecordDrawer** drawer);
  // The range of the data that channel pane 0's drawer of a kind shows, in the axis's prefixed
  // unit; low above high when the drawer reports none.
  HRESULT GetDrawerDataRange(DWORD a, LONG kind, double* low, double* high);
  // Sets an option of the scale-drag source behind channel pane 0's drawers of a kind.
  HRESULT SetSourceOption(bool flag, LONG kind, LONG value);

  // Painting (under the pane lock). Paint draws what the bands report invalid within `rect`;
  // DrawRecords walks the records over the client columns [xFrom, xTo).
  void Paint(HDC dc, const RECT& rect, DWORD mode);
  void PaintBackground(HDC dc, DWORD a, DWORD flags);
  void DrawRecords(HDC dc, DWORD a, const RECT& rect, LONG xFrom, LONG xTo);
  // Redraws layer `lane` (1 to 7; 0: only the sweep line) of one channel pane, or of all for -1.
  void RedrawLane(LONG lane, bool keepRange, DWORD flags, HDC dc, LONG pane, bool reset);
  void DrawSweepLine(HDC dc);
  void EnablePainting(bool enabled) { m_paintingEnabled = enabled; }
  bool PaintingEnabled() const { return m_paintingEnabled; }
  // ORed into the flags of every record segment drawn.
  void SetExtraDrawFlags(DWORD flags) { m_extraDrawFlags = flags; }

  // Auto-scaling: each channel pane's first drawer takes the extremes of its channel over the
  // visible data.
  void AutoScaleVisible();
  bool UpdatePaneAutoScale(IUnknown* data, LONG record, LONG pane);

  // The preview's access to the drawers of a kind (1 or 2): refresh those of a pane (-1: all),
  // and whether any channel pane has one.
  HRESULT RefreshDrawers(LONG pane, LONG kind);
  HRESULT HasDrawerData(LONG kind, VARIANT_BOOL* has);

  // Invalidation.
  void Invalidate(DWORD mask);
  void MarkAllForRedraw();
  void ResetDrawCaches();
  void InvalidatePaneSpan(LONG pane, LONG from, LONG to);
  // An event or comment of the host changed: only the columns it covers are drawn again.
  void InvalidateChangedEvent(LONG record, LONG a, LONG b, IUnknown* event);
  bool FlushPendingUpdates() override;
  DWORD InvalidationMask() const { return m_invalidationMask; }
  Quor::BitsetRep& RefreshSet(int kind) const { return *m_refreshSets[kind == 2 ? 1 : 0]; }

  // Compression and scrolling.
  void GetCompression(QuorRational* ratio);
  void StoreCompression(const QuorRational& ratio);
  void SetCompression(const QuorRational& ratio, const POINT* anchor, bool notify);
  void Zoom(bool in);
  // The zoom control's compression menu: rebuilt from its ids with the stored compression
  // checked; an item's state and its command. Kind 1 is the horizontal compression, the only
  // one a data pane answers.
  void BuildCompressionMenu(HMENU menu, int firstId, int endId);
  void GetCompressionMenuState(LONG kind, OWL::TCommandEnabler& state);
  void OnCompressionMenuCommand(LONG kind, int id);
  void OnScroll(WORD code, double amount);
  virtual void ScrollPages(LONG direction) { OnScroll(WORD(direction), 1.0); }
  bool OnMouseWheel(DWORD keys, SHORT delta, POINT screenPoint);
  void ScrollBy(LONGLONG delta);
  void ScrollToTime(LONG tick, LONG record, LONG mode);
  void ScrollToPosition(LONG tick, LONG record);
  void ScrollToEnd();
  void ClampScrollPosition();
  void EndScroll(bool notify);
  HRESULT GetVisibleRange(RecordPositionRange* range);
  void UpdateScrollBar();
  void PlaceScrollControls();
  void SetFollow(bool follow, bool notify);
  void SetFollowByUser(bool follow, bool notify);
  bool IsFollowing() const { return m_online && m_follow; }
  void SetOnline(bool online) { m_online = online; }
  void SetJumpToEndAtRecordStart(bool jump) { m_jumpToEndAtRecordStart = jump; }
  // The sweep line's x within the data width while sampling.
  LONG SweepPosition() const { return m_sweepPosition; }
  bool DataPending() const { return m_dataPending; }
  LONGLONG GetScrollPosition() const { return m_scrollPosition; }
  void SetScrollPosition(LONGLONG position) { m_scrollPosition = position; }
  LONG ScrollScale() const { return m_scrollScale; }
  bool UserScrolled() const { return m_userScrolled; }
  LONG DataWidth() const { return m_paneWidth - 2 * BorderWidth(); }
  void SetPositionSource(PositionSource* source) { m_positionSource = source; }
  void SetDisplayMode(LONG mode) { m_displayMode = mode; }
  DataPaneCallbacks& Callbacks() { return m_callbacks; }

  // Pane-wide settings. ApplySettings hands the host's settings object, the label source and
  // the channel (-1 for all) to every band, and fills the per-lane values.
  void ApplySettings(IUnknown* settings, IUnknown* labels, LONG channel);
  // The value the last settings gave lane `index`.
  HRESULT GetPaneValue(LONG index, LONG a, DWORD* value);
  void SetStyleFlags(DWORD flags) { m_styleFlags = flags; }
  void SetBufferedDrawing(bool buffered) { m_bufferedDrawing = buffered; }
  void SetBackgroundColour(COLORREF colour) { m_background = colour; }
  // The flags channel panes made from now on get; bit 27 also keeps follow as it is at a record
  // start.
  void SetChannelFlags(DWORD flags) { m_channelFlags = flags; }
  void SetMinimumLabelWidths(LONG left, LONG right);
  LONG LeftLabelWidth() const { return m_leftLabelWidth; }
  LONG RightLabelWidth() const { return m_rightLabelWidth; }

  // IDrawerDataPane
  HRESULT GetPrintDC(HDC* dc) override;
  HRESULT GetResolutionX(DWORD a, HDC dc, double* resolution) override;
  HRESULT GetResolutionY(DWORD a, HDC dc, double* resolution) override;
  HRESULT GetPrintScale(DWORD a, double* x, double* y) override;
  HRESULT IsMonochrome(DWORD a, VARIANT_BOOL* monochrome) override;
  HRESULT SetLaneRange(LONG pane, LONG code, const double* range) override;
  HRESULT SetLaneColour(LONG pane, LONG code, COLORREF colour) override;
  HRESULT GetDataRect(LONG pane, RECT* rect) override;
  HRESULT InvalidateLane(LONG pane, const RECT* rect) override;
  HRESULT IsSampling() override;
  HRESULT IsFollowingOnline() override;
  HRESULT GetBackgroundColour(COLORREF* colour) override;
  HRESULT GetContrastColour(COLORREF colour, COLORREF* contrast) override;
  HRESULT GetPaneChannel(LONG pane, LONG* pair) override;
  HRESULT GetPaneSource(LONG pane, LONG kind, IUnknown** source) override;
  HRESULT GetValueAt(LONG pane, LONG laneKind, LONG record, IQuorString** text,
                     VARIANT_BOOL* flag) override;
  HRESULT GetChannelPaneValue(LONG pane, DWORD* value) override;
  HRESULT GetPaneFlags(DWORD* value, DWORD* flags) override;

  // Print state: the print DC while printing.
  HRESULT BeginPrint(LONG_PTR dc) override;
  HRESULT EndPrint() override;

  // ChannelPaneOwner
  IDrawerDataPane* DrawerServices() override { return this; }
  bool AllowsBuffering() const override { return m_bufferedDrawing && !IsMonochromeMode(); }
  bool IsMonochromeMode() const override { return m_styleFlags & kPaneMonochrome; }
  bool IsRunningOnline() const override { return m_online; }
  bool FollowsNewData() const override { return IsFollowing(); }
  void OnLaneInvalidated(const RECT& rect, bool erase) override;
  void ScrollWindowContents(int dx, const RECT& scroll, const RECT& clip) override;
  LONG PaneWidth() const override { return m_paneWidth; }
  LONGLONG ScrollPosition() const override { return m_scrollPosition; }
  LONG BorderWidth() const override { return 1; }
  LONG LaneGap() const override { return 1; }
  LONGLONG DataViewEnd() override;
  COLORREF ContrastColour(COLORREF colour) override;
  double ResolutionX(HDC dc) override;
  std::recursive_mutex& PaneLock() override { return m_lock; }
  void RequestAutoScale(LONG channel, LONG argument) override;
  void OnLaneScaleChanged(LONG lane, LONG axis) override;
  LONG ChannelOfLane(LONG lane) override { return lane; }
  // The data kind of a lane's channel (the low byte of its channel pair).
  LONG ChannelKindOfLane(LONG lane);
  DWORD StyleFlags() const override { return m_styleFlags; }
  IPendrelTraceDataView* DataView() override { return m_dataView; }
  bool VisiblePixels(LONGLONG* first, LONGLONG* end) override;
  TarnMessageHandler* MessageHandler() override { return m_messageHandler; }
  // The owner's handler that joins the pane to the host's message routing; the owner keeps it
  // alive while it is set.
  void SetMessageHandler(TarnMessageHandler* handler) { m_messageHandler = handler; }

 protected:
  // Window operations: the owning window makes the controls and redraws; a bare pane has none.
  virtual std::unique_ptr<ScrollBar> CreateScrollBar() { return nullptr; }
  virtual std::unique_ptr<ZoomControl> CreateZoomControl(DWORD) { return nullptr; }
  virtual void RequestRedraw(bool) {}
  virtual void PlaceControls(int, int, int, int, bool) {}
  virtual void UpdateWindowNow() {}
  virtual ChannelPane* CreateChannelPane(LONG index);
  virtual void OnChannelPaneAdded(LONG index);
  virtual void OnChannelPaneRemoved(LONG index);

  ScrollBar* GetScrollBar() const { return m_scrollBar.get(); }
  ZoomControl* GetZoomControl() const { return m_zoomControl.get(); }

 private:
  struct DrawerSources {
    IUnknown* kind[2] = {};
    IPendrelRecordDrawer* drawer[2] = {};
  };

  // Painting.
  std::vector<ChildPaneBase*> Bands() const;  // the time scale, then the channel panes
  // The record being sampled; 0x7FFFFFFF when none is.
  LONG SampledRecord();
  DWORD SegmentFlags(LONG record, LONG sampled) const;
  // Draws the records from pixel `first` (in `record`) towards `end`; returns the pixel reached.
  // Where the graticule's vertical time lines of a record fall; no lines when the view cannot
  // say.
  TimeGrid TimeGridOf(HDC dc, const PendrelTraceRecordInfo& info) const;
  LONGLONG WalkRecords(HDC dc, const RECT& clip, LONGLONG first, LONGLONG end, LONG record,
                       LONG sampled, const std::vector<std::unique_ptr<DirtySpans>>& dirt);
  void DrawSegment(HDC dc, const DrawSpan& span, DWORD flags,
                   const std::vector<std::unique_ptr<DirtySpans>>& dirt);
  // After the walk: the columns asked for but not drawn show the background, the bands are
  // clean, and without sampling the drawers let go of their data cursors.
  void FinishBands(HDC dc, std::pair<LONG, LONG> drawn, std::pair<LONG, LONG> asked, LONG sampled,
                   const std::vector<std::unique_ptr<DirtySpans>>& dirt);
  void RedrawBandLane(ChildPaneBase& band, LONG lane, const DrawSpan& span, DWORD flags, HDC dc,
                      bool reset);
  // The union of the columns the buffered bands must draw; false when none.
  bool InvalidColumns(LONG* from, LONG* to);
  void CallAfterPaint(HDC dc, const RECT& data);
  LONG SweepColumn() const;
  bool SweepEmphasised() const;
  // The background over a band: settled, the band has nothing more to draw; otherwise it draws
  // every layer again at the next paint.
  void FillBand(HDC dc, ChildPaneBase& band, bool settled);
  void FillBackground(HDC dc, bool settled);
  void PaintWithoutData(HDC dc);
  // The background as the bands show it (black shows white in monochrome).
  COLORREF ShownBackground();
  // Where the channel panes lie, whether there are any or not.
  RECT ChannelArea() const;
  // The channel pane that shows a host channel; -1 when none does.
  LONG LaneOfChannel(LONG channel);

  // Hands an online notice to the data view; false when the pane ignores online data.
  bool ForwardToDataView(const std::function<void(IOnlineDataSink*)>& notice);
  // Moves the view and the sweep line on by the data that arrived since the last record end.
  void AdvanceWithNewData();
  // The record and seconds at the right edge, for the view callbacks.
  void CallViewHandlers(const std::function<void(double, LONG, double)>& handler);
  void ReleaseChannelPanes(LONG from);
  static void ReleaseDrawerSources(DrawerSources& sources);
  void AppendChannelPane(LONG index);
  LONGLONG DataExtent();
  // The client x of a data pixel and back.
  LONGLONG ClientXOf(LONGLONG pixel) const;
  LONGLONG PixelAtClientX(LONGLONG x) const;
  // Scrolls so that a record position stands at the centre; false when the view has no pixel
  // for it.
  bool CentreOnPosition(LONG record, LONG tick);

  // Pane base state.
  DWORD m_extraDrawFlags = 0;
  bool m_paintingEnabled = true;
  bool m_windowBound = false;
  HWND m_window = nullptr;
  void* m_owner = nullptr;
  LONG m_displayMode = 0;
  DWORD m_zoomArgument = 0;
  DWORD m_channelPaneStyle = 12080;
  LONG m_labelMargin = 10;
  LONG m_leftLabelWidth = 0;
  LONG m_rightLabelWidth = 0;
  RECT m_paneRect = {};
  POINT m_origin = {};
  LONG m_paneWidth = 0;
  LONG m_paneHeight = 0;
  QuorRational m_compression{10, 1};
  LONG m_sweepPosition = 0;
  LONG m_scrollScale = 1;
  DWORD m_channelFlags = 0xC0000000;
  Quor::BitsetRep* m_refreshSets[2];
  DWORD m_invalidationMask = 0;
  LONG m_minimumLeftWidth = 0;
  LONG m_minimumRightWidth = 0;
  bool m_online = false;
  bool m_resetPending = true;
  bool m_dataPending = false;
  bool m_moreData = false;
  bool m_jumpToEndAtRecordStart = false;
  LONG m_currentOnlineRecord = 0;
  LONGLONG m_recordStartEnd = 0;
  DWORD m_lastOnlineTick = 0;
  bool m_bufferedDrawing = true;
  DWORD m_styleFlags = 0x80000000;
  DWORD m_paneValue = 0;
  std::vector<LONG> m_laneTops;
  std::vector<LONG> m_laneHeights;
  COLORREF m_background = RGB(255, 255, 255);
  bool m_userScrolled = false;
  bool m_follow = true;
  bool m_sizeChanged = false;
  LONG m_lastDataWidth = 0;
  LONGLONG m_scrollPosition = 0;
  LONG m_lineStep = 1;
  LONG m_pageStep = 1;
  LONG m_wheelRemainder = 0;
  DWORD m_lastWheelTick;
  HDC m_printDC = nullptr;

  // Pane members.
  DataPaneCallbacks m_callbacks;
  PositionSource* m_positionSource = nullptr;
  TarnMessageHandler* m_messageHandler = nullptr;
  IPendrelTraceDataSource* m_source = nullptr;
  IPendrelTraceDataView* m_dataView = nullptr;
  std::unique_ptr<ZoomControl> m_zoomControl;
  std::unique_ptr<ScrollBar> m_scrollBar;
  TimeScale* m_timeScale = nullptr;
  std::vector<ChannelPane*> m_channelPanes;
  std::vector<DrawerSources> m_drawerSources;
  std::vector<DWORD> m_paneValues;
  std::recursive_mutex m_lock;
};

}  // namespace PendrelDraw
