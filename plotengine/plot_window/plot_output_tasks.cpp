#include "plotengine/plot_window/plot_output_tasks.h"

namespace Quor {

void PlotOutputTasks::Keep(EtchPrintJob* job) {
  if (job) m_printJobs.emplace_back(job);
}

void PlotOutputTasks::Keep(EtchCopyTask* task) {
  if (task) m_copyTasks.emplace_back(task);
}

void PlotOutputTasks::DropFinished() {
  std::erase_if(m_printJobs, [](const ComPtr<EtchPrintJob>& job) { return job->IsFinished(); });
  std::erase_if(m_copyTasks,
                [](const ComPtr<EtchCopyTask>& task) { return task->IsDone() || task->IsFailed(); });
}

}  // namespace Quor
