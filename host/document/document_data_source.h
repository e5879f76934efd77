// One face of the data document: its records and the enumerators over their channels.
#pragma once

#include "host/document/document_contents.h"
#include "platform/pendrel/data_source.h"

namespace PendrelHost {

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
