// How the page's requests are answered, on the script thread: calls of script objects from the
// call host (host/browser/page_calls.cpp), everything else from the resource loader. Nothing else
// answers a request.
#include <algorithm>

#include "core/quor_string.h"
#include "host/browser/base64.h"
#include "host/browser/browser_page.h"
#include "host/browser/devtools_connection.h"
#include "host/browser/page_shim.h"
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
  if (url.starts_with(kHeldAnswerPrefix)) {
    // The browser's proxy serves it, past the debugging pipe.
    m_connection->Send("Fetch.continueRequest", {{"requestId", requestId}}, m_session, false);
  } else if (url.starts_with(kCallPrefix)) {
    Fulfil(requestId, 200, "text/plain; charset=utf-8", AnswerText(PostBody(request)), true);
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
