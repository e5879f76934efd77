#include "plotengine/proxy/etch_proxy_script_object.h"

#include <gtest/gtest.h>

#include "hostframework/tests/host_fixture.h"
#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"
#include "plotengine/tests/recording_browser.h"
#include "plotengine/tests/script_call_arguments.h"
#include "plotengine/bridge/v8_variant_impl.h"

namespace {

using plotengine_test::RecordingBrowser;
using Quor::String;
using Quor::V8VariantImpl;

using PlotEngineTests::ScriptCallArguments;

V8VariantImpl* Text(const char16_t* text) {
  V8VariantImpl* value = V8VariantImpl::Create();
  value->SetString(text);
  return value;
}

V8VariantImpl* Number(double number) {
  V8VariantImpl* value = V8VariantImpl::Create();
  value->SetDouble(number);
  return value;
}

V8VariantImpl* Integer(int number) {
  V8VariantImpl* value = V8VariantImpl::Create();
  value->SetInt(number);
  return value;
}

struct Answer {
  HRESULT hr;
  std::string error;
  V8VariantImpl* result;  // the bridge's own value, one reference
};

class ProxyScriptObjectTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    proxy = new Quor::EtchProxyWin(nullptr);
    proxy->AddRef();
    object = new Quor::EtchProxyScriptObject(proxy);
    object->AddRef();
  }
  void TearDown() override {
    object->Release();
    proxy->Release();
    HostFrameworkTest::TearDown();
  }
  Answer Invoke(const char16_t* method, std::vector<V8VariantImpl*> values) {
    auto* arguments = new ScriptCallArguments(std::vector<IQuorV8Variant*>(values.begin(), values.end()));
    arguments->AddRef();
    IQuorString* name = String(method).GetInterface();
    IAutoQuorString* error = nullptr;
    IQuorV8Variant* result = nullptr;
    Answer answer{object->Invoke(static_cast<IQuorBrowser*>(&browser), name, arguments, &error, &result), "", nullptr};
    name->Release();
    arguments->Release();
    if (error) {
      answer.error = String(error).ToUtf8String();
      error->Release();
    }
    answer.result = static_cast<V8VariantImpl*>(result);
    return answer;
  }

  RecordingBrowser browser;
  Quor::EtchProxyWin* proxy = nullptr;
  Quor::EtchProxyScriptObject* object = nullptr;
};

TEST_F(ProxyScriptObjectTest, BridgeValuesCrossBothWays) {
  Answer values = Invoke(u"RequestPixData", {Text(u"t"), Number(1), Integer(2), Number(3.9)});
  EXPECT_EQ(values.hr, S_OK);
  ASSERT_NE(values.result, nullptr);
  EXPECT_EQ(std::get<std::vector<double>>(values.result->Content()), (std::vector<double>{1, 3, 5}));
  values.result->Release();

  Answer urls = Invoke(u"ResourceURLs", {});
  EXPECT_EQ(std::get<Quor::V8StringMap>(urls.result->Content()).size(), 9u);
  urls.result->Release();
}

TEST_F(ProxyScriptObjectTest, MarkupRunsItsSetupInTheCallersPageAndBadMarkupReachesTheScript) {
  Answer good = Invoke(u"CompileMarkup", {Text(u"p"), Text(u"a: 1")});
  EXPECT_EQ(good.hr, S_OK);
  EXPECT_EQ(good.error, "");
  ASSERT_EQ(browser.scripts.size(), 1u);
  EXPECT_EQ(browser.scripts[0].rfind("etch.get_plot('p').setup(", 0), 0u);
  if (good.result) good.result->Release();

  Answer bad = Invoke(u"CompileMarkup", {Text(u"p"), Text(u"a: 1 b")});
  EXPECT_EQ(bad.hr, S_OK);
  EXPECT_EQ(bad.error, "Invalid Zavi Markup");
  if (bad.result) bad.result->Release();
}

TEST_F(ProxyScriptObjectTest, BadArgumentsAndUnknownMethodsFailTheCall) {
  for (auto [method, values] : std::vector<std::pair<const char16_t*, std::vector<V8VariantImpl*>>>{
           {u"NoSuchMethod", {}},
           {u"RequestPixData", {Text(u"t")}},
           {u"RequestPixData", {Number(1), Number(0), Number(1), Number(1)}}}) {
    Answer answer = Invoke(method, values);
    EXPECT_EQ(answer.hr, E_FAIL) << String(method).ToUtf8String();
    if (answer.result) answer.result->Release();
  }
}

}  // namespace
