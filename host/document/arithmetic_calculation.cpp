#include "host/document/arithmetic_calculation.h"

#include "host/channels/channel_error.h"
#include "host/channels/formula_parser.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "Calculation";

// The settings' text, or nothing when they cannot give it.
template <class Getter>
std::optional<std::u16string> SettingsText(IPendrelArithmeticSettings* settings, Getter get) {
  IQuorString* text = nullptr;
  if (FAILED((settings->*get)(&text))) return std::nullopt;
  Tarn::HeldReference<IQuorString> held(text);
  return Tarn::TextOf(text);
}

}  // namespace

HRESULT ArithmeticCalculation::TakeSettings(IUnknown* settings, LONG which) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "TakeSettings",
                     "settings=" + Tarn::Presence(settings) + ", which=" + std::to_string(which));
    if (!settings) return E_POINTER;
    IPendrelArithmeticSettings* arithmetic = nullptr;
    if (FAILED(settings->QueryInterface(IPendrelArithmeticSettings::iid,
                                        reinterpret_cast<void**>(&arithmetic)))) {
      return E_NOINTERFACE;
    }
    Tarn::HeldReference<IPendrelArithmeticSettings> held(arithmetic);
    const std::optional<std::u16string> formula =
        SettingsText(arithmetic, &IPendrelArithmeticSettings::GetFormula);
    if (!formula) return E_INVALIDARG;
    const std::u16string unit =
        SettingsText(arithmetic, &IPendrelArithmeticSettings::GetUnit).value_or(u"");
    Texts texts{Tarn::Utf8(*formula), Tarn::Utf8(unit)};
    // A formula that does not parse is refused here, keeping the one the channel has; names and
    // arguments are checked when the channel is read, as channels may be defined in any order.
    try {
      ParseFormula(texts.formula);
    } catch (const ChannelError&) {
      return E_INVALIDARG;
    }
    m_texts = std::move(texts);
    Apply();
    return S_OK;
  });
}

HRESULT ArithmeticCalculation::Reset() {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Reset");
    if (m_channels) m_channels->Reset(m_channel);
    return S_OK;
  });
}

HRESULT ArithmeticCalculation::GetTypeId(DWORD* type) {
  Tarn::RecordCall(kService, "GetTypeId");
  if (!type) return E_POINTER;
  *type = m_type;
  return S_OK;
}

void ArithmeticCalculation::Bind(ComputedChannels& channels, std::size_t channel) {
  m_channels = &channels;
  m_channel = channel;
  Apply();
}

void ArithmeticCalculation::Apply() const {
  if (m_channels && m_texts) m_channels->SetFormula(m_channel, m_texts->formula, m_texts->unit);
}

ArithmeticCalculation* AsArithmeticCalculation(IPendrelCalculation* calculation) {
  return dynamic_cast<ArithmeticCalculation*>(calculation);
}

void UnbindCalculation(IPendrelCalculation* calculation) {
  if (ArithmeticCalculation* arithmetic = AsArithmeticCalculation(calculation))
    arithmetic->Unbind();
}

}  // namespace PendrelHost
