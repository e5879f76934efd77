// The scale ranges of a module's plots, kept by the data document under each plot's id and
// saved with the document file, so that a plot opened again shows the ranges it had. A data
// document answers IPendrelPlotRangeStore.
#pragma once

#include "core/iquor_string.h"

inline constexpr DWORD kPlotAxisX = 0;
inline constexpr DWORD kPlotAxisY = 1;

struct IPendrelPlotRangeStore : IUnknown {
  PLATFORM_INTERFACE_ID("6d8827c4-296f-4dac-af57-53c42d4a4ffb");
  using Base = IUnknown;
  // S_FALSE with (0, 0) when none is stored.
  virtual HRESULT GetPlotRange(IQuorString* plotId, DWORD axis, double* min, double* max) = 0;
  // E_INVALIDARG for an end that is not finite or an unknown axis: no scale can show it.
  virtual HRESULT SetPlotRange(IQuorString* plotId, DWORD axis, double min, double max) = 0;

 protected:
  ~IPendrelPlotRangeStore() = default;
};
