#include "views/tests/recording_plot.h"

#include <sstream>

#include "platform/pendrel/documents.h"

namespace ViewsTest {

namespace {

std::string RangeText(const Rhyth::ViewRange& range) {
  std::ostringstream text;
  text << range.min << ", " << range.max;
  return text.str();
}

// A copy task or print job: alive until its last reference goes.
class CountedTask final : public SimpleUnknownImp1<IUnknown> {
 public:
  CountedTask() { ++PlotRecorder::tasksAlive; }
  ~CountedTask() override { --PlotRecorder::tasksAlive; }
};

IUnknown* NewTask() {
  auto* task = new CountedTask;
  task->AddRef();
  return task;
}

// The store of plot ranges behind the host document's property object, where the host keeps
// the document's state; null when there is none.
Quor::ComPtr<IPendrelPlotRangeStore> RangeStoreOf(IUnknown* hostDocument) {
  Quor::ComPtr<IPendrelHostDocument> document;
  if (hostDocument) {
    hostDocument->QueryInterface(IPendrelHostDocument::iid,
                                 Quor::ComPtrOut<IPendrelHostDocument>::Bind(document));
  }
  Quor::ComPtr<IUnknown> properties;
  if (document) document->GetPropertyObject(Quor::ComPtrOut<IUnknown>::Bind(properties));
  Quor::ComPtr<IPendrelPlotRangeStore> store;
  if (properties) {
    properties->QueryInterface(IPendrelPlotRangeStore::iid,
                               Quor::ComPtrOut<IPendrelPlotRangeStore>::Bind(store));
  }
  return store;
}

}  // namespace

int PlotRecorder::tasksAlive = 0;

std::string Text(const Quor::String& text) { return text.ToUtf8String(); }

HRESULT RecordingSubject::AttachObserver(IObserver* observer, DWORD) {
  if (!observer) return E_POINTER;
  observer->AddRef();
  m_observers.push_back(observer);
  return S_OK;
}

HRESULT RecordingSubject::DetachObserver(IObserver* observer) {
  for (auto it = m_observers.begin(); it != m_observers.end(); ++it) {
    if (*it == observer) {
      m_observers.erase(it);
      observer->Release();
      return S_OK;
    }
  }
  return S_FALSE;
}

HRESULT RecordingSubject::DetachAllObservers(DWORD) {
  for (IObserver* observer : m_observers) observer->Release();
  m_observers.clear();
  return S_OK;
}

HRESULT RecordingSubject::Notify(DWORD eventId, LONG_PTR a, const void* parameters) {
  const std::vector<IObserver*> observers = m_observers;
  for (IObserver* observer : observers) observer->OnNotify(this, eventId, a, parameters);
  return S_OK;
}

RecordingProxy::~RecordingProxy() { subject.DetachAllObservers(0); }

void RecordingProxy::SetData(const Quor::String& dataId, IEnumFloatEx* series) {
  m_log.push_back("SetData(" + Text(dataId) + ")");
  EtchProxyBase::SetData(dataId, series);
}

void RecordingProxy::SetPlotter(const Quor::String& dataId, const Quor::String& first,
                                const Quor::String& plotterId, int number) {
  m_log.push_back("RegisterSeries(" + Text(dataId) + ", " + Text(first) + ", " + Text(plotterId) +
                  ", " + std::to_string(number) + ")");
  EtchProxyBase::SetPlotter(dataId, first, plotterId, number);
}

void RecordingProxy::ClearAll() {
  m_log.push_back("ClearAll()");
  EtchProxyBase::ClearAll();
}

void RecordingPersistTask::StoreWithHost(DWORD axis, const Rhyth::ViewRange& range) {
  if (!m_host) return;
  IQuorString* plotId = m_plotId.GetInterface();
  m_host->SetPlotRange(plotId, axis, range.min, range.max);
  plotId->Release();
}

void RecordingPersistTask::StoreX(const Rhyth::ViewRange& range) {
  m_log.push_back("StoreX(" + RangeText(range) + ")");
  m_stored.x = range;
  StoreWithHost(kPlotAxisX, range);
}

void RecordingPersistTask::StoreY(const Rhyth::ViewRange& range) {
  m_log.push_back("StoreY(" + RangeText(range) + ")");
  m_stored.y = range;
  StoreWithHost(kPlotAxisY, range);
}

void RecordingPersistTask::SetXScaling(const Rhyth::ViewRange& range) {
  m_log.push_back("SetXScaling(" + RangeText(range) + ")");
}

void RecordingPersistTask::SetYScaling(const Rhyth::ViewRange& range) {
  m_log.push_back("SetYScaling(" + RangeText(range) + ")");
}

bool RecordingPlot::CreateControl(HWND) {
  m_log.push_back("CreateControl()");
  return true;
}

bool RecordingPlot::SetBounds(const RECT& bounds) {
  m_log.push_back("SetBounds(" + std::to_string(bounds.right - bounds.left) + "x" +
                  std::to_string(bounds.bottom - bounds.top) + ")");
  return true;
}

RecordingPlot::RecordingPlot(Log& log, RangeStore& store, IUnknown* hostDocument)
    : m_log(log), m_store(store), m_hostRanges(RangeStoreOf(hostDocument)), proxy(log) {}

void RecordingPlot::BrowserCommand() { m_log.push_back("BrowserCommand()"); }

void RecordingPlot::CreatePersistTask(const Quor::String& plotId) {
  m_log.push_back("CreatePersistTask(" + Text(plotId) + ")");
  if (!m_task) {
    m_task = std::make_unique<RecordingPersistTask>(m_log, m_store[Text(plotId)], plotId,
                                                    m_hostRanges.Get());
  }
}

bool RecordingPlot::SetMarkup(const Quor::String& markup) {
  m_log.push_back("SetMarkup(" + Text(markup) + ")");
  return true;
}

void RecordingPlot::PlotterDataChanged(const Quor::String& plotterId, DWORD n) {
  m_log.push_back("PlotterDataChanged(" + Text(plotterId) + ", " + std::to_string(n) + ")");
}

IUnknown* RecordingPlot::Copy() {
  m_log.push_back("Copy()");
  return NewTask();
}

IUnknown* RecordingPlot::Print(const Quor::String& title) {
  m_log.push_back("Print(" + Text(title) + ")");
  return NewTask();
}

PlotRecorder::PlotRecorder() {
  Rhyth::SetViewPlotFactory([this](IUnknown* hostDocument) {
    auto plot = std::make_unique<RecordingPlot>(log, store, hostDocument);
    last = plot.get();
    return plot;
  });
}

PlotRecorder::~PlotRecorder() { Rhyth::SetViewPlotFactory(nullptr); }

}  // namespace ViewsTest
