// A plot window, persist task and proxy that log, in order, every call a plot view makes on
// them, as "Operation(arguments)" lines in one shared log. The persist task keeps its ranges in
// a store that outlives the view and writes them through to the host document's plot-range
// store when the document has one, as the host keeps them; the proxy's notification
// subject can raise events to the view like the plot script would.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/plot_range_store.h"
#include "platform/win32/com_object.h"
#include "views/plot/view_plot.h"

namespace ViewsTest {

using Log = std::vector<std::string>;

// The scale ranges stored per plot id, as the host document keeps them.
struct StoredRanges {
  Rhyth::ViewRange x;
  Rhyth::ViewRange y;
};
using RangeStore = std::map<std::string, StoredRanges>;

class RecordingSubject final : public SimpleUnknownImp1<ISubject, 1> {
 public:
  HRESULT AttachObserver(IObserver* observer, DWORD) override;
  HRESULT DetachObserver(IObserver* observer) override;
  HRESULT DetachAllObservers(DWORD) override;
  HRESULT Notify(DWORD eventId, LONG_PTR a, const void* parameters) override;
  std::size_t ObserverCount() const { return m_observers.size(); }

 private:
  std::vector<IObserver*> m_observers;  // held
};

class RecordingProxy final : public Quor::EtchProxyBase {
 public:
  explicit RecordingProxy(Log& log) : m_log(log) {}
  ~RecordingProxy() override;

  void Detach() override {}
  ISubject* GetSubject() override { return &subject; }
  void SetData(const Quor::String& dataId, IEnumFloatEx* series) override;
  void SetPlotter(const Quor::String& dataId, const Quor::String& first,
                  const Quor::String& plotterId, int number) override;
  void ClearAll() override;
  bool RunScript(const Quor::String&) override { return true; }
  LONG DeliverEvent(const Quor::EtchEvent&) override { return 0; }
  Quor::EtchStringMap ResourceURLs() override { return {}; }
  void MakeDropMenu(const Quor::String&, int, int, int, int, int, bool, double, double) override {}

  RecordingSubject subject;

 private:
  Log& m_log;
};

class RecordingPersistTask final : public Rhyth::ViewPersistTask {
 public:
  RecordingPersistTask(Log& log, StoredRanges& stored, Quor::String plotId,
                       IPendrelPlotRangeStore* host)
      : m_log(log), m_stored(stored), m_plotId(std::move(plotId)), m_host(host) {}
  Rhyth::ViewRange StoredX() const override { return m_stored.x; }
  Rhyth::ViewRange StoredY() const override { return m_stored.y; }
  void StoreX(const Rhyth::ViewRange& range) override;
  void StoreY(const Rhyth::ViewRange& range) override;
  void SetXScaling(const Rhyth::ViewRange& range) override;
  void SetYScaling(const Rhyth::ViewRange& range) override;

 private:
  void StoreWithHost(DWORD axis, const Rhyth::ViewRange& range);

  Log& m_log;
  StoredRanges& m_stored;
  Quor::String m_plotId;
  Quor::ComPtr<IPendrelPlotRangeStore> m_host;  // null when the document keeps no ranges
};

class RecordingPlot final : public Rhyth::ViewPlot {
 public:
  // The property object of `hostDocument` (not held) may answer IPendrelPlotRangeStore.
  RecordingPlot(Log& log, RangeStore& store, IUnknown* hostDocument);

  bool CreateControl(HWND parent) override;
  bool SetBounds(const RECT& bounds) override;
  void BrowserCommand() override;
  void CreatePersistTask(const Quor::String& plotId) override;
  bool SetMarkup(const Quor::String& markup) override;
  void PlotterDataChanged(const Quor::String& plotterId, DWORD n) override;
  IUnknown* Copy() override;
  IUnknown* Print(const Quor::String& title) override;
  Quor::EtchProxyBase* Proxy() override { return &proxy; }
  Rhyth::ViewPersistTask* PersistTask() override { return m_task.get(); }

 private:
  Log& m_log;
  RangeStore& m_store;
  Quor::ComPtr<IPendrelPlotRangeStore> m_hostRanges;

 public:
  RecordingProxy proxy;

 private:
  std::unique_ptr<RecordingPersistTask> m_task;
};

// The plots the views made, and what they did, until the factory is uninstalled.
struct PlotRecorder {
  PlotRecorder();
  ~PlotRecorder();
  // The plot the view opened last.
  RecordingPlot* last = nullptr;
  Log log;
  RangeStore store;
  // Copy tasks and print jobs alive now.
  static int tasksAlive;
};

std::string Text(const Quor::String& text);

}  // namespace ViewsTest
