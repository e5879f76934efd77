// What the browser tests share: a loader over texts held in memory that logs every URL it is
// asked for, a script object whose methods the test supplies, and a browser made through the
// component's class object with a short timeout.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"

namespace BrowserTests {

inline constexpr char kSite[] = "http://pages.test.invalid/";

class MemoryLoader : public SimpleUnknownImp1<IQuorBrowserResourceLoader> {
 public:
  // Serves `body` as `mime` at kSite + name.
  void Serve(const std::string& name, const std::string& mime, const std::string& body);
  std::vector<std::string> RequestedUrls();
  HRESULT Load(IAutoQuorString* url, IAutoQuorString** mime, IQuorStreamReader** stream) override;

 private:
  std::mutex m_mutex;
  std::map<std::string, std::pair<std::string, std::string>> m_files;
  std::vector<std::string> m_requested;
};

// The arguments of a call as the test sees them; null entries are missing arguments.
using Arguments = std::vector<IQuorV8Variant*>;
// A method: fills `result` (one reference) or `error`, or returns a failure.
using Method = std::function<HRESULT(IUnknown* context, const Arguments& arguments,
                                     IQuorV8Variant** result, std::u16string* error)>;

class TestObject : public SimpleUnknownImp1<IQuorV8Object> {
 public:
  explicit TestObject(std::string name) : m_name(std::move(name)) {}
  void Define(const std::string& method, Method body) { m_methods[method] = std::move(body); }

  HRESULT GetName(IAutoQuorString** name) override;
  HRESULT GetMethodNames(IEnumIAutoQuorString** names) override;
  HRESULT Invoke(IUnknown* context, IAutoQuorString* method, IEnumQuorV8Variant* arguments,
                 IAutoQuorString** error, IQuorV8Variant** result) override;

 private:
  std::string m_name;
  std::map<std::string, Method> m_methods;
};

// The value's text, or a description of what it is when it is no string.
std::string Describe(IQuorV8Variant* value);
IQuorV8Variant* NewStringValue(const std::u16string& text);
IQuorV8Variant* NewDoublesValue(std::vector<double> numbers);

// Runs `script` and returns the texts that it passed to report(...) meanwhile.
class Page {
 public:
  Page();
  ~Page();
  IQuorBrowser* browser() const { return m_browser; }
  MemoryLoader& loader() { return *m_loader; }
  TestObject& object() { return *m_object; }
  bool ok() const { return m_browser != nullptr; }

  // Registers the test object (after its methods are defined) and the report method.
  HRESULT Register();
  HRESULT Navigate(const std::string& url);
  HRESULT Run(const std::string& script);
  std::vector<std::string> TakeReports();

 private:
  IQuorBrowser* m_browser = nullptr;
  MemoryLoader* m_loader;
  TestObject* m_object;
  std::mutex m_mutex;
  std::vector<std::string> m_reports;
};

HRESULT RunScript(IQuorBrowser* browser, const std::string& script);

}  // namespace BrowserTests
