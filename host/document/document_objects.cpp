#include "host/document/document_objects.h"

#include <mutex>

#include "host/document/data_document.h"
#include "host/document/document_class_part.h"
#include "host/document/document_site.h"
#include "host/framework/guarded_call.h"
#include "host/framework/held_reference.h"
#include "host/framework/host_object_makers.h"
#include "platform/pendrel/device_sampling.h"
#include "platform/pendrel/framework_ids.h"

namespace PendrelHost {

namespace {

template <class Object>
HRESULT MakeObject(DWORD, REFIID iid, void** object) {
  return Tarn::Guarded([&] {
    // Made with one reference, which the caller's interface takes over or the object loses.
    Tarn::HeldReference<Object> made(new Object);
    return made->QueryInterface(iid, object);
  });
}

HRESULT MakeEmptyDataDocument(DWORD, REFIID iid, void** object) {
  return Tarn::Guarded([&] {
    const Tarn::HeldReference<IUnknown> document = OpenEmptyDocument();
    return document->QueryInterface(iid, object);
  });
}

}  // namespace

void AddDocumentObjectMakers() {
  static std::once_flag once;
  std::call_once(once, [] {
    Tarn::AddHostTypeMaker(kTarnTypeDocumentObject, MakeObject<DocumentSite>);
    Tarn::AddHostTypeMaker(kTarnTypeDocumentClassObject, MakeObject<DocumentClassFactory>);
    Tarn::AddHostTypeMaker(kTarnTypeEmptyDataDocument, MakeEmptyDataDocument);
  });
}

}  // namespace PendrelHost
