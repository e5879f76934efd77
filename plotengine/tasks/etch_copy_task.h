// Quor::EtchCopyTask and Quor::EtchSaveEMFTask: a plot's copy to the clipboard and its save to
// an image file. Both ask the plot's page for the plot as printable SVG with the user data
// "copy" and act on the first "copy" answer of their plot's subject (the plot id is not
// compared: a task hears only its own plot). The platform's side is the classes that derive
// from them (EtchCopyTaskWin, EtchSaveEMFTaskWin). Reference counted; the plot window keeps
// each task until it is done or failed.
#pragma once

#include <string>

#include "plotengine/tasks/etch_svg_request.h"

namespace Quor {

class EtchCopyTask : public EtchSvgRequest {
 public:
  const std::string& PlotId() const { return m_plotId; }

 protected:
  EtchCopyTask(const char* action, std::string plotId, ISubject* subject);

  bool IsAnswer(const EtchSvgPayload& answer) const override;

 private:
  std::string m_plotId;
};

class EtchSaveEMFTask : public EtchCopyTask {
 public:
  const std::u16string& FilePath() const { return m_filePath; }

 protected:
  EtchSaveEMFTask(std::string plotId, std::u16string filePath, ISubject* subject);

 private:
  std::u16string m_filePath;
};

}  // namespace Quor
