// The base of the module's measurements in the host's Tabulon table. A measurement belongs to
// the analysis document of the host document it was made for; asked for its value, it analyses
// the selection the table gave it with a copy of that document's settings, and gives one number
// of the analysis (FinalValue) with its unit text and number format. The analysis is shared
// with the other measurements of the same inputs (see shared_analysis.h).
#pragma once

#include <optional>

#include "analysis/measurements/shared_analysis.h"
#include "hostframework/tabulon/chan_data_func.h"

namespace Rhyth {

class Document;

class RhythTabulonFuncBase : public ChanDataFuncIfRecordDataMatchesDoc {
 public:
  // Public so that the measurements inherit it as their class objects call it.
  RhythTabulonFuncBase(TabulonFuncClassBase* classObject, IUnknown* host, LONG_PTR x);

  HRESULT GetUnitString(IQuorString** unit) override;
  HRESULT GetNumberFormat(LONG_PTR a, LONG_PTR b, IQuorString** format) override;
  HRESULT Detach() override;

 protected:
  ~RhythTabulonFuncBase() override;

  HRESULT Calculate() override;
  // The value of the analysis; S_OK, or E_FAIL with the value left empty when the analysis
  // gives it none.
  virtual HRESULT FinalValue(VARIANT& value) = 0;
  virtual Quor::String UnitText() const { return {}; }
  virtual Quor::String NumberFormat() const { return u"0.0###"; }

  const AnalysisEngine& Engine() const { return m_analysis->engine; }
  Document* OwningDocument() const { return m_document; }
  IPendrelDataSource* DataSource() const;

 private:
  // The inputs of the analysis of the function's selection.
  AnalysisInputs Inputs() const;

  Document* m_document = nullptr;  // one reference, null when none was found
  std::shared_ptr<const SharedAnalysis> m_analysis;
  bool m_analysed = false;
};

// A measurement whose value is a real number of the analysis; none when it is undefined.
class RealMeasurement : public RhythTabulonFuncBase {
 protected:
  using RhythTabulonFuncBase::RhythTabulonFuncBase;
  HRESULT FinalValue(VARIANT& value) override;
  virtual std::optional<double> Real(const AnalysisEngine& engine) const = 0;
};

// A count of the analysis, as a 32-bit integer.
class CountMeasurement : public RhythTabulonFuncBase {
 protected:
  using RhythTabulonFuncBase::RhythTabulonFuncBase;
  HRESULT FinalValue(VARIANT& value) override;
  Quor::String NumberFormat() const override { return u"General"; }
  virtual DWORD Count(const AnalysisEngine& engine) const = 0;
};

// The time statistics: the engine's seconds, shown in milliseconds.
class RhythTabulonTimeBase : public RealMeasurement {
 protected:
  using RealMeasurement::RealMeasurement;
  HRESULT Calculate() override;
  Quor::String UnitText() const override;
};

// The band powers: the engine's seconds squared, shown in milliseconds squared.
class RhythTabulonPowerBase : public RealMeasurement {
 protected:
  using RealMeasurement::RealMeasurement;
  HRESULT Calculate() override;
  Quor::String UnitText() const override;
};

}  // namespace Rhyth
