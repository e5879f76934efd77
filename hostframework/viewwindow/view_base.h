// The window every analysis view derives from: a framework window that the host also reaches
// through its event machinery (commands, command-state queries, messages; the wrapper that
// owns the view connects its proxy), with the copy and print commands of a view, the host's
// print setup, and a size grip in the bottom-right corner. The document view that the host
// opens creates the view window and destroys it when the view closes; the window holds its host
// view object and the host document it names while it lives.
#pragma once

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/cpp_event_handler.h"
#include "platform/owl/window.h"
#include "platform/pendrel/view_classes.h"
#include "platform/pendrel/view_window_host.h"

class ViewBase : public OWL::TWindow, public TarnCppEventHandler, public Quor::CComObjectRoot {
  TARN_DECLARE_EVENT_TABLE();

 public:
  // `hostView` (the host's object for the view, held) gives the title; `view` is the document
  // view that owns this window (not held); `document` (the document the view shows) names the
  // host document, which is held. Any of them may be null.
  ViewBase(OWL::TWindow* parent, IUnknown* hostView, IDocView2* view, IUnknown* document,
           OWL::TModule* module);
  ~ViewBase() override;

  virtual Quor::String GetCopyMenuText() = 0;
  virtual Quor::String GetPrintMenuText() = 0;
  // Whether the host can print now; false when it offers no printing.
  virtual bool CanPrint();
  virtual bool CanCopy() { return true; }
  virtual bool CanUseThirdCommand() { return false; }

  // The title the host gave the view when the window was made; empty without one.
  const Quor::String& GetHostTitle() const { return m_title; }
  // The host's data document of the view's document (not counted for the caller); null
  // without one.
  IUnknown* GetHostDocument() const { return m_hostDocument.Get(); }
  // {the key of the view's document, (view instance << 16) | view id}; 0 for what the host
  // view or the document view cannot say.
  void GetHostViewKey(DWORD key[2]) const;

  void Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) override;
  // The view's own responses come before the framework window's.
  bool Find(OWL::TEventInfo& info) override;

 protected:
  // Whether the grip is painted and whether its square is the resize corner; both at first.
  void SetSizeGrip(bool paint, bool resizeCorner);

 private:
  void OnCopyState(TarnCommandState& state);
  void OnPrintState(TarnCommandState& state);
  void OnThirdCommandState(TarnCommandState& state);
  LONG OnPrintSetup();
  LRESULT EvNCHitTest(WPARAM wParam, LPARAM lParam);

  // Asked of the host each time: the host may gain or lose its printer while the view is open.
  Quor::ComPtr<IPendrelViewPrinting> Printing() const;

  Quor::ComPtr<IUnknown> m_hostView;
  IDocView2* m_view;
  Quor::ComPtr<IUnknown> m_hostDocument;
  bool m_paintGrip = true;
  bool m_gripIsResizeCorner = true;
  Quor::String m_title;
};
