// PreviewDataPane: the data pane of a preview inside a dialog. Besides the traces it holds a
// sampling control (start, pause, stop) and, when its window asks for one, a trace control
// (stack, overlay, source only), both placed inside the pane's area. Sampling goes into a scratch
// document that the host backs with a temporary compound file; stopping returns the view to the
// previewed document where it was before sampling started. The window that holds the pane owns
// it and makes its controls (PreviewControlFactory).
#pragma once

#include <functional>
#include <memory>

#include "core/com_ptr.h"
#include "platform/pendrel/sampling_device.h"
#include "tracedisplay/panes/notice_ids.h"
#include "tracedisplay/preview/simple_data_pane.h"
#include "tracedisplay/scrolling/view_controls.h"

namespace PendrelDraw {

// Sampling states of a preview.
inline constexpr LONG kPreviewStopped = 100;
inline constexpr LONG kPreviewSampling = 101;
inline constexpr LONG kPreviewPaused = 102;
// Asks for the current state's action once more.
inline constexpr LONG kPreviewRepeat = 103;

// Trace modes that the trace control asks for.
inline constexpr DWORD kTraceModeStack = 2;
inline constexpr DWORD kTraceModeOverlay = 4;
inline constexpr DWORD kTraceModeSourceOnly = 8;

// Bit 0 of a trace-control mask: the pane gets a trace control.
inline constexpr DWORD kWantsTraceControl = 0x1;
// Channel flag: channel panes show a second axis.
inline constexpr DWORD kSecondAxisFlag = 0x40000000;

// The notice a preview's observers get when the document it shows changes, and its record.
using PreviewDocumentChanged = TypeIdClass<&GUID_PendrelPreviewDocument, 0>;
struct PreviewDocumentNotice {
  DWORD sampling;      // 1 while the scratch document is shown
  IUnknown* document;  // held for the duration of the notice
};

class PreviewDataPane;

// Makes the controls of a preview pane: the window that holds the pane.
class PreviewControlFactory {
 public:
  // Null when the control cannot be made.
  virtual std::unique_ptr<PreviewControl> CreateSamplingControl(PreviewDataPane& pane,
                                                                DWORD channelFlags) = 0;
  virtual std::unique_ptr<PreviewControl> CreateTraceControl(PreviewDataPane& pane, DWORD mask) = 0;

 protected:
  ~PreviewControlFactory() = default;
};

class PreviewDataPane : public SimpleDataPane {
 public:
  using TraceCallback = std::function<void(DWORD)>;

  explicit PreviewDataPane(IUnknown* sourceDocument);
  ~PreviewDataPane() override;

  void AttachWindow(void* owner, HWND window) override;
  // Stops sampling, then lets the channel panes go of the window as every data pane does.
  void DetachWindow() override;
  void SetPaneRect(const RECT& rect) override;
  void SetPaneSize(SIZE size) override;

  // The document to show: it becomes the previewed document; a scratch document is let go.
  void SetSource(DWORD flags, IUnknown* document, const LONGLONG* start);
  void AttachSamplingController(IPendrelSamplingDevice* controller);
  // Starts the attached controller again into the scratch document: S_FALSE when it is already
  // sampling, E_FAIL without a scratch document or controller. Shows no message.
  HRESULT AttachSource();

  void SetSamplingState(LONG requested);
  // The trace control's modes: 2 stack, 4 overlay, 8 the source trace only (argument bit 0)
  // or all traces again (bit 1).
  void SetTraceMode(DWORD mode, DWORD argument);
  void NotifyTraceCallback(DWORD value);
  void SetTraceCallback(DWORD mask, TraceCallback callback);

  // The sampling control's three buttons.
  void Stop();
  void Start();
  void Pause();

  // The zoom control and the scroll bar show the pane's view again.
  void RefreshViewControls();

  LONG SamplingState() const { return m_state; }
  IPendrelSamplingDevice* SamplingController() const { return m_controller.Get(); }
  IUnknown* SourceDocument() const { return m_sourceDocument.Get(); }
  IUnknown* SamplingDocument() const { return m_samplingDocument.Get(); }
  PreviewControl* SamplingControl() const { return m_samplingControl.get(); }
  PreviewControl* TraceControl() const { return m_traceControl.get(); }

  // The window that makes the controls; it outlives the pane's window attachment.
  void SetControlFactory(PreviewControlFactory* factory) { m_controlFactory = factory; }

 protected:
  // The factory's controls; none without a factory.
  virtual std::unique_ptr<PreviewControl> CreateSamplingControl(DWORD channelFlags);
  virtual std::unique_ptr<PreviewControl> CreateTraceControl(DWORD mask);

 private:
  // The data source behind a document, for the data pane's own SetSource.
  static Quor::ComPtr<IPendrelTraceDataSource> TraceSourceOf(IUnknown* document);
  // The scratch document's face that the controller fills.
  static Quor::ComPtr<IUnknown> SamplingTargetOf(IUnknown* document);
  // The steps of SetSamplingState.
  void StopSampling();
  void StartSampling();
  // The scratch document for the first start after a stop: it gets the storage and the
  // controller's target, and the pane shows it.
  void OpenSamplingDocument();
  void ReleaseSamplingDocument();
  // The controller set up and asked to start; the controller's result.
  HRESULT RequestStart(Quor::String& error);
  void ShowStartFailure(HRESULT result, const Quor::String& error);
  // Tells the observers which document the pane shows: the scratch one (1) or the previewed
  // one (0).
  void NotifyShownDocument();
  // Stacks the traces of channel pane 0: trace 1 in the upper half, trace 2 in the lower.
  void StackTraces(ChannelPane& pane);
  static void AutoScaleAxes(ChannelPane& pane, bool second);

  LONGLONG m_savedPosition = 0;
  std::unique_ptr<PreviewControl> m_samplingControl;
  std::unique_ptr<PreviewControl> m_traceControl;
  Quor::ComPtr<IUnknown> m_sourceDocument;
  Quor::ComPtr<IUnknown> m_samplingDocument;
  Quor::ComPtr<IPendrelSamplingDevice> m_controller;
  LONG m_state = kPreviewStopped;
  // The left label width that makes room for the trace control; 0 when the labels are wide
  // enough.
  LONG m_raisedLeftWidth = 0;
  DWORD m_traceControlMask = 0;
  TraceCallback m_traceCallback;
  PreviewControlFactory* m_controlFactory = nullptr;
};

}  // namespace PendrelDraw
