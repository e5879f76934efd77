#include "host/traces/trace_channel.h"

#include "core/unit_entry.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "TraceChannel";

// The unit of a text: a leading prefix letter before a base name of its own, else no prefix.
Quor::UnitInfo UnitOfText(const Quor::String& text) {
  Quor::UnitInfo unit;
  unit.name = text;
  const std::u16string units = text.ToStdWString();
  if (units.size() > 1 && UnitPrefixScale(units[0]) != 0.0 && units[0] != 0) {
    const int exponent = UnitPrefixExponent(units[0] == u'u' ? kMicroSign : units[0]);
    if (exponent != 0 && exponent % 3 == 0 && exponent >= -18 && exponent <= 18) {
      unit.prefixIndex = DWORD(LONG(kUnitPrefixNone) + exponent / 3);
      unit.name = Quor::String(units.substr(1));
    }
  }
  return unit;
}

}  // namespace

TraceChannel::TraceChannel(const double* mapping, Quor::String unitText)
    : m_mapping{mapping[0], mapping[1]}, m_unitText(std::move(unitText)) {}

HRESULT TraceChannel::GetMapping(double* mapping) {
  if (!mapping) return E_POINTER;
  mapping[0] = m_mapping[0];
  mapping[1] = m_mapping[1];
  return S_OK;
}

HRESULT TraceChannel::GetMappingFor(DWORD address, double* mapping) {
  Tarn::RecordCall(kService, "GetMappingFor", "address=" + Tarn::HexWord(address));
  return GetMapping(mapping);
}

HRESULT TraceChannel::GetUnit(DWORD address, IUnitName** unit) {
  Tarn::RecordCall(kService, "GetUnit", "address=" + Tarn::HexWord(address));
  if (!unit) return E_POINTER;
  *unit = nullptr;
  if (m_unitText.IsEmpty()) return S_FALSE;
  *unit = new Quor::UnitEntry(UnitOfText(m_unitText));
  (*unit)->AddRef();
  return S_OK;
}

}  // namespace PendrelHost
