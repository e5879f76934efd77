// The host's output object of a channel calculation: what the calculation says its output
// channel is (16-bit scaling, unit, the channel it follows, the formula of its values). Made by
// the calculated channel for each Calculate and handed back to it in Commit.
#pragma once

#include <string>

#include "platform/pendrel/channel_calc.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class CalcOutput final : public SimpleUnknownImp2<IPendrelCalcOutput, IPendrelFormulaOutput, 1> {
 public:
  CalcOutput(const PendrelOutputScaling& scaling, std::u16string unit)
      : m_scaling(scaling), m_unit(std::move(unit)) {}

  HRESULT SetSource(DWORD present, DWORD channel, DWORD flags) override;
  HRESULT SetFormula(IQuorString* formula) override;
  HRESULT GetFormula(IQuorString** formula) override;
  HRESULT GetUnit(IQuorString** unit) override;
  HRESULT GetScaling(PendrelOutputScaling* scaling) override;

  // Whether the calculation named a channel its output follows.
  bool HasSource() const { return m_hasSource; }

 private:
  PendrelOutputScaling m_scaling;
  std::u16string m_unit;
  std::u16string m_formula;
  bool m_hasSource = false;
};

}  // namespace PendrelHost
