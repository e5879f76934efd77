// The host objects behind a Tabulon table of one open document: the host object the table
// creates its functions over (it gives them the document's record data, its module documents
// and the time of a position) and the record data object, one per table, that the table hands
// to every function as its source. The table owns both for as long as it exists; the hosted
// document must outlive it.
#pragma once

#include "host/document/hosted_document.h"
#include "platform/pendrel/tabulon.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class RecordDataObject final : public SimpleUnknownImp1<IPendrelRecordData, 1> {
 public:
  explicit RecordDataObject(HostedDocument& document) : m_document(&document) {}

  HRESULT GetIdPair(DWORD* first, DWORD* second) override;
  HRESULT GetChannelTitle(DWORD flags, DWORD word, LONG channel, IQuorString** title) override;
  HRESULT GetChannelUnit(DWORD flags, LONG channel, DWORD reserved, IUnknown** unit) override;
  HRESULT GetDataSource(IUnknown** source) override;

 private:
  HostedDocument* m_document;
};

class TabulonHostObject final
    : public SimpleUnknownImp2<ITabulonHost, IPendrelModuleDocuments, 1> {
 public:
  explicit TabulonHostObject(HostedDocument& document);

  // ITabulonHost: the time is the seconds from the document start, as a VT_R8.
  HRESULT GetRecordData(IUnknown** data) override;
  HRESULT FillTimeValue(DWORD reserved, LONGLONG referencePosition, DWORD referenceWord,
                        LONG offset, LONG record, DWORD flags, DWORD reserved2,
                        VARIANT* value) override;
  // IPendrelModuleDocuments
  HRESULT GetModuleDocument(DWORD type, IUnknown** document) override;

 private:
  ~TabulonHostObject() override;

  HostedDocument* m_document;
  RecordDataObject* m_recordData;  // one reference
};

}  // namespace PendrelHost
