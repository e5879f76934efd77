#include "host/document/arithmetic_settings.h"

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "ArithmeticSettings";

HRESULT GiveText(const std::u16string& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = Quor::String(text).GetInterface();
  return S_OK;
}

}  // namespace

HRESULT ArithmeticSettings::SetTexts(IQuorString* formula, IQuorString* unit, DWORD reserved) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetTexts",
                     "formula=" + Tarn::QuotedText(formula) + ", unit=" + Tarn::QuotedText(unit) +
                         ", reserved=" + Tarn::HexWord(reserved));
    if (!formula) return E_POINTER;
    std::u16string formulaText = Tarn::TextOf(formula);
    std::u16string unitText = Tarn::TextOf(unit);
    m_formula = std::move(formulaText);
    m_unit = std::move(unitText);
    return S_OK;
  });
}

HRESULT ArithmeticSettings::GetFormula(IQuorString** formula) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetFormula");
    return GiveText(m_formula, formula);
  });
}

HRESULT ArithmeticSettings::GetUnit(IQuorString** unit) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetUnit");
    return GiveText(m_unit, unit);
  });
}

}  // namespace PendrelHost
