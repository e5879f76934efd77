// Quor::EtchPlotBase: what a plot window keeps apart from its window: the last markup, the
// host document it belongs to, its persist task and the two scale proxies over it once bound,
// and the script calls it sends to its page (the plot's creation, its markup and its
// data-change notices). The page is reached
// through RunScript, which the window supplies. Lives as long as the plot window that derives
// from it, on the view's window thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/documents.h"
#include "plotengine/plot_window/scale_proxy.h"
#include "plotengine/tasks/etch_persist_task.h"

namespace Quor {

class EtchProxyWin;

class EtchPlotBase {
 public:
  // Holds one reference on `document` (may be null).
  explicit EtchPlotBase(IPendrelHostDocument* document);
  virtual ~EtchPlotBase();
  EtchPlotBase(const EtchPlotBase&) = delete;
  EtchPlotBase& operator=(const EtchPlotBase&) = delete;

  // Runs script text in the plot's page; false when it could not run.
  virtual bool RunScript(const String& text) = 0;
  virtual unsigned GetDoubleClickTime() = 0;
  // The id of the page element that holds the plot (UTF-8).
  virtual std::string GetContainerId() = 0;
  virtual EtchProxyWin* GetProxy() = 0;

  // Keeps the markup and sends it, with the plot's stored settings when a persist task is
  // bound, to the page.
  bool SetMarkup(const String& markup);
  // Tells the page that the data of `dataId` changed from index `start`.
  bool PlotterDataChanged(const String& dataId, std::int32_t start);

  const String& Markup() const { return m_markup; }

  // Binds the plot, under the view's plot key, to the document's store of state messages: the
  // persist task and the scale proxies exist from then on. A document without the store, or a
  // plot already bound, is left as it is.
  void CreatePersistTask(const String& plotId);
  EtchPersistTask* PersistTask() const { return m_persistTask.Get(); }
  // The horizontal and vertical scale; null until the plot is bound.
  ScaleProxy* XScale() const { return m_xScale.get(); }
  ScaleProxy* YScale() const { return m_yScale.get(); }

 protected:
  // Creates the plot in the page's container.
  bool MakePlot();

 private:
  String m_markup;
  ComPtr<EtchPersistTask> m_persistTask;
  ComPtr<IPendrelHostDocument> m_document;
  // Declared after the task they read, so that they go first.
  std::unique_ptr<ScaleProxy> m_xScale;
  std::unique_ptr<ScaleProxy> m_yScale;
};

}  // namespace Quor
