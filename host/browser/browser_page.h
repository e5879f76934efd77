// One page of the browser process, with its script thread: what a browser object shows. It
// navigates, runs script text, answers the page's calls of script objects and every request of
// the page (from the resource loader) on the script thread, and learns of loads, calls, page
// errors and the end of the browser process from the events the pipe thread routes to it.
//
// Made and used by the browser object (host/browser/browser_object.h); the script thread and
// routed events keep it alive while they use it.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/browser/script_thread.h"
#include "platform/pendrel/browser.h"

namespace PendrelBrowser {

class DevtoolsConnection;

class BrowserPage : public std::enable_shared_from_this<BrowserPage> {
 public:
  // A blank page `width` by `height` CSS pixels; null with `error` set when no browser runs.
  static std::shared_ptr<BrowserPage> Open(int width, int height, std::string* error);
  ~BrowserPage();
  BrowserPage(const BrowserPage&) = delete;
  BrowserPage& operator=(const BrowserPage&) = delete;

  // The object that script objects receive as the context of their calls (not held).
  void SetCallContext(IUnknown* context);
  void SetLoader(IQuorBrowserResourceLoader* loader);
  HRESULT RegisterObject(IQuorV8Object* object);

  HRESULT Navigate(const std::string& url);
  HRESULT ExecuteScript(const std::string& text);
  // The value of an expression, a promise waited for, as JSON (null for undefined); E_FAIL with
  // `error` set when it threw or the page is gone.
  HRESULT Evaluate(const std::string& expression, nlohmann::json& value, std::string& error);
  HRESULT SetViewport(int width, int height);
  // The page as a PDF in `path`.
  HRESULT PrintToPdf(const std::string& path);
  // Runs an input command of the debugging protocol once the page has loaded.
  HRESULT DispatchInput(const std::string& method, const nlohmann::json& params);

 private:
  enum class Load { Ready, Loading, Failed };
  // The script that native code runs while a call of the page is being answered.
  struct CallInProgress {
    std::vector<std::string> runList;
  };

  BrowserPage() = default;
  bool Attach(int width, int height, std::string* error);
  void OnEvent(const nlohmann::json& message);  // on the pipe thread: routes only
  bool JoinsCallInProgress(const std::string& text);
  bool WaitForLoad();

  // On the script thread.
  void AnswerRequest(const nlohmann::json& params);
  void AnswerFromLoader(const std::string& requestId, const nlohmann::json& params);
  void AnswerDialog(const nlohmann::json& params);
  // The answer to the text of a call.
  std::string AnswerText(const std::string& call);
  nlohmann::json CallObject(const std::string& object, const std::string& method,
                            const nlohmann::json& body);
  void Fulfil(const std::string& requestId, int status, const std::string& contentType,
              const std::string& body, bool crossOrigin);
  void Fail(const std::string& requestId);

  std::shared_ptr<DevtoolsConnection> m_connection;
  std::string m_target;
  std::string m_session;
  std::unique_ptr<ScriptThread> m_scriptThread;

  std::mutex m_mutex;
  Load m_load = Load::Ready;
  std::atomic<bool> m_gone{false};
  IUnknown* m_callContext = nullptr;
  IQuorBrowserResourceLoader* m_loader = nullptr;  // one reference
  std::map<std::string, IQuorV8Object*> m_objects;  // one reference each, by name
  CallInProgress* m_call = nullptr;
};

}  // namespace PendrelBrowser
