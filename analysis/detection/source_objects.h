// The host's source objects that an enumerator is started with: one per channel parameter, as
// the interfaces the enumerator reads them through, and the host document they read from,
// whose child data (the user's beat edits, the beat numbers) the enumerator needs.
#pragma once

#include "core/com_ptr.h"
#include "platform/pendrel/child_data.h"

namespace Rhyth {

// The object of the channel parameter `index` as interface I; null when there is none or it
// does not answer I.
template <class I>
Quor::ComPtr<I> SourceObjectAs(IUnknown* const* objects, LONG count, LONG index) {
  Quor::ComPtr<I> object;
  if (index < count && objects[index]) {
    objects[index]->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(object));
  }
  return object;
}

// The child data of `type` of the document that the first source naming one reads from; null
// when no source names a document, or the document has none of that type.
Quor::ComPtr<IPendrelDataChildData> FindSourceDocumentChildData(IUnknown* const* objects,
                                                                LONG count, DWORD type);

// The same, as the interface I of the child data; null when it does not answer I.
template <class I>
Quor::ComPtr<I> FindSourceDocumentChildDataAs(IUnknown* const* objects, LONG count,
                                              DWORD type) {
  Quor::ComPtr<I> found;
  if (Quor::ComPtr<IPendrelDataChildData> data =
          FindSourceDocumentChildData(objects, count, type)) {
    data->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(found));
  }
  return found;
}

}  // namespace Rhyth
