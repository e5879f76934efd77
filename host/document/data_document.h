// The host's data document: one per open recording, the object through which modules reach the
// recording, its computed channels and what they attach to it. Modules ask it by QueryInterface
// for IPendrelDataSource, IPendrelArithmeticChannels, IPendrelChannelData and
// IPendrelChildDataContainer. Not thread-safe: the host serialises the calls on a document.
#pragma once

#include <memory>

#include "host/document/document_arithmetic_channels.h"
#include "host/document/document_channel_data.h"
#include "host/document/document_child_data.h"
#include "host/document/document_contents.h"
#include "host/document/document_data_source.h"
#include "host/framework/held_reference.h"

namespace PendrelHost {

class DataDocument final : private DocumentContents,
                           public DocumentDataSource,
                           public DocumentArithmeticChannels,
                           public DocumentChannelData,
                           public DocumentChildData {
 public:
  explicit DataDocument(std::shared_ptr<Recording> recording);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // For the host itself: the recording and the channels, with the reasons channels fail.
  const Recording& Source() const { return DocumentContents::Source(); }
  ComputedChannels& Channels() { return DocumentContents::Channels(); }
  // The owner an extension named for a computed channel; empty when none did.
  std::u16string OwnerOf(std::string_view name);

 private:
  ~DataDocument() = default;
  IUnknown* Identity() override { return static_cast<IPendrelDataSource*>(this); }

  volatile LONG m_refCount = 1;
};

// A document over the recording, with one reference for the caller. The recording may be shared
// with whatever samples into it.
Tarn::HeldReference<IUnknown> OpenDocument(std::shared_ptr<Recording> recording);
Tarn::HeldReference<IUnknown> OpenDocument(Recording recording);
// The host's document behind an interface of it; null for any other object.
DataDocument* AsDataDocument(IUnknown* object);

}  // namespace PendrelHost
