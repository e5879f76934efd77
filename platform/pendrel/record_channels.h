// The channels and comments of a host document's records, as the module walks their events.
#pragma once

#include "platform/pendrel/data_source.h"
#include "platform/win32/unknown.h"

// The item type of a channel whose items are events.
constexpr DWORD kEventChannelItemType = 0x801D0001;

// One channel of one record.
struct IPendrelRecordChannel : IUnknown {
  PLATFORM_INTERFACE_ID("c4eb8aab-fad8-4577-9ec6-8133798577d0");
  using Base = IUnknown;
  // The channel's events in the record, standing at `position`: reading goes on with the first
  // event at or after it, and seeking reaches every event of the record.
  virtual HRESULT OpenEvents(LONG position, IEnumEventEx** events) = 0;

 protected:
  ~IPendrelRecordChannel() = default;
};

// Where a channel's samples lie on the record's ticks: sample = tick * ratio + offset.
struct IPendrelChannelRate : IUnknown {
  PLATFORM_INTERFACE_ID("f997d820-b5eb-4653-b184-6776d64a1e2b");
  using Base = IUnknown;
  virtual HRESULT GetRateRatio(PendrelRateRatio* ratio) = 0;
  virtual HRESULT GetSampleOffset(double* offset) = 0;

 protected:
  ~IPendrelChannelRate() = default;
};

// The comments of one record, handed out one by one in position order.
struct IPendrelCommentList : IUnknown {
  PLATFORM_INTERFACE_ID("c6a4e224-c82e-4935-9a80-736669aba29f");
  using Base = IUnknown;
  // The next comment of the walk: forwards the next one at or after `bound`, backwards the
  // next one at or before it. S_FALSE when none is left.
  virtual HRESULT NextComment(BOOL backward, LONG bound, LONG* position) = 0;

 protected:
  ~IPendrelCommentList() = default;
};

// A host document's view of its records: their channels, as the two list words select them, and
// their comments.
struct IPendrelRecordContents : IUnknown {
  PLATFORM_INTERFACE_ID("800305b6-7de8-47e1-8daa-4ad6298bae37");
  using Base = IUnknown;
  virtual HRESULT GetChannelCount(LONG record, DWORD listA, DWORD listB, LONG* count) = 0;
  // The index-th listed channel: its number and the type of its items.
  virtual HRESULT GetChannelItem(LONG record, DWORD listA, DWORD listB, LONG index, DWORD* number,
                                 DWORD* itemType) = 0;
  virtual HRESULT GetChannel(LONG record, DWORD number, IPendrelRecordChannel** channel) = 0;
  // S_FALSE and null when the record has no comments.
  virtual HRESULT GetComments(LONG record, IPendrelCommentList** comments) = 0;

 protected:
  ~IPendrelRecordContents() = default;
};
