// Quor::PlotOutputTasks: the print jobs and the copy and save tasks a plot window keeps while
// they wait for the page's answer. Each is dropped at the next print, copy or save once it has
// finished, failed ones included, so no task outlives its use; the rest go with the window.
// Holds one reference on each. On the plot window's thread.
#pragma once

#include <cstddef>
#include <vector>

#include "core/com_ptr.h"
#include "plotengine/tasks/etch_copy_task.h"
#include "plotengine/tasks/etch_print_job.h"

namespace Quor {

class PlotOutputTasks {
 public:
  // Null is not kept.
  void Keep(EtchPrintJob* job);
  void Keep(EtchCopyTask* task);
  // Drops the print jobs that are finished and the copy and save tasks that are done or failed.
  void DropFinished();

  std::size_t PrintJobCount() const { return m_printJobs.size(); }
  std::size_t CopyTaskCount() const { return m_copyTasks.size(); }

 private:
  std::vector<ComPtr<EtchPrintJob>> m_printJobs;
  std::vector<ComPtr<EtchCopyTask>> m_copyTasks;
};

}  // namespace Quor
