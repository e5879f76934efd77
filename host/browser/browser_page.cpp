#include "host/browser/browser_page.h"

#include <fstream>
#include <utility>

#include "host/browser/base64.h"
#include "host/browser/browser_settings.h"
#include "host/browser/devtools_connection.h"
#include "host/browser/page_shim.h"
#include "host/browser/script_value.h"
#include "host/framework/host_text.h"
#include "platform/win32/message_queue.h"

namespace PendrelBrowser {

using nlohmann::json;

namespace {

std::string ResultText(const DevtoolsAnswer& answer, const char* key) {
  return answer.ok && answer.result ? answer.result->value(key, std::string()) : std::string();
}

std::string ConsoleText(const json& params) {
  std::string text;
  for (const json& argument : params.value("args", json::array())) {
    if (!text.empty()) text += ' ';
    if (argument.contains("value") && argument["value"].is_string()) {
      text += argument["value"].get<std::string>();
    } else {
      text += argument.value("description", argument.value("type", std::string()));
    }
  }
  return text;
}

std::string ExceptionText(const json& details) {
  const json exception = details.value("exception", json::object());
  const std::string description = exception.value("description", std::string());
  return description.empty() ? details.value("text", std::string("exception")) : description;
}

}  // namespace

std::shared_ptr<BrowserPage> BrowserPage::Open(int width, int height, std::string* error) {
  std::shared_ptr<BrowserPage> page(new BrowserPage);
  if (!page->Attach(width, height, error)) return nullptr;
  return page;
}

bool BrowserPage::Attach(int width, int height, std::string* error) {
  m_connection = DevtoolsConnection::Shared(error);
  if (!m_connection) return false;
  const DWORD timeout = BrowserTimeout();
  m_target = ResultText(m_connection->Call("Target.createTarget", {{"url", "about:blank"}}, "",
                                           timeout),
                        "targetId");
  if (!m_target.empty()) {
    m_session = ResultText(m_connection->Call("Target.attachToTarget",
                                              {{"targetId", m_target}, {"flatten", true}}, "",
                                              timeout),
                           "sessionId");
  }
  if (m_session.empty()) {
    if (error) *error = "the browser made no page";
    return false;
  }
  m_scriptThread = std::make_unique<ScriptThread>();
  std::weak_ptr<BrowserPage> weak = weak_from_this();
  m_connection->Listen(m_session, [weak](const json& message) {
    if (auto page = weak.lock()) page->OnEvent(message);
  });
  const json patterns = json::array({{{"urlPattern", "*"}, {"requestStage", "Request"}}});
  for (const auto& [method, params] :
       std::initializer_list<std::pair<const char*, json>>{{"Page.enable", json::object()},
                                                           {"Runtime.enable", json::object()},
                                                           {"Fetch.enable", {{"patterns", patterns}}}}) {
    if (!m_connection->Call(method, params, m_session, timeout).ok) {
      if (error) *error = std::string("the browser refused ") + method;
      return false;
    }
  }
  return SetViewport(width, height) == S_OK;
}

BrowserPage::~BrowserPage() {
  if (m_connection) {
    if (!m_session.empty()) m_connection->StopListening(m_session);
    if (!m_target.empty()) m_connection->Send("Target.closeTarget", {{"targetId", m_target}}, "", false);
  }
  m_scriptThread.reset();
  if (m_loader) m_loader->Release();
  for (auto& [name, object] : m_objects) object->Release();
}

void BrowserPage::SetCallContext(IUnknown* context) {
  std::lock_guard lock(m_mutex);
  m_callContext = context;
}

void BrowserPage::SetLoader(IQuorBrowserResourceLoader* loader) {
  if (loader) loader->AddRef();
  IQuorBrowserResourceLoader* old;
  {
    std::lock_guard lock(m_mutex);
    old = std::exchange(m_loader, loader);
  }
  if (old) old->Release();
}

HRESULT BrowserPage::RegisterObject(IQuorV8Object* object) {
  IAutoQuorString* nameText = nullptr;
  if (FAILED(object->GetName(&nameText)) || !nameText) return E_FAIL;
  const std::string name = Tarn::Utf8(Tarn::TextOf(nameText));
  nameText->Release();
  IEnumIAutoQuorString* methodNames = nullptr;
  if (FAILED(object->GetMethodNames(&methodNames))) return E_FAIL;
  std::vector<std::string> methods;
  for (const std::u16string& method : DrainStrings(methodNames)) methods.push_back(Tarn::Utf8(method));
  if (methodNames) methodNames->Release();
  if (name.empty()) return E_INVALIDARG;

  object->AddRef();
  IQuorV8Object* replaced = nullptr;
  {
    std::lock_guard lock(m_mutex);
    IQuorV8Object*& slot = m_objects[name];
    replaced = std::exchange(slot, object);
  }
  if (replaced) replaced->Release();
  const std::string shim = ScriptObjectShim(name, methods);
  const DWORD timeout = BrowserTimeout();
  // Every document from now on gets the object before its own scripts run; the one shown now
  // gets it at once.
  if (!m_connection->Call("Page.addScriptToEvaluateOnNewDocument", {{"source", shim}}, m_session,
                          timeout)
           .ok) {
    return E_FAIL;
  }
  return m_connection->Call("Runtime.evaluate", {{"expression", shim}}, m_session, timeout).ok
             ? S_OK
             : E_FAIL;
}

HRESULT BrowserPage::Navigate(const std::string& url) {
  if (m_gone || !m_connection->Alive()) return E_FAIL;
  {
    std::lock_guard lock(m_mutex);
    m_load = Load::Loading;
  }
  const DevtoolsAnswer answer =
      m_connection->Call("Page.navigate", {{"url", url}}, m_session, BrowserTimeout());
  std::lock_guard lock(m_mutex);
  if (!answer.ok || !ResultText(answer, "errorText").empty()) {
    m_load = Load::Failed;
    return E_FAIL;
  }
  // A move within the same document loads nothing.
  if (ResultText(answer, "loaderId").empty()) m_load = Load::Ready;
  return S_OK;
}

bool BrowserPage::JoinsCallInProgress(const std::string& text) {
  const DWORD scriptThread = m_scriptThread->ThreadId();
  std::lock_guard lock(m_mutex);
  if (!m_call) return false;
  if (GetCurrentThreadId() != scriptThread && win32::SenderThreadOfCurrentMessage() != scriptThread) {
    return false;
  }
  m_call->runList.push_back(text);
  return true;
}

bool BrowserPage::WaitForLoad() {
  const auto settled = [&] {
    std::lock_guard lock(m_mutex);
    return m_load != Load::Loading || m_gone;
  };
  if (!win32::WaitDispatchingSentMessages(settled, BrowserTimeout())) return false;
  std::lock_guard lock(m_mutex);
  return m_load == Load::Ready && !m_gone;
}

HRESULT BrowserPage::ExecuteScript(const std::string& text) {
  if (JoinsCallInProgress(text)) return S_OK;
  if (m_gone || !WaitForLoad()) return E_FAIL;
  // The completion value is dropped, so that nothing of the page is kept for the caller.
  const DevtoolsAnswer answer = m_connection->Call(
      "Runtime.evaluate", {{"expression", text + "\n;void 0"}}, m_session, BrowserTimeout());
  if (!answer.ok || !answer.result) return E_FAIL;
  return answer.result->contains("exceptionDetails") ? E_FAIL : S_OK;
}

HRESULT BrowserPage::Evaluate(const std::string& expression, json& value, std::string& error) {
  if (m_gone || !WaitForLoad()) {
    error = "the page is gone";
    return E_FAIL;
  }
  const json params = {{"expression", expression}, {"returnByValue", true}, {"awaitPromise", true}};
  const DevtoolsAnswer answer = m_connection->Call("Runtime.evaluate", params, m_session, BrowserTimeout());
  if (!answer.ok || !answer.result) {
    error = answer.error.empty() ? "the page did not answer" : answer.error;
    return E_FAIL;
  }
  if (answer.result->contains("exceptionDetails")) {
    const json& details = (*answer.result)["exceptionDetails"];
    error = details.contains("exception") ? details["exception"].value("description", std::string())
                                          : std::string();
    if (error.empty()) error = details.value("text", std::string("the script threw"));
    return E_FAIL;
  }
  value = answer.result->contains("result") ? (*answer.result)["result"].value("value", json()) : json();
  return S_OK;
}

HRESULT BrowserPage::SetViewport(int width, int height) {
  // A window not sized yet still gets a page to lay out in.
  if (width <= 0 || height <= 0) width = 800, height = 600;
  const json metrics = {{"width", width}, {"height", height}, {"deviceScaleFactor", 1}, {"mobile", false}};
  return m_connection->Call("Emulation.setDeviceMetricsOverride", metrics, m_session, BrowserTimeout()).ok
             ? S_OK
             : E_FAIL;
}

HRESULT BrowserPage::PrintToPdf(const std::string& path) {
  if (m_gone || !WaitForLoad()) return E_FAIL;
  const DevtoolsAnswer answer = m_connection->Call("Page.printToPDF", {{"printBackground", true}},
                                                   m_session, BrowserTimeout());
  const std::string data = ResultText(answer, "data");
  if (data.empty()) return E_FAIL;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const std::string bytes = Base64Decode(data);
  file.write(bytes.data(), std::streamsize(bytes.size()));
  return file.good() ? S_OK : E_FAIL;
}

HRESULT BrowserPage::DispatchInput(const std::string& method, const json& params) {
  if (m_gone || !WaitForLoad()) return E_FAIL;
  return m_connection->Call(method, params, m_session, BrowserTimeout()).ok ? S_OK : E_FAIL;
}

void BrowserPage::OnEvent(const json& message) {
  const std::string method = message.value("method", std::string());
  const json params = message.value("params", json::object());
  if (method == "Fetch.requestPaused") {
    m_scriptThread->Queue([self = shared_from_this(), params] { self->AnswerRequest(params); });
  } else if (method == "Page.javascriptDialogOpening") {
    m_scriptThread->Queue([self = shared_from_this(), params] { self->AnswerDialog(params); });
  } else if (method == "Page.loadEventFired") {
    std::lock_guard lock(m_mutex);
    if (m_load == Load::Loading) m_load = Load::Ready;
  } else if (method == "Runtime.exceptionThrown") {
    RecordPageError(ExceptionText(params.value("exceptionDetails", json::object())));
  } else if (method == "Runtime.consoleAPICalled" && params.value("type", std::string()) == "error") {
    RecordPageError(ConsoleText(params));
  } else if (method == "Pendrel.browserGone" || method == "Inspector.targetCrashed") {
    m_gone = true;
  }
}

}  // namespace PendrelBrowser
