#include "analysis/markers/event_range.h"

#include <algorithm>

#include "core/com_ptr.h"
#include "hostframework/const_event_iter.h"

namespace Rhyth {

namespace {

constexpr DWORD kBeatEventKind = kEventKindExtended | kEventKindMarks;

void VisitRecord(IPendrelDataSource* source, PendrelChannelRef channel, LONG record, LONG from,
                 LONG to, const EventVisitor& visit) {
  // The out-adaptor fills `object` at the end of the statement that made it.
  Quor::ComPtr<IUnknown> object;
  const HRESULT opened = source->OpenEventEnumerator(channel, record, from, to, kBeatEventKind,
                                                     Quor::ComPtrOut<IUnknown>::Bind(object));
  if (FAILED(opened) || !object) return;
  Quor::ComPtr<IEnumEventEx> events;
  object->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  if (!events) return;
  QuorEvent::EventIter iter(events.Get());
  iter.SetEnd(to);
  while (const BYTE* event = iter.Next()) {
    const LONG tick = QuorEvent::EventIter::PositionOf(event);
    if (tick >= from && tick < to) visit(record, tick);
  }
}

}  // namespace

void ForEachEventInRange(IPendrelDataSource* source, PendrelChannelRef channel,
                         PendrelPosition start, PendrelPosition end, const EventVisitor& visit) {
  LONG records = 0;
  if (!source || channel.IsNone() || FAILED(source->GetRecordCount(&records))) return;
  // An end past the data (an open end, or no selection at all) stops at the last record.
  const LONG last = std::min(end.record, records - 1);
  for (LONG record = std::max(start.record, 0); record <= last; ++record) {
    const LONG from = record == start.record ? start.offset : 0;
    const LONG to = record == end.record ? end.offset : kRecordEndOffset;
    VisitRecord(source, channel, record, from, to, visit);
  }
}

}  // namespace Rhyth
