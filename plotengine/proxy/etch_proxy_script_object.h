// The plot proxy as the script sees it: the script object "etch_proxy" that the browser calls
// through the script value bridge. It turns the bridge's values into the proxy's, runs the call
// on the proxy (which carries it to the plot window's thread), and turns the answer and the
// proxy's failures back into the bridge's value and exceptions. Holds a reference on the proxy;
// reference counted from 0 like every script object.
#pragma once

#include "core/com_ptr.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/proxy/etch_proxy_win.h"

namespace Quor {

class EtchProxyScriptObject final : public V8ObjectBase {
 public:
  explicit EtchProxyScriptObject(EtchProxyWin* proxy);

 protected:
  void RegisterMethodNames() override;
  void CallMethod(IQuorV8Variant** result, IUnknown* context, const String& method,
                  InterfaceArray<IQuorV8Variant>& arguments) override;

 private:
  ComPtr<EtchProxyWin> m_proxy;
};

}  // namespace Quor
