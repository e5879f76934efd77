#include "host/views/view_printing.h"

#include "host/framework/call_log.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/printing.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "ViewPrinting";
}  // namespace

HRESULT ViewPrinting::CanPrint(DWORD* canPrint) {
  Tarn::RecordCall(kService, "CanPrint", m_canPrint ? "yes" : "no");
  if (!canPrint) return E_POINTER;
  *canPrint = m_canPrint ? 1 : 0;
  return S_OK;
}

HRESULT ViewPrinting::PrintSetup() {
  Tarn::RecordCall(kService, "PrintSetup");
  PRINTDLGEXW dialog{};
  dialog.lStructSize = sizeof dialog;
  const HRESULT result = PrintDlgExW(&dialog);
  // The settings chosen are not kept: the host prints nothing of its own.
  GlobalFree(dialog.hDevMode);
  GlobalFree(dialog.hDevNames);
  return result;
}

}  // namespace PendrelHost
