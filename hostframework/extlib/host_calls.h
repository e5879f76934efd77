// Small helpers for calling the host: asking an object for an interface, making a host object
// through the class registry, and passing a text as an IQuorString for one call.
#pragma once

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/host_services.h"

namespace ExtLib {

template <class I>
Quor::ComPtr<I> Query(IUnknown* object) {
  Quor::ComPtr<I> result;
  if (object) object->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(result));
  return result;
}

template <class I>
Quor::ComPtr<I> CreateHostObject(DWORD type) {
  Quor::ComPtr<I> object;
  if (ITarnClassRegistry* registry = GetTarnClassRegistry()) {
    registry->CreateObject(type, I::iid, Quor::ComPtrOut<I>::Bind(object));
  }
  return object;
}

class TextArgument {
 public:
  explicit TextArgument(const Quor::String& text) : m_text(text.GetInterface()) {}
  ~TextArgument() { m_text->Release(); }
  TextArgument(const TextArgument&) = delete;
  TextArgument& operator=(const TextArgument&) = delete;
  operator IQuorString*() const { return m_text; }

 private:
  IQuorString* m_text;
};

// Takes over a string the host returned through an out parameter.
inline Quor::String AdoptText(IQuorString* text) {
  Quor::String s;
  s.Adopt(text);
  return s;
}

}  // namespace ExtLib
