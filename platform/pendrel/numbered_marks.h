// Numbered marks of a data view: places in the recording that the time axis marks with their
// number (1, 2, ...). Two sizes tell how crowded they are: the time axis numbers every mark
// when the total length is more than 50 times the unit, fewer marks as they crowd. A data view
// answers it by QueryInterface; it has no marks unless the host was given some.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelNumberedMarks : IUnknown {
  PLATFORM_INTERFACE_ID("e17b5f92-3c48-4d0a-8b6e-a29c0d4f7318");
  using Base = IUnknown;
  virtual HRESULT GetMarkCount(LONG* count) = 0;
  // The total length and the unit it is measured against; the unit may be 0.
  virtual HRESULT GetMarkSizes(LONGLONG* total, LONG* unit) = 0;
  // The record and tick of mark `index` (from 0); E_INVALIDARG past the last.
  virtual HRESULT GetMarkPosition(LONG index, LONG* record, LONG* tick) = 0;

 protected:
  ~IPendrelNumberedMarks() = default;
};
