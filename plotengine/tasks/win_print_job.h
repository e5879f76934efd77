// Quor::WinPrintJob: the print job on the platform. It shows the print dialog when it is made,
// and prints the plot's answer on the chosen printer: the plot fitted to the printable area, the
// title centred at the top, and a footer line with the date, the user and the page number. The
// page is scaled by the printer context's own resolution, not by the quality the printer's
// settings state, which may be a draft code or nothing. Any printing step that fails aborts the
// document, so no partial one is left, and fails the job. Reference counted; on the plot
// window's thread.
#pragma once

#include "plotengine/tasks/etch_print_job.h"
#include "platform/win32/printing.h"

namespace Quor {

class SvgGdiplusRenderer;

class WinPrintJob final : public EtchPrintJob {
 public:
  // Runs the dialog (modal) owned by `owner`.
  WinPrintJob(HWND owner, std::string title, std::string plotId);

  bool IsCancelled() const override;
  String PrinterName() const override;
  bool IsAllPages() const override;
  bool IsPageRange() const override;
  bool IsSelection() const override;
  int Copies() const override;

 protected:
  bool Run(const std::string& svg) override;

 private:
  ~WinPrintJob() override;
  // Throws std::runtime_error when a step of the printing fails.
  void PrintPage(SvgGdiplusRenderer& renderer);
  HDC CreatePrinterContext() const;

  PRINTDLGEXW m_dialog{};
  HRESULT m_dialogResult = E_FAIL;
};

// Shows the print dialog and, when the person chose Print, asks the page through the plot model
// for the plot `plotId`'s SVG; the answer comes to `subject`. One reference for the caller.
// Texts are UTF-8.
EtchPrintJob* CreateWinPrintJob(HWND owner, EtchProxyBase* plotModel, const std::string& plotId,
                                ISubject* subject, const std::string& title);

}  // namespace Quor
