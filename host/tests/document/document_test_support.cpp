#include "host/tests/document/document_test_support.h"

#include <cstring>

namespace DocumentTest {

std::vector<BYTE> EventBytes(IUnknown* document, PendrelChannelRef channel, LONG record,
                             int perCall, HRESULT* last, DWORD* size) {
  std::vector<BYTE> bytes;
  *size = 0;
  auto source = Face<IPendrelDataSource>(document);
  IUnknown* opened = nullptr;
  if (FAILED(source->OpenEventEnumerator(channel, record, 0, kRecordEndOffset, kEventKindExtended,
                                         &opened))) {
    ADD_FAILURE() << "the channel's events cannot be opened";
    return bytes;
  }
  HeldReference<IUnknown> object(opened);
  auto events = Face<IEnumEventEx>(opened);
  events->GetEventSize(size);
  std::vector<BYTE> buffer(*size * DWORD(perCall));
  for (;;) {
    int fetched = 0;
    LONG next = 0;
    const HRESULT hr =
        events->Next(int(buffer.size()), kRecordEndOffset, buffer.data(), &fetched, &next);
    bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(fetched) * *size);
    if (last) *last = hr;
    if (hr != S_OK || fetched == 0) return bytes;
  }
}

std::vector<LONG> EventTicks(IUnknown* document, PendrelChannelRef channel, LONG record,
                             int perCall, HRESULT* last) {
  DWORD size = 0;
  const std::vector<BYTE> bytes = EventBytes(document, channel, record, perCall, last, &size);
  std::vector<LONG> ticks;
  for (std::size_t at = 0; size >= sizeof(LONG) && at < bytes.size(); at += size) {
    LONG tick;
    std::memcpy(&tick, bytes.data() + at, sizeof tick);
    ticks.push_back(tick);
  }
  return ticks;
}

}  // namespace DocumentTest
