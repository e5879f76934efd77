// The data document's sampling controller: it answers whether the host is busy with the document
// (starting to sample, a modal state), when modules leave the analysis alone, and whether the
// document can sample. Tests and the command line set both. Owned by the data document.
#pragma once

#include "platform/pendrel/recording_document.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class SamplingController final : public SimpleUnknownImp1<IPendrelSamplingController, 1> {
 public:
  HRESULT IsBusy(VARIANT_BOOL* busy) override;
  HRESULT CanSample(VARIANT_BOOL* canSample) override;

  void SetBusy(bool busy) {
    m_busy = busy;
    m_idleAnswers = -1;
  }
  // Answers "idle" that many more times, then "busy": the host turning busy in the middle of
  // what a module does.
  void BecomeBusyAfter(int idleAnswers) {
    m_busy = false;
    m_idleAnswers = idleAnswers;
  }
  void SetCanSample(bool canSample) { m_canSample = canSample; }

 private:
  bool m_busy = false;
  int m_idleAnswers = -1;  // none counted
  bool m_canSample = false;
};

}  // namespace PendrelHost
