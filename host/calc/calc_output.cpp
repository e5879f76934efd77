#include "host/calc/calc_output.h"

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "CalcOutput";

HRESULT GiveText(const std::u16string& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = Quor::String(text).GetInterface();
  return S_OK;
}

}  // namespace

HRESULT CalcOutput::SetSource(DWORD present, DWORD channel, DWORD flags) {
  Tarn::RecordCall(kService, "SetSource",
                   "present=" + std::to_string(present) + ", channel=" + Tarn::HexWord(channel) +
                       ", flags=" + Tarn::HexWord(flags));
  m_hasSource = present != 0;
  return S_OK;
}

HRESULT CalcOutput::SetFormula(IQuorString* formula) {
  Tarn::RecordCall(kService, "SetFormula", "formula=" + Tarn::QuotedText(formula));
  if (!formula) return E_POINTER;
  m_formula = Tarn::TextOf(formula);
  return S_OK;
}

HRESULT CalcOutput::GetFormula(IQuorString** formula) { return GiveText(m_formula, formula); }

HRESULT CalcOutput::GetUnit(IQuorString** unit) { return GiveText(m_unit, unit); }

HRESULT CalcOutput::GetScaling(PendrelOutputScaling* scaling) {
  if (!scaling) return E_POINTER;
  *scaling = m_scaling;
  return S_OK;
}

}  // namespace PendrelHost
