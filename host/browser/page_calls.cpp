// How the page's calls of script objects are answered, on the script thread. A call arrives as
// the text of a prompt with the call marker (or, from where the page may not open one, as the
// body of a request to the call host): the object's name, the method's and the encoded
// arguments. Its answer is the script native code ran during the call, the error and the result;
// the bytes of a number array result follow the answer after a line break, so that they are
// written once and neither side reads them as JSON. A large answer to a prompt is held until the
// page fetches it from the call host, through the browser's proxy.
#include "host/browser/browser_page.h"
#include "host/browser/devtools_connection.h"
#include "host/browser/devtools_text.h"
#include "host/browser/page_shim.h"
#include "host/browser/script_value.h"
#include "host/browser/script_value_json.h"
#include "host/framework/host_text.h"

namespace PendrelBrowser {

using nlohmann::json;

namespace {

// The text under `key`, empty when there is none or it is no text.
std::string TextField(const json& object, const char* key) {
  if (!object.is_object()) return "";
  auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : "";
}

constexpr size_t kLargestPromptAnswer = 16 * 1024;

std::string AnswerTextOf(json answer) {
  std::string bytes;
  bool hasBytes = false;
  if (auto result = answer.find("result"); result != answer.end() && result->is_object()) {
    if (auto doubles = result->find("f"); doubles != result->end() && doubles->is_string()) {
      bytes = std::move(doubles->get_ref<std::string&>());
      *doubles = 1;
      hasBytes = true;
    }
  }
  std::string text = answer.dump(-1, ' ', false, json::error_handler_t::replace);
  if (hasBytes) {
    text += '\n';
    text += bytes;
  }
  return text;
}

}  // namespace

void BrowserPage::AnswerDialog(const json& params) {
  const std::string type = TextField(params, "type");
  if (type == "prompt" && TextField(params, "message") == kCallMarker) {
    std::string answer = AnswerText(TextField(params, "defaultPrompt"));
    // The browser copies a prompt's text many times over; a large answer is held for the page
    // to fetch with a request that the browser's proxy answers over a socket, past the
    // debugging pipe, for far less per byte.
    if (answer.size() > kLargestPromptAnswer) {
      answer = json{{"held", m_connection->HoldAnswer(std::move(answer))}}.dump();
    }
    m_connection->Send("Page.handleJavaScriptDialog", {{"accept", true}, {"promptText", answer}},
                       m_session, false);
    return;
  }
  // The page's own dialogs close at once, as if dismissed, so that no page waits for a person.
  m_connection->Send("Page.handleJavaScriptDialog",
                     {{"accept", type == "alert" || type == "beforeunload"}}, m_session, false);
}

std::string BrowserPage::AnswerText(const std::string& call) {
  json body = json::parse(call, nullptr, false);
  if (body.is_discarded()) body = json::parse(WellFormedProtocolText(call), nullptr, false);
  return AnswerTextOf(CallObject(TextField(body, "object"), TextField(body, "method"), body));
}

json BrowserPage::CallObject(const std::string& objectName, const std::string& method,
                             const json& body) {
  const std::string name = objectName + "." + method;
  IQuorV8Object* object = nullptr;
  IUnknown* context = nullptr;
  {
    std::lock_guard lock(m_mutex);
    auto it = m_objects.find(objectName);
    if (it != m_objects.end()) object = it->second;
    if (object) object->AddRef();
    context = m_callContext;
    if (context) context->AddRef();
  }
  json answer = json::object();
  std::vector<IQuorV8Variant*> values;
  std::string problem;
  if (!object) {
    answer["error"] = name + ": no such script object";
  } else if (!body.is_object() ||
             !DecodeScriptArguments(body.value("args", json()), &values, &problem)) {
    answer["error"] = name + ": " + (problem.empty() ? "the call could not be read" : problem);
  } else {
    CallInProgress call;
    {
      std::lock_guard lock(m_mutex);
      m_call = &call;
    }
    IEnumQuorV8Variant* arguments = new ArgumentEnum(std::exchange(values, {}));
    arguments->AddRef();
    IAutoQuorString* methodText = Quor::String(Utf16FromUtf8(method)).GetInterface();
    IAutoQuorString* error = nullptr;
    IQuorV8Variant* result = nullptr;
    HRESULT hr;
    try {
      hr = object->Invoke(context, methodText, arguments, &error, &result);
    } catch (...) {
      hr = E_FAIL;
    }
    {
      std::lock_guard lock(m_mutex);
      m_call = nullptr;
    }
    methodText->Release();
    arguments->Release();
    answer["run"] = std::move(call.runList);
    const std::u16string errorText = Tarn::TextOf(error);
    if (!errorText.empty()) answer["error"] = Utf8FromUtf16(errorText);
    if (hr != S_OK) answer["failed"] = true;
    answer["result"] = EncodeScriptValue(result);
    if (error) error->Release();
    if (result) result->Release();
  }
  for (IQuorV8Variant* value : values) {
    if (value) value->Release();
  }
  if (object) object->Release();
  if (context) context->Release();
  return answer;
}

}  // namespace PendrelBrowser
