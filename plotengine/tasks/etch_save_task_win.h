// EtchSaveEMFTaskWin: the save task on the platform. It writes the plot into an image file
// whose type follows the file's extension (PNG, JPEG, GIF, TIFF or EMF, in any letter case).
// The file is complete before the task reports done; a render or write that fails leaves no
// file, and an existing file untouched, and fails the task. Reference counted; on the plot
// window's thread.
#pragma once

#include "platform/pendrel/browser.h"
#include "plotengine/tasks/etch_copy_task.h"

namespace Quor {

class EtchSaveEMFTaskWin final : public EtchSaveEMFTask {
 public:
  EtchSaveEMFTaskWin(std::string plotId, std::u16string filePath, ISubject* subject);

 protected:
  bool Run(const std::string& svg) override;

 private:
  ~EtchSaveEMFTaskWin() override = default;
};

// Makes a save task for the plot `plotId` shown by `browser` and asks the page for the plot's
// SVG; the answer comes to `subject`. Null (and nothing asked) when the browser has no window;
// otherwise one reference for the caller.
EtchCopyTask* CreateEtchSaveTask(IQuorBrowser* browser, const std::string& plotId, const std::u16string& filePath,
                                 ISubject* subject);

}  // namespace Quor
