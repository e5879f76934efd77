#include "hostframework/extlib/host_queries.h"

#include <limits>

#include "hostframework/extlib/host_calls.h"
#include "platform/pendrel/framework_ids.h"

namespace ExtLib {

namespace {

WORD ArithmeticComponentId() {
  static const WORD id = GetTarnGuidId(GUID_TarnArithmetic);
  return id;
}

}  // namespace

DWORD GetArithmeticCalcTypeId() {
  static const DWORD type = DWORD(ArithmeticComponentId()) << 16;
  return type;
}

DWORD GetArithmeticSettingsTypeId() {
  static const DWORD type = (DWORD(ArithmeticComponentId()) << 16) | 1;
  return type;
}

bool GetChannelCalc(IUnknown* hostDocument, PendrelChannelRef channel, DWORD expectedType,
                    Quor::ComPtr<IUnknown>& calculation) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  if (!channels) return false;
  Quor::ComPtr<IUnknown> object;
  channels->GetCalculation(channel.index, channel.kind, Quor::ComPtrOut<IUnknown>::Bind(object));
  auto calc = Query<IPendrelCalculation>(object.Get());
  DWORD type = 0;
  if (!calc || FAILED(calc->GetTypeId(&type)) || type != expectedType) return false;
  calculation = object;
  return true;
}

bool GetChannelValueRange(IUnknown* hostDocument, LONG record, DWORD channel, double* minimum,
                          double* maximum) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  if (!channels || !minimum || !maximum) return false;
  constexpr DWORD kDataFlags = 0x40001000;
  double low = std::numeric_limits<double>::max();
  double high = std::numeric_limits<double>::lowest();
  if (FAILED(channels->GetValueRange(channel, kDataFlags, record, &low, &high))) {
    channels->GetValueRange(channel, kDataFlags, -2, &low, &high);
  }
  double offset = 0.0, scale = 1.0;
  channels->GetOffsetAndScale(channel, &offset, &scale);
  *minimum = (low + offset) * scale;
  *maximum = (high + offset) * scale;
  return true;
}

bool UpdateArithmeticFormula(IPendrelChannelData* channels, PendrelChannelRef channel,
                             const Quor::String& formula, const Quor::String& unit) {
  if (!channels) return false;
  Quor::ComPtr<IUnknown> object;
  channels->GetCalculation(channel.index, channel.kind, Quor::ComPtrOut<IUnknown>::Bind(object));
  auto calc = Query<IPendrelCalculation>(object.Get());
  DWORD type = 0;
  if (!calc || FAILED(calc->GetTypeId(&type)) || type != GetArithmeticCalcTypeId()) {
    if (calc) calc->Reset();
    calc = CreateHostObject<IPendrelCalculation>(GetArithmeticCalcTypeId());
    if (!calc) return false;
    channels->SetCalculation(channel.index, channel.kind, calc.Get());
  }
  auto settings = CreateHostObject<IPendrelArithmeticSettings>(GetArithmeticSettingsTypeId());
  if (!settings) return false;
  if (FAILED(settings->SetTexts(TextArgument(formula), TextArgument(unit), 0))) return false;
  return SUCCEEDED(calc->TakeSettings(settings.Get(), -1));
}

bool SetArithmeticFormula(IUnknown* hostDocument, PendrelChannelRef channel,
                          const Quor::String& formula, const Quor::String& unit) {
  auto channels = Query<IPendrelChannelData>(hostDocument);
  return UpdateArithmeticFormula(channels.Get(), channel, formula, unit);
}

double PreviewCompressionFactor(LONGLONG span) {
  static constexpr double kFactors[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  const double perPixel = double(span) / 400.0;
  for (double factor : kFactors) {
    if (factor >= perPixel) return factor;
  }
  return 2000;
}

}  // namespace ExtLib
