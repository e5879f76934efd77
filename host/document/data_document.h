// The host's data document: one per open recording, the object through which modules reach the
// recording, its computed channels and what they attach to it. Modules ask it by QueryInterface
// for IPendrelDataSource, IPendrelArithmeticChannels, IPendrelChannelData,
// IPendrelChildDataContainer, IPendrelRecordingDocument (the host objects a module document
// works with: itself as the data document, the sampling controller, the selection, the printing
// of its views), IPendrelModificationService, IPendrelOnlineDataSource, ISubject (the host's
// data events) and IPendrelPropertyService (the channel display messages modules sent),
// IPendrelDisplaySource (its channel and grid colours), IPendrelDocumentTimeText (its name and
// the texts of its times), IPendrelDataRedraw (a module's redraw request, logged),
// IPendrelPlotRangeStore (the scale ranges of module plots, saved with the file),
// IPendrelPersistMessages (the state messages modules sent, saved with the file), and for a
// device that fills it,
// IPendrelSamplingSink and IPendrelSampleIndex. For a trace preview of it: IPendrelPreviewDocument,
// IPendrelDisplayMetrics and IPendrelShownRange (see DocumentPreview), IPendrelChannelDescriptions,
// IPendrelTypedObjects (its selection by type word), IPendrelDocumentProvider (itself, or a new
// document laid out like it to sample into) and IPendrelDocumentStorage (the storage it keeps);
// IPendrelTraceDataSource gives a new data source over the document each time it is asked.
// Not thread-safe: the host serialises the calls on a document.
#pragma once

#include <memory>

#include "host/document/channel_properties.h"
#include "host/document/document_arithmetic_channels.h"
#include "host/document/document_channel_data.h"
#include "host/document/document_child_data.h"
#include "host/document/device_sampling.h"
#include "host/document/document_channel_descriptions.h"
#include "host/document/document_preview.h"
#include "host/document/display_settings.h"
#include "host/document/document_contents.h"
#include "host/document/document_data_source.h"
#include "host/document/document_log.h"
#include "host/document/document_online_source.h"
#include "host/document/document_subject.h"
#include "host/document/document_time_text.h"
#include "host/document/host_selection.h"
#include "host/document/persist_message_store.h"
#include "host/document/plot_range_store.h"
#include "host/document/sampling_controller.h"
#include "host/framework/held_reference.h"
#include "host/views/view_printing.h"
#include "platform/pendrel/data_redraw.h"
#include "platform/pendrel/document_provider.h"
#include "platform/pendrel/persist_messages.h"

namespace PendrelHost {

class DataDocument final : private DocumentContents,
                           public DocumentDataSource,
                           public DocumentArithmeticChannels,
                           public DocumentChannelData,
                           public DocumentChildData,
                           public DocumentSubject,
                           public DocumentOnlineSource,
                           public DeviceSampling,
                           public DocumentTimeText,
                           public PlotRangeStore,
                           public DocumentPreview,
                           public DocumentChannelDescriptions,
                           public IPendrelDocumentProvider,
                           public IPendrelDocumentStorage,
                           public IPendrelTypedObjects,
                           public IPendrelRecordingDocument,
                           public IPendrelModificationService,
                           public IPendrelPropertyService,
                           public IPendrelDisplaySource,
                           public IPendrelDataRedraw,
                           public IPendrelPersistMessages {
 public:
  explicit DataDocument(std::shared_ptr<Recording> recording);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // IPendrelRecordingDocument
  HRESULT GetDataDocument(IUnknown** document) override;
  HRESULT GetSamplingController(IPendrelSamplingController** controller) override;
  HRESULT GetSelection(IPendrelSelection** selection) override;
  HRESULT GetViewPrinting(IPendrelViewPrinting** printing) override;

  // IPendrelDocumentProvider: itself for kProvideShownDocument; for kProvideNewDocument a new
  // document over an empty recording laid out as this one's.
  HRESULT GetDocument(DWORD flags, IUnknown** document) override;
  // IPendrelDocumentStorage: the document keeps the storage until it goes.
  HRESULT SetStorage(DWORD reserved, IStorage* storage) override;
  IStorage* Storage() const { return m_storage.get(); }
  // IPendrelTypedObjects: the selection, by the type word (core id << 16) | 2.
  HRESULT GetObjectOfType(DWORD type, REFIID iid, void** object) override;

  // IPendrelModificationService: the part's announcement is logged and the document is
  // modified.
  HRESULT AnnounceChange(IPersist* part, IUnknown* hostValue, DWORD partIndex,
                         IQuorString** text) override;

  // IPendrelPropertyService: the channel display messages modules sent, read back by key.
  HRESULT GetProperty(IMessage* key, IMessage** stored) override;
  ChannelProperties& Properties() { return m_properties; }

  // IPendrelDisplaySource: the colours the document's channels and grids are shown in.
  HRESULT GetDisplayObject(IUnknown** display) override;
  DisplaySettings& Display() { return *m_display; }
  DocumentTimeText& TimeText() { return *this; }
  PlotRangeStore& PlotRangesKept() { return *this; }

  // IPendrelDataRedraw: headless, the request is only logged.
  HRESULT Redraw(DWORD what) override;

  // IPendrelPersistMessages: the kept state messages for the host's class of them; none for
  // another class.
  HRESULT EnumMessagesOfClass(DWORD classId, IEnumUnknown** messages) override;
  PersistMessageStore& PersistMessages() { return m_persistMessages; }
  const PersistMessageStore& PersistMessages() const { return m_persistMessages; }

  // For the host itself: the recording and the channels, with the reasons channels fail.
  const Recording& Source() const { return DocumentContents::Source(); }
  // The recording as shared with whatever samples into it or from it.
  std::shared_ptr<Recording> SharedSource() const { return DocumentContents::SharedSource(); }
  ComputedChannels& Channels() { return DocumentContents::Channels(); }
  // The owner an extension named for a computed channel; empty when none did.
  std::u16string OwnerOf(std::string_view name);

  // The document's own IUnknown: what module documents are created over and compare.
  IUnknown* Identity() override { return static_cast<IPendrelDataSource*>(this); }
  SamplingController& Sampling() { return *m_sampling; }
  HostSelection& Selected() { return *m_selection; }
  ViewPrinting& Printing() { return *m_printing; }
  DocumentLog& Log() { return m_log; }
  bool IsModified() const { return m_modified; }
  void SetModified(bool modified) { m_modified = modified; }

 private:
  ~DataDocument();

  volatile LONG m_refCount = 1;
  Tarn::HeldReference<SamplingController> m_sampling;
  Tarn::HeldReference<HostSelection> m_selection;
  Tarn::HeldReference<ViewPrinting> m_printing;
  Tarn::HeldReference<DisplaySettings> m_display;
  Tarn::HeldReference<IStorage> m_storage;
  DocumentLog m_log;
  ChannelProperties m_properties;
  PersistMessageStore m_persistMessages;
  bool m_modified = false;
};

// A document over the recording, with one reference for the caller. The recording may be shared
// with whatever samples into it.
Tarn::HeldReference<IUnknown> OpenDocument(std::shared_ptr<Recording> recording);
Tarn::HeldReference<IUnknown> OpenDocument(Recording recording);
// A document without channels or records, which a device lays out when it starts sampling.
Tarn::HeldReference<IUnknown> OpenEmptyDocument();
// The host's document behind an interface of it; null for any other object.
DataDocument* AsDataDocument(IUnknown* object);

}  // namespace PendrelHost
