// One walk over everything that happens in a record: its comments and the events of all its
// event channels, merged by position, forwards from a start or backwards from an end. Events
// whose value is not a finite number are left out; on equal positions comments come first, then
// the channels in the order the host lists them.
#pragma once

#include <optional>
#include <vector>

#include "core/ci_array.h"
#include "core/com_ptr.h"
#include "hostframework/const_event_iter.h"
#include "platform/pendrel/record_channels.h"

namespace QuorEvent {

class MultiEventIterator {
 public:
  // Walks [start, end) forwards, or [start, end] backwards from end. `listA` and `listB` select
  // the channels as the host lists them.
  MultiEventIterator(IPendrelRecordContents* document, LONG record, DWORD listA, DWORD listB,
                     LONG start, bool forward, LONG end = kRecordEndOffset);
  MultiEventIterator(const MultiEventIterator&) = delete;
  MultiEventIterator& operator=(const MultiEventIterator&) = delete;

  // The next record of the walk, copied: S_OK with it, S_FALSE when no source has one. A
  // comment is given as a 16-byte record holding its position.
  HRESULT Next(std::vector<BYTE>& record);
  // The event enumeration of the channel that gave the last record, with a reference, and the
  // channel's number; S_FALSE with none when the last record was a comment or there was none.
  HRESULT GetCurrentSource(IEnumEventEx** events, DWORD* channel);

  DWORD ChannelCount() const { return m_channels.GetCount(); }

 private:
  using Slot = std::optional<std::vector<BYTE>>;

  void ListChannels(DWORD listA, DWORD listB);
  // Adds an iterator over the channel's events from where the walk starts; E_FAIL, and no
  // iterator, when the host does not give the channel or where its samples lie.
  HRESULT AddChannel(DWORD number);
  // The tick on which the walk starts in a channel of that rate.
  LONG StartOnGrid(const PendrelRateRatio& ratio, double offset) const;
  void FillSlot(DWORD slot);
  Slot NextComment();
  Slot NextChannelEvent(EventIter& events);
  bool InRange(LONG position) const;

  Quor::ComPtr<IPendrelRecordContents> m_document;
  LONG m_record;
  LONG m_start;
  LONG m_end;
  bool m_forward;
  Quor::ComPtr<IPendrelCommentList> m_comments;
  CIArray<EventIter> m_channels;
  std::vector<DWORD> m_channelNumbers;
  std::vector<Slot> m_slots;  // slot 0 the comments, slot i channel i - 1
  std::vector<bool> m_ended;  // the slot's source has nothing more for this walk
  int m_lastSlot = -1;
};

}  // namespace QuorEvent
