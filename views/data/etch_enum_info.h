// The description face of a view's data series: its name (the data id the plot script knows
// it by), its element count, its value range and its unit. The views' enumerators answer it
// by QueryInterface; the option writers read it when they describe a plot.
#pragma once

#include "core/iquor_string.h"

namespace Rhyth {

struct IEtchEnumInfo : IUnknown {
  PLATFORM_INTERFACE_ID("5d2a8e61-4c3f-4b97-8a10-e6f27c9b3d45");
  using Base = IUnknown;
  // With one reference for the caller.
  virtual HRESULT GetName(IQuorString** name) = 0;
  // E_FAIL without a place to write to.
  virtual HRESULT GetCount(DWORD* count) = 0;
  // Scaled like the values; S_FALSE and nothing written for an empty series.
  virtual HRESULT GetRange(double* min, double* max) = 0;
  // The unit's IUnitName with one reference; null and S_FALSE without one.
  virtual HRESULT GetUnit(IUnknown** unit) = 0;

 protected:
  ~IEtchEnumInfo() = default;
};

}  // namespace Rhyth
