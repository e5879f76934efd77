// A computed channel of a data document whose values a module's channel calculation defines.
// The host's object behind such a channel is both the channel's calculation (what the channel
// data face keeps and hands out: its type word is the calculation class's, and it answers the
// module's IChannelCalc) and the context the module's calculation works in. The calculation
// describes the output (scaling, unit, formula) and commits it; the channel then computes the
// committed formula through the host's channel language. The channel's values are what its
// 16-bit samples hold: the formula's values scaled, rounded and kept within the 16-bit range.
#pragma once

#include <optional>
#include <string>

#include "host/document/data_document.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/channel_calc.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

// The output as the calculation last committed it.
struct CalculatedOutput {
  std::string formula;
  std::string unit;
  PendrelOutputScaling scaling;
  bool hasSource;  // the output follows a channel (false: a placeholder formula)
};

// The value a 16-bit sample of that scaling holds for `value`; NaN stays NaN (no value).
double StoredValue(double value, const PendrelOutputScaling& scaling);

class CalculatedChannel final : public SimpleUnknownImp2<IPendrelCalculation, IPendrelCalcChannel, 1> {
 public:
  // `name`: the computed channel's name in the document, which outlives this object.
  CalculatedChannel(DataDocument& document, std::string name, ICalculationClass* calcClass);

  // Also answers IChannelCalc with the module's calculation.
  HRESULT QueryInterface(REFIID iid, void** object) override;

  // IPendrelCalculation: new settings are calculated at once.
  HRESULT TakeSettings(IUnknown* settings, LONG which) override;
  HRESULT Reset() override;
  HRESULT GetTypeId(DWORD* type) override;

  // IPendrelCalcChannel
  HRESULT GetDataObject(IUnknown** data) override;
  HRESULT SetupOutput(DWORD outputType, DWORD calcId, LONGLONG setting) override;
  HRESULT CreateOutput(const PendrelOutputScaling* scaling, IQuorString* unit,
                       IPendrelCalcOutput** output) override;
  HRESULT FindChannel(IQuorString* name, DWORD* channel) override;
  HRESULT Commit(DWORD settingLow, DWORD settingHigh, DWORD flags,
                 IPendrelFormulaOutput* output) override;
  HRESULT PrepareData(DWORD, DWORD, DWORD) override { return S_OK; }

  // Takes the module's calculation and calculates it the first time.
  HRESULT Start(IChannelCalc* calculation, IUnknown* settings);
  // Calculates again with the settings it has (the document's channels may have changed).
  HRESULT Recalculate();

  const std::string& Name() const { return m_name; }
  ICalculationClass* Class() const { return m_class.get(); }
  IUnknown* Settings() const { return m_settings.get(); }
  const std::optional<CalculatedOutput>& Output() const { return m_output; }
  DWORD OutputType() const { return m_outputType; }
  // The calculation's title of its output ("Rhyth Calculation : Beat Rate").
  std::u16string OutputName() const;

 private:
  ~CalculatedChannel() override = default;

  DataDocument& m_document;
  std::string m_name;
  Tarn::HeldReference<ICalculationClass> m_class;
  Tarn::HeldReference<IChannelCalc> m_calculation;
  Tarn::HeldReference<IUnknown> m_settings;
  DWORD m_outputType = 0;
  std::optional<CalculatedOutput> m_output;
};

// The host's object behind a calculation, or null for any other calculation.
CalculatedChannel* AsCalculatedChannel(IUnknown* calculation);

}  // namespace PendrelHost
