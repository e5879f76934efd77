// Quor::V8ObjectBase: the base of native objects that script calls. It has a name and a list of
// method names, registered by the derived object when the browser first asks for them, and one
// call entry, Invoke, that reads the script's arguments and runs the derived object's CallMethod.
// Nothing that CallMethod throws leaves Invoke: a V8Exception becomes the script's exception, a
// bad argument fails the call with a message naming the method, the argument and the kind wanted,
// and anything else fails the call. Reference counted from 0.
#pragma once

#include "core/iunknown_array.h"
#include "core/quor_string.h"
#include "platform/pendrel/script_bridge.h"
#include "platform/win32/com_object.h"

namespace Quor {

class V8ObjectBase : public SimpleUnknownImp1<IQuorV8Object, 0> {
 public:
  explicit V8ObjectBase(const String& name) : m_name(name) {}

  HRESULT GetName(IAutoQuorString** name) override;
  HRESULT GetMethodNames(IEnumIAutoQuorString** names) override;
  HRESULT Invoke(IUnknown* context, IAutoQuorString* method, IEnumQuorV8Variant* arguments,
                 IAutoQuorString** error, IQuorV8Variant** result) override;

 protected:
  // Appends the names of the methods script may call, with AddMethodName.
  virtual void RegisterMethodNames() = 0;
  // Runs the method and leaves its result (one reference) in `result`, or throws.
  virtual void CallMethod(IQuorV8Variant** result, IUnknown* context, const String& method,
                          InterfaceArray<IQuorV8Variant>& arguments) = 0;
  void AddMethodName(const String& name);

 private:
  String m_name;
  InterfaceArray<IAutoQuorString> m_methodNames;
};

}  // namespace Quor
