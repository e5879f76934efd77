#include "plotengine/proxy/etch_proxy_script_object.h"

#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/v8_exceptions.h"
#include "plotengine/bridge/v8_variant_impl.h"
#include "plotengine/proxy/browser_script_context.h"

namespace Quor {
namespace {

// The proxy's form of one bridge value; kinds the proxy never reads become the empty kind,
// which no reader accepts.
std::optional<EtchScriptValue> ProxyValueOf(IQuorV8Variant* value) {
  if (!value) return std::nullopt;
  int type = 0;
  value->GetType(&type);
  switch (type) {
    case 1: {
      String text;
      V8VariantToString(value, text);
      return text;
    }
    case 2: {
      double number = 0;
      value->GetDouble(&number);
      return number;
    }
    case 3: {
      int number = 0;
      value->GetInt(&number);
      return std::int32_t(number);
    }
    case 4: {
      std::vector<double> numbers;
      V8VariantToDoubles(value, numbers);
      return numbers;
    }
    case 5: {
      VARIANT_BOOL flag = VARIANT_FALSE;
      value->GetBool(&flag);
      return flag != VARIANT_FALSE;
    }
    default:
      return EtchScriptValue();
  }
}

V8VariantImpl* BridgeValueOf(EtchScriptValue&& value) {
  V8VariantImpl* result = V8VariantImpl::Create();
  std::visit(
      [result](auto&& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int32_t>) result->SetInt(v);
        if constexpr (std::is_same_v<T, double>) result->SetDouble(v);
        if constexpr (std::is_same_v<T, bool>) result->SetBool(v);
        if constexpr (std::is_same_v<T, String>) result->SetString(v);
        if constexpr (std::is_same_v<T, std::vector<double>>) result->SetDoubleArray(std::move(v));
        if constexpr (std::is_same_v<T, EtchScriptObject>) result->SetObject(std::move(v));
        if constexpr (std::is_same_v<T, std::vector<String>>) result->SetStringArray(std::move(v));
      },
      std::move(value));
  return result;
}

}  // namespace

EtchProxyScriptObject::EtchProxyScriptObject(EtchProxyWin* proxy)
    : V8ObjectBase(EtchProxyWin::ScriptObjectName()), m_proxy(proxy) {}

void EtchProxyScriptObject::RegisterMethodNames() {
  for (const String& name : EtchProxyWin::MethodNames()) AddMethodName(name);
}

void EtchProxyScriptObject::CallMethod(IQuorV8Variant** result, IUnknown* context,
                                       const String& method,
                                       InterfaceArray<IQuorV8Variant>& arguments) {
  EtchScriptArgs args;
  for (DWORD i = 0; i < arguments.GetCount(); ++i) args.push_back(ProxyValueOf(arguments[i]));
  ComPtr<IQuorBrowser> browser;
  if (context) context->QueryInterface(IQuorBrowser::iid, ComPtrOut<IQuorBrowser>::Bind(browser));
  // The page of the call in progress: script text runs through the browser the bridge passed.
  ComPtr<IEtchScriptContext> page;
  if (browser) page.Attach(new BrowserScriptContext(browser.Get()));
  try {
    *result = BridgeValueOf(m_proxy->CallMethod(page.Get(), method, args));
  } catch (const ScriptCallError& error) {
    throw V8Exception(error.GetMessage(), error.Code());
  } catch (const ScriptParamError&) {
    throw BadV8ParamException();
  }
}

}  // namespace Quor
