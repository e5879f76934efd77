#include "host/document/data_document.h"

#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "host/document/host_words.h"
#include "host/document/unknown_enumeration.h"
#include "host/document/module_enumerator_finder.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/recording/empty_recording.h"
#include "host/traces/scale_factory.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/com_object.h"
#include "platform/win32/interlocked.h"

namespace PendrelHost {

DataDocument::DataDocument(std::shared_ptr<Recording> recording)
    : DocumentContents(std::move(recording)),
      DocumentDataSource(static_cast<DocumentContents&>(*this)),
      DocumentArithmeticChannels(static_cast<DocumentContents&>(*this)),
      DocumentChannelData(static_cast<DocumentContents&>(*this)),
      DeviceSampling(static_cast<DocumentContents&>(*this), static_cast<DocumentOnlineSource&>(*this)),
      DocumentTimeText(static_cast<DocumentContents&>(*this).Source()),
      DocumentChannelDescriptions(static_cast<DocumentContents&>(*this)),
      m_sampling(new SamplingController),
      m_selection(new HostSelection(EditableSource())),
      m_printing(new ViewPrinting),
      m_display(new DisplaySettings) {
  Enumerators().AddFinder(std::make_shared<ModuleEnumeratorFinder>(Identity()));
  SetEvents(this);
}

DataDocument::~DataDocument() {
  // Module documents may still hold the selection: it must not reach a recording that is gone.
  m_selection->CutOff();
}

HRESULT DataDocument::QueryInterface(REFIID iid, void** object) {
  // A trace display over the document (an extension's preview) is given a data source of its
  // own, which answers the document's other faces for it.
  if (iid == IPendrelTraceDataSource::iid) {
    if (!object) return E_POINTER;
    *object = CreateTraceDataSource(Identity());
    return *object ? S_OK : E_NOINTERFACE;
  }
  return win32::QueryFaces<DataDocument, IPendrelDataSource, IPendrelArithmeticChannels,
                           IPendrelChannelData, IPendrelChildDataContainer,
                           IPendrelRecordingDocument, IPendrelModificationService,
                           IPendrelOnlineDataSource, ISubject, IPendrelPropertyService,
                           IPendrelSamplingSink, IPendrelSampleIndex, IPendrelDisplaySource,
                           IPendrelDocumentTimeText, IPendrelDataRedraw,
                           IPendrelPlotRangeStore, IPendrelPersistMessages,
                           IPendrelPreviewDocument, IPendrelDisplayMetrics, IPendrelShownRange,
                           IPendrelChannelDescriptions, IPendrelDocumentProvider,
                           IPendrelDocumentStorage, IPendrelTypedObjects>(
      this, iid, object);
}

ULONG DataDocument::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refCount)); }

ULONG DataDocument::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT DataDocument::GetDataDocument(IUnknown** document) {
  Tarn::RecordCall("RecordingDocument", "GetDataDocument");
  if (!document) return E_POINTER;
  *document = Tarn::Hold(Identity()).release();
  return S_OK;
}

HRESULT DataDocument::GetSamplingController(IPendrelSamplingController** controller) {
  Tarn::RecordCall("RecordingDocument", "GetSamplingController");
  if (!controller) return E_POINTER;
  *controller = Tarn::Hold(m_sampling.get()).release();
  return S_OK;
}

HRESULT DataDocument::GetSelection(IPendrelSelection** selection) {
  Tarn::RecordCall("RecordingDocument", "GetSelection");
  if (!selection) return E_POINTER;
  *selection = Tarn::Hold(m_selection.get()).release();
  return S_OK;
}

HRESULT DataDocument::GetViewPrinting(IPendrelViewPrinting** printing) {
  Tarn::RecordCall("RecordingDocument", "GetViewPrinting");
  if (!printing) return E_POINTER;
  *printing = Tarn::Hold(m_printing.get()).release();
  return S_OK;
}

HRESULT DataDocument::GetDocument(DWORD flags, IUnknown** document) {
  Tarn::RecordCall("DocumentProvider", "GetDocument", "flags=" + Tarn::HexWord(flags));
  if (!document) return E_POINTER;
  *document = nullptr;
  if (flags == kProvideShownDocument) {
    *document = Tarn::Hold(Identity()).release();
  } else if (flags == kProvideNewDocument) {
    *document = OpenDocument(EmptyRecordingLike(Source())).release();
  } else {
    return E_INVALIDARG;
  }
  return S_OK;
}

HRESULT DataDocument::SetStorage(DWORD, IStorage* storage) {
  Tarn::RecordCall("DocumentStorage", "SetStorage", storage ? "storage" : "null");
  m_storage = Tarn::Hold(storage);
  return S_OK;
}

HRESULT DataDocument::GetObjectOfType(DWORD type, REFIID iid, void** object) {
  Tarn::RecordCall("TypedObjects", "GetObjectOfType", "type=" + Tarn::HexWord(type));
  if (!object) return E_POINTER;
  *object = nullptr;
  if (type != HostWord(GUID_TarnCore, 2)) return E_NOINTERFACE;
  return m_selection->QueryInterface(iid, object);
}

HRESULT DataDocument::Redraw(DWORD what) {
  Tarn::RecordCall("DataRedraw", "Redraw", Tarn::HexWord(what));
  m_log.AddRedraw(what);
  return S_OK;
}

HRESULT DataDocument::EnumMessagesOfClass(DWORD classId, IEnumUnknown** messages) {
  Tarn::RecordCall("PersistMessages", "EnumMessagesOfClass", Tarn::HexWord(classId));
  if (!messages) return E_POINTER;
  *messages = classId == StateMessageClass() ? m_persistMessages.Enumerate()
                                              : new UnknownEnumeration({});
  return S_OK;
}

HRESULT DataDocument::GetDisplayObject(IUnknown** display) {
  if (!display) return E_POINTER;
  *display = Tarn::Hold(static_cast<IPendrelDisplayColours*>(m_display.get())).release();
  return S_OK;
}

HRESULT DataDocument::GetProperty(IMessage* key, IMessage** stored) {
  Tarn::RecordCall("PropertyService", "GetProperty",
                   "type=" + Tarn::HexWord(key ? key->GetMessageId() : 0));
  if (!stored) return E_POINTER;
  *stored = m_properties.Find(key);
  return *stored ? S_OK : S_FALSE;
}

HRESULT DataDocument::AnnounceChange(IPersist* part, IUnknown*, DWORD partIndex,
                                     IQuorString** text) {
  Tarn::RecordCall("Modification", "AnnounceChange", "part=" + std::to_string(partIndex));
  if (text) *text = nullptr;
  if (!part) return E_POINTER;
  m_log.AddAnnouncement(partIndex);
  m_modified = true;
  return S_OK;
}

std::u16string DataDocument::OwnerOf(std::string_view name) {
  const auto computed = Channels().Find(name);
  return computed ? StateOf(*computed).owner : std::u16string();
}

Tarn::HeldReference<IUnknown> OpenDocument(std::shared_ptr<Recording> recording) {
  AddArithmeticObjectMaker();
  AddDocumentObjectMakers();
  // The trace display of a document's views asks the host for its scales.
  AddTraceObjectMakers();
  auto* document = new DataDocument(std::move(recording));
  return Tarn::HeldReference<IUnknown>(document->Identity());
}

Tarn::HeldReference<IUnknown> OpenDocument(Recording recording) {
  return OpenDocument(std::make_shared<Recording>(std::move(recording)));
}

Tarn::HeldReference<IUnknown> OpenEmptyDocument() {
  // The rate is the device's to set when it starts.
  return OpenDocument(std::make_shared<Recording>(Recording::kMaxSampleRate));
}

DataDocument* AsDataDocument(IUnknown* object) { return dynamic_cast<DataDocument*>(object); }

}  // namespace PendrelHost
