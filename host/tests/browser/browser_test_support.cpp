#include "host/tests/browser/browser_test_support.h"

#include <algorithm>

#include "host/browser/browser_class.h"
#include "host/browser/script_value.h"
#include "host/browser/script_value_json.h"
#include "host/framework/host_text.h"

namespace BrowserTests {

using PendrelBrowser::ScriptValue;
using PendrelBrowser::StringListEnum;
using PendrelBrowser::Utf16FromUtf8;
using PendrelBrowser::Utf8FromUtf16;

namespace {

class BytesReader : public SimpleUnknownImp1<IQuorStreamReader> {
 public:
  explicit BytesReader(std::string bytes) : m_bytes(std::move(bytes)) {}
  HRESULT Read(void* target, DWORD elementSize, DWORD count, DWORD* read) override {
    if (!target || !read) return E_INVALIDARG;
    if (elementSize != 1) return E_FAIL;
    const size_t n = std::min<size_t>(count, m_bytes.size() - m_position);
    std::copy_n(m_bytes.data() + m_position, n, static_cast<char*>(target));
    m_position += n;
    *read = DWORD(n);
    return S_OK;
  }
  HRESULT Seek(LONG, DWORD) override { return E_NOTIMPL; }
  HRESULT GetPosition(DWORD* position) override {
    if (!position) return E_INVALIDARG;
    *position = DWORD(m_position);
    return S_OK;
  }
  HRESULT IsEnd() override { return m_position >= m_bytes.size() ? S_OK : S_FALSE; }

 private:
  std::string m_bytes;
  size_t m_position = 0;
};

}  // namespace

void MemoryLoader::Serve(const std::string& name, const std::string& mime, const std::string& body) {
  std::lock_guard lock(m_mutex);
  m_files[kSite + name] = {mime, body};
}

std::vector<std::string> MemoryLoader::RequestedUrls() {
  std::lock_guard lock(m_mutex);
  return m_requested;
}

HRESULT MemoryLoader::Load(IAutoQuorString* url, IAutoQuorString** mime, IQuorStreamReader** stream) {
  if (!url || !mime || !stream) return E_INVALIDARG;
  const std::string text = Utf8FromUtf16(Tarn::TextOf(url));
  std::lock_guard lock(m_mutex);
  m_requested.push_back(text);
  auto it = m_files.find(text);
  if (it == m_files.end()) return E_FAIL;
  *mime = Quor::String(Utf16FromUtf8(it->second.first)).GetInterface();
  *stream = new BytesReader(it->second.second);
  (*stream)->AddRef();
  return S_OK;
}

HRESULT TestObject::GetName(IAutoQuorString** name) {
  if (!name) return E_POINTER;
  *name = Quor::String(Utf16FromUtf8(m_name)).GetInterface();
  return S_OK;
}

HRESULT TestObject::GetMethodNames(IEnumIAutoQuorString** names) {
  std::vector<std::u16string> texts;
  for (const auto& [method, body] : m_methods) texts.push_back(Utf16FromUtf8(method));
  *names = new StringListEnum(std::move(texts));
  (*names)->AddRef();
  return S_OK;
}

HRESULT TestObject::Invoke(IUnknown* context, IAutoQuorString* method, IEnumQuorV8Variant* arguments,
                           IAutoQuorString** error, IQuorV8Variant** result) {
  if (!method || !arguments) return E_INVALIDARG;
  if (!error || !result) return E_POINTER;
  Arguments values;
  for (;;) {
    IQuorV8Variant* value = nullptr;
    ULONG fetched = 0;
    if (arguments->Next(1, &value, &fetched) != S_OK) break;
    values.push_back(value);
  }
  auto it = m_methods.find(Utf8FromUtf16(Tarn::TextOf(method)));
  HRESULT hr = E_FAIL;
  std::u16string errorText;
  if (it != m_methods.end()) hr = it->second(context, values, result, &errorText);
  if (!errorText.empty()) *error = Quor::String(errorText).GetInterface();
  for (IQuorV8Variant* value : values) {
    if (value) value->Release();
  }
  return hr;
}

std::string Describe(IQuorV8Variant* value) {
  if (!value) return "(missing)";
  IAutoQuorString* text = nullptr;
  if (value->GetString(&text) != S_OK) {
    int type = -1;
    value->GetType(&type);
    return "(type " + std::to_string(type) + ")";
  }
  const std::string utf8 = Utf8FromUtf16(Tarn::TextOf(text));
  text->Release();
  return utf8;
}

IQuorV8Variant* NewStringValue(const std::u16string& text) {
  IQuorV8Variant* value = new ScriptValue(text);
  value->AddRef();
  return value;
}

IQuorV8Variant* NewDoublesValue(std::vector<double> numbers) {
  IQuorV8Variant* value = new ScriptValue(std::move(numbers));
  value->AddRef();
  return value;
}

HRESULT RunScript(IQuorBrowser* browser, const std::string& script) {
  IQuorString* text = Quor::String(Utf16FromUtf8(script)).GetInterface();
  const HRESULT hr = browser->ExecuteScript(text);
  text->Release();
  return hr;
}

Page::Page() : m_loader(new MemoryLoader), m_object(new TestObject("test")) {
  m_loader->AddRef();
  m_object->AddRef();
  const RECT bounds{0, 0, 640, 480};
  if (PendrelBrowser::BrowserClassObject()->CreateBrowser(0, nullptr, &bounds, nullptr, &m_browser) ==
      S_OK) {
    m_browser->SetResourceLoader(m_loader);
  }
  m_object->Define("report", [this](IUnknown*, const Arguments& arguments, IQuorV8Variant**,
                                    std::u16string*) {
    std::lock_guard lock(m_mutex);
    m_reports.push_back(arguments.empty() ? "(none)" : Describe(arguments[0]));
    return S_OK;
  });
}

Page::~Page() {
  if (m_browser) m_browser->Release();
  m_object->Release();
  m_loader->Release();
}

HRESULT Page::Register() { return m_browser->RegisterScriptObject(m_object); }

HRESULT Page::Navigate(const std::string& url) {
  IAutoQuorString* text = Quor::String(Utf16FromUtf8(url)).GetInterface();
  const HRESULT hr = m_browser->Navigate(text);
  text->Release();
  return hr;
}

HRESULT Page::Run(const std::string& script) { return RunScript(m_browser, script); }

std::vector<std::string> Page::TakeReports() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_reports, {});
}

}  // namespace BrowserTests
