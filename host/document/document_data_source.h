// One face of the data document: its records and the enumerators over their channels.
#pragma once

#include <functional>

#include "host/document/document_contents.h"
#include "platform/pendrel/data_source.h"

namespace PendrelHost {

// Stands in for the event enumerators that OpenEventEnumerator gives, for the whole process:
// it receives each one (with one reference, which it keeps or passes on), the document's
// IUnknown, the record and the start, and returns what the caller gets instead. Tests put
// enumerators that break a rule of the host's contract around the host's own this way.
using EventEnumeratorStandIn =
    std::function<IEnumEventEx*(IEnumEventEx* opened, IUnknown* document, LONG record, LONG start)>;
// An empty function removes the stand-in.
void SetEventEnumeratorStandIn(EventEnumeratorStandIn standIn);

class DocumentDataSource : public IPendrelDataSource {
 public:
  HRESULT GetRecordCount(LONG* count) override;
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override;
  HRESULT GetCurrentRecord(LONG* record) override;
  HRESULT GetEndOfData(DWORD channelWord, LONG record, LONG* end) override;
  HRESULT OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start, LONG end,
                              DWORD kind, IUnknown** enumerator) override;
  HRESULT OpenFloatEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                              IEnumFloatEx** enumerator) override;
  HRESULT GetDataEnd(DWORD channelWord, LONG* endOffset, LONG* endRecord) override;
  HRESULT IsValidRange(LONG startOffset, LONG startRecord, LONG endOffset,
                       LONG endRecord) override;

 protected:
  explicit DocumentDataSource(DocumentContents& contents) : m_contents(contents) {}
  ~DocumentDataSource() = default;

  // The document's own IUnknown, which the enumerators it opens hold.
  virtual IUnknown* Identity() = 0;

 private:
  // E_INVALIDARG for a channel or record that does not exist, E_FAIL for a channel that fails.
  HRESULT ReadableChannel(const PendrelChannelRef& channel, LONG record, ChannelValue& value);

  DocumentContents& m_contents;
};

}  // namespace PendrelHost
