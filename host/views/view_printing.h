// The printing of a data document's views, as the host offers it: whether the host can print
// (it has its one configured printer unless a test takes it away) and the host's print setup,
// which shows the print dialog (answered by the platform's scripted answerer and recorded
// there). Both questions are recorded in the call log. Owned by the data document.
#pragma once

#include "platform/pendrel/view_window_host.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ViewPrinting final : public SimpleUnknownImp1<IPendrelViewPrinting, 1> {
 public:
  HRESULT CanPrint(DWORD* canPrint) override;
  // The dialog's answer is the platform's to record; a cancelled setup is no failure.
  HRESULT PrintSetup() override;

  void SetCanPrint(bool canPrint) { m_canPrint = canPrint; }

 private:
  ~ViewPrinting() override = default;

  bool m_canPrint = true;
};

}  // namespace PendrelHost
