#include "plotengine/tasks/etch_save_task_win.h"

#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tasks/etch_copy_task_win.h"

namespace Quor {

EtchSaveEMFTaskWin::EtchSaveEMFTaskWin(std::string plotId, std::u16string filePath, ISubject* subject)
    : EtchSaveEMFTask(std::move(plotId), std::move(filePath), subject) {}

bool EtchSaveEMFTaskWin::Run(const std::string& svg) {
  // The renderer has written the file, under a temporary name renamed into place, by the time
  // it returns; it throws, leaving no file, when it could not.
  RenderPlotSvg(svg, "", FilePath());
  return true;
}

EtchCopyTask* CreateEtchSaveTask(IQuorBrowser* browser, const std::string& plotId, const std::u16string& filePath,
                                 ISubject* subject) {
  if (!BrowserWindowOf(browser)) return nullptr;
  auto* task = new EtchSaveEMFTaskWin(plotId, filePath, subject);
  task->AddRef();
  RequestPlotSvg(browser, plotId, "copy");
  return task;
}

}  // namespace Quor
