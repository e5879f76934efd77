// The host's recordings as the module reads them: records of sampled channels and event
// channels, and enumerators over their samples and events.
#pragma once

#include "platform/win32/unknown.h"

// A position with no event, or the end of a record's events.
constexpr LONG kRecordEndOffset = 0x7FFFFFFF;

// A channel of the host document: its index, then its kind word.
struct PendrelChannelRef {
  DWORD index;
  DWORD kind;
  bool IsNone() const { return index == 0x80000000; }
  bool operator==(const PendrelChannelRef&) const = default;
};
inline constexpr PendrelChannelRef kNoChannel = {0x80000000, 0xC0000000};

// What the host tells of one record. The time of tick p is
// startTime - tickBase * tickPeriod - timeOffset + (p - tickBase) * tickPeriod seconds.
struct PendrelRecordInfo {
  double tickPeriod;  // seconds per tick
  double startTime;   // seconds from the document start
  double reserved1;
  double timeOffset;
  double reserved2;
  LONG tickBase;
  LONG reserved3;
};
static_assert(sizeof(PendrelRecordInfo) == 48);

// A source's sampling rate relative to the record's tick rate, and its ratio as a number.
struct PendrelRateRatio {
  LONGLONG numerator;
  LONGLONG denominator;
  double value;
};

// Samples of one channel in one record, as 32-bit floats.
struct IEnumFloatEx : IUnknown {
  PLATFORM_INTERFACE_ID("b0e9501d-3a44-4dd4-a785-21edbba84406");
  using Base = IUnknown;
  virtual HRESULT Clone(IEnumFloatEx** copy) = 0;
  // Moves by n (backwards when negative), clamped to the data: S_OK when all n were skipped.
  virtual HRESULT Skip(int n, int* skipped) = 0;
  virtual HRESULT GetPosition(DWORD* position) = 0;
  virtual HRESULT GetReservedWord(DWORD* word) = 0;
  virtual HRESULT Reserved5() = 0;
  // Up to n values from the position on; S_FALSE when the data ended before n.
  virtual HRESULT Next(int n, float* values, int* fetched) = 0;

 protected:
  ~IEnumFloatEx() = default;
};

// Events of one channel in one record, as records of the event type's size whose first
// int32 is the event's tick.
struct IEnumEventEx : IUnknown {
  PLATFORM_INTERFACE_ID("941c5b29-b8c2-4d00-9080-87a3588227e7");
  using Base = IUnknown;
  // Fills `buffer` (bytes long) with events before tick `end`; `next` is the position reached.
  // S_FALSE with next = kRecordEndOffset at the end of the record's events; S_OK with nothing
  // fetched while an online record can still grow.
  virtual HRESULT Next(int bytes, LONG end, void* buffer, int* fetched, LONG* next) = 0;
  // Finds an event in [from, to): the first at or after pos, or with `backward` the last
  // before pos. S_OK when one was found.
  virtual HRESULT Seek(BOOL backward, LONG pos, LONG from, LONG to) = 0;
  virtual HRESULT GetPosition(LONG* position) = 0;
  virtual HRESULT GetReservedObject(IUnknown** object) = 0;
  virtual HRESULT Clone(IEnumEventEx** copy) = 0;
  virtual HRESULT GetEventSize(DWORD* bytes) = 0;
  virtual HRESULT GetEventTypeId(DWORD* type) = 0;
  virtual HRESULT GetReservedObject2(IUnknown** object) = 0;
  virtual HRESULT GetRateRatio(PendrelRateRatio* ratio) = 0;

 protected:
  ~IEnumEventEx() = default;
};

// The host document that a source enumerator reads. The host's own float and event enumerators
// answer it, so that an algorithm given only its sources can reach the document's child data.
struct IPendrelSourceDocument : IUnknown {
  PLATFORM_INTERFACE_ID("87da7a5b-331e-41f6-a5c4-5ebb415ea903");
  using Base = IUnknown;
  virtual HRESULT GetDocument(IUnknown** document) = 0;

 protected:
  ~IPendrelSourceDocument() = default;
};

// Kind flags of OpenEventEnumerator.
constexpr DWORD kEventKindExtended = 0x80000000;
constexpr DWORD kEventKindMarks = 0x40000000;
constexpr DWORD kEventKindNamedChannel = 4;

// A host data document's recordings.
struct IPendrelDataSource : IUnknown {
  PLATFORM_INTERFACE_ID("00fbe566-1b37-4403-9c24-c2f9d3ca35a3");
  using Base = IUnknown;
  virtual HRESULT GetRecordCount(LONG* count) = 0;
  virtual HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) = 0;
  // The record being sampled (or the last one).
  virtual HRESULT GetCurrentRecord(LONG* record) = 0;
  // The tick up to which the record's data exists; kRecordEndOffset unknown.
  virtual HRESULT GetEndOfData(DWORD channelWord, LONG record, LONG* end) = 0;
  // An enumerator (answering IEnumEventEx) over a channel's events in [start, end) of a record.
  virtual HRESULT OpenEventEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                      LONG end, DWORD kind, IUnknown** enumerator) = 0;
  // An enumerator over a channel's samples of a record, from `start`.
  virtual HRESULT OpenFloatEnumerator(PendrelChannelRef channel, LONG record, LONG start,
                                      IEnumFloatEx** enumerator) = 0;
  // The end of the data over the channels the word selects (0x80000000: all): the last record
  // and the tick its data reaches. S_FALSE without records.
  virtual HRESULT GetDataEnd(DWORD channelWord, LONG* endOffset, LONG* endRecord) = 0;
  // S_OK when the range lies within the data: its records exist, its offsets within them (an
  // end offset of kRecordEndOffset is a record's end, an end record of 0x7FFFFFFE the open end
  // of the last record) and it does not end before it starts; S_FALSE otherwise.
  virtual HRESULT IsValidRange(LONG startOffset, LONG startRecord, LONG endOffset,
                               LONG endRecord) = 0;

 protected:
  ~IPendrelDataSource() = default;
};
