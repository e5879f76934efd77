// How the page's requests are answered, on the script thread: calls of script objects from the
// call host, everything else from the resource loader. Nothing else answers a request.
#include <algorithm>

#include "host/browser/base64.h"
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

bool IsText(const std::string& mime) {
  return mime.starts_with("text/") || mime == "application/javascript" ||
         mime == "application/json" || mime.ends_with("+xml") || mime == "application/xml";
}

// The bytes of the stream, read with element size 1 until it gives nothing.
bool ReadWhole(IQuorStreamReader* stream, std::string* bytes) {
  char chunk[65536];
  for (;;) {
    DWORD read = 0;
    if (FAILED(stream->Read(chunk, 1, sizeof chunk, &read))) return false;
    if (read == 0) return true;
    bytes->append(chunk, std::min<size_t>(read, sizeof chunk));
  }
}

std::string PercentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const std::string hex = text.substr(i + 1, 2);
      char* end = nullptr;
      const long value = std::strtol(hex.c_str(), &end, 16);
      if (end == hex.c_str() + 2) {
        out += char(value);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// The body of a POST request as the protocol reports it.
std::string PostBody(const json& request) {
  if (auto data = request.find("postData"); data != request.end() && data->is_string()) {
    return data->get<std::string>();
  }
  std::string body;
  for (const json& entry : request.value("postDataEntries", json::array())) {
    body += Base64Decode(entry.value("bytes", std::string()));
  }
  return body;
}

}  // namespace

void BrowserPage::AnswerRequest(const json& params) {
  const std::string requestId = params.value("requestId", std::string());
  const json request = params.value("request", json::object());
  const std::string url = request.value("url", std::string());
  if (url.starts_with(kCallPrefix)) {
    AnswerCall(requestId, request);
  } else {
    AnswerFromLoader(requestId, params);
  }
}

void BrowserPage::AnswerFromLoader(const std::string& requestId, const json& params) {
  IQuorBrowserResourceLoader* loader;
  {
    std::lock_guard lock(m_mutex);
    loader = m_loader;
    if (loader) loader->AddRef();
  }
  const std::string url = params.value("request", json::object()).value("url", std::string());
  IAutoQuorString* mime = nullptr;
  IQuorStreamReader* stream = nullptr;
  HRESULT loaded = E_FAIL;
  if (loader) {
    IAutoQuorString* urlText = Quor::String(Utf16FromUtf8(url)).GetInterface();
    loaded = loader->Load(urlText, &mime, &stream);
    urlText->Release();
    loader->Release();
  }
  std::string body;
  const bool read = SUCCEEDED(loaded) && stream && ReadWhole(stream, &body);
  std::string type = mime ? Tarn::Utf8(Tarn::TextOf(mime)) : std::string();
  if (stream) stream->Release();
  if (mime) mime->Release();
  if (!read) {
    // A page that cannot be had fails to load; anything it asks for is simply not found.
    if (params.value("resourceType", std::string()) == "Document") {
      Fail(requestId);
    } else {
      Fulfil(requestId, 404, "text/plain; charset=utf-8", "", false);
    }
    return;
  }
  if (type.empty()) type = "application/octet-stream";
  if (IsText(type) && type.find("charset") == std::string::npos) type += "; charset=utf-8";
  Fulfil(requestId, 200, type, body, false);
}

void BrowserPage::AnswerCall(const std::string& requestId, const json& request) {
  const std::string path = request.value("url", std::string()).substr(sizeof kCallPrefix - 1);
  const size_t slash = path.find('/');
  const std::string object = PercentDecoded(path.substr(0, slash));
  const std::string method = slash == std::string::npos ? "" : PercentDecoded(path.substr(slash + 1));
  const std::string text = PostBody(request);
  json body = json::parse(text, nullptr, false);
  if (body.is_discarded()) body = json::parse(WellFormedProtocolText(text), nullptr, false);
  const json answer = CallObject(object, method, body);
  Fulfil(requestId, 200, "application/json; charset=utf-8",
         answer.dump(-1, ' ', false, json::error_handler_t::replace), true);
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
      call = {};
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

void BrowserPage::Fulfil(const std::string& requestId, int status, const std::string& contentType,
                         const std::string& body, bool crossOrigin) {
  json headers = json::array({{{"name", "Content-Type"}, {"value", contentType}},
                              {{"name", "Cache-Control"}, {"value", "no-store"}}});
  if (crossOrigin) headers.push_back({{"name", "Access-Control-Allow-Origin"}, {"value", "*"}});
  m_connection->Send("Fetch.fulfillRequest",
                     {{"requestId", requestId},
                      {"responseCode", status},
                      {"responseHeaders", std::move(headers)},
                      {"body", Base64Encode(body)}},
                     m_session, false);
}

void BrowserPage::Fail(const std::string& requestId) {
  m_connection->Send("Fetch.failRequest", {{"requestId", requestId}, {"errorReason", "Failed"}},
                     m_session, false);
}

}  // namespace PendrelBrowser
