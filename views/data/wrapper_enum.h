// Rhyth::WrapperEnum: the enumerator a view hands its plot for one series of the analysis
// document's results. It walks the series in place (never copying or changing it), yields each
// value times the view's scale factor as a float, and describes the series (name, count, range,
// unit, a label per element). Reference counted from 0; the plot proxy and the view hold it.
//
// The series belongs to the document. The enumerator shares the document's view-data state and
// reads nothing while that state is closed (an analysis is rewriting the series, or the document
// has gone): a script call that arrives late then finds an empty series instead of freed or
// half-written memory.
#pragma once

#include <algorithm>
#include <locale>
#include <sstream>

#include "analysis/document/view_data_state.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/unit_name.h"
#include "platform/win32/com_object.h"
#include "plotengine/proxy/etch_enum.h"
#include "views/data/etch_enum_info.h"
#include "views/data/series_access.h"

namespace Rhyth {

template <class Access>
class WrapperEnum final : public SimpleUnknownImp3<IEnumFloatEx, IEtchEnumInfo, Quor::IEtchEnum> {
 public:
  using Container = typename Access::Container;

  WrapperEnum(const Quor::String& name, const Container* data, IUnitName* unit, double scale,
              ViewDataStatePtr state)
      : m_name(name), m_unit(unit), m_data(data), m_scale(scale), m_state(std::move(state)) {}

  // ---- IEnumFloatEx ----
  HRESULT Clone(IEnumFloatEx** copy) override {
    if (!copy) return E_POINTER;
    auto* clone = new WrapperEnum(m_name, m_data, m_unit.Get(), m_scale, m_state);
    clone->m_position = m_position;
    clone->AddRef();
    *copy = clone;
    return S_OK;
  }
  // Moves by n, backwards when negative, clamped to the series: S_OK when all n were skipped.
  HRESULT Skip(int n, int* skipped) override {
    const long long target = std::clamp<long long>((long long)m_position + n, 0, Count());
    const int moved = int(target - m_position);
    if (skipped) *skipped = moved;
    m_position = LONG(target);
    return moved == n ? S_OK : S_FALSE;
  }
  HRESULT GetPosition(DWORD* position) override {
    if (!position) return E_POINTER;
    *position = DWORD(m_position);
    return S_OK;
  }
  HRESULT GetReservedWord(DWORD* word) override {
    if (word) *word = 0;
    return S_FALSE;
  }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  // S_OK also when fewer than n were left; a negative n fetches nothing and moves nothing.
  HRESULT Next(int n, float* values, int* fetched) override {
    if (fetched) *fetched = 0;
    if (n < 0) return E_INVALIDARG;
    const LONG end = LONG(std::min<long long>(Count(), (long long)m_position + n));
    int written = 0;
    if (values) {
      for (LONG i = m_position; i < end; ++i) values[written++] = ScaledValue(DWORD(i));
    }
    m_position += written;
    if (fetched) *fetched = written;
    return S_OK;
  }

  // ---- IEtchEnumInfo ----
  HRESULT GetName(IQuorString** name) override {
    if (!name) return E_POINTER;
    *name = m_name.GetInterface();
    return S_OK;
  }
  HRESULT GetCount(DWORD* count) override {
    if (!count) return E_FAIL;
    *count = Count();
    return S_OK;
  }
  HRESULT GetRange(double* min, double* max) override {
    const DWORD count = Count();
    if (count == 0) return S_FALSE;
    double low = Access::Value(*m_data, 0);
    double high = low;
    for (DWORD i = 1; i < count; ++i) {
      const double value = Access::Value(*m_data, i);
      if (value < low) low = value;
      if (value > high) high = value;
    }
    if (min) *min = low * m_scale;
    if (max) *max = high * m_scale;
    return S_OK;
  }
  HRESULT GetUnit(IUnknown** unit) override {
    if (!unit) return E_POINTER;
    *unit = m_unit.Get();
    if (!*unit) return S_FALSE;
    (*unit)->AddRef();
    return S_OK;
  }

  // ---- Quor::IEtchEnum ----
  HRESULT LabelAt(int i, IQuorString** label) override {
    if (!label) return E_POINTER;
    std::wostringstream text;
    // Labels are read back by the views: no digit grouping or decimal comma may creep in.
    text.imbue(std::locale::classic());
    if (i >= 0 && DWORD(i) < Count()) Access::Label(text, *m_data, DWORD(i));
    *label = Quor::String(WideToUtf16(text.str())).GetInterface();
    return S_OK;
  }

  // The elements that may be read now: none while the document's series are closed.
  DWORD Count() const {
    if (!m_data || !m_state || !m_state->IsReadable()) return 0;
    return m_data->GetCount();
  }

 private:
  ~WrapperEnum() override = default;

  float ScaledValue(DWORD i) const { return float(Access::Value(*m_data, i) * m_scale); }

  static std::u16string WideToUtf16(const std::wstring& text) {
    // Labels hold digits, signs, points, exponents and a TAB only.
    return std::u16string(text.begin(), text.end());
  }

  Quor::String m_name;
  Quor::ComPtr<IUnitName> m_unit;
  const Container* m_data;
  double m_scale;
  ViewDataStatePtr m_state;
  LONG m_position = 0;
};

using SeriesEnum = WrapperEnum<AccessDirect>;
using ScatterXEnum = WrapperEnum<AccessX>;
using ScatterYEnum = WrapperEnum<AccessY>;

}  // namespace Rhyth
