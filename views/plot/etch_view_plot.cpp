#include "views/plot/etch_view_plot.h"

#include "core/com_ptr.h"

namespace Rhyth {

namespace {

ViewRange ViewRangeOf(const Quor::PlotRange& range) { return ViewRange{range.max, range.min}; }

// The task's record: the minimum first.
void SendScaling(Quor::EtchPersistTask& task, bool horizontal, const ViewRange& range) {
  const double ends[2] = {range.min, range.max};
  if (horizontal) {
    task.SetXScaling(task.PlotId(), ends, 2, false);
  } else {
    task.SetYScaling(task.PlotId(), ends, 2, false);
  }
}

Quor::ComPtr<IPendrelHostDocument> HostDocumentOf(IUnknown* hostDocument) {
  Quor::ComPtr<IPendrelHostDocument> document;
  if (hostDocument) {
    hostDocument->QueryInterface(IPendrelHostDocument::iid,
                                 Quor::ComPtrOut<IPendrelHostDocument>::Bind(document));
  }
  return document;
}

// A task's reference as the views hold it: through its observer face, one of its IUnknowns.
IUnknown* AsUnknown(Quor::EtchSvgRequest* task) { return static_cast<IObserver*>(task); }

}  // namespace

// The window's persist task as the views see it; exists once the plot is bound to its document.
class EtchViewPlot::Persist final : public ViewPersistTask {
 public:
  explicit Persist(Quor::EtchPersistTask& task) : m_task(task) {}

  ViewRange StoredX() const override { return ViewRangeOf(m_task.State().x); }
  ViewRange StoredY() const override { return ViewRangeOf(m_task.State().y); }
  void StoreX(const ViewRange& range) override {
    m_task.StoreXRange(m_task.PlotId(), range.min, range.max);
  }
  void StoreY(const ViewRange& range) override {
    m_task.StoreYRange(m_task.PlotId(), range.min, range.max);
  }
  void SetXScaling(const ViewRange& range) override { SendScaling(m_task, true, range); }
  void SetYScaling(const ViewRange& range) override { SendScaling(m_task, false, range); }

 private:
  Quor::EtchPersistTask& m_task;
};

EtchViewPlot::EtchViewPlot(IUnknown* hostDocument)
    : m_window(std::make_unique<Quor::EtchPlotWin>(HostDocumentOf(hostDocument).Get())) {}

// The persist view goes before the window that owns its task.
EtchViewPlot::~EtchViewPlot() { m_persist.reset(); }

bool EtchViewPlot::CreateControl(HWND parent) { return m_window->Create(parent, RECT{}); }

bool EtchViewPlot::SetBounds(const RECT& bounds) { return m_window->SetBounds(bounds); }

// The browser component of the stand-in host gives the command no effect.
void EtchViewPlot::BrowserCommand() {}

void EtchViewPlot::CreatePersistTask(const Quor::String& plotId) {
  m_window->CreatePersistTask(plotId);
  if (!m_persist && m_window->PersistTask()) {
    m_persist = std::make_unique<Persist>(*m_window->PersistTask());
  }
}

bool EtchViewPlot::SetMarkup(const Quor::String& markup) { return m_window->SetMarkup(markup); }

void EtchViewPlot::PlotterDataChanged(const Quor::String& plotterId, DWORD n) {
  m_window->PlotterDataChanged(plotterId, static_cast<std::int32_t>(n));
}

IUnknown* EtchViewPlot::Copy() { return AsUnknown(m_window->Copy()); }

IUnknown* EtchViewPlot::Print(const Quor::String& title) {
  return AsUnknown(m_window->Print(title));
}

void EtchViewPlot::SaveImage(const Quor::String& path) { m_window->SaveImage(path); }

Quor::EtchProxyBase* EtchViewPlot::Proxy() { return m_window->GetProxy(); }

ViewPersistTask* EtchViewPlot::PersistTask() { return m_persist.get(); }

std::unique_ptr<ViewPlot> MakeEtchViewPlot(IUnknown* hostDocument) {
  return std::make_unique<EtchViewPlot>(hostDocument);
}

}  // namespace Rhyth
