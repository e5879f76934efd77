// The host's analysis manager: one per data file, found among its child data (the type word of
// the child-document framework, | 0). It coordinates the analyses of the modules over the file:
// modules register their persistent parts with it, report their analysis regions, and tell it
// when they change; the manager asks them, by events of the child-document framework, to report
// (| 7), clear (| 5) or analyse again (| 6).
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/persist_stream.h"

struct IPendrelAnalysisManager : IUnknown {
  PLATFORM_INTERFACE_ID("6d9e3b25-41f7-4c8a-b0e6-2c5a8f1d7e94");
  using Base = IUnknown;
  // `stored` tells whether the parts were loaded from the file; the cookie names the client.
  virtual HRESULT RegisterClient(IPersist* settings, IPersist* data, VARIANT_BOOL stored,
                                 IQuorString* name, IQuorString* identifier, LONG* cookie) = 0;
  virtual HRESULT ReportRegion(LONG cookie, LONG startRecord, LONG startOffset, LONG endRecord,
                               LONG endOffset) = 0;
  // S_OK when the manager tracks the client's registration, S_FALSE otherwise.
  virtual HRESULT TracksClient(LONG cookie) = 0;
  virtual HRESULT ClientChanged(LONG cookie) = 0;

 protected:
  ~IPendrelAnalysisManager() = default;
};
