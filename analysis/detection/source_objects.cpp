#include "analysis/detection/source_objects.h"

#include "platform/pendrel/data_source.h"

namespace Rhyth {

namespace {

Quor::ComPtr<IPendrelChildDataContainer> DocumentOf(IUnknown* object) {
  Quor::ComPtr<IPendrelSourceDocument> source;
  Quor::ComPtr<IUnknown> document;
  Quor::ComPtr<IPendrelChildDataContainer> container;
  if (!object) return container;
  object->QueryInterface(IPendrelSourceDocument::iid,
                         Quor::ComPtrOut<IPendrelSourceDocument>::Bind(source));
  if (!source) return container;
  source->GetDocument(Quor::ComPtrOut<IUnknown>::Bind(document));
  if (!document) return container;
  document->QueryInterface(IPendrelChildDataContainer::iid,
                           Quor::ComPtrOut<IPendrelChildDataContainer>::Bind(container));
  return container;
}

}  // namespace

Quor::ComPtr<IPendrelDataChildData> FindSourceDocumentChildData(IUnknown* const* objects,
                                                                LONG count, DWORD type) {
  Quor::ComPtr<IPendrelDataChildData> data;
  for (LONG i = 0; i < count; ++i) {
    if (Quor::ComPtr<IPendrelChildDataContainer> document = DocumentOf(objects[i])) {
      document->GetChildData(type, Quor::ComPtrOut<IPendrelDataChildData>::Bind(data));
      break;
    }
  }
  return data;
}

}  // namespace Rhyth
