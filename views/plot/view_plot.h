// What a plot view asks of its plot window: the browser control inside the view, the markup
// and data-change calls to the plotting script, copy and print, the proxy through which the
// script reads the view's series, and the persist task that keeps the plot's scale ranges with
// the host document. The view owns its plot window for its whole life; the window is made by
// the installed factory (the browser plot engine's, or a test's).
#pragma once

#include <functional>
#include <memory>

#include "core/quor_string.h"
#include "platform/win32/geometry.h"
#include "platform/win32/types.h"
#include "plotengine/proxy/etch_proxy_base.h"

namespace Rhyth {

// A scale range as the views keep it: the maximum first; (0, 0) is none.
struct ViewRange {
  double max = 0;
  double min = 0;

  bool IsNone() const { return max == 0.0 && min == 0.0; }
};

// The plot's stored scale ranges, kept with the host document under the plot id.
class ViewPersistTask {
 public:
  virtual ~ViewPersistTask() = default;
  virtual ViewRange StoredX() const = 0;
  virtual ViewRange StoredY() const = 0;
  virtual void StoreX(const ViewRange& range) = 0;
  virtual void StoreY(const ViewRange& range) = 0;
  // Applies a range to the plot's scale (mode 2, flag 0).
  virtual void SetXScaling(const ViewRange& range) = 0;
  virtual void SetYScaling(const ViewRange& range) = 0;
};

class ViewPlot {
 public:
  virtual ~ViewPlot() = default;

  // The browser control as a child of `parent`, of empty size until the view sizes it.
  virtual bool CreateControl(HWND parent) = 0;
  // False when there is no browser window.
  virtual bool SetBounds(const RECT& bounds) = 0;
  // The view's browser command, passed on without arguments.
  virtual void BrowserCommand() = 0;
  // Binds the plot under its id to the host document; makes the persist task once.
  virtual void CreatePersistTask(const Quor::String& plotId) = 0;
  virtual bool SetMarkup(const Quor::String& markup) = 0;
  virtual void PlotterDataChanged(const Quor::String& plotterId, DWORD n) = 0;
  // A copy task or a print job with one reference, which the caller releases.
  virtual IUnknown* Copy() = 0;
  virtual IUnknown* Print(const Quor::String& title) = 0;
  // Writes the plot into the file, of the type its extension names, once the plot has its
  // image; a plot without an image file writer does nothing.
  virtual void SaveImage(const Quor::String& /*path*/) {}
  // Null when there is none.
  virtual Quor::EtchProxyBase* Proxy() = 0;
  virtual ViewPersistTask* PersistTask() = 0;
};

// Makes a view's plot window over the host document (not held).
using ViewPlotFactory = std::function<std::unique_ptr<ViewPlot>(IUnknown* hostDocument)>;

// Installs the factory every new view uses; an empty one makes views without a plot window.
void SetViewPlotFactory(ViewPlotFactory factory);
std::unique_ptr<ViewPlot> MakeViewPlot(IUnknown* hostDocument);

}  // namespace Rhyth
