#include "plotengine/tests/browser/recording_etch_proxy.h"

#include <chrono>
#include <cmath>
#include <sstream>
#include <thread>

#include "core/com_ptr.h"
#include "platform/pendrel/browser.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/v8_exceptions.h"
#include "plotengine/bridge/v8_variant_impl.h"
#include "plotengine/formula/evaluate_formula.h"
#include "plotengine/markup/compile_markup.h"
#include "plotengine/markup/js_string_literal.h"
#include "plotengine/proxy/etch_proxy_win.h"

namespace Quor {
namespace {

// An argument as the log shows it: texts as they are, numbers in their shortest form,
// arrays of numbers in brackets.
std::string ArgumentText(IQuorV8Variant* value) {
  int type = 0;
  value->GetType(&type);
  std::ostringstream text;
  if (type == 1) {
    String s;
    V8VariantToString(value, s);
    return s.ToUtf8String();
  }
  if (type == 2 || type == 3) {
    double number = 0;
    if (type == 2) {
      value->GetDouble(&number);
    } else {
      int whole = 0;
      value->GetInt(&whole);
      number = whole;
    }
    text << number;
    return text.str();
  }
  if (type == 4) {
    std::vector<double> numbers;
    V8VariantToDoubles(value, numbers);
    text << "[";
    for (std::size_t i = 0; i < numbers.size(); ++i) text << (i ? "," : "") << numbers[i];
    text << "]";
    return text.str();
  }
  if (type == 5) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    value->GetBool(&flag);
    return flag ? "true" : "false";
  }
  return "?";
}

void RunInPage(IUnknown* context, const std::string& script) {
  ComPtr<IQuorBrowser> browser;
  if (context) context->QueryInterface(IQuorBrowser::iid, ComPtrOut<IQuorBrowser>::Bind(browser));
  if (!browser) return;
  IQuorString* text = String::FromUtf8(script).GetInterface();
  browser->ExecuteScript(text);
  text->Release();
}

}  // namespace

RecordingEtchProxy::RecordingEtchProxy() : V8ObjectBase(EtchProxyWin::ScriptObjectName()) {}

void RecordingEtchProxy::SetSeries(const std::string& id, std::vector<double> values) {
  std::lock_guard lock(m_mutex);
  m_series[id] = std::move(values);
}

void RecordingEtchProxy::ForgetSeries(const std::string& id) {
  std::lock_guard lock(m_mutex);
  m_series.erase(id);
}

std::vector<std::string> RecordingEtchProxy::TakeCalls() {
  std::lock_guard lock(m_mutex);
  return std::exchange(m_calls, {});
}

void RecordingEtchProxy::RegisterMethodNames() {
  for (const String& name : EtchProxyWin::MethodNames()) AddMethodName(name);
}

std::vector<double> RecordingEtchProxy::Values(const std::string& expression, double t,
                                               double interval, int count) {
  std::vector<double> values;
  {
    std::lock_guard lock(m_mutex);
    const auto found = m_series.find(expression);
    if (found != m_series.end()) {
      const std::size_t first = std::size_t(std::max(0.0, std::trunc(t)));
      for (std::size_t i = first; i < found->second.size() && values.size() < std::size_t(count); ++i) {
        values.push_back(found->second[i]);
      }
    } else if (!EvaluateEtchFormula(expression, unsigned(std::max(count, 0)), t, interval, values)) {
      throw V8Exception(String(u"No such data"), E_INVALIDARG);
    }
  }
  values.insert(values.end(), std::size_t(m_junk), 1e9);
  return values;
}

std::vector<String> RecordingEtchProxy::Labels(const std::string& id, int first, int count) {
  std::lock_guard lock(m_mutex);
  const auto found = m_series.find(id);
  if (found == m_series.end()) throw V8Exception(String(u"No such data"), E_INVALIDARG);
  std::vector<String> labels;
  for (int i = std::max(first, 0); i < int(found->second.size()) && int(labels.size()) < count; ++i) {
    labels.push_back(String::FromUtf8(id + std::to_string(i)));
  }
  return labels;
}

void RecordingEtchProxy::CallMethod(IQuorV8Variant** result, IUnknown* context,
                                    const String& method, InterfaceArray<IQuorV8Variant>& arguments) {
  const std::string name = method.ToUtf8String();
  std::string call = name + "(";
  // The bridge may end the arguments with an empty entry.
  DWORD count = arguments.GetCount();
  while (count > 0 && !arguments[count - 1]) --count;
  for (DWORD i = 0; i < count; ++i) {
    call += (i ? "|" : "") + (arguments[i] ? ArgumentText(arguments[i]) : std::string("null"));
  }
  {
    std::lock_guard lock(m_mutex);
    m_calls.push_back(call + ")");
  }
  *result = nullptr;
  if (name == "CompileMarkup") {
    String plotId, markup;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, plotId);
    GetScriptArg<ScriptArgKind::String, 1>(arguments, markup);
    std::string compiled;
    if (!CompileEtchMarkup(markup.ToUtf8String(), compiled)) {
      throw V8Exception(String(u"Invalid Zavi Markup"), E_INVALIDARG);
    }
    RunInPage(context, "etch.get_plot(" + JsStringLiteral(plotId.ToUtf8String()) + ").setup(" +
                           compiled + ");");
  } else if (name == "ResourceURLs") {
    V8VariantImpl* urls = V8VariantImpl::Create();
    urls->SetObject({{String(u"throbber"), String(u"throbber.gif")}});
    *result = urls;
  } else if (name == "RequestPixData") {
    String expression;
    double t = 0, interval = 0, count = 0;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, expression);
    GetScriptArg<ScriptArgKind::Double, 1>(arguments, t);
    GetScriptArg<ScriptArgKind::Double, 2>(arguments, interval);
    GetScriptArg<ScriptArgKind::Double, 3>(arguments, count);
    if (m_delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(m_delay));
    std::vector<double> answer = Values(expression.ToUtf8String(), t, interval, int(count));
    V8VariantImpl* values = V8VariantImpl::Create();
    values->SetDoubleArray(std::move(answer));
    *result = values;
  } else if (name == "IsZoomEnabled") {
    V8VariantImpl* answer = V8VariantImpl::Create();
    std::lock_guard lock(m_mutex);
    if (m_zoomEnabledText.empty()) {
      answer->SetBool(m_zoomEnabled);
    } else {
      answer->SetString(String::FromUtf8(m_zoomEnabledText));
    }
    *result = answer;
  } else if (name == "RequestEquation") {
    String equation;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, equation);
    V8VariantImpl* answer = V8VariantImpl::Create();
    answer->SetString(String::FromUtf8("y = " + equation.ToUtf8String()));
    *result = answer;
  } else if (name == "RequestLabelsData") {
    String expression;
    double first = 0, interval = 0, count = 0;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, expression);
    GetScriptArg<ScriptArgKind::Double, 1>(arguments, first);
    GetScriptArg<ScriptArgKind::Double, 2>(arguments, interval);
    GetScriptArg<ScriptArgKind::Double, 3>(arguments, count);
    V8VariantImpl* labels = V8VariantImpl::Create();
    labels->SetStringArray(Labels(expression.ToUtf8String(), int(first), int(count)));
    *result = labels;
  }
}

}  // namespace Quor
