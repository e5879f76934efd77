#include "host/document/data_document.h"

#include "host/document/arithmetic_objects.h"
#include "host/document/module_enumerator_finder.h"
#include "platform/win32/com_object.h"
#include "platform/win32/interlocked.h"

namespace PendrelHost {

DataDocument::DataDocument(std::shared_ptr<Recording> recording)
    : DocumentContents(std::move(recording)),
      DocumentDataSource(static_cast<DocumentContents&>(*this)),
      DocumentArithmeticChannels(static_cast<DocumentContents&>(*this)),
      DocumentChannelData(static_cast<DocumentContents&>(*this)) {
  Enumerators().AddFinder(std::make_shared<ModuleEnumeratorFinder>(Identity()));
}

HRESULT DataDocument::QueryInterface(REFIID iid, void** object) {
  return win32::QueryFaces<DataDocument, IPendrelDataSource, IPendrelArithmeticChannels,
                           IPendrelChannelData, IPendrelChildDataContainer>(this, iid, object);
}

ULONG DataDocument::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refCount)); }

ULONG DataDocument::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

std::u16string DataDocument::OwnerOf(std::string_view name) {
  const auto computed = Channels().Find(name);
  return computed ? StateOf(*computed).owner : std::u16string();
}

Tarn::HeldReference<IUnknown> OpenDocument(std::shared_ptr<Recording> recording) {
  AddArithmeticObjectMaker();
  auto* document = new DataDocument(std::move(recording));
  return Tarn::HeldReference<IUnknown>(static_cast<IPendrelDataSource*>(document));
}

Tarn::HeldReference<IUnknown> OpenDocument(Recording recording) {
  return OpenDocument(std::make_shared<Recording>(std::move(recording)));
}

DataDocument* AsDataDocument(IUnknown* object) { return dynamic_cast<DataDocument*>(object); }

}  // namespace PendrelHost
