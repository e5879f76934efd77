// Whether the host is sampling into the records a trace display shows, reached by QueryInterface
// on the display's data view. The record being sampled draws differently from the settled ones
// (its drawers keep their data cursors from one paint to the next).
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelTraceSampling : IUnknown {
  PLATFORM_INTERFACE_ID("c7d25a90-4e13-4b8f-a06c-93e1f5b7d248");
  using Base = IUnknown;
  // S_OK and the record being sampled; S_FALSE and 0x7FFFFFFF while the host does not sample.
  virtual HRESULT GetSampledRecord(LONG* record) = 0;

 protected:
  ~IPendrelTraceSampling() = default;
};
