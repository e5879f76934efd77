// The host's recording document as a module's child document reads it: the host objects it
// gets from it (the data document, the sampling controller, the selection, the printing of its
// views) and the services of
// the data document that concern a module's document (modification, online data).
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/persist_stream.h"

struct IPendrelSamplingController;
struct IPendrelSelection;
struct IPendrelViewPrinting;

// A position of the recording: a tick offset within a record.
struct PendrelPosition {
  LONG offset;
  LONG record;
  bool operator==(const PendrelPosition&) const = default;
};

// The host object a child document is created over.
struct IPendrelRecordingDocument : IUnknown {
  PLATFORM_INTERFACE_ID("e3a51f08-6c2d-4b97-a04e-5b8c7d1f2e39");
  using Base = IUnknown;
  // The data document: it answers IPendrelDataSource, IPendrelChannelData and the rest.
  virtual HRESULT GetDataDocument(IUnknown** document) = 0;
  virtual HRESULT GetSamplingController(IPendrelSamplingController** controller) = 0;
  virtual HRESULT GetSelection(IPendrelSelection** selection) = 0;
  // The printing of the document's views (platform/pendrel/view_window_host.h).
  virtual HRESULT GetViewPrinting(IPendrelViewPrinting** printing) = 0;

 protected:
  ~IPendrelRecordingDocument() = default;
};

// Whether the host is busy with the document (starting to sample, in a modal state), when
// modules must leave the analysis alone; and whether the document can sample at all.
struct IPendrelSamplingController : IUnknown {
  PLATFORM_INTERFACE_ID("1b7d9e43-f2a6-4c08-8d35-9e6a0b4c7f21");
  using Base = IUnknown;
  virtual HRESULT IsBusy(VARIANT_BOOL* busy) = 0;
  virtual HRESULT CanSample(VARIANT_BOOL* canSample) = 0;

 protected:
  ~IPendrelSamplingController() = default;
};

// Kind words of a selection.
constexpr DWORD kSelectionOfData = 0x801E0000;      // a stretch (or a point) of the data
constexpr DWORD kSelectionOfChannels = 0x801E0001;  // whole channels, no stretch of time

// The user's selection in the document.
struct IPendrelSelection : IUnknown {
  PLATFORM_INTERFACE_ID("9c4e2b71-0d8f-4a63-b1e5-7f3a6c2d8e05");
  using Base = IUnknown;
  virtual HRESULT GetKind(DWORD* kind) = 0;
  // The start and the end (exclusive); S_FALSE and kRecordEndOffset words when nothing is
  // selected.
  virtual HRESULT GetRange(PendrelPosition* start, PendrelPosition* end) = 0;
  // Whether a stretch longer than one tick is selected.
  virtual HRESULT IsRange(VARIANT_BOOL* range) = 0;
  // Whether a single place (no stretch) is selected.
  virtual HRESULT IsPoint(VARIANT_BOOL* point) = 0;
  // The selection in ticks from the document start: start and end (exclusive).
  virtual HRESULT GetExtent(LONGLONG* start, LONGLONG* end) = 0;
  // Starts a change that the next calls make together.
  virtual HRESULT BeginChange() = 0;
  virtual HRESULT SelectRange(PendrelPosition start, PendrelPosition end) = 0;
  // Shows the channel with its vertical range (values of the channel).
  virtual HRESULT SelectChannel(DWORD index, DWORD kind, double low, double high) = 0;

 protected:
  ~IPendrelSelection() = default;
};

// The data document's record of which persistent parts of its module documents changed.
struct IPendrelModificationService : IUnknown {
  PLATFORM_INTERFACE_ID("7a2f6d19-c83e-4b50-9e14-0d5b8a3c6f72");
  using Base = IUnknown;
  // Persistent part `part` of a module document changed; `text` may receive a description
  // of the change.
  virtual HRESULT AnnounceChange(IPersist* part, IUnknown* hostValue, DWORD partIndex,
                                 IQuorString** text) = 0;

 protected:
  ~IPendrelModificationService() = default;
};
