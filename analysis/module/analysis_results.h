// What the analysis document shows of its last analysis, for a host without the module's views:
// the measurements in the order of the measurement table (display name, unit, value) and the
// beats the analysis read, one row each. The analysis document answers this interface; the
// object it gives is a snapshot taken when it was asked for, and stays valid after later
// analyses.
#pragma once

#include "platform/win32/bstr.h"
#include "platform/win32/unknown.h"

namespace Rhyth {

struct RhythBeatRow {
  LONG record;
  LONG tick;
  double time;   // seconds from the document start
  double rr;     // seconds; NaN for the first beat of a run
  DWORD beatClass;  // 0 normal; 0xFF unclassified; bit 0 RR, bit 1 FF outside its limits
  double ff;
  DWORD userAdded;  // 1 when the user added the beat
};

struct IRhythAnalysisResults : IUnknown {
  PLATFORM_INTERFACE_ID("b7d24e90-6a31-4c8f-9e5d-13f0a8c27b64");
  using Base = IUnknown;
  virtual HRESULT GetMeasurementCount(DWORD* count) = 0;
  // Name and unit are allocated for the caller; the value is NaN when the analysis gives none.
  virtual HRESULT GetMeasurement(DWORD index, BSTR* name, BSTR* unit, double* value) = 0;
  virtual HRESULT GetBeatCount(DWORD* count) = 0;
  virtual HRESULT GetBeat(DWORD index, RhythBeatRow* row) = 0;

 protected:
  ~IRhythAnalysisResults() = default;
};

}  // namespace Rhyth
