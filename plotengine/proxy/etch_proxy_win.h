// The plot proxy: the native object the plotting scripts call as "etch_proxy". Calls arrive on
// the browser's script thread; all but three are carried synchronously to the thread that made
// the proxy (the plot window's thread), where the plot model and its observers live. Events the
// model raises on the script thread are delivered on the window thread as well, so observers
// only ever run there. Reference counted from 0; the plot window holds one reference and calls
// Detach before it goes.
#pragma once

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "core/inter_thread_notifier.h"
#include "hostframework/subject.h"
#include "plotengine/proxy/etch_proxy_base.h"
#include "plotengine/proxy/proxy_script_values.h"

namespace Quor {

// The plot window's side of the proxy.
struct IEtchProxyUI {
  // Shows the drop-down menu of one plot scale at a rectangle in the browser's client pixels.
  virtual void MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                            int bottom, bool enableCommands, bool vertical, double min,
                            double max) = 0;

 protected:
  ~IEtchProxyUI() = default;
};

class EtchProxyWin final : public EtchProxyBase, public InterThreadNotifier, public TarnSubject {
 public:
  // On the window thread.
  explicit EtchProxyWin(IEtchProxyUI* ui);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // The script object's name and its 21 method names, in order.
  static const String& ScriptObjectName();
  static const std::vector<String>& MethodNames();

  // Script thread: runs one script call and returns its result. Throws ScriptParamError for an
  // unknown method or a missing or ill-typed argument, ScriptCallError with the message the
  // script is to see.
  EtchScriptValue CallMethod(IEtchScriptContext* context, const String& name,
                             const EtchScriptArgs& args);

  // Window thread: the context RunScript uses on the calling thread (the plot window sets its
  // browser while it makes a print job); null clears it. Each thread has its own.
  void SetScriptContext(IEtchScriptContext* context);

  void Detach() override;
  ISubject* GetSubject() override { return this; }
  bool RunScript(const String& script) override;
  LONG DeliverEvent(const EtchEvent& event) override;
  EtchStringMap ResourceURLs() override;
  void MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right, int bottom,
                    bool vertical, double min, double max) override;

  LRESULT OnNotify(WPARAM kind, LPARAM record) override;

 private:
  ~EtchProxyWin() override;

  struct Call;
  // Runs `call` on the window thread; false when no window-thread method has its name.
  bool RunWindowMethod(Call& call);
  // Sends a record to the window thread and returns the notifier's answer.
  LRESULT SendToWindow(WPARAM kind, const void* record);
  IEtchScriptContext* ContextOfThisThread();

  std::atomic<IEtchProxyUI*> m_ui;
  const DWORD m_windowThread;
  std::mutex m_contextsMutex;
  std::unordered_map<DWORD, ComPtr<IEtchScriptContext>> m_contexts;
  volatile LONG m_refCount = 0;
};

}  // namespace Quor
