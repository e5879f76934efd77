#include "plotengine/proxy/etch_proxy_win.h"

#include <functional>

#include "platform/win32/interlocked.h"
#include "platform/win32/message_queue.h"
#include "plotengine/proxy/nearest_data_point.h"
#include "plotengine/proxy/script_integer.h"

namespace Quor {

// A forwarded call, on the script thread's stack while the window thread runs it.
struct EtchProxyWin::Call {
  const String* name;
  const EtchScriptArgs* args;
  EtchScriptValue* result;
  // The message of a failure the script is to see (ScriptCallError on the window thread).
  std::optional<String> error;
};

namespace {

// What the notifier carries: a forwarded call, or an event raised on the script thread.
constexpr WPARAM kForwardedCall = 0;
constexpr WPARAM kEventDelivery = 1;
// The notifier's answers for a call: not handled (or failed), handled, failed with a message.
constexpr LRESULT kNotHandled = 0;
constexpr LRESULT kHandled = 1;
constexpr LRESULT kFailedWithMessage = 2;

struct EventDelivery {
  const EtchEvent* event;
  LONG result;
};

template <class T>
T Arg(const EtchScriptArgs& args, std::size_t index, T value = T()) {
  ReadScriptArg(args, index, value);
  return value;
}

int IntArg(const EtchScriptArgs& args, std::size_t index) { return ScriptInt32(Arg<double>(args, index)); }

using Method = std::function<void(EtchProxyWin&, const EtchScriptArgs&, EtchScriptValue&)>;

// Nearest point query: six numbers, then first and spacing when the script passed them.
NearestPointQuery ReadPointerQuery(const EtchScriptArgs& args) {
  NearestPointQuery query;
  for (std::size_t i = 0; i < 6; ++i) {
    double* fields[] = {&query.x, &query.y, &query.ax, &query.bx, &query.ay, &query.by};
    ReadScriptArg(args, i, *fields[i]);
  }
  try {
    ReadScriptArg(args, 6, query.first);
    ReadScriptArg(args, 7, query.spacing);
    query.regular = query.spacing > 0;
  } catch (const ScriptParamError&) {
    query.regular = false;
  }
  return query;
}

// The methods that run on the window thread, by name.
const std::map<String, Method>& WindowMethods() {
  using A = const EtchScriptArgs&;
  using R = EtchScriptValue&;
  static const std::map<String, Method> methods = {
      {u"SetSVG", [](EtchProxyWin& p, A a, R) {
         p.SetSVG(Arg<String>(a, 0), Arg<String>(a, 1), Arg<String>(a, 2));
       }},
      {u"RequestPixData", [](EtchProxyWin& p, A a, R r) {
         std::vector<double> values;
         if (!p.RequestPixData(Arg<String>(a, 0), Arg<double>(a, 1), Arg<double>(a, 2),
                               IntArg(a, 3), values)) {
           throw ScriptParamError();
         }
         r = std::move(values);
       }},
      {u"RequestLabelsData", [](EtchProxyWin& p, A a, R r) {
         std::vector<String> labels;
         if (!p.RequestLabelsData(Arg<String>(a, 0), Arg<double>(a, 1), Arg<double>(a, 2),
                                  IntArg(a, 3), labels)) {
           throw ScriptParamError();
         }
         r = std::move(labels);
       }},
      {u"UpdateProgress", [](EtchProxyWin&, A, R) {}},
      {u"MakeDropMenu", [](EtchProxyWin& p, A a, R) {
         const String id = Arg<String>(a, 0);
         const int scale = IntArg(a, 1), left = IntArg(a, 2), top = IntArg(a, 3);
         const int right = IntArg(a, 4), bottom = IntArg(a, 5);
         const bool vertical = Arg<bool>(a, 6);
         const double min = Arg<double>(a, 7);
         const double max = Arg<double>(a, 8);
         p.MakeDropMenu(id, scale, left, top, right, bottom, vertical, min, max);
       }},
      {u"VLinesDragged", [](EtchProxyWin& p, A a, R) {
         p.VLinesDragged(Arg<String>(a, 0), Arg<std::vector<double>>(a, 1));
       }},
      {u"BoxResized", [](EtchProxyWin& p, A a, R) {
         p.BoxResized(Arg<String>(a, 0), Arg<std::vector<double>>(a, 1));
       }},
      {u"XScalingChanged", [](EtchProxyWin& p, A a, R) {
         p.XScalingChanged(Arg<String>(a, 0), Arg<std::vector<double>>(a, 1));
       }},
      {u"YScalingChanged", [](EtchProxyWin& p, A a, R) {
         p.YScalingChanged(Arg<String>(a, 0), Arg<std::vector<double>>(a, 1));
       }},
      {u"ZoomLevelChanged", [](EtchProxyWin& p, A a, R) {
         p.ZoomLevelChanged(Arg<String>(a, 0), Arg<std::vector<double>>(a, 1));
       }},
      {u"IsZoomEnabled", [](EtchProxyWin& p, A, R r) { r = p.IsZoomEnabled(); }},
      {u"SetZoomState", [](EtchProxyWin& p, A a, R) {
         p.SetZoomState(Arg<String>(a, 0), Arg<bool>(a, 1), Arg<bool>(a, 2));
       }},
      {u"HasData", [](EtchProxyWin& p, A, R r) { r = p.HasData(); }},
      {u"OnMouseMove", [](EtchProxyWin& p, A a, R r) {
         r = FindNearestDataPoint(p, ReadPointerQuery(a));
       }},
      {u"OnMouseClick", [](EtchProxyWin& p, A a, R r) {
         const double index = Arg<double>(a, 0);
         const String plotter = Arg<String>(a, 1);
         r = p.OnMouseClick(index, plotter, Arg<bool>(a, 2));
       }},
      {u"RegionPosChanged", [](EtchProxyWin& p, A a, R) {
         p.RegionPosChanged(Arg<String>(a, 0), Arg<double>(a, 1), Arg<double>(a, 2));
       }},
      {u"RegionTextChanged", [](EtchProxyWin& p, A a, R) {
         p.RegionTextChanged(Arg<String>(a, 0), Arg<String>(a, 1));
       }},
      {u"RequestEquation", [](EtchProxyWin& p, A a, R r) { r = p.RequestEquation(Arg<String>(a, 0)); }},
  };
  return methods;
}

}  // namespace

EtchProxyWin::EtchProxyWin(IEtchProxyUI* ui) : m_ui(ui), m_windowThread(GetCurrentThreadId()) {}

EtchProxyWin::~EtchProxyWin() {
  std::lock_guard lock(m_contextsMutex);
  m_contexts.clear();
}

HRESULT EtchProxyWin::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != ISubject::iid) return E_NOINTERFACE;
  *object = static_cast<ISubject*>(this);
  AddRef();
  return S_OK;
}

ULONG EtchProxyWin::AddRef() { return ULONG(InterlockedIncrement(&m_refCount)); }

ULONG EtchProxyWin::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return ULONG(count);
}

const String& EtchProxyWin::ScriptObjectName() {
  static const String name(u"etch_proxy");
  return name;
}

const std::vector<String>& EtchProxyWin::MethodNames() {
  static const std::vector<String> names = {
      u"SetSVG", u"CompileMarkup", u"RequestPixData", u"RequestLabelsData",
      u"BadPlotterProperty", u"ResourceURLs", u"UpdateProgress", u"MakeDropMenu",
      u"VLinesDragged", u"BoxResized", u"XScalingChanged", u"YScalingChanged",
      u"ZoomLevelChanged", u"IsZoomEnabled", u"SetZoomState", u"HasData", u"OnMouseMove",
      u"OnMouseClick", u"RegionPosChanged", u"RegionTextChanged", u"RequestEquation"};
  return names;
}

void EtchProxyWin::Detach() { m_ui = nullptr; }

void EtchProxyWin::SetScriptContext(IEtchScriptContext* context) {
  std::lock_guard lock(m_contextsMutex);
  if (context) {
    m_contexts[GetCurrentThreadId()] = ComPtr<IEtchScriptContext>(context);
  } else {
    m_contexts.erase(GetCurrentThreadId());
  }
}

IEtchScriptContext* EtchProxyWin::ContextOfThisThread() {
  std::lock_guard lock(m_contextsMutex);
  const auto found = m_contexts.find(GetCurrentThreadId());
  return found == m_contexts.end() ? nullptr : found->second.Get();
}

bool EtchProxyWin::RunScript(const String& script) {
  IEtchScriptContext* context = ContextOfThisThread();
  if (!context) return false;
  IQuorString* text = script.GetInterface();
  const HRESULT hr = context->ExecuteScript(text);
  text->Release();
  return hr == S_OK;
}

LRESULT EtchProxyWin::SendToWindow(WPARAM kind, const void* record) {
  return InterThreadNotifier::Notify(kind, reinterpret_cast<LPARAM>(record));
}

LONG EtchProxyWin::DeliverEvent(const EtchEvent& event) {
  if (GetCurrentThreadId() != m_windowThread) {
    // Observers live on the window thread: an event raised on the script thread goes there.
    EventDelivery delivery{&event, 0};
    if (SendToWindow(kEventDelivery, &delivery) != kHandled) return LONG(E_FAIL);
    return delivery.result;
  }
  return LONG(TarnSubject::Notify(event.type, 0, event.payload));
}

EtchStringMap EtchProxyWin::ResourceURLs() {
  static const char16_t* const kNames[] = {
      u"throbber", u"cursor_down_stretch_r", u"cursor_l_stretch_t", u"cursor_lr_move_t",
      u"cursor_r_stretch_t", u"cursor_up_down_move_r", u"cursor_up_stretch_r",
      u"cursor_all_stretch_r", u"cursor_all_stretch_t"};
  EtchStringMap urls;
  for (const char16_t* name : kNames) {
    const std::u16string file(name);
    urls[String(name)] = String(file + (file == u"throbber" ? u".gif" : u".cur"));
  }
  return urls;
}

void EtchProxyWin::MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                                int bottom, bool vertical, double min, double max) {
  if (IEtchProxyUI* ui = m_ui.load()) {
    ui->MakeDropMenu(elementId, scaleId, left, top, right, bottom, true, vertical, min, max);
  }
}

EtchScriptValue EtchProxyWin::CallMethod(IEtchScriptContext* context, const String& name,
                                         const EtchScriptArgs& args) {
  EtchScriptValue result;
  if (name == u"ResourceURLs") {
    result = ResourceURLs();
  } else if (name == u"CompileMarkup" || name == u"BadPlotterProperty") {
    const String plotId = Arg<String>(args, 0);
    // The page of this call runs what the model builds, on this thread only.
    SetScriptContext(context);
    struct ClearContext {
      EtchProxyWin* proxy;
      ~ClearContext() { proxy->SetScriptContext(nullptr); }
    } clear{this};
    if (name == u"CompileMarkup") {
      if (!CompileMarkup(plotId, Arg<String>(args, 1))) {
        throw ScriptCallError(u"Invalid Zavi Markup");
      }
    } else {
      const String plotter = Arg<String>(args, 1), property = Arg<String>(args, 2);
      const String kind = Arg<String>(args, 3);
      const String defaultText = args.size() > 4 ? Arg<String>(args, 4) : String();
      BadPlotterProperty(plotId, plotter, property, kind, defaultText);
    }
  } else {
    Call call{&name, &args, &result, std::nullopt};
    const LRESULT answer = SendToWindow(kForwardedCall, &call);
    if (answer == kFailedWithMessage && call.error) throw ScriptCallError(*call.error);
    if (answer != kHandled) throw ScriptParamError();
  }
  return result;
}

bool EtchProxyWin::RunWindowMethod(Call& call) {
  const auto& methods = WindowMethods();
  const auto method = methods.find(*call.name);
  if (method == methods.end()) return false;
  // The arguments are the sender's, who waits; the result is written only on success.
  EtchScriptValue result;
  method->second(*this, *call.args, result);
  *call.result = std::move(result);
  return true;
}

LRESULT EtchProxyWin::OnNotify(WPARAM kind, LPARAM record) {
  if (kind == kEventDelivery) {
    auto* delivery = reinterpret_cast<EventDelivery*>(record);
    delivery->result = DeliverEvent(*delivery->event);
    return kHandled;
  }
  auto* call = reinterpret_cast<Call*>(record);
  // Nothing thrown here may leave the window message: the script thread reports it instead.
  try {
    return RunWindowMethod(*call) ? kHandled : kNotHandled;
  } catch (const ScriptCallError& error) {
    call->error = error.GetMessage();
    return kFailedWithMessage;
  } catch (...) {
    return kNotHandled;
  }
}

}  // namespace Quor
