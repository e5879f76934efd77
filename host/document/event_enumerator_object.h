// An event channel of one record as the module reads it: IEnumEventEx over an EventCursor.
// Reading ends (S_FALSE, kRecordEndOffset) only when no event of the range remains and none will
// come; while a record grows, a call that finds nothing yet answers S_OK with nothing fetched.
#pragma once

#include <memory>

#include "host/channels/event_cursor.h"
#include "host/document/document_link.h"
#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class EventEnumeratorObject final
    : public SimpleUnknownImp2<IEnumEventEx, IPendrelSourceDocument, 1> {
 public:
  EventEnumeratorObject(std::unique_ptr<EventCursor> cursor, DocumentLink document)
      : m_cursor(std::move(cursor)), m_document(std::move(document)) {}

  HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) override;
  HRESULT Seek(BOOL backward, LONG pos, LONG from, LONG to) override;
  HRESULT GetPosition(LONG* position) override;
  HRESULT GetReservedObject(IUnknown** object) override;
  HRESULT Clone(IEnumEventEx** copy) override;
  HRESULT GetEventSize(DWORD* bytes) override;
  HRESULT GetEventTypeId(DWORD* type) override;
  HRESULT GetReservedObject2(IUnknown** object) override;
  HRESULT GetRateRatio(PendrelRateRatio* ratio) override;

  HRESULT GetDocument(IUnknown** document) override;

 private:
  LONG Position() const;

  std::unique_ptr<EventCursor> m_cursor;
  DocumentLink m_document;
  bool m_ended = false;  // the last read reached the end of the range's events
};

}  // namespace PendrelHost
