#include "host/document/sampling_controller.h"

#include "host/framework/call_log.h"

namespace PendrelHost {

HRESULT SamplingController::IsBusy(VARIANT_BOOL* busy) {
  if (m_idleAnswers == 0) m_busy = true;
  if (m_idleAnswers >= 0) --m_idleAnswers;
  Tarn::RecordCall("SamplingController", "IsBusy", m_busy ? "busy" : "idle");
  if (!busy) return E_POINTER;
  *busy = m_busy ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT SamplingController::CanSample(VARIANT_BOOL* canSample) {
  Tarn::RecordCall("SamplingController", "CanSample");
  if (!canSample) return E_POINTER;
  *canSample = m_canSample ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace PendrelHost
