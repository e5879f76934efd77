#include "host/calc/calculated_channel.h"

#include <algorithm>
#include <cmath>

#include "core/quor_string.h"
#include "host/calc/calc_output.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "platform/win32/bstr.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "CalculatedChannel";
constexpr double kLargestSample = 32767.0;
constexpr double kSmallestSample = -32768.0;

std::string TextOfOutput(IPendrelFormulaOutput* output,
                         HRESULT (IPendrelFormulaOutput::*get)(IQuorString**)) {
  IQuorString* text = nullptr;
  if (FAILED((output->*get)(&text)) || !text) return {};
  Tarn::HeldReference<IQuorString> held(text);
  return Tarn::Utf8(Tarn::TextOf(text));
}

}  // namespace

double StoredValue(double value, const PendrelOutputScaling& scaling) {
  if (std::isnan(value)) return value;
  const double sample =
      std::clamp(std::round((value + scaling.shift) * scaling.scale), kSmallestSample, kLargestSample);
  return sample / scaling.scale - scaling.shift;
}

CalculatedChannel::CalculatedChannel(DataDocument& document, std::string name,
                                     ICalculationClass* calcClass)
    : m_document(document), m_name(std::move(name)), m_class(Tarn::Hold(calcClass)) {}

HRESULT CalculatedChannel::QueryInterface(REFIID iid, void** object) {
  if (iid == IChannelCalc::iid) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!m_calculation) return E_NOINTERFACE;
    return m_calculation->QueryInterface(iid, object);
  }
  return SimpleUnknownImp2::QueryInterface(iid, object);
}

HRESULT CalculatedChannel::TakeSettings(IUnknown* settings, LONG which) {
  Tarn::RecordCall(kService, "TakeSettings",
                   "settings=" + Tarn::Presence(settings) + ", which=" + std::to_string(which));
  if (!settings) return E_POINTER;
  m_settings = Tarn::Hold(settings);
  return m_calculation ? Recalculate() : S_OK;
}

HRESULT CalculatedChannel::Reset() {
  Tarn::RecordCall(kService, "Reset");
  if (const auto index = m_document.Channels().Find(m_name)) m_document.Channels().Reset(*index);
  return S_OK;
}

HRESULT CalculatedChannel::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = 0;
  return m_class ? m_class->GetTypeId(type) : E_FAIL;
}

HRESULT CalculatedChannel::GetDataObject(IUnknown** data) {
  if (!data) return E_POINTER;
  *data = m_document.Identity();
  (*data)->AddRef();
  return S_OK;
}

HRESULT CalculatedChannel::SetupOutput(DWORD outputType, DWORD calcId, LONGLONG setting) {
  Tarn::RecordCall(kService, "SetupOutput",
                   "type=" + Tarn::HexWord(outputType) + ", calcId=" + std::to_string(calcId) +
                       ", setting=" + std::to_string(setting));
  m_outputType = outputType;
  return S_OK;
}

HRESULT CalculatedChannel::CreateOutput(const PendrelOutputScaling* scaling, IQuorString* unit,
                                        IPendrelCalcOutput** output) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "CreateOutput", "unit=" + Tarn::QuotedText(unit));
    if (!scaling || !output) return E_POINTER;
    *output = nullptr;
    if (!std::isfinite(scaling->scale) || !std::isfinite(scaling->shift) || scaling->scale == 0.0)
      return E_INVALIDARG;
    *output = new CalcOutput(*scaling, Tarn::TextOf(unit));
    return S_OK;
  });
}

HRESULT CalculatedChannel::FindChannel(IQuorString* name, DWORD* channel) {
  if (!channel) return E_POINTER;
  *channel = kNoChannel.index;
  PendrelChannelRef found = kNoChannel;
  const HRESULT result = m_document.FindChannel(0, name, &found);
  if (result != S_OK) return S_FALSE;
  *channel = found.index;
  return S_OK;
}

HRESULT CalculatedChannel::Commit(DWORD, DWORD, DWORD flags, IPendrelFormulaOutput* output) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Commit", "flags=" + Tarn::HexWord(flags));
    if (!output) return E_POINTER;
    const auto* described = dynamic_cast<CalcOutput*>(output);
    CalculatedOutput committed{TextOfOutput(output, &IPendrelFormulaOutput::GetFormula),
                               TextOfOutput(output, &IPendrelFormulaOutput::GetUnit),
                               {},
                               described && described->HasSource()};
    if (FAILED(output->GetScaling(&committed.scaling))) return E_INVALIDARG;
    const auto index = m_document.Channels().Find(m_name);
    if (!index) return E_FAIL;
    m_document.Channels().SetFormula(*index, committed.formula, committed.unit);
    m_output = std::move(committed);
    return S_OK;
  });
}

HRESULT CalculatedChannel::Start(IChannelCalc* calculation, IUnknown* settings) {
  if (!calculation) return E_POINTER;
  m_calculation = Tarn::Hold(calculation);
  if (settings) m_settings = Tarn::Hold(settings);
  return m_calculation->Calculate(m_settings.get(), 1);
}

HRESULT CalculatedChannel::Recalculate() {
  if (!m_calculation) return E_FAIL;
  return m_calculation->Calculate(m_settings.get(), 0);
}

std::u16string CalculatedChannel::OutputName() const {
  if (!m_calculation) return {};
  BSTR name = nullptr;
  if (FAILED(m_calculation->GetOutputName(0, &name)) || !name) return {};
  std::u16string text(name, SysStringLen(name));
  SysFreeString(name);
  return text;
}

CalculatedChannel* AsCalculatedChannel(IUnknown* calculation) {
  if (!calculation) return nullptr;
  IPendrelCalculation* face = nullptr;
  if (FAILED(calculation->QueryInterface(IPendrelCalculation::iid,
                                         reinterpret_cast<void**>(&face))))
    return nullptr;
  CalculatedChannel* channel = dynamic_cast<CalculatedChannel*>(face);
  face->Release();
  return channel;
}

}  // namespace PendrelHost
