// Data arriving while the host samples: sinks subscribe to a data document's online data source
// and hear of each step of the acquisition, in this order: sampling starting, record start,
// data added (repeatedly), record end, sampling stopped.
#pragma once

#include "platform/win32/unknown.h"

struct IOnlineDataSink : IUnknown {
  PLATFORM_INTERFACE_ID("3f8b0c6e-2a17-4d94-a5c1-6e9d7b2f0a48");
  using Base = IUnknown;
  // `proceed` may veto the start (VARIANT_FALSE); S_FALSE with a veto.
  virtual HRESULT OnSamplingStarting(DWORD flags, VARIANT_BOOL* proceed) = 0;
  virtual HRESULT OnRecordStart(LONG record) = 0;
  // Ticks [start, start + count) of the record arrived; `more` tells whether more follow.
  virtual HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) = 0;
  virtual HRESULT OnRecordEnd(LONG record) = 0;
  virtual HRESULT OnSamplingStopped(DWORD reason, DWORD reserved) = 0;
  // Data already sampled changed (edited or trimmed).
  virtual HRESULT OnDataChanged(DWORD reserved) = 0;
  virtual HRESULT OnChannelChanged(DWORD channel) = 0;
  virtual HRESULT Reserved10() = 0;
  virtual HRESULT Reserved11() = 0;
  virtual HRESULT Notify12() = 0;
  // How often (in milliseconds) the sink wants to hear of added data.
  virtual HRESULT GetUpdateInterval(DWORD* interval) = 0;
  virtual HRESULT GetDataInterest(DWORD* interest) = 0;

 protected:
  ~IOnlineDataSink() = default;
};

// The online data of a data document, reached by QueryInterface on it.
struct IPendrelOnlineDataSource : IUnknown {
  PLATFORM_INTERFACE_ID("b5e93a07-1c6d-4f28-8b4e-0a7f2d9c3e61");
  using Base = IUnknown;
  // The source holds a reference on each sink until it is removed.
  virtual HRESULT AddSink(IOnlineDataSink* sink) = 0;
  // S_FALSE when the sink was not there.
  virtual HRESULT RemoveSink(IOnlineDataSink* sink) = 0;

 protected:
  ~IPendrelOnlineDataSource() = default;
};
