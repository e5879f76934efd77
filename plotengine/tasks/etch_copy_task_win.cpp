#include "plotengine/tasks/etch_copy_task_win.h"

#include <cstring>
#include <memory>

#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/metafile.h"
#include "platform/win32/window.h"
#include "plotengine/svg/render_plot_svg.h"

namespace Quor {
namespace {

// A global block the task owns until the clipboard takes it.
class OwnedBlock {
 public:
  explicit OwnedBlock(HGLOBAL block) : m_block(block) {}
  OwnedBlock(const OwnedBlock&) = delete;
  OwnedBlock& operator=(const OwnedBlock&) = delete;
  ~OwnedBlock() { GlobalFree(m_block); }
  HGLOBAL Get() const { return m_block; }
  void Release() { m_block = nullptr; }

 private:
  HGLOBAL m_block;
};

// The SVG text as the clipboard holds it: UTF-8 and one zero byte.
HGLOBAL TextBlock(const std::string& svg) {
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, svg.size() + 1);
  if (!block) return nullptr;
  auto* bytes = static_cast<char*>(GlobalLock(block));
  std::memcpy(bytes, svg.data(), svg.size());
  bytes[svg.size()] = '\0';
  GlobalUnlock(block);
  return block;
}

// The clipboard while the task has it open.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : m_open(OpenClipboard(owner)) {}
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() {
    if (m_open) CloseClipboard();
  }
  bool IsOpen() const { return m_open; }

 private:
  bool m_open;
};

}  // namespace

EtchCopyTaskWin::EtchCopyTaskWin(std::string plotId, HWND owner, ISubject* subject)
    : EtchCopyTask("copy", std::move(plotId), subject), m_owner(owner) {
  SvgClipboardFormat();
}

UINT EtchCopyTaskWin::SvgClipboardFormat() {
  static const UINT format = RegisterClipboardFormatW(u"image/svg+xml;utf8");
  return format;
}

bool EtchCopyTaskWin::Run(const std::string& svg) {
  OwnedBlock text(TextBlock(svg));
  if (!text.Get()) return false;
  const std::unique_ptr<SvgGdiplusRenderer> renderer = RenderPlotSvg(svg, "", u"");
  OpenedClipboard clipboard(m_owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  const HENHMETAFILE metafile = renderer->DetachMetafile();
  if (!metafile) return false;
  if (!SetClipboardData(CF_ENHMETAFILE, metafile)) {
    DeleteEnhMetaFile(metafile);
    return false;
  }
  if (!SetClipboardData(SvgClipboardFormat(), text.Get())) return false;
  text.Release();
  return true;
}

HWND BrowserWindowOf(IQuorBrowser* browser) {
  if (!browser) return nullptr;
  IQuorBrowserWindow* window = nullptr;
  if (browser->QueryInterface(IQuorBrowserWindow::iid, reinterpret_cast<void**>(&window)) != S_OK || !window)
    return nullptr;
  HWND handle = nullptr;
  if (window->GetWindowHandle(&handle) != S_OK) handle = nullptr;
  window->Release();
  return handle && IsWindow(handle) ? handle : nullptr;
}

EtchCopyTask* CreateEtchCopyTask(IQuorBrowser* browser, const std::string& plotId, ISubject* subject) {
  const HWND owner = BrowserWindowOf(browser);
  if (!owner) return nullptr;
  auto* task = new EtchCopyTaskWin(plotId, owner, subject);
  task->AddRef();
  RequestPlotSvg(browser, plotId, "copy");
  return task;
}

}  // namespace Quor
