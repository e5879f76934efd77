// The plot's binding to its host document: the persist task and the scale proxies over it.
#include "platform/pendrel/persist_messages.h"
#include "plotengine/plot_window/etch_plot_base.h"
#include "plotengine/proxy/etch_proxy_win.h"

namespace Quor {

void EtchPlotBase::CreatePersistTask(const String& plotId) {
  if (m_persistTask || !m_document) return;
  ComPtr<IPendrelHostDocument> document;
  m_document->QueryInterface(IPendrelHostDocument::iid,
                             ComPtrOut<IPendrelHostDocument>::Bind(document));
  if (!document) return;
  ComPtr<IUnknown> properties;
  document->GetPropertyObject(ComPtrOut<IUnknown>::Bind(properties));
  if (!properties) return;
  ComPtr<IPendrelPersistMessages> store;
  properties->QueryInterface(IPendrelPersistMessages::iid,
                             ComPtrOut<IPendrelPersistMessages>::Bind(store));
  if (!store) return;

  auto* task = new EtchPersistTask(plotId, store.Get(), GetProxy()->GetSubject(), document.Get());
  m_persistTask = ComPtr<EtchPersistTask>(task);
  m_xScale = std::make_unique<ScaleProxy>(task, 0);
  m_yScale = std::make_unique<ScaleProxy>(task, 1);
}

}  // namespace Quor
