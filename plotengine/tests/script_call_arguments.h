// The arguments of a script call as the browser hands them over: the values, then nothing.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/pendrel/script_bridge.h"
#include "platform/win32/com_object.h"

namespace PlotEngineTests {

class ScriptCallArguments final : public SimpleUnknownImp1<IEnumQuorV8Variant> {
 public:
  // Takes over one reference to each value.
  explicit ScriptCallArguments(std::vector<IQuorV8Variant*> values) : m_values(std::move(values)) {}
  ~ScriptCallArguments() override {
    for (IQuorV8Variant* value : m_values) value->Release();
  }
  HRESULT Next(ULONG count, IQuorV8Variant** out, ULONG* fetched) override {
    ULONG n = 0;
    for (; n < count && m_index < m_values.size(); ++n, ++m_index) {
      out[n] = m_values[m_index];
      out[n]->AddRef();
    }
    if (n == 0 && count > 0) out[0] = nullptr;
    if (fetched) *fetched = n;
    return n < count ? S_FALSE : S_OK;
  }
  HRESULT Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT Reset() override { return E_NOTIMPL; }
  HRESULT Clone(IEnumQuorV8Variant**) override { return E_NOTIMPL; }

 private:
  std::vector<IQuorV8Variant*> m_values;
  std::size_t m_index = 0;
};

}  // namespace PlotEngineTests
