// Quor::V8VariantImpl: one script value of the eight kinds that cross between script and native
// code. Native code fills it by assigning one alternative; the browser reads it through the
// getters of IQuorV8Variant. Reference counted from 0 (not interlocked: one thread uses a value
// at a time); the enumerators it hands out refer to its own containers, so the caller keeps the
// value alive and unchanged while it uses them. A value that the browser still holds keeps the
// module loaded: each one holds a module lock while it lives.
#pragma once

#include <cstdint>
#include <map>
#include <variant>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/script_bridge.h"

namespace Quor {

using V8StringMap = std::map<String, String>;
using V8Content = std::variant<std::monostate, int32_t, double, int16_t, String,
                               std::vector<double>, V8StringMap, std::vector<String>>;

class V8VariantImpl : public IQuorV8Variant {
 public:
  V8VariantImpl();
  virtual ~V8VariantImpl();
  V8VariantImpl(const V8VariantImpl&) = delete;
  V8VariantImpl& operator=(const V8VariantImpl&) = delete;

  // A new empty value with one reference for the caller.
  static V8VariantImpl* Create();

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ULONG(++m_refCount); }
  ULONG Release() override;

  HRESULT GetType(int* type) override;
  HRESULT GetString(IAutoQuorString** out) override;
  HRESULT GetDouble(double* out) override;
  HRESULT GetInt(int* out) override;
  HRESULT GetDoubleArray(const double** data, ULONG* count) override;
  HRESULT GetBool(VARIANT_BOOL* out) override;
  HRESULT GetObject(IEnumIAutoQuorString** keys, IEnumIAutoQuorString** values) override;
  HRESULT GetStringArray(IEnumIAutoQuorString** out) override;

  // Native code sets one alternative.
  void SetInt(int32_t value) { m_content = value; }
  void SetDouble(double value) { m_content = value; }
  void SetBool(bool value) { m_content = int16_t(value ? -1 : 0); }
  void SetBoolBits(int16_t bits) { m_content = bits; }
  void SetString(const String& value) { m_content = value; }
  void SetDoubleArray(std::vector<double> values) { m_content = std::move(values); }
  void SetObject(V8StringMap values) { m_content = std::move(values); }
  void SetStringArray(std::vector<String> values) { m_content = std::move(values); }
  const V8Content& Content() const { return m_content; }

 private:
  LONG m_refCount = 0;
  V8Content m_content;
};

}  // namespace Quor
