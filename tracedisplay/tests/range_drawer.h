// A trace drawer for tests that reports a fixed range of its data on every axis it is asked
// about, and records which axes were asked.
#pragma once

#include <vector>

#include "tracedisplay/tests/recording_drawer.h"

// A trace drawer that reports the range of its data on an axis.
class RangeDrawer final : public RecordingDrawer, public IPendrelUnitMapping {
 public:
  explicit RangeDrawer(double low, double high) : RecordingDrawer(0x201), m_range{low, high} {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid != IPendrelUnitMapping::iid) return RecordingDrawer::QueryInterface(iid, object);
    *object = static_cast<IPendrelUnitMapping*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return RecordingDrawer::AddRef(); }
  ULONG Release() override { return RecordingDrawer::Release(); }
  HRESULT GetUnitMapping(LONG, LONG, LONG, IQuorString**, VARIANT_BOOL*, double*,
                         double*) override {
    return E_NOTIMPL;
  }
  HRESULT GetAxisDataRange(LONG axis, LONGLONG, LONGLONG, double* range) override {
    axesAsked.push_back(axis);
    range[0] = m_range[0];
    range[1] = m_range[1];
    return S_OK;
  }

  std::vector<LONG> axesAsked;

 private:
  double m_range[2];
};
