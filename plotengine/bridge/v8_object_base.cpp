#include "plotengine/bridge/v8_object_base.h"

#include <new>

#include "plotengine/bridge/string_enumerators.h"
#include "plotengine/bridge/v8_exceptions.h"
#include "plotengine/bridge/v8_variant_impl.h"

namespace Quor {

namespace {

// The arguments in script order, then the one empty entry that the last Next leaves.
void ReadArguments(IEnumQuorV8Variant* arguments, InterfaceArray<IQuorV8Variant>& values) {
  for (;;) {
    IQuorV8Variant* item = nullptr;
    const HRESULT hr = arguments->Next(1, &item, nullptr);
    values.Add(item);
    if (item) item->Release();
    if (hr != S_OK) return;
  }
}

void SetError(IAutoQuorString** error, const String& message) { *error = message.GetInterface(); }

}  // namespace

HRESULT V8ObjectBase::GetName(IAutoQuorString** name) {
  if (!name) return E_POINTER;
  *name = m_name.GetInterface();
  return S_OK;
}

HRESULT V8ObjectBase::GetMethodNames(IEnumIAutoQuorString** names) {
  if (!names) return E_POINTER;
  try {
    if (m_methodNames.GetCount() == 0) RegisterMethodNames();
    *names = EnumerateArray(m_methodNames);
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

void V8ObjectBase::AddMethodName(const String& name) {
  IQuorString* text = name.GetInterface();
  m_methodNames.Add(text);
  text->Release();
}

HRESULT V8ObjectBase::Invoke(IUnknown* context, IAutoQuorString* method,
                             IEnumQuorV8Variant* arguments, IAutoQuorString** error,
                             IQuorV8Variant** result) {
  if (!method || !arguments) return E_INVALIDARG;
  if (!error || !result) return E_POINTER;
  *result = nullptr;
  try {
    const String name(method);
    V8VariantImpl* empty = V8VariantImpl::Create();
    *result = empty;
    InterfaceArray<IQuorV8Variant> values;
    ReadArguments(arguments, values);
    IQuorV8Variant* out = nullptr;
    try {
      CallMethod(&out, context, name, values);
    } catch (const V8Exception& failure) {
      if (out) out->Release();
      SetError(error, failure.GetMessage());
      return S_OK;
    } catch (const BadV8ParamException& bad) {
      if (out) out->Release();
      String message = name;
      message += u": ";
      message += bad.GetMessage();
      SetError(error, message);
      return E_FAIL;
    }
    *result = out;
    empty->Release();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace Quor
