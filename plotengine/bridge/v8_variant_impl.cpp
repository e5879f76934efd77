#include "plotengine/bridge/v8_variant_impl.h"

#include "platform/owl/atl_window.h"
#include "plotengine/bridge/string_enumerators.h"

namespace Quor {

namespace {

// The type code of each alternative, in the alternatives' order.
constexpr int kTypeCodes[] = {kV8Empty,       kV8Int,    kV8Double, kV8Bool,
                              kV8String, kV8DoubleArray, kV8Object, kV8StringArray};

}  // namespace

V8VariantImpl::V8VariantImpl() { ATL::LockModule(); }

V8VariantImpl::~V8VariantImpl() { ATL::UnlockModule(); }

V8VariantImpl* V8VariantImpl::Create() {
  auto* value = new V8VariantImpl;
  value->AddRef();
  return value;
}

HRESULT V8VariantImpl::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!win32::InterfaceAnswers<IQuorV8Variant>(iid)) return E_NOINTERFACE;
  *object = static_cast<IQuorV8Variant*>(this);
  AddRef();
  return S_OK;
}

ULONG V8VariantImpl::Release() {
  const LONG count = --m_refCount;
  if (count == 0) delete this;
  return ULONG(count);
}

HRESULT V8VariantImpl::GetType(int* type) {
  if (!type) return E_POINTER;
  *type = kTypeCodes[m_content.index()];
  return S_OK;
}

HRESULT V8VariantImpl::GetString(IAutoQuorString** out) {
  if (!out) return E_POINTER;
  const auto* text = std::get_if<String>(&m_content);
  if (!text) return E_UNEXPECTED;
  *out = text->GetInterface();
  return S_OK;
}

HRESULT V8VariantImpl::GetDouble(double* out) {
  if (!out) return E_POINTER;
  const auto* number = std::get_if<double>(&m_content);
  if (!number) return E_UNEXPECTED;
  *out = *number;
  return S_OK;
}

HRESULT V8VariantImpl::GetInt(int* out) {
  if (!out) return E_POINTER;
  const auto* number = std::get_if<int32_t>(&m_content);
  if (!number) return E_UNEXPECTED;
  *out = *number;
  return S_OK;
}

HRESULT V8VariantImpl::GetDoubleArray(const double** data, ULONG* count) {
  if (!data || !count) return E_POINTER;
  const auto* numbers = std::get_if<std::vector<double>>(&m_content);
  if (!numbers) return E_UNEXPECTED;
  *data = numbers->empty() ? nullptr : numbers->data();
  *count = ULONG(numbers->size());
  return S_OK;
}

HRESULT V8VariantImpl::GetBool(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  const auto* bits = std::get_if<int16_t>(&m_content);
  if (!bits) return E_UNEXPECTED;
  *out = *bits != 0 ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT V8VariantImpl::GetObject(IEnumIAutoQuorString** keys, IEnumIAutoQuorString** values) {
  if (!keys || !values) return E_POINTER;
  const auto* map = std::get_if<V8StringMap>(&m_content);
  if (!map) return E_UNEXPECTED;
  *keys = EnumerateMap(*map, MapPart::Keys);
  *values = EnumerateMap(*map, MapPart::Values);
  return S_OK;
}

HRESULT V8VariantImpl::GetStringArray(IEnumIAutoQuorString** out) {
  if (!out) return E_POINTER;
  const auto* strings = std::get_if<std::vector<String>>(&m_content);
  if (!strings) return E_UNEXPECTED;
  *out = EnumerateStrings(*strings);
  return S_OK;
}

}  // namespace Quor
