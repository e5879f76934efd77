#include "hostframework/multi_event_iterator.h"

#include <cmath>
#include <cstring>
#include <memory>

namespace QuorEvent {

namespace {

constexpr DWORD kCommentRecordSize = sizeof(QuorEventBase);

LONG PositionOf(const std::vector<BYTE>& record) { return EventIter::PositionOf(record.data()); }

}  // namespace

MultiEventIterator::MultiEventIterator(IPendrelRecordContents* document, LONG record, DWORD listA,
                                       DWORD listB, LONG start, bool forward, LONG end)
    : m_document(document), m_record(record), m_start(start), m_end(end), m_forward(forward) {
  if (!m_document) return;
  m_document->GetComments(record, Quor::ComPtrOut<IPendrelCommentList>::Bind(m_comments));
  ListChannels(listA, listB);
  m_slots.resize(1 + m_channels.GetCount());
  m_ended.resize(m_slots.size());
}

void MultiEventIterator::ListChannels(DWORD listA, DWORD listB) {
  LONG count = 0;
  if (FAILED(m_document->GetChannelCount(m_record, listA, listB, &count))) return;
  for (LONG i = 0; i < count; ++i) {
    DWORD number = 0;
    DWORD itemType = 0;
    if (SUCCEEDED(m_document->GetChannelItem(m_record, listA, listB, i, &number, &itemType)) &&
        itemType == kEventChannelItemType) {
      AddChannel(number);
    }
  }
}

HRESULT MultiEventIterator::AddChannel(DWORD number) {
  // Each out-parameter call stands alone: its pointer is filled when the statement ends.
  Quor::ComPtr<IPendrelRecordChannel> channel;
  m_document->GetChannel(m_record, number, Quor::ComPtrOut<IPendrelRecordChannel>::Bind(channel));
  if (!channel) return E_FAIL;
  Quor::ComPtr<IPendrelChannelRate> rate;
  channel->QueryInterface(IPendrelChannelRate::iid,
                          Quor::ComPtrOut<IPendrelChannelRate>::Bind(rate));
  PendrelRateRatio ratio{};
  if (!rate || FAILED(rate->GetRateRatio(&ratio))) return E_FAIL;
  double offset = 0.0;
  if (FAILED(rate->GetSampleOffset(&offset))) offset = 0.0;
  const LONG from = m_forward ? StartOnGrid(ratio, offset)
                              : (m_end >= kRecordEndOffset ? kRecordEndOffset : m_end + 1);
  Quor::ComPtr<IEnumEventEx> events;
  channel->OpenEvents(from, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  if (!events) return E_FAIL;
  auto iterator = std::make_unique<EventIter>(events.Get());
  if (m_forward) iterator->SetEnd(m_end);
  m_channels.Add(iterator.get());
  iterator.release();
  m_channelNumbers.push_back(number);
  return S_OK;
}

LONG MultiEventIterator::StartOnGrid(const PendrelRateRatio& ratio, double offset) const {
  const double perTick = double(ratio.numerator) / double(ratio.denominator);
  if (!std::isfinite(perTick) || perTick <= 0.0 || !std::isfinite(offset)) return m_start;
  const double sample = m_start * perTick + offset;
  if (sample == std::floor(sample)) return m_start;
  // Between two samples: the first tick at or after the next whole sample. A small tolerance
  // keeps a tick that the division only just misses.
  const double tick = (std::floor(sample) + 1.0 - offset) / perTick;
  return LONG(std::min(std::ceil(tick - 1e-9), double(kRecordEndOffset)));
}

bool MultiEventIterator::InRange(LONG position) const {
  return position >= m_start && (m_forward ? position < m_end : position <= m_end);
}

MultiEventIterator::Slot MultiEventIterator::NextComment() {
  LONG position = 0;
  if (!m_comments ||
      m_comments->NextComment(m_forward ? FALSE : TRUE, m_forward ? m_start : m_end, &position) !=
          S_OK ||
      !InRange(position)) {
    return std::nullopt;
  }
  std::vector<BYTE> record(kCommentRecordSize, 0);
  std::memcpy(record.data(), &position, sizeof position);
  return record;
}

MultiEventIterator::Slot MultiEventIterator::NextChannelEvent(EventIter& events) {
  for (;;) {
    const BYTE* record = m_forward ? events.Next() : events.Previous();
    if (!record) return std::nullopt;
    const LONG position = EventIter::PositionOf(record);
    // Backwards, a record before the start ends the walk through this channel.
    if (!m_forward && position < m_start) return std::nullopt;
    if (InRange(position) && std::isfinite(events.ValueOf(record))) {
      return std::vector<BYTE>(record, record + events.RecordSize());
    }
  }
}

void MultiEventIterator::FillSlot(DWORD slot) {
  if (m_slots[slot] || m_ended[slot]) return;
  m_slots[slot] = slot == 0 ? NextComment() : NextChannelEvent(*m_channels[slot - 1]);
  m_ended[slot] = !m_slots[slot];
}

HRESULT MultiEventIterator::Next(std::vector<BYTE>& record) {
  int picked = -1;
  for (DWORD slot = 0; slot < m_slots.size(); ++slot) {
    FillSlot(slot);
    if (!m_slots[slot]) continue;
    const LONG position = PositionOf(*m_slots[slot]);
    // Strictly better only: on equal positions the lower slot keeps its place.
    if (picked < 0 || (m_forward ? position < PositionOf(*m_slots[picked])
                                 : position > PositionOf(*m_slots[picked]))) {
      picked = int(slot);
    }
  }
  if (picked < 0) return S_FALSE;
  record = std::move(*m_slots[picked]);
  m_slots[picked].reset();
  m_lastSlot = picked;
  return S_OK;
}

HRESULT MultiEventIterator::GetCurrentSource(IEnumEventEx** events, DWORD* channel) {
  if (!events || !channel) return E_POINTER;
  *events = nullptr;
  *channel = 0;
  if (m_lastSlot <= 0) return S_FALSE;
  *events = m_channels[DWORD(m_lastSlot) - 1]->Enumeration();
  if (*events) (*events)->AddRef();
  *channel = m_channelNumbers[DWORD(m_lastSlot) - 1];
  return S_OK;
}

}  // namespace QuorEvent
