#include "host/tests/document/document_test_support.h"

#include <cstring>

namespace DocumentTest {

std::vector<LONG> EventTicks(IUnknown* document, PendrelChannelRef channel, LONG record,
                             int perCall, HRESULT* last) {
  std::vector<LONG> ticks;
  auto source = Face<IPendrelDataSource>(document);
  IUnknown* opened = nullptr;
  if (FAILED(source->OpenEventEnumerator(channel, record, 0, kRecordEndOffset, kEventKindExtended,
                                         &opened))) {
    ADD_FAILURE() << "the channel's events cannot be opened";
    return ticks;
  }
  HeldReference<IUnknown> object(opened);
  auto events = Face<IEnumEventEx>(opened);
  DWORD size = 0;
  events->GetEventSize(&size);
  std::vector<BYTE> buffer(size * DWORD(perCall));
  for (;;) {
    int fetched = 0;
    LONG next = 0;
    const HRESULT hr =
        events->Next(int(buffer.size()), kRecordEndOffset, buffer.data(), &fetched, &next);
    for (int i = 0; i < fetched; ++i) {
      LONG tick;
      std::memcpy(&tick, buffer.data() + std::size_t(i) * size, sizeof tick);
      ticks.push_back(tick);
    }
    if (last) *last = hr;
    if (hr != S_OK || fetched == 0) return ticks;
  }
}

}  // namespace DocumentTest
