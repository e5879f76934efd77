#include "host/views/view_printing.h"

#include "host/framework/call_log.h"
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
  return PrintDlgExW(&dialog);
}

}  // namespace PendrelHost
