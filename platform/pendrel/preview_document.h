// What a host document tells a trace preview of itself: how many channel lists it shows, its
// display preferences, its sampling devices and three display sizes; and where a preview of it
// starts (the host's selection object, which the document gives by its type word, else the
// range and compression its view shows). All of them are reached by QueryInterface on the host
// data document, except IPendrelShownRange, which the preview's data source answers.
#pragma once

#include "platform/pendrel/messages.h"
#include "platform/pendrel/recording_document.h"
#include "platform/pendrel/sampling_device.h"

// The display preferences a preview reads, each by the shared service's key message of the id
// (ITarnSharedService::CreateKeyMessage (id, 0, 0)): the colour index of the grid, a display
// value, and whether the grid is shown.
constexpr DWORD kPreviewGridColourPreference = 0x800C000A;
constexpr DWORD kPreviewDisplayValuePreference = 0x800C000E;
constexpr DWORD kPreviewGridFlagPreference = 0x800C0009;

// The host's stored display preferences.
struct IPendrelPreferenceStore : IUnknown {
  PLATFORM_INTERFACE_ID("1811f7a4-f408-4f66-8564-5bbe2f7e7431");
  using Base = IUnknown;
  // The preference of the key as a signed integer, or as a 32-bit word.
  virtual HRESULT ReadInteger(IMessage* key, LONG* value) = 0;
  virtual HRESULT ReadValue(IMessage* key, DWORD* value) = 0;

 protected:
  ~IPendrelPreferenceStore() = default;
};

struct IPendrelPreviewDocument : IUnknown {
  PLATFORM_INTERFACE_ID("b7cb2200-1333-4824-90c4-aacaff8ba913");
  using Base = IUnknown;
  // The number of channel lists the document shows; S_FALSE and `count` untouched while the
  // document leaves it unset (callers then take 2).
  virtual HRESULT GetDisplayChannelCount(LONG* count) = 0;
  // S_FALSE and null when the document keeps no preferences.
  virtual HRESULT GetPreferenceStore(IPendrelPreferenceStore** store) = 0;
  // S_FALSE and null when the document has no devices.
  virtual HRESULT GetSamplingDevices(IPendrelSamplingDeviceList** devices) = 0;

 protected:
  ~IPendrelPreviewDocument() = default;
};

// Three pixel sizes of the host's display of a document; a preview keeps to the smallest.
struct IPendrelDisplayMetrics : IUnknown {
  PLATFORM_INTERFACE_ID("1c073290-2099-4adb-ae9c-49d5c9fafd84");
  using Base = IUnknown;
  virtual HRESULT GetLabelHeight(LONG* pixels) = 0;
  virtual HRESULT GetButtonSize(LONG* pixels) = 0;
  // Of lane `lane` (0 the first).
  virtual HRESULT GetLaneHeight(DWORD lane, LONG* pixels) = 0;

 protected:
  ~IPendrelDisplayMetrics() = default;
};

// The host objects of a data document by type word: the type (core id << 16) | 2 is its
// selection, which answers IPendrelSelection.
struct IPendrelTypedObjects : IUnknown {
  PLATFORM_INTERFACE_ID("7a940466-50af-47ac-b98d-cc8ff9775c91");
  using Base = IUnknown;
  // E_NOINTERFACE and null for a type the document does not have or an interface it lacks.
  virtual HRESULT GetObjectOfType(DWORD type, REFIID iid, void** object) = 0;

 protected:
  ~IPendrelTypedObjects() = default;
};

// What the host's view of a data source shows: a stretch of the data and its compression.
struct IPendrelShownRange : IUnknown {
  PLATFORM_INTERFACE_ID("dbad0b6a-a5d2-4a0f-9d4a-fa3dfb544661");
  using Base = IUnknown;
  // The start and the end (exclusive) of the shown stretch; S_FALSE when nothing is shown.
  virtual HRESULT GetShownRange(PendrelPosition* start, PendrelPosition* end) = 0;
  // Ticks per pixel; S_FALSE when the view has none.
  virtual HRESULT GetCompression(double* ticksPerPixel) = 0;

 protected:
  ~IPendrelShownRange() = default;
};
