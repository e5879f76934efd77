// The stand-in host's channel object of a trace drawer: one channel of one record with its value
// mapping (scale and offset into the units shown) and its unit, parsed from the channel's unit
// text ("mV": the prefix m before V). The mapping is the same for every address word; calls
// with an address word are logged with it.
#pragma once

#include "core/quor_string.h"
#include "platform/pendrel/trace_record_data.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class TraceChannel final : public SimpleUnknownImp1<IPendrelTraceChannel, 0> {
 public:
  TraceChannel(const double* mapping, Quor::String unitText);

  HRESULT GetMapping(double* mapping) override;
  HRESULT GetMappingFor(DWORD address, double* mapping) override;
  HRESULT GetUnit(DWORD address, IUnitName** unit) override;

 private:
  double m_mapping[2];
  Quor::String m_unitText;
};

}  // namespace PendrelHost
