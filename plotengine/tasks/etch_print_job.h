// Quor::EtchPrintJob: prints one plot on one page. Made once the print dialog has run; when the
// person chose Print, it asks the plot's page for the plot as printable SVG with the user data
// "print" and prints the answer for its own plot id. The platform's side (the dialog's choices,
// the printer and the drawing) belongs to the class that derives from it (WinPrintJob).
// Reference counted; the plot window keeps each job until it is finished.
#pragma once

#include <string>

#include "plotengine/proxy/etch_proxy_base.h"
#include "plotengine/tasks/etch_svg_request.h"

namespace Quor {

class EtchPrintJob : public EtchSvgRequest {
 public:
  // The dialog was closed without Print, or could not be shown.
  virtual bool IsCancelled() const = 0;
  bool IsFinished() const { return IsDone() || IsFailed() || IsCancelled(); }

  // The dialog's choices.
  virtual String PrinterName() const = 0;
  virtual bool IsAllPages() const = 0;
  virtual bool IsPageRange() const = 0;
  virtual bool IsSelection() const = 0;
  virtual int Copies() const = 0;

  // Listens on `subject` and asks the page, through the plot model, for the plot's SVG.
  void Start(EtchProxyBase* plotModel, ISubject* subject);

  const std::string& Title() const { return m_title; }
  const std::string& PlotId() const { return m_plotId; }

 protected:
  // Both texts UTF-8.
  EtchPrintJob(std::string title, std::string plotId);

  bool IsAnswer(const EtchSvgPayload& answer) const override;

 private:
  std::string m_title;
  std::string m_plotId;
};

}  // namespace Quor
