// Quor::EtchPlotBase: what a plot window keeps apart from its window: the last markup, the
// host document it belongs to, its persist task once bound, and the script calls it sends to
// its page (the plot's creation, its markup and its data-change notices). The page is reached
// through RunScript, which the window supplies. Lives as long as the plot window that derives
// from it, on the view's window thread.
#pragma once

#include <cstdint>
#include <string>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/documents.h"
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

 protected:
  // Creates the plot in the page's container.
  bool MakePlot();
  void SetPersistTask(EtchPersistTask* task) { m_persistTask = ComPtr<EtchPersistTask>(task); }

 private:
  String m_markup;
  ComPtr<EtchPersistTask> m_persistTask;
  ComPtr<IPendrelHostDocument> m_document;
};

}  // namespace Quor
