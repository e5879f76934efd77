// The plot window's print, copy and save commands.
#include "core/com_ptr.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/proxy/browser_script_context.h"
#include "plotengine/tasks/etch_copy_task_win.h"
#include "plotengine/tasks/etch_save_task_win.h"
#include "plotengine/tasks/win_print_job.h"

namespace Quor {

EtchPrintJob* EtchPlotWin::Print(const String& title) {
  m_outputTasks.DropFinished();
  EtchPrintJob* job = CreatePrintJob(title.ToUtf8String());
  m_outputTasks.Keep(job);
  return job;
}

EtchCopyTask* EtchPlotWin::Copy() {
  m_outputTasks.DropFinished();
  EtchCopyTask* task = CreateCopyTask();
  m_outputTasks.Keep(task);
  return task;
}

void EtchPlotWin::SaveImage(const String& path) {
  m_outputTasks.DropFinished();
  ComPtr<EtchCopyTask> task;
  task.Attach(CreateEtchSaveTask(Browser(), GetContainerId(), path.ToStdWString(), m_proxy->GetSubject()));
  m_outputTasks.Keep(task.Get());
}

EtchPrintJob* EtchPlotWin::CreatePrintJob(const std::string& title) {
  // The job asks the page through the proxy, which runs script in the context of this thread.
  ComPtr<IEtchScriptContext> page;
  if (IQuorBrowser* browser = Browser()) page.Attach(new BrowserScriptContext(browser));
  m_proxy->SetScriptContext(page.Get());
  EtchPrintJob* job = CreateWinPrintJob(GetBrowserWindow(), m_proxy, GetContainerId(), m_proxy->GetSubject(), title);
  m_proxy->SetScriptContext(nullptr);
  return job;
}

EtchCopyTask* EtchPlotWin::CreateCopyTask() {
  return CreateEtchCopyTask(Browser(), GetContainerId(), m_proxy->GetSubject());
}

}  // namespace Quor
