#include "host/browser/script_value.h"

#include <algorithm>

#include "host/framework/host_text.h"

namespace PendrelBrowser {

namespace {

constexpr int kTypeCodes[] = {kV8Empty,  kV8Double,      kV8Bool,  kV8String,
                              kV8DoubleArray, kV8Object, kV8StringArray};

IAutoQuorString* NewString(const std::u16string& text) {
  return Quor::String(text).GetInterface();
}

template <class T>
const T* Held(const ScriptContent& content) {
  return std::get_if<T>(&content);
}

}  // namespace

ScriptValue::ScriptValue(ScriptContent content) : m_content(std::move(content)) {}

HRESULT ScriptValue::GetType(int* type) {
  if (!type) return E_POINTER;
  *type = kTypeCodes[m_content.index()];
  return S_OK;
}

HRESULT ScriptValue::GetString(IAutoQuorString** out) {
  if (!out) return E_POINTER;
  const auto* text = Held<std::u16string>(m_content);
  if (!text) return E_UNEXPECTED;
  *out = NewString(*text);
  return S_OK;
}

HRESULT ScriptValue::GetDouble(double* out) {
  if (!out) return E_POINTER;
  const auto* number = Held<double>(m_content);
  if (!number) return E_UNEXPECTED;
  *out = *number;
  return S_OK;
}

HRESULT ScriptValue::GetInt(int* out) {
  // Numbers from script always arrive as doubles.
  return out ? E_UNEXPECTED : E_POINTER;
}

HRESULT ScriptValue::GetDoubleArray(const double** data, ULONG* count) {
  if (!data || !count) return E_POINTER;
  const auto* numbers = Held<std::vector<double>>(m_content);
  if (!numbers) return E_UNEXPECTED;
  *data = numbers->empty() ? nullptr : numbers->data();
  *count = ULONG(numbers->size());
  return S_OK;
}

HRESULT ScriptValue::GetBool(VARIANT_BOOL* out) {
  if (!out) return E_POINTER;
  const auto* flag = Held<bool>(m_content);
  if (!flag) return E_UNEXPECTED;
  *out = *flag ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT ScriptValue::GetObject(IEnumIAutoQuorString** keys, IEnumIAutoQuorString** values) {
  if (!keys || !values) return E_POINTER;
  const auto* map = Held<StringMap>(m_content);
  if (!map) return E_UNEXPECTED;
  std::vector<std::u16string> keyTexts, valueTexts;
  for (const auto& [key, value] : *map) {
    keyTexts.push_back(key);
    valueTexts.push_back(value);
  }
  *keys = new StringListEnum(std::move(keyTexts));
  (*keys)->AddRef();
  *values = new StringListEnum(std::move(valueTexts));
  (*values)->AddRef();
  return S_OK;
}

HRESULT ScriptValue::GetStringArray(IEnumIAutoQuorString** out) {
  if (!out) return E_POINTER;
  const auto* texts = Held<std::vector<std::u16string>>(m_content);
  if (!texts) return E_UNEXPECTED;
  *out = new StringListEnum(*texts);
  (*out)->AddRef();
  return S_OK;
}

HRESULT StringListEnum::Next(ULONG count, IAutoQuorString** out, ULONG* fetched) {
  if (!out || (count != 1 && !fetched)) return E_POINTER;
  const ULONG end = ULONG(std::min<size_t>(m_texts.size(), size_t(m_index) + count));
  const ULONG start = m_index;
  for (; m_index < end; ++m_index) out[m_index - start] = NewString(m_texts[m_index]);
  if (fetched) *fetched = end - start;
  return end - start < count ? S_FALSE : S_OK;
}

HRESULT StringListEnum::Skip(ULONG count) {
  const ULONG before = m_index;
  m_index = ULONG(std::min<size_t>(m_texts.size(), size_t(m_index) + count));
  return m_index - before < count ? S_FALSE : S_OK;
}

HRESULT StringListEnum::Reset() {
  m_index = 0;
  return S_OK;
}

HRESULT StringListEnum::Clone(IEnumIAutoQuorString** out) {
  if (!out) return E_POINTER;
  *out = new StringListEnum(m_texts, m_index);
  (*out)->AddRef();
  return S_OK;
}

ArgumentEnum::ArgumentEnum(std::vector<IQuorV8Variant*> values, ULONG index)
    : m_values(std::move(values)), m_index(index) {}

ArgumentEnum::~ArgumentEnum() {
  for (IQuorV8Variant* value : m_values) {
    if (value) value->Release();
  }
}

HRESULT ArgumentEnum::Next(ULONG count, IQuorV8Variant** out, ULONG* fetched) {
  if (!out || (count != 1 && !fetched)) return E_POINTER;
  const ULONG end = ULONG(std::min<size_t>(m_values.size(), size_t(m_index) + count));
  const ULONG start = m_index;
  for (; m_index < end; ++m_index) {
    IQuorV8Variant* value = m_values[m_index];
    if (value) value->AddRef();
    out[m_index - start] = value;
  }
  // A call that fetches nothing still clears the slot it would have filled.
  if (end == start && count > 0) out[0] = nullptr;
  if (fetched) *fetched = end - start;
  return end - start < count ? S_FALSE : S_OK;
}

HRESULT ArgumentEnum::Skip(ULONG count) {
  const ULONG before = m_index;
  m_index = ULONG(std::min<size_t>(m_values.size(), size_t(m_index) + count));
  return m_index - before < count ? S_FALSE : S_OK;
}

HRESULT ArgumentEnum::Reset() {
  m_index = 0;
  return S_OK;
}

HRESULT ArgumentEnum::Clone(IEnumQuorV8Variant** out) {
  if (!out) return E_POINTER;
  std::vector<IQuorV8Variant*> copies = m_values;
  for (IQuorV8Variant* value : copies) {
    if (value) value->AddRef();
  }
  *out = new ArgumentEnum(std::move(copies), m_index);
  (*out)->AddRef();
  return S_OK;
}

std::vector<std::u16string> DrainStrings(IEnumIAutoQuorString* strings) {
  std::vector<std::u16string> texts;
  if (!strings) return texts;
  for (;;) {
    IAutoQuorString* text = nullptr;
    ULONG fetched = 0;
    if (strings->Next(1, &text, &fetched) != S_OK || fetched != 1) {
      if (text && fetched == 1) text->Release();
      break;
    }
    texts.push_back(Tarn::TextOf(text));
    if (text) text->Release();
  }
  return texts;
}

}  // namespace PendrelBrowser
