// EtchCopyTaskWin: the copy task on the platform. It puts the plot on the clipboard as an
// enhanced metafile and as its SVG text (the format "image/svg+xml;utf8": UTF-8 ending in one
// zero byte). It is done only when the clipboard took both; a clipboard that cannot be opened
// is left as it was, and whatever the clipboard refuses is freed. Reference counted; on the
// plot window's thread.
#pragma once

#include "platform/pendrel/browser.h"
#include "plotengine/tasks/etch_copy_task.h"

namespace Quor {

class EtchCopyTaskWin final : public EtchCopyTask {
 public:
  // `owner` opens the clipboard.
  EtchCopyTaskWin(std::string plotId, HWND owner, ISubject* subject);

  // The registered id of the SVG format, made on first use and kept for the process.
  static UINT SvgClipboardFormat();

 protected:
  bool Run(const std::string& svg) override;

 private:
  ~EtchCopyTaskWin() override = default;
  HWND m_owner;
};

// The browser's window; null when the browser has none.
HWND BrowserWindowOf(IQuorBrowser* browser);

// Makes a copy task for the plot `plotId` shown by `browser` and asks the page for the plot's
// SVG; the answer comes to `subject`. Null (and nothing asked) when the browser has no window;
// otherwise one reference for the caller.
EtchCopyTask* CreateEtchCopyTask(IQuorBrowser* browser, const std::string& plotId, ISubject* subject);

}  // namespace Quor
