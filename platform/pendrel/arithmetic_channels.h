// Computed (arithmetic) channels of a host data document, the calculations behind channels,
// and the channel questions extensions ask. All of them are reached by QueryInterface on the
// host document object.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/data_source.h"

// A link that shows one channel's events as marks on another: the marker channel's index, 4,
// 0x801D0001, 0.
struct PendrelEventLink {
  DWORD markerChannel;
  DWORD kind;
  DWORD linkType;
  DWORD reserved;
};
constexpr DWORD kMarkerLinkType = 0x801D0001;

// The arithmetic-channel service: channels by name, their event links and held flags. The
// first argument of every operation is reserved (0).
struct IPendrelArithmeticChannels : IUnknown {
  PLATFORM_INTERFACE_ID("42f5c310-a3d4-499e-819a-b0d285a3128b");
  using Base = IUnknown;
  // Adds a channel; the host may choose another name than the requested one.
  virtual HRESULT AddChannel(DWORD reserved, VARIANT_BOOL replace, IQuorString* requestedName,
                             IQuorString** actualName, PendrelChannelRef* channel) = 0;
  virtual HRESULT DeleteChannel(DWORD reserved, IQuorString* name) = 0;
  // S_OK when a channel of that name exists.
  virtual HRESULT FindChannel(DWORD reserved, IQuorString* name, PendrelChannelRef* channel) = 0;
  virtual HRESULT GetChannelName(DWORD reserved, DWORD index, DWORD kind, IQuorString** name) = 0;
  virtual HRESULT AddEventLink(DWORD reserved, DWORD targetIndex, DWORD targetKind,
                               const PendrelEventLink* link) = 0;
  // The i-th link of the target channel and how many it has.
  virtual HRESULT EnumerateEventLinks(DWORD reserved, DWORD targetIndex, DWORD targetKind,
                                      DWORD i, PendrelEventLink* link, DWORD* count) = 0;
  virtual HRESULT RemoveEventLink(DWORD reserved, DWORD targetIndex, DWORD targetKind,
                                  const PendrelEventLink* link) = 0;
  // A held channel belongs to an extension: the user cannot edit or delete it.
  virtual HRESULT SetHeldFlag(DWORD reserved, IQuorString* name, VARIANT_BOOL held) = 0;
  virtual HRESULT GetHeldFlag(DWORD reserved, IQuorString* name, VARIANT_BOOL* held) = 0;
  virtual HRESULT GetChannelCount(DWORD reserved, DWORD* count) = 0;
  virtual HRESULT SetOwnerText(DWORD reserved, IQuorString* name, IQuorString* owner) = 0;

 protected:
  ~IPendrelArithmeticChannels() = default;
};

// The calculation behind a channel.
struct IPendrelCalculation : IUnknown {
  PLATFORM_INTERFACE_ID("89b560c2-8abb-4c62-be99-04ec26e0985c");
  using Base = IUnknown;
  virtual HRESULT TakeSettings(IUnknown* settings, LONG which) = 0;
  // Drops what was computed: the host recomputes the channel when it is next read.
  virtual HRESULT Reset() = 0;
  virtual HRESULT GetTypeId(DWORD* type) = 0;

 protected:
  ~IPendrelCalculation() = default;
};

// The settings of an arithmetic calculation.
struct IPendrelArithmeticSettings : IUnknown {
  PLATFORM_INTERFACE_ID("8fd7bd9d-17b9-4c1d-8cc8-b8e6a4da5e65");
  using Base = IUnknown;
  virtual HRESULT SetTexts(IQuorString* formula, IQuorString* unit, DWORD reserved) = 0;
  virtual HRESULT GetFormula(IQuorString** formula) = 0;
  // The unit text given with the formula, which the calculation gives the channel.
  virtual HRESULT GetUnit(IQuorString** unit) = 0;

 protected:
  ~IPendrelArithmeticSettings() = default;
};

// Channel data access: the calculation of each channel, and what channels hold.
struct IPendrelChannelData : IUnknown {
  PLATFORM_INTERFACE_ID("7ecb862f-82ff-4d68-81be-fcc014a9f677");
  using Base = IUnknown;
  virtual HRESULT GetCalculation(DWORD index, DWORD kind, IUnknown** calculation) = 0;
  virtual HRESULT SetCalculation(DWORD index, DWORD kind, IUnknown* calculation) = 0;
  virtual HRESULT GetRecordCount(DWORD channelWord, LONG* count) = 0;
  // S_OK when the channel has data in the record, S_FALSE otherwise.
  virtual HRESULT HasData(DWORD channelWord, LONG record, DWORD index) = 0;
  virtual HRESULT GetSampleInterval(DWORD channelWord, LONG record, DWORD index,
                                    double* seconds) = 0;
  // The smallest and largest raw value of the channel in a record (-2: any record).
  virtual HRESULT GetValueRange(DWORD index, DWORD flags, LONG record, double* minimum,
                                double* maximum) = 0;
  // value = (raw + offset) * scale.
  virtual HRESULT GetOffsetAndScale(DWORD index, double* offset, double* scale) = 0;
  virtual HRESULT GetChannelTitle(DWORD index, IQuorString** title) = 0;
  virtual HRESULT GetChannelUnit(DWORD index, IQuorString** unit) = 0;

 protected:
  ~IPendrelChannelData() = default;
};
