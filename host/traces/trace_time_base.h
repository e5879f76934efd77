// The stand-in host's time base of a data view: the time display mode of the view's document
// (2, plain seconds, when the document tells none). A test may set the mode of one view.
#pragma once

#include "host/framework/held_reference.h"
#include "platform/pendrel/trace_time_base.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class TraceTimeBase final : public SimpleUnknownImp1<IPendrelTraceTimeBase, 0> {
 public:
  // `document` (may be null) is asked for its time display mode.
  explicit TraceTimeBase(IUnknown* document);

  HRESULT GetTimeDisplayMode(BYTE* mode) override;

  // Overrides the document's mode (0: follow the document again).
  void SetMode(BYTE mode) { m_mode = mode; }

 private:
  Tarn::HeldReference<IUnknown> m_document;
  BYTE m_mode = 0;
};

}  // namespace PendrelHost
