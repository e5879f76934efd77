// The settings of an arithmetic calculation: a formula of the channel language and the unit of
// its values, which the calculation gives the channel it computes.
#pragma once

#include <string>

#include "platform/pendrel/arithmetic_channels.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ArithmeticSettings final : public SimpleUnknownImp1<IPendrelArithmeticSettings, 1> {
 public:
  HRESULT SetTexts(IQuorString* formula, IQuorString* unit, DWORD reserved) override;
  HRESULT GetFormula(IQuorString** formula) override;
  HRESULT GetUnit(IQuorString** unit) override;

 private:
  std::u16string m_formula;
  std::u16string m_unit;
};

}  // namespace PendrelHost
